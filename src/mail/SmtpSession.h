#pragma once

#include "mail/SmtpReply.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QSslSocket>

// One SMTP connection, driven synchronously. Every wait is bounded by the time-out; every failure
// throws AppError with the server's reply or the network's own message. The connection is dropped
// when the session is destroyed.
class SmtpSession {
public:
    explicit SmtpSession(int timeoutMs);
    ~SmtpSession();
    SmtpSession(const SmtpSession&) = delete;
    SmtpSession& operator=(const SmtpSession&) = delete;

    // Connects and reads the server's greeting.
    void open(const QString& host, quint16 port);
    // EHLO, or HELO when the server refuses EHLO; returns the accepted reply.
    SmtpReply greet();
    // Sends one command line and requires the given reply code.
    SmtpReply command(const QByteArray& line, int expectedCode);
    // Upgrades the connection to TLS (after a successful STARTTLS). The certificate is not verified.
    void startTls();
    // Sends the message after DATA was accepted: dot-stuffed, closed by ".".
    void sendMessage(const QByteArray& message);

private:
    QByteArray clientName() const;
    void write(const QByteArray& bytes);
    SmtpReply readReply();
    QByteArray readLine(const QDeadlineTimer& deadline);
    [[noreturn]] void failWait(const QDeadlineTimer& deadline, const QString& waitingFor) const;

    QSslSocket m_socket;
    int m_timeoutMs;
    QByteArray m_received;
};
