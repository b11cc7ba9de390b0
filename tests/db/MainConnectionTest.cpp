#include "db/MainConnection.h"
#include "DbFixture.h"
#include "FakeClock.h"
#include "app/AppError.h"

#include <QFile>
#include <QHostAddress>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTest>

class MainConnectionTest : public QObject {
    Q_OBJECT

private:
    // The message of the failed open; fails the test when it opens.
    static QString openFailure(MainConnection& connection) {
        try {
            connection.open();
        } catch (const AppError& error) {
            return error.message();
        }
        return {};
    }

    static QString scalar(MainConnection& connection, const QString& sql) {
        QSqlQuery query = connection.execute(sql);
        return query.next() ? query.value(0).toString() : QString();
    }

private slots:
    void embeddedDatabaseRelativeToProgramFolderWithGetdate() {
        DbFixture fixture;
        FakeClock clock(QDateTime(QDate(2026, 3, 14), QTime(9, 5, 7)));
        MainConnection connection([&] { return fixture.settings(); }, fixture.folder(), &clock);
        QVERIFY(!connection.connected());
        QCOMPARE(scalar(connection, QStringLiteral("select getdate()")),
                 QStringLiteral("2026-03-14 09:05:07"));
        QVERIFY(connection.connected());
        QVERIFY(connection.connectionString().endsWith(QStringLiteral(";Data Source=sqlite:zelvan.db")));
    }

    // The connection stays open with the edits it was made with; a close lets the next use take new edits.
    void keepsConnectionUntilClosed() {
        DbFixture first;
        DbFixture second;
        first.sqlite(QStringLiteral("insert into email (ema_id) values (1)"));
        DatabaseSettings edits = first.settings();
        edits.server = QStringLiteral("sqlite:") + first.databasePath();
        MainConnection connection([&] { return edits; }, second.folder());
        const QString count = QStringLiteral("select count(*) from email");
        QCOMPARE(scalar(connection, count), QStringLiteral("1"));
        edits.server = QStringLiteral("sqlite:") + second.databasePath();
        QCOMPARE(scalar(connection, count), QStringLiteral("1"));
        connection.close();
        QVERIFY(!connection.connected());
        QCOMPARE(scalar(connection, count), QStringLiteral("0"));
    }

    void missingDatabaseFileFailsWithoutCreatingIt() {
        DbFixture fixture;
        DatabaseSettings edits = fixture.settings();
        edits.server = QStringLiteral("sqlite:ontbreekt.db");
        MainConnection connection([&] { return edits; }, fixture.folder());
        const QString message = openFailure(connection);
        QVERIFY2(message.contains(QStringLiteral("unable to open database file")), qPrintable(message));
        QVERIFY(!connection.connected());
        QVERIFY(!QFile::exists(fixture.folder() + QStringLiteral("ontbreekt.db")));
    }

    void sqlServerFailuresCarryTheDriversMessage_data() {
        QTest::addColumn<bool>("closedPort");
        QTest::addColumn<QString>("driverSays");
        QTest::newRow("closed loopback port") << true << "[FreeTDS][SQL Server]Unable to connect";
        QTest::newRow("empty server") << false << "[FreeTDS][SQL Server]Could not find Servername";
    }
    void sqlServerFailuresCarryTheDriversMessage() {
        QFETCH(bool, closedPort);
        DbFixture fixture; // its odbcinst.ini names the FreeTDS driver
        DatabaseSettings edits = fixture.settings();
        edits.server.clear();
        if (closedPort) {
            QTcpServer listener;
            QVERIFY(listener.listen(QHostAddress::LocalHost));
            edits.server = QStringLiteral("127.0.0.1,%1").arg(listener.serverPort());
        }
        MainConnection connection([&] { return edits; }, fixture.folder());
        const QString message = openFailure(connection);
        QFETCH(QString, driverSays);
        QVERIFY2(message.startsWith(driverSays), qPrintable(message));
        QVERIFY(!connection.connected());
    }
};

QTEST_GUILESS_MAIN(MainConnectionTest)
#include "MainConnectionTest.moc"
