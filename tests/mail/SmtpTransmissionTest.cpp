#include "mail/SmtpTransmission.h"
#include "FakeClock.h"
#include "PythonServer.h"
#include "app/ActivityLog.h"
#include "app/AppError.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QTcpServer>
#include <QtTest>

namespace {

constexpr int kTimeoutMs = 10000;

ReportMail reportMail(const QString& recipients) {
    ReportMail mail;
    mail.letter = QStringList{"<p>Rapport</p>", "<BR>"};
    mail.subject = "Omzet per maand";
    mail.sender = {"Taxi Centrale", "postmaster@taxi.nl"};
    mail.recipients = MailAddress::parseList(recipients);
    return mail;
}

CompanySettings company(int port, bool tls, bool login) {
    CompanySettings settings;
    settings.CompanyName = "Taxi Centrale";
    settings.Postmaster = "postmaster@taxi.nl";
    settings.SmtpServer = "127.0.0.1";
    settings.SmtpPort = port;
    settings.SmtpUser = "jan";
    settings.SmtpPassword = "geheim-wachtwoord";
    settings.SmtpTls = tls;
    settings.SmtpLogin = login;
    return settings;
}

int closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort(); // closed again when probe goes
}

// The SMTP commands in a transcript, in order; message lines and TLS records are left out.
QByteArray commandVerbs(const QByteArray& transcript) {
    static const QRegularExpression command("^(EHLO|HELO|STARTTLS|AUTH|MAIL|RCPT|DATA|QUIT)\\b");
    QByteArrayList verbs;
    for (const QByteArray& line : transcript.split('\n')) {
        const QRegularExpressionMatch match = command.match(QString::fromLatin1(line));
        if (match.hasMatch())
            verbs << match.captured(1).toLatin1();
    }
    return verbs.join(' ');
}

QJsonObject json(const QByteArray& bytes) {
    return QJsonDocument::fromJson(bytes).object();
}

} // namespace

class SmtpTransmissionTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_certDir;
    QPlainTextEdit m_memo;
    FakeClock m_clock;
    ActivityLog m_log{m_memo, m_clock};

    // "{tls}" stands for the certificate options that make the server offer STARTTLS.
    QStringList serverArguments(const QStringList& arguments) const {
        QStringList expanded;
        for (const QString& argument : arguments) {
            if (argument == "{tls}")
                expanded << "--cert" << m_certDir.filePath("cert.pem") << "--key"
                         << m_certDir.filePath("key.pem");
            else
                expanded << argument;
        }
        return expanded;
    }

    // What Python's email package makes of a received message.
    QJsonObject parsed(const QString& emlPath) const {
        QProcess parser;
        parser.start(
            "/usr/bin/python3",
            {QDir(qEnvironmentVariable("ZELVAN_TEST_SUPPORT_DIR")).filePath("parse_mail.py"), emlPath});
        parser.waitForFinished();
        return json(parser.readAllStandardOutput());
    }

