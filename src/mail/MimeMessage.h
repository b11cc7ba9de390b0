#pragma once

#include "mail/MailAddress.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QStringList>

// A "multipart/mixed" message: an HTML part and, optionally, one file attached. Everything it writes is
// 7-bit ASCII in lines of at most 78 characters ended by CRLF, so it passes any SMTP server unchanged.
class MimeMessage {
public:
    MimeMessage();

    void setFrom(const MailAddress& from) { m_from = from; }
    void setSubject(const QString& subject) { m_subject = subject; }
    void setTo(const QList<MailAddress>& to) { m_to = to; }
    void setDate(const QDateTime& date) { m_date = date; }
    // Each line is ended by a line break in the HTML text.
    void setHtmlLines(const QStringList& lines) { m_htmlLines = lines; }
    // Reads the file now; throws AppError when it cannot be read.
    void attachFile(const QString& path);

    // The whole message, ready for DATA (dot-stuffing is the transport's business).
    QByteArray toBytes() const;

private:
    QByteArray headers() const;
    QByteArray htmlPart() const;
    QByteArray attachmentPart() const;

    MailAddress m_from;
    QString m_subject;
    QList<MailAddress> m_to;
    QDateTime m_date;
    QStringList m_htmlLines;
    QString m_attachmentName;
    QByteArray m_attachment;
    bool m_hasAttachment = false;
    QByteArray m_boundary;
    QByteArray m_messageId;
};
