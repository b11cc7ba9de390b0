#include "db/DataModel.h"
#include "db/MainConnection.h"
#include "mail/StoredLetter.h"
#include "app/AppError.h"
#include "DbFixture.h"

#include <QtTest>

Q_DECLARE_METATYPE(std::optional<QString>)

class StoredLetterTest : public QObject {
    Q_OBJECT

private slots:
    void choosesTheLetterSource_data() {
        QTest::addColumn<int>("templateId");
        QTest::addColumn<std::optional<QString>>("expected");
        QTest::newRow("stored letter") << 3 << std::optional<QString>("<p>Beste lezer,</p>\r\n<p>Tot ziens</p>");
        QTest::newRow("empty stored text") << 4 << std::optional<QString>("");
        QTest::newRow("id without a row") << 99 << std::optional<QString>();
        QTest::newRow("id 0") << 0 << std::optional<QString>();
        QTest::newRow("negative id") << -3 << std::optional<QString>();
    }

    void choosesTheLetterSource() {
        QFETCH(int, templateId);
        QFETCH(std::optional<QString>, expected);
        DbFixture database;
        database.sqlite(QStringLiteral("insert into email (ema_id, ema_omschrijving, ema_tekst) values "
                                       "(3, 'Maand', '<p>Beste lezer,</p>' || char(13, 10) || '<p>Tot ziens</p>'), "
                                       "(4, 'Leeg', '')"));
        MainConnection connection([&] { return database.settings(); }, database.folder());
        DataModel data(connection);
        QCOMPARE(readStoredLetter(data.ADOEmail, templateId), expected);
        QVERIFY(!data.ADOEmail.active());
    }

    void aDatabaseFailureReachesTheCaller() {
        DbFixture database;
        database.sqlite(QStringLiteral("drop table email"));
        MainConnection connection([&] { return database.settings(); }, database.folder());
        DataModel data(connection);
        QVERIFY_THROWS_EXCEPTION(AppError, readStoredLetter(data.ADOEmail, 1));
    }
};

QTEST_MAIN(StoredLetterTest)
#include "StoredLetterTest.moc"
