// The program as a whole process: where it puts its files and how it ends.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {
QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kSettings =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Configuration><Hoofdscherm>"
    "<xODBC_Text>ZelvanDSN</xODBC_Text><Gebruikersnummer_Value>7</Gebruikersnummer_Value>"
    "</Hoofdscherm></Configuration>\n";
} // namespace

class ProgramProcessTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_programFolder;
    QProcess m_program;

    // Starts a copy of the program in its own folder, from another current directory, and waits until its
    // window has been created (the working folders exist then).
    void startCopy() {
        m_programFolder = m_dir->path() + QStringLiteral("/program/");
        const QString elsewhere = m_dir->path() + QStringLiteral("/elsewhere");
        QVERIFY(QDir().mkpath(m_programFolder) && QDir().mkpath(elsewhere));
        QVERIFY(
            QFile::copy(QStringLiteral(ZELVAN_EXECUTABLE), m_programFolder + QStringLiteral("ZelvanVODO")));
        QFile settings(m_programFolder + QStringLiteral("ZelvanVODO.xml"));
        QVERIFY(settings.open(QIODevice::WriteOnly) && settings.write(kSettings) > 0);
        settings.close();
        m_program.setWorkingDirectory(elsewhere);
        m_program.start(m_programFolder + QStringLiteral("ZelvanVODO"), {});
        QVERIFY(m_program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QDir(m_programFolder + QStringLiteral("TempDownloads")).exists(), 20000);
        QCOMPARE(QDir(elsewhere).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void cleanup() {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished();
        }
    }

    void terminationSavesTheSettings_data() {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void terminationSavesTheSettings() {
        QFETCH(int, signalNumber);
        startCopy();
        if (QTest::currentTestFailed())
            return;
        QVERIFY(m_program.processId() > 0);
        ::kill(pid_t(m_program.processId()), signalNumber);
        QVERIFY(m_program.waitForFinished(20000));
        QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_program.exitCode(), 0);
        const QByteArray written = readFile(m_programFolder + QStringLiteral("ZelvanVODO.xml"));
        QVERIFY2(written.contains("<FormVersion>0</FormVersion>"), written.constData());
        QVERIFY(written.contains("<xODBC_Text>ZelvanDSN</xODBC_Text>"));
        QVERIFY(written.contains("<Gebruikersnummer_Value>7</Gebruikersnummer_Value>"));
        QVERIFY(written.contains("<SMSTestbericht_Text>ZELVAN TESTBERICHT</SMSTestbericht_Text>"));
    }

    void aKilledProgramLeavesTheFileAsItWas() {
        startCopy();
        if (QTest::currentTestFailed())
            return;
        m_program.kill();
        QVERIFY(m_program.waitForFinished(20000));
        QCOMPARE(readFile(m_programFolder + QStringLiteral("ZelvanVODO.xml")), kSettings);
    }
};

QTEST_GUILESS_MAIN(ProgramProcessTest)
#include "ProgramProcessTest.moc"
