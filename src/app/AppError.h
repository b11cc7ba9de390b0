#pragma once

#include <QString>
#include <exception>

// A failure of the program, carrying the text the user reads in the activity log. Errors of Qt SQL,
// Qt Network and the file system are turned into it with their own message.
class AppError : public std::exception {
public:
    explicit AppError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Ends the current operation without any report: the handler guard lets it pass silently.
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "operation aborted"; }
};
