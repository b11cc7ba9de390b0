#include "db/ConnectionTest.h"
#include "DbFixture.h"
#include "FakeClock.h"
#include "RecordingDialogs.h"
#include "app/ActivityLog.h"
#include "app/AppError.h"
#include "db/MainConnection.h"

#include <QPlainTextEdit>
#include <QTest>
#include <memory>

class ConnectionTestTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_fixture = std::make_unique<DbFixture>();
        m_edits = m_fixture->settings();
        m_connection = std::make_unique<MainConnection>([this] { return m_edits; }, m_fixture->folder());
        m_log = std::make_unique<ActivityLog>(m_memo, m_clock);
        m_memo.setPlainText(QStringLiteral("oude regel"));
        m_dialogs.shown.clear();
    }

    void successShowsTheBoxAndCloses() {
        test().Button3Click();
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown.first().kind, QStringLiteral("information"));
        QCOMPARE(m_dialogs.shown.first().title, QStringLiteral("Database koppeling"));
        QCOMPARE(m_dialogs.shown.first().text,
                 QStringLiteral("Viruv Zelvan SQL werd database met succes geopend"));
        QVERIFY(!m_connection->connected());
        QCOMPARE(m_log->lines(), QStringList{QStringLiteral("oude regel")});
    }

    void failureReplacesTheLogWithTwoLines() {
        m_edits.server = QStringLiteral("sqlite:ontbreekt.db");
        test().Button3Click();
        QVERIFY(m_dialogs.shown.isEmpty());
        QVERIFY(!m_connection->connected());
        const QStringList lines = m_log->lines();
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(1).contains(QStringLiteral("unable to open database file")));
        QCOMPARE(lines.at(0), QStringLiteral("09:05 - ") + lines.at(1));
    }

    // An open connection is not tried again with the edits; the test closes it so the next use takes them.
    void alreadyOpenReportsSuccessWithoutReconnecting() {
        m_connection->open();
        m_edits.server = QStringLiteral("sqlite:ontbreekt.db");
        test().Button3Click();
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY(!m_connection->connected());
        QVERIFY_THROWS_EXCEPTION(AppError, m_connection->open());
    }

private:
    ConnectionTest test() { return ConnectionTest(*m_connection, m_dialogs, *m_log); }

    std::unique_ptr<DbFixture> m_fixture;
    DatabaseSettings m_edits;
    std::unique_ptr<MainConnection> m_connection;
    QPlainTextEdit m_memo;
    FakeClock m_clock;
    RecordingDialogs m_dialogs;
    std::unique_ptr<ActivityLog> m_log;
};

QTEST_MAIN(ConnectionTestTest)
#include "ConnectionTestTest.moc"
