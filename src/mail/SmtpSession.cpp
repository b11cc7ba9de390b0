#include "mail/SmtpSession.h"

#include "app/AppError.h"

namespace {

const QByteArray kCrlf = "\r\n";
// A reply line longer than this is not SMTP; the limit keeps a broken server from filling the memory.
constexpr qsizetype kMaxLineLength = 64 * 1024;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool accepts(const SmtpReply& reply, int expectedCode) {
    // 251 ("will forward") accepts a recipient just as 250 does.
    return reply.code == expectedCode || (expectedCode == 250 && reply.code == 251);
}

QByteArray dotStuffed(QByteArray message) {
    if (!message.endsWith(kCrlf))
        message += kCrlf;
    message.replace(kCrlf + '.', kCrlf + "..");
    if (message.startsWith('.'))
        message.prepend('.');
    return message + '.' + kCrlf;
}

} // namespace

SmtpSession::SmtpSession(int timeoutMs) : m_timeoutMs(timeoutMs) {}

SmtpSession::~SmtpSession() {
    m_socket.abort();
}

void SmtpSession::open(const QString& host, quint16 port) {
    m_socket.connectToHost(host, port);
    if (!m_socket.waitForConnected(m_timeoutMs)) {
        if (m_socket.error() == QAbstractSocket::SocketTimeoutError)
            throw AppError(
                QStringLiteral("Time-out bij verbinden met SMTP-server %1:%2").arg(host).arg(port));
        throw AppError(m_socket.errorString());
    }
    const SmtpReply greeting = readReply();
    if (greeting.code != 220)
        throw AppError(greeting.text());
}

SmtpReply SmtpSession::greet() {
    write("EHLO " + clientName() + kCrlf);
    const SmtpReply ehlo = readReply();
    if (ehlo.code == 250)
        return ehlo;
    return command("HELO " + clientName(), 250);
}

SmtpReply SmtpSession::command(const QByteArray& line, int expectedCode) {
    write(line + kCrlf);
    const SmtpReply reply = readReply();
    if (!accepts(reply, expectedCode))
        throw AppError(reply.text());
    return reply;
}

void SmtpSession::startTls() {
    if (!QSslSocket::supportsSsl())
        throw AppError(QStringLiteral("TLS is niet beschikbaar: de OpenSSL-bibliotheek ontbreekt"));
    // Anything the server sent after its 220 would be read as if it came through TLS.
    if (!m_received.isEmpty() || m_socket.bytesAvailable() > 0)
        throw AppError(QStringLiteral("De SMTP-server stuurde onverwachte gegevens na STARTTLS"));
    m_socket.setPeerVerifyMode(QSslSocket::VerifyNone);
    m_socket.startClientEncryption();
    if (!m_socket.waitForEncrypted(m_timeoutMs)) {
        if (m_socket.error() == QAbstractSocket::SocketTimeoutError)
            throw AppError(QStringLiteral("Time-out bij de TLS-handshake met de SMTP-server"));
        throw AppError(QStringLiteral("TLS-handshake mislukt: ") + m_socket.errorString());
    }
}

void SmtpSession::sendMessage(const QByteArray& message) {
    write(dotStuffed(message));
    const SmtpReply reply = readReply();
    if (!accepts(reply, 250))
        throw AppError(reply.text());
}

QByteArray SmtpSession::clientName() const {
    // An address literal is always a valid EHLO argument, unlike many local host names.
    const QHostAddress local = m_socket.localAddress();
    if (local.protocol() == QAbstractSocket::IPv6Protocol)
        return "[IPv6:" + local.toString().toLatin1() + ']';
    return '[' + local.toString().toLatin1() + ']';
}

void SmtpSession::write(const QByteArray& bytes) {
    const QDeadlineTimer deadline(m_timeoutMs);
    m_socket.write(bytes);
    while (m_socket.bytesToWrite() > 0) {
        if (!m_socket.waitForBytesWritten(int(deadline.remainingTime())))
            failWait(deadline, QStringLiteral("verzenden naar"));
    }
}

SmtpReply SmtpSession::readReply() {
    const QDeadlineTimer deadline(m_timeoutMs);
    SmtpReply reply;
    for (;;) {
        const QByteArray line = readLine(deadline);
        const bool wellFormed = line.size() >= 3 && std::all_of(line.begin(), line.begin() + 3, isDigit) &&
                                (line.size() == 3 || line.at(3) == ' ' || line.at(3) == '-');
        if (!wellFormed)
            throw AppError(QStringLiteral("Ongeldig antwoord van de SMTP-server: ") +
                           QString::fromUtf8(line));
        reply.lines << QString::fromUtf8(line.mid(4));
        if (line.size() == 3 || line.at(3) == ' ') {
            reply.code = line.left(3).toInt();
            return reply;
        }
    }
}

QByteArray SmtpSession::readLine(const QDeadlineTimer& deadline) {
    for (;;) {
        const qsizetype end = m_received.indexOf('\n');
        if (end >= 0) {
            QByteArray line = m_received.left(end);
            m_received.remove(0, end + 1);
            if (line.endsWith('\r'))
                line.chop(1);
            return line;
        }
        if (m_received.size() > kMaxLineLength)
            throw AppError(QStringLiteral("Ongeldig antwoord van de SMTP-server: regel te lang"));
        if (m_socket.bytesAvailable() > 0) {
            m_received += m_socket.readAll();
            continue;
        }
        if (m_socket.state() != QAbstractSocket::ConnectedState)
            throw AppError(QStringLiteral("De SMTP-server heeft de verbinding verbroken"));
        if (!m_socket.waitForReadyRead(int(deadline.remainingTime())) && m_socket.bytesAvailable() == 0)
            failWait(deadline, QStringLiteral("wachten op antwoord van"));
    }
}

void SmtpSession::failWait(const QDeadlineTimer& deadline, const QString& waitingFor) const {
    if (deadline.hasExpired() || m_socket.error() == QAbstractSocket::SocketTimeoutError)
        throw AppError(QStringLiteral("Time-out bij %1 de SMTP-server").arg(waitingFor));
    if (m_socket.error() == QAbstractSocket::RemoteHostClosedError)
        throw AppError(QStringLiteral("De SMTP-server heeft de verbinding verbroken"));
    throw AppError(m_socket.errorString());
}
