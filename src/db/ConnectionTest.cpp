#include "db/ConnectionTest.h"

#include "app/ActivityLog.h"
#include "app/AppError.h"
#include "app/Dialogs.h"
#include "db/MainConnection.h"

ConnectionTest::ConnectionTest(MainConnection& connection, Dialogs& dialogs, ActivityLog& log)
    : m_connection(connection), m_dialogs(dialogs), m_log(log) {}

void ConnectionTest::Button3Click() {
    try {
        m_connection.open();
    } catch (const AppError& error) {
        m_connection.close();
        m_log.replaceAll(error.message());
        m_log.ApplicationEvents1Exception(error);
        return;
    }
    m_dialogs.information(QStringLiteral("Database koppeling"),
                          QStringLiteral("Viruv Zelvan SQL werd database met succes geopend"));
    m_connection.close();
}
