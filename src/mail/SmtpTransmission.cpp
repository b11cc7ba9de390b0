#include "mail/SmtpTransmission.h"

#include "app/ActivityLog.h"
#include "app/AppError.h"
#include "app/Clock.h"
#include "mail/MimeMessage.h"
#include "mail/SmtpSession.h"

#include <QFileInfo>

namespace {

QByteArray buildMessage(const ReportMail& mail, const QString& pdfPath, const QDateTime& date) {
    MimeMessage message;
    message.setFrom(mail.sender);
    message.setSubject(mail.subject);
    message.setTo(mail.recipients);
    message.setHtmlLines(mail.letter);
    if (QFileInfo(pdfPath).isFile())
        message.attachFile(pdfPath);
    message.setDate(date);
    return message.toBytes();
}

void authenticate(SmtpSession& session, const CompanySettings& company) {
    session.command("AUTH LOGIN", 334);
    session.command(company.SmtpUser.toUtf8().toBase64(), 334);
    session.command(company.SmtpPassword.toUtf8().toBase64(), 235);
}

} // namespace

SmtpTransmission::SmtpTransmission(ActivityLog& log, const Clock& clock, int timeoutMs)
    : m_log(log), m_clock(clock), m_timeoutMs(timeoutMs) {}

int SmtpTransmission::serverPort(const CompanySettings& company) {
    return company.SmtpTls && company.SmtpPort == 465 ? 25 : company.SmtpPort;
}

void SmtpTransmission::send(const ReportMail& mail, const CompanySettings& company, const QString& pdfPath) {
    const QByteArray message = buildMessage(mail, pdfPath, m_clock.now());
    const QByteArray sender = mail.sender.checkedAddress().toLatin1();
    QList<QByteArray> recipients;
    for (const MailAddress& recipient : mail.recipients)
        recipients << recipient.checkedAddress().toLatin1();
    try {
        exchange(company, sender, recipients, message);
    } catch (const AppError& error) {
        m_log.AddLogLine(error.message());
    }
}

void SmtpTransmission::exchange(const CompanySettings& company, const QByteArray& sender,
                                const QList<QByteArray>& recipients, const QByteArray& message) const {
    const int port = serverPort(company);
    if (port < 1 || port > 65535)
        throw AppError(QStringLiteral("Ongeldige SMTP-poort: %1").arg(port));
    SmtpSession session(m_timeoutMs);
    session.open(company.SmtpServer, quint16(port));
    SmtpReply hello = session.greet();
    if (company.SmtpTls) {
        if (!hello.offers(QStringLiteral("STARTTLS")))
            throw AppError(
                QStringLiteral("De SMTP-server %1 biedt geen STARTTLS aan; het bericht is niet verzonden")
                    .arg(company.SmtpServer));
        session.command("STARTTLS", 220);
        session.startTls();
        hello = session.greet();
        const bool hasUser = company.SmtpLogin && !company.SmtpUser.isEmpty();
        if (hasUser && hello.offersAuth(QStringLiteral("LOGIN")))
            authenticate(session, company);
    }
    session.command("MAIL FROM:<" + sender + '>', 250);
    for (const QByteArray& recipient : recipients)
        session.command("RCPT TO:<" + recipient + '>', 250);
    session.command("DATA", 354);
    session.sendMessage(message);
    // The server has taken the message: one that hangs up instead of saying goodbye has not lost it.
    try {
        session.command("QUIT", 221);
    } catch (const AppError&) {
    }
}
