#include "db/TransactionLog.h"
#include "DbFixture.h"
#include "FakeClock.h"
#include "app/ActivityLog.h"
#include "db/MainConnection.h"

#include <QPlainTextEdit>
#include <QTest>

class TransactionLogTest : public QObject {
    Q_OBJECT

private slots:
    void statement_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<QString>("remark");
        QTest::addColumn<QString>("values");
        QTest::newRow("plain") << 10 << "abc"
                               << "(1,10,20,30,40,50,'abc')";
        QTest::newRow("negative") << -5 << "abc"
                                  << "(1,-5,20,30,40,50,'abc')";
        QTest::newRow("empty remark") << 10 << ""
                                      << "(1,10,20,30,40,50,'')";
        QTest::newRow("quote doubled") << 10 << "it's"
                                       << "(1,10,20,30,40,50,'it''s')";
    }
    void statement() {
        QFETCH(int, first);
        QFETCH(QString, remark);
        QFETCH(QString, values);
        QCOMPARE(TransactionLog::statement(1, first, 20, 30, 40, 50, remark),
                 QStringLiteral("INSERT INTO TRANSACTIES (tra_gebruiker, tra_ritstaat, tra_rit, tra_wagen, "
                                "tra_chauffeur, tra_code, tra_opmerking) VALUES  ") +
                     values);
    }

    void writesTheRowStampedWithTheUserNumber() {
        DbFixture fixture;
        MainConnection connection([&] { return fixture.settings(); }, fixture.folder());
        QPlainTextEdit memo;
        FakeClock clock;
        ActivityLog log(memo, clock);
        int gebruiker = 7;
        TransactionLog transactions(connection, log, [&] { return gebruiker; });
        transactions.LogTransactie(10, -20, 30, 40, 50, QStringLiteral("it's; -- klaar"));
        gebruiker = 8;
        transactions.LogTransactie(1, 2, 3, 4, 5, QString());
        QVERIFY(log.lines().isEmpty());
        QCOMPARE(fixture.sqlite(QStringLiteral(
                     "select tra_gebruiker, tra_ritstaat, tra_rit, tra_wagen, "
                     "tra_chauffeur, tra_code, tra_opmerking from TRANSACTIES order by tra_id")),
                 QStringLiteral("7|10|-20|30|40|50|it's; -- klaar\n8|1|2|3|4|5|"));
    }

    void unreachableDatabaseGivesOneLogLine() {
        DbFixture fixture;
        DatabaseSettings edits = fixture.settings();
        edits.server = QStringLiteral("sqlite:ontbreekt.db");
        MainConnection connection([&] { return edits; }, fixture.folder());
        QPlainTextEdit memo;
        FakeClock clock;
        ActivityLog log(memo, clock);
        TransactionLog transactions(connection, log, [] { return 1; });
        transactions.LogTransactie(10, 20, 30, 40, 50, QStringLiteral("abc"));
        QCOMPARE(log.lines().size(), 1);
        QVERIFY2(log.lines().first().startsWith(QStringLiteral("09:05 - unable to open database file")),
                 qPrintable(log.lines().first()));
    }
};

QTEST_MAIN(TransactionLogTest)
#include "TransactionLogTest.moc"