private slots:
    void initTestCase() {
        QProcess openssl;
        openssl.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                                  "/CN=mail.test", "-keyout", m_certDir.filePath("key.pem"), "-out",
                                  m_certDir.filePath("cert.pem")});
        QVERIFY(openssl.waitForFinished());
        QCOMPARE(openssl.exitCode(), 0);
    }

    void init() { m_log.replaceAll(QString()); }

    void portRule_data() {
        QTest::addColumn<bool>("tls");
        QTest::addColumn<int>("configured");
        QTest::addColumn<int>("used");
        QTest::newRow("TLS, 465 -> 25") << true << 465 << 25;
        QTest::newRow("TLS, 587 as set") << true << 587 << 587;
        QTest::newRow("plain, 465 as set") << false << 465 << 465;
        QTest::newRow("plain, 25 as set") << false << 25 << 25;
    }
    void portRule() {
        QFETCH(bool, tls);
        QFETCH(int, configured);
        QFETCH(int, used);
        QCOMPARE(SmtpTransmission::serverPort(company(configured, tls, false)), used);
    }

    void exchangeWithAiosmtpd_data() {
        QTest::addColumn<QStringList>("serverArgs");
        QTest::addColumn<bool>("tls");
        QTest::addColumn<bool>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("recipients");
        QTest::addColumn<QString>("expectedLog"); // empty: delivered without a log line
        QTest::addColumn<bool>("expectTls");
        QTest::addColumn<QString>("expectAuthUser");
        QTest::addColumn<int>("expectAuthAttempts");

        const QStringList credentials{"--user", "jan", "--password", "geheim-wachtwoord"};
        const QString two = "a@taxi.nl; b@taxi.nl";
        QTest::newRow("plain mode with login set: no authentication")
            << QStringList{"--plain-auth"} + credentials << false << true << "geheim-wachtwoord" << two << ""
            << false << "" << 0;
        QTest::newRow("TLS without login: STARTTLS, no AUTH")
            << QStringList{"{tls}"} << true << false << "geheim-wachtwoord" << two << "" << true << "" << 0;
        QTest::newRow("TLS with login, LOGIN offered: authenticated")
            << QStringList{"{tls}", "--auth-required"} + credentials << true << true << "geheim-wachtwoord"
            << two << "" << true << "jan" << 1;
        QTest::newRow("TLS with login, wrong password")
            << QStringList{"{tls}", "--auth-required"} + credentials << true << true << "fout" << two
            << "535 5.7.8 Authentication credentials invalid" << false << "" << 1;
        QTest::newRow("TLS, server without STARTTLS: nothing sent")
            << credentials << true << true << "geheim-wachtwoord" << two
            << "De SMTP-server 127.0.0.1 biedt geen STARTTLS aan; het bericht is niet verzonden" << false
            << "" << 0;
        QTest::newRow("TLS with login, only PLAIN offered: envelope refused")
            << QStringList{"{tls}", "--auth-required", "--exclude-mechanism", "LOGIN"} + credentials << true
            << true << "geheim-wachtwoord" << two << "530 5.7.0 Authentication required" << false << "" << 0;
        QTest::newRow("recipient refused")
            << QStringList{"--refuse-rcpt", "weg@taxi.nl"} << false << false << ""
            << "a@taxi.nl, weg@taxi.nl"
            << "550 5.1.1 <weg@taxi.nl>: Recipient address rejected" << false << "" << 0;
        QTest::newRow("no recipient") << QStringList{} << false << false << ""
                                      << " ; "
                                      << "503 Error: need RCPT command" << false << "" << 0;
    }

    void exchangeWithAiosmtpd() {
        QFETCH(QStringList, serverArgs);
        QFETCH(bool, tls);
        QFETCH(bool, login);
        QFETCH(QString, password);
        QFETCH(QString, recipients);
        QFETCH(QString, expectedLog);
        QFETCH(bool, expectTls);
        QFETCH(QString, expectAuthUser);
        QFETCH(int, expectAuthAttempts);

        PythonServer server("smtp_server.py", serverArguments(serverArgs));
        QVERIFY(server.port() > 0);
        CompanySettings settings = company(server.port(), tls, login);
        settings.SmtpPassword = password;

        SmtpTransmission(m_log, m_clock, kTimeoutMs).send(reportMail(recipients), settings, QString());

        QCOMPARE(m_log.lines(), expectedLog.isEmpty() ? QStringList() : QStringList{"09:05" + expectedLog});
        QCOMPARE(server.hasFile("message-1.json"), expectedLog.isEmpty());
        const QByteArray authLog = server.file("auth.jsonl");
        QCOMPARE(authLog.count('\n'), expectAuthAttempts);
        if (!expectedLog.isEmpty())
            return;
        const QJsonObject received = json(server.file("message-1.json"));
        QCOMPARE(received["mail_from"].toString(), QString("postmaster@taxi.nl"));
        QCOMPARE(received["rcpt_tos"].toArray(), (QJsonArray{"a@taxi.nl", "b@taxi.nl"}));
        QCOMPARE(received["tls"].toBool(), expectTls);
        QCOMPARE(received["auth_user"].toString(), expectAuthUser);
        QVERIFY(!server.file("message-1.eml").contains(settings.SmtpPassword.toUtf8()));
    }

    void messageAsReceived_data() {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("companyName");
        QTest::addColumn<QString>("pdfName"); // empty: no PDF at the path

        QTest::newRow("plain ASCII, PDF attached") << "Omzet per maand"
                                                   << "Taxi Centrale"
                                                   << "ZEL_VODO_Omzet.pdf";
        QTest::newRow("specials and non-ASCII, long file name")
            << QString("Overzicht ritten \u00E9\u00E9n \u2014 maart, een omschrijving die langer is dan een "
                       "kopregel mag zijn\r\nBcc: x@y.nl")
            << "Taxi \"De Ster\", B.V. (Zn)"
            << QString("Rapport \u00C4\u00D6\u00DC ") + QString(70, 'x') + " \"kopie\".pdf";
        QTest::newRow("non-ASCII sender name, no PDF")
            << "Omzet" << QString("Taxibedrijf \u00C9\u00E9n") << "";
    }

    void messageAsReceived() {
        QFETCH(QString, subject);
        QFETCH(QString, companyName);
        QFETCH(QString, pdfName);

        QTemporaryDir pdfDir;
        const QString pdfPath = pdfDir.filePath(pdfName.isEmpty() ? "ontbreekt.pdf" : pdfName);
        QByteArray pdf = "%PDF-1.4\r\n.\r\n..\n.";
        QRandomGenerator random(7);
        for (int i = 0; i < 50000; ++i)
            pdf += char(random.bounded(256));
        if (!pdfName.isEmpty()) {
            QFile file(pdfPath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(pdf);
        }
        ReportMail mail = reportMail("Jan Jansen <jan@taxi.nl>, b@taxi.nl");
        mail.subject = subject;
        mail.sender.name = companyName;
        mail.letter = QStringList{"<p>Geachte heer,</p>",
                                  ".punt aan het begin",
                                  "spatie aan het eind ",
                                  "",
                                  "\tTab en = teken",
                                  QString("\u00C9\u00E9n lange regel ").repeated(30) + "einde",
                                  "."};
        PythonServer server("smtp_server.py",
                            serverArguments({"{tls}", "--user", "jan", "--password", "geheim"}));
        QVERIFY(server.port() > 0);
        CompanySettings settings = company(server.port(), true, true);
        settings.SmtpPassword = "geheim";

        SmtpTransmission(m_log, m_clock, kTimeoutMs).send(mail, settings, pdfPath);

        QCOMPARE(m_log.lines(), QStringList());
        const QJsonObject message = parsed(QDir(server.outDir()).filePath("message-1.eml"));
        QCOMPARE(message["defects"].toArray(), QJsonArray());
        QVERIFY2(message["max_line_length"].toInt() <= 78,
                 qPrintable(QString::number(message["max_line_length"].toInt())));
        QCOMPARE(message["bare_lf"].toBool(), false);
        QCOMPARE(message["content_type"].toString(), QString("multipart/mixed"));
        QCOMPARE(message["subject"].toString(), subject);
        QCOMPARE(message["from_name"].toString(), companyName);
        QCOMPARE(message["from_address"].toString(), QString("postmaster@taxi.nl"));
        QCOMPARE(message["to"].toArray(), (QJsonArray{"jan@taxi.nl", "b@taxi.nl"}));
        QCOMPARE(message["x_mailer"].toString(), QString("Zelvan"));
        QVERIFY(message["has_date"].toBool());
        QVERIFY(message["message_id"].toString().endsWith("@taxi.nl>"));

        const QJsonArray parts = message["parts"].toArray();
        QCOMPARE(parts.size(), pdfName.isEmpty() ? 1 : 2);
        const QJsonObject html = parts.at(0).toObject();
        QCOMPARE(html["content_type"].toString(), QString("text/html"));
        QCOMPARE(html["charset"].toString(), QString("utf-8"));
        QCOMPARE(QJsonValue(html["lines"]).toVariant().toStringList(), mail.letter + QStringList{""});
        if (pdfName.isEmpty())
            return;
        const QJsonObject attachment = parts.at(1).toObject();
        QCOMPARE(attachment["content_type"].toString(), QString("application/pdf"));
        QCOMPARE(attachment["disposition"].toString(), QString("attachment"));
        QCOMPARE(attachment["filename"].toString(), pdfName);
        QCOMPARE(attachment["sha256"].toString(),
                 QString(QCryptographicHash::hash(pdf, QCryptographicHash::Sha256).toHex()));
    }

    void exchangeWithScriptedServer_data() {
        QTest::addColumn<QStringList>("serverArgs");
        QTest::addColumn<bool>("tls");
        QTest::addColumn<int>("timeoutMs");
        QTest::addColumn<QString>("expectedLog"); // empty: delivered without a log line
        QTest::addColumn<QByteArray>("expectedVerbs");

        QTest::newRow("EHLO refused: HELO instead")
            << QStringList{"--reply", "EHLO=502 5.5.2 Error: command not recognized"} << false << kTimeoutMs
            << "" << QByteArray("EHLO HELO MAIL RCPT DATA QUIT");
        QTest::newRow("TLS handshake fails")
            << QStringList{"--reply", "STARTTLS=220 Go ahead"} << true << kTimeoutMs
            << "TLS-handshake mislukt: *" << QByteArray("EHLO STARTTLS");
        QTest::newRow("STARTTLS refused")
            << QStringList{"--reply", "STARTTLS=454 4.7.0 TLS not available"} << true << kTimeoutMs
            << "454 4.7.0 TLS not available" << QByteArray("EHLO STARTTLS");
        QTest::newRow("plain delivery, replies in pieces") << QStringList{"--trickle"} << false << kTimeoutMs
                                                           << "" << QByteArray("EHLO MAIL RCPT DATA QUIT");
        QTest::newRow("silent server: time-out")
            << QStringList{"--silent"} << false << 200
            << "Time-out bij wachten op antwoord van de SMTP-server" << QByteArray();
        QTest::newRow("hangs up at QUIT after accepting the message")
            << QStringList{"--hang-up-at", "QUIT"} << false << kTimeoutMs << "" << QByteArray("EHLO MAIL RCPT DATA QUIT");
        QTest::newRow("data refused") << QStringList{"--reply", "DATA=554 5.7.1 Spam"} << false << kTimeoutMs
                                      << "554 5.7.1 Spam" << QByteArray("EHLO MAIL RCPT DATA");
    }

    void exchangeWithScriptedServer() {
        QFETCH(QStringList, serverArgs);
        QFETCH(bool, tls);
        QFETCH(int, timeoutMs);
        QFETCH(QString, expectedLog);
        QFETCH(QByteArray, expectedVerbs);

        PythonServer server("scripted_smtp_server.py", serverArgs);
        QVERIFY(server.port() > 0);

        SmtpTransmission(m_log, m_clock, timeoutMs)
            .send(reportMail("a@taxi.nl"), company(server.port(), tls, false), QString());

        if (expectedLog.endsWith('*')) {
            QCOMPARE(m_log.lines().size(), 1);
            QVERIFY2(m_log.lines().first().startsWith("09:05" + expectedLog.chopped(1)),
                     qPrintable(m_log.lines().first()));
        } else {
            QCOMPARE(m_log.lines(),
                     expectedLog.isEmpty() ? QStringList() : QStringList{"09:05" + expectedLog});
        }
        QCOMPARE(commandVerbs(server.file("transcript.txt")), expectedVerbs);
        QCOMPARE(server.hasFile("message-1.eml"), expectedLog.isEmpty());
    }

    void unreachableServerIsLogged_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("expectedLog");
        QTest::newRow("closed port") << "127.0.0.1" << closedPort() << "Connection refused";
        QTest::newRow("no server set") << "" << 25 << "Host not found";
        QTest::newRow("port out of range") << "127.0.0.1" << 70000 << "Ongeldige SMTP-poort: 70000";
    }
    void unreachableServerIsLogged() {
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, expectedLog);
        CompanySettings settings = company(port, false, false);
        settings.SmtpServer = host;
        SmtpTransmission(m_log, m_clock, kTimeoutMs).send(reportMail("a@taxi.nl"), settings, QString());
        QCOMPARE(m_log.lines(), QStringList{"09:05" + expectedLog});
    }

    void unusableAddressFailsBeforeTheExchange() {
        PythonServer server("scripted_smtp_server.py", {});
        QVERIFY(server.port() > 0);
        QVERIFY_THROWS_EXCEPTION(AppError, SmtpTransmission(m_log, m_clock, kTimeoutMs)
                                               .send(reportMail("a@taxi.nl\r\nRSET"),
                                                     company(server.port(), false, false), QString()));
        QVERIFY(m_log.lines().isEmpty());
        QVERIFY(server.file("transcript.txt").isEmpty());
    }
};

QTEST_MAIN(SmtpTransmissionTest)
#include "SmtpTransmissionTest.moc"
