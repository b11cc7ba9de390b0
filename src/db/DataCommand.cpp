#include "db/DataCommand.h"

#include "db/MainConnection.h"

DataCommand::DataCommand(MainConnection& connection, int timeoutSeconds)
    : m_connection(connection), m_timeoutSeconds(timeoutSeconds) {}

void DataCommand::execute() {
    m_connection.execute(m_commandText, {}, m_timeoutSeconds);
}
