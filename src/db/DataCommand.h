#pragma once

#include <QString>

class MainConnection;

// A command on the main connection (`ADOCommand`): runs a complete statement text once, without
// parameters, and releases whatever result it returns.
class DataCommand {
public:
    static constexpr int DefaultTimeoutSeconds = 3000;

    explicit DataCommand(MainConnection& connection, int timeoutSeconds = DefaultTimeoutSeconds);

    void setCommandText(const QString& text) { m_commandText = text; }
    const QString& commandText() const { return m_commandText; }
    // Connects first when needed; a failure is an AppError with the driver's message.
    void execute();

private:
    MainConnection& m_connection;
    int m_timeoutSeconds;
    QString m_commandText;
};
