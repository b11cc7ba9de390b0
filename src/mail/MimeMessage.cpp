#include "mail/MimeMessage.h"

#include "app/AppError.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QUuid>

namespace {

const QByteArray kCrlf = "\r\n";
constexpr int kEncodedWordBytes = 39; // keeps every encoded word, and so every folded line, short

bool isPrintableAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; });
}

// RFC 2047 "B" encoded words, folded one word per line, never splitting a character.
QByteArray encodedWords(const QString& text) {
    QList<QByteArray> words;
    QByteArray chunk;
    for (uint codePoint : text.toUcs4()) {
        const QByteArray bytes = QString::fromUcs4(reinterpret_cast<const char32_t*>(&codePoint), 1).toUtf8();
        if (chunk.size() + bytes.size() > kEncodedWordBytes) {
            words << chunk;
            chunk.clear();
        }
        chunk += bytes;
    }
    words << chunk;
    QList<QByteArray> encoded;
    for (const QByteArray& word : words)
        encoded << "=?utf-8?B?" + word.toBase64() + "?=";
    return encoded.join(kCrlf + " ");
}

QByteArray unstructured(const QString& text, int headerNameLength) {
    if (isPrintableAscii(text) && headerNameLength + text.size() <= 78)
        return text.toLatin1();
    return encodedWords(text);
}

bool isAtomText(QChar c) {
    static const QString atomSymbols = QStringLiteral("!#$%&'*+-/=?^_`{|}~ ");
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || atomSymbols.contains(c);
}

// A display name as RFC 5322 wants it: bare atoms, a quoted string when it holds specials, encoded
// words when it is not plain ASCII.
QByteArray displayName(const QString& name) {
    if (!isPrintableAscii(name))
        return encodedWords(name);
    if (std::all_of(name.begin(), name.end(), isAtomText) && name == name.simplified())
        return name.toLatin1();
    QByteArray quoted = name.toLatin1();
    quoted.replace('\\', "\\\\").replace('"', "\\\"");
    return '"' + quoted + '"';
}

QByteArray mailbox(const MailAddress& address) {
    const QByteArray addressText = address.checkedAddress().toLatin1();
    if (address.name.isEmpty())
        return addressText;
    return displayName(address.name) + kCrlf + " <" + addressText + '>';
}

// RFC 2231 for a file name that is not short plain ASCII, in short continuation sections.
QByteArray fileNameParameter(const QByteArray& parameter, const QString& fileName) {
    if (isPrintableAscii(fileName) && fileName.size() <= 60 && !fileName.contains(QLatin1Char('"')) &&
        !fileName.contains(QLatin1Char('\\')))
        return parameter + "=\"" + fileName.toLatin1() + '"';
    const QByteArray escaped = fileName.toUtf8().toPercentEncoding();
    QList<QByteArray> sections;
    for (qsizetype start = 0; start < escaped.size();) {
        qsizetype length = std::min<qsizetype>(48, escaped.size() - start);
        while (start + length < escaped.size() && escaped.mid(start + length - 2, 2).contains('%'))
            --length; // never cut a %XX escape
        const QByteArray prefix = sections.isEmpty() ? "utf-8''" : "";
        sections << parameter + '*' + QByteArray::number(sections.size()) + "*=" + prefix +
                        escaped.mid(start, length);
        start += length;
    }
    return sections.join(";" + kCrlf + " ");
}

// Quoted-printable of one line of text: soft breaks keep output lines at 76 characters at most.
QByteArray quotedPrintableLine(const QString& line) {
    const QByteArray bytes = line.toUtf8();
    QByteArray out;
    int column = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const bool lastOfLine = i == bytes.size() - 1;
        const bool literal =
            (byte >= 33 && byte <= 126 && byte != '=') || ((byte == ' ' || byte == '\t') && !lastOfLine);
        const QByteArray token = literal
                                     ? QByteArray(1, char(byte))
                                     : '=' + QByteArray::number(byte, 16).toUpper().rightJustified(2, '0');
        if (column + token.size() > 75) {
            out += "=" + kCrlf;
            column = 0;
        }
        out += token;
        column += token.size();
    }
    return out;
}

