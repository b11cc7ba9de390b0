#include "db/ReportConnection.h"
#include "DbFixture.h"
#include "app/AppError.h"

#include <QSqlQuery>
#include <QTest>

class ReportConnectionTest : public QObject {
    Q_OBJECT

private slots:
    void buildsTheSeventeenParameterLines() {
        DatabaseSettings edits{QStringLiteral("ignored"), QStringLiteral("Zelvan"), QStringLiteral("sa"),
                               QStringLiteral("ge=heim"), QStringLiteral("ZelvanSQL")};
        ReportConnection connection([&] { return edits; });
        connection.RapportDatabaseBeforeConnect();
        const QStringList expected{"USER NAME=sa",         "ODBC DSN=ZelvanSQL",
                                   "DATABASE NAME=Zelvan", "OPEN MODE=READ/WRITE",
                                   "SCHEMA CACHE SIZE=8",  "SQLQRYMODE=",
                                   "LANGDRIVER=",          "SQLPASSTHRU MODE=SHARED AUTOCOMMIT",
                                   "SCHEMA CACHE TIME=-1", "MAX ROWS=-1",
                                   "BATCH COUNT=200",      "ENABLE SCHEMA CACHE=FALSE",
                                   "SCHEMA CACHE DIR=",    "ENABLE BCD=FALSE",
                                   "ROWSET SIZE=20",       "BLOBS TO CACHE=64",
                                   "PASSWORD=ge=heim"};
        QCOMPARE(connection.params(), expected);
        // Rebuilt, not appended to, at every connect.
        edits.login = QStringLiteral("rapport");
        connection.RapportDatabaseBeforeConnect();
        QCOMPARE(connection.params().size(), 17);
        QCOMPARE(connection.params().first(), QStringLiteral("USER NAME=rapport"));
    }

    // The server edit plays no part: the data source names the database.
    void opensTheDataSourceAndReadsATable() {
        DbFixture fixture;
        fixture.sqlite(
            QStringLiteral("insert into BEDRIJVEN (bdr_id, bdr_bedrijfsnaam) values (1, 'Taxi Zelvan')"));
        DatabaseSettings edits = fixture.settings();
        edits.server = QStringLiteral("nergens");
        edits.database = fixture.databasePath();
        ReportConnection connection([&] { return edits; });
        connection.open();
        QVERIFY(connection.connected());
        {
            QSqlQuery query(connection.database());
            QVERIFY(query.exec(QStringLiteral("select bdr_bedrijfsnaam from BEDRIJVEN where bdr_id=1")));
            QVERIFY(query.next());
            QCOMPARE(query.value(0).toString(), QStringLiteral("Taxi Zelvan"));
        }
        connection.close();
        QVERIFY(!connection.connected());
    }

    void unknownDataSourceFailsWithTheDriverManagersMessage() {
        DbFixture fixture;
        DatabaseSettings edits = fixture.settings();
        edits.odbcDsn = QStringLiteral("BestaatNiet");
        ReportConnection connection([&] { return edits; });
        try {
            connection.open();
            QFAIL("opened an unknown data source");
        } catch (const AppError& error) {
            QVERIFY2(error.message().contains(QStringLiteral("[unixODBC]")), qPrintable(error.message()));
        }
        QVERIFY(!connection.connected());
    }
};

QTEST_GUILESS_MAIN(ReportConnectionTest)
#include "ReportConnectionTest.moc"
