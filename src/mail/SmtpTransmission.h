#pragma once

#include "mail/CompanySettings.h"
#include "mail/ReportMail.h"

#include <QByteArray>
#include <QStringList>

class ActivityLog;
class Clock;

// Puts one report mail together and delivers it to the company's SMTP server.
class SmtpTransmission {
public:
    static constexpr int kDefaultTimeoutMs = 30000;

    // timeoutMs bounds every single wait: connecting, the TLS handshake, each reply, each write.
    SmtpTransmission(ActivityLog& log, const Clock& clock, int timeoutMs = kDefaultTimeoutMs);

    // Builds the message with the PDF attached when a file exists at pdfPath, and sends it.
    // A failed exchange becomes one log line holding the error's text alone; a message that cannot be
    // built (unreadable PDF, unusable address) throws AppError to the caller.
    void send(const ReportMail& mail, const CompanySettings& company, const QString& pdfPath);

    // Port 465 is implicit TLS, which this client does not speak: with STARTTLS the submission
    // goes to port 25 instead.
    static int serverPort(const CompanySettings& company);

private:
    void exchange(const CompanySettings& company, const QByteArray& sender,
                  const QList<QByteArray>& recipients, const QByteArray& message) const;

    ActivityLog& m_log;
    const Clock& m_clock;
    int m_timeoutMs;
};