QByteArray base64Lines(const QByteArray& data) {
    const QByteArray encoded = data.toBase64();
    QList<QByteArray> lines;
    for (qsizetype start = 0; start < encoded.size(); start += 76)
        lines << encoded.mid(start, 76);
    return lines.join(kCrlf);
}

QByteArray rfc5322Date(const QDateTime& date) {
    const int offsetMinutes = date.offsetFromUtc() / 60;
    const QString zone = QStringLiteral("%1%2%3")
                             .arg(offsetMinutes < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                             .arg(std::abs(offsetMinutes) / 60, 2, 10, QLatin1Char('0'))
                             .arg(std::abs(offsetMinutes) % 60, 2, 10, QLatin1Char('0'));
    return (QLocale::c().toString(date, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss ")) + zone).toLatin1();
}

QByteArray uniqueToken() {
    return QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
}

} // namespace

MimeMessage::MimeMessage()
    // "=_" can occur neither in base64 nor in quoted-printable text, so no body line can match the boundary.
    : m_boundary("=_Zelvan_" + uniqueToken()), m_messageId(uniqueToken()) {}

void MimeMessage::attachFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(
            QStringLiteral("Bijlage %1 kan niet worden gelezen: %2").arg(path, file.errorString()));
    m_attachment = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError(
            QStringLiteral("Bijlage %1 kan niet worden gelezen: %2").arg(path, file.errorString()));
    m_attachmentName = QFileInfo(path).fileName();
    m_hasAttachment = true;
}

QByteArray MimeMessage::toBytes() const {
    // The CRLF before each delimiter belongs to the delimiter, not to the part before it.
    const QByteArray delimiter = kCrlf + "--" + m_boundary;
    QByteArray message = headers() + kCrlf + "--" + m_boundary + kCrlf + htmlPart();
    if (m_hasAttachment)
        message += delimiter + kCrlf + attachmentPart();
    return message + delimiter + "--" + kCrlf;
}

QByteArray MimeMessage::headers() const {
    const QByteArray fromAddress = m_from.checkedAddress().toLatin1();
    const QByteArray domain =
        fromAddress.contains('@') ? fromAddress.mid(fromAddress.lastIndexOf('@') + 1) : "zelvan";
    QByteArray out = "From: " + mailbox(m_from) + kCrlf;
    if (!m_to.isEmpty()) {
        QList<QByteArray> recipients;
        for (const MailAddress& to : m_to)
            recipients << mailbox(to);
        out += "To: " + recipients.join("," + kCrlf + " ") + kCrlf;
    }
    out += "Subject: " + unstructured(m_subject, 9) + kCrlf;
    out += "Date: " + rfc5322Date(m_date) + kCrlf;
    out += "Message-ID: <" + m_messageId + '@' + domain + '>' + kCrlf;
    out += "X-Mailer: Zelvan" + kCrlf;
    out += "MIME-Version: 1.0" + kCrlf;
    out += "Content-Type: multipart/mixed;" + kCrlf + " boundary=\"" + m_boundary + '"' + kCrlf;
    return out;
}

QByteArray MimeMessage::htmlPart() const {
    QByteArray out = "Content-Type: text/html; charset=utf-8" + kCrlf;
    out += "Content-Transfer-Encoding: quoted-printable" + kCrlf + kCrlf;
    for (const QString& line : m_htmlLines)
        out += quotedPrintableLine(line) + kCrlf;
    return out;
}

QByteArray MimeMessage::attachmentPart() const {
    QByteArray out =
        "Content-Type: application/pdf;" + kCrlf + ' ' + fileNameParameter("name", m_attachmentName) + kCrlf;
    out += "Content-Transfer-Encoding: base64" + kCrlf;
    out += "Content-Disposition: attachment;" + kCrlf + ' ' +
           fileNameParameter("filename", m_attachmentName) + kCrlf + kCrlf;
    out += base64Lines(m_attachment);
    return out;
}
