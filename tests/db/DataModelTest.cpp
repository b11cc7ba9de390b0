#include "db/DataModel.h"
#include "DbFixture.h"
#include "FakeClock.h"
#include "app/AppError.h"
#include "db/MainConnection.h"

#include <QProcess>
#include <QSet>
#include <QTest>
#include <memory>

namespace {
const QDateTime Now(QDate(2026, 3, 14), QTime(9, 5, 7));

QSet<int> ids(DataQuery& query, const QString& field) {
    QSet<int> found;
    for (query.first(); !query.eof(); query.next())
        found.insert(query.integer(field));
    return found;
}
} // namespace

class DataModelTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_fixture = std::make_unique<DbFixture>();
        m_clock.set(Now);
        m_connection = std::make_unique<MainConnection>([this] { return m_fixture->settings(); },
                                                        m_fixture->folder(), &m_clock);
        m_model = std::make_unique<DataModel>(*m_connection);
    }
    void cleanup() {
        m_model.reset();
        m_connection.reset();
    }

    // Due means: company 1, active exactly 1, next run not later than the database's clock (to the second).
    void selectsTheDueSubscriptionsOfTheCompany() {
        m_fixture->sqlite(QStringLiteral(
            "insert into Transparantie (tra_id, tra_bdr_id, tra_actief, tra_volgende_rapport) values"
            " (1, 1, 1, '2026-03-14 09:05:07'), (2, 1, 1, '2026-03-14 09:05:08'), (3, 2, 1, '2026-01-01 "
            "00:00:00'),"
            " (4, 1, 0, '2026-01-01 00:00:00'), (5, 1, 2, '2026-01-01 00:00:00'), (6, 1, 1, '2026-03-07 "
            "22:00:00')"));
        DataQuery& due = m_model->ADOTransparanties;
        due.setParameter(QStringLiteral("Bedrijf"), 1);
        due.open();
        QCOMPARE(due.recordCount(), 2);
        QCOMPARE(ids(due, QStringLiteral("tra_id")), (QSet<int>{1, 6}));
    }

    void detailTakesTheMastersCurrentSubscription() {
        m_fixture->sqlite(
            QStringLiteral("insert into Transparantie (tra_id, tra_bdr_id) values (7, 1), (8, 1), (9, 1);"
                           "insert into BEDRIJVEN (bdr_id, bdr_bedrijfsnaam) values (1, 'Taxi Zelvan');"
                           "insert into TransparantieParams (trp_tra_id, trp_param, trp_waarde) values"
                           " (7, 'Bedrijf', '1'), (7, 'Vanaf', '01-03-2026'), (8, 'Bedrijf', '2')"));
        // ADOBedrijf is open, but has no column "Basis": the caller's value stays.
        m_model->ADOBedrijf.setParameter(QStringLiteral("Bedrijf"), 1);
        m_model->ADOBedrijf.open();
        DataQuery& subscription = m_model->ADOTransparantie;
        DataQuery& parameters = m_model->ADOParameters;
        const auto paramsOf = [&](int traId) {
            subscription.close();
            subscription.setParameter(QStringLiteral("Basis"), traId);
            subscription.open();
            parameters.close();
            parameters.open();
            QStringList names;
            for (parameters.first(); !parameters.eof(); parameters.next())
                names.append(parameters.text(QStringLiteral("trp_param")) + QLatin1Char('=') +
                             parameters.text(QStringLiteral("trp_waarde")));
            names.sort();
            return names;
        };
        QCOMPARE(paramsOf(7), (QStringList{"Bedrijf=1", "Vanaf=01-03-2026"}));
        QCOMPARE(subscription.integer(QStringLiteral("tra_id")), 7);
        QCOMPARE(paramsOf(8), QStringList{"Bedrijf=2"});
        QCOMPARE(paramsOf(9), QStringList());
        // No subscription row: the detail binds a null and finds nothing.
        QCOMPARE(paramsOf(99), QStringList());
    }

    void postedRowIsReadByAFreshQuery() {
        m_fixture->sqlite(
            QStringLiteral("insert into Transparantie (tra_id, tra_bdr_id, tra_actief, tra_volgende_rapport)"
                           " values (5, 1, 1, '2026-03-01 07:30:00'), (6, 1, 1, '2026-03-01 07:30:00')"));
        DataQuery& due = m_model->ADOTransparanties;
        due.setParameter(QStringLiteral("Bedrijf"), 1);
        due.open();
        while (due.integer(QStringLiteral("tra_id")) != 5)
            due.next();
        const QDateTime next(QDate(2026, 3, 21), QTime(7, 30));
        due.edit();
        due.setField(QStringLiteral("tra_volgende_rapport"), next);
        due.setField(QStringLiteral("tra_actief"), 0);
        due.post();
        QCOMPARE(due.dateTime(QStringLiteral("tra_volgende_rapport")), next);

        DataQuery& fresh = m_model->ADOTransparantie;
        fresh.setParameter(QStringLiteral("Basis"), 5);
        fresh.open();
        QCOMPARE(fresh.dateTime(QStringLiteral("tra_volgende_rapport")), next);
        QCOMPARE(fresh.integer(QStringLiteral("tra_actief")), 0);
        QCOMPARE(m_fixture->sqlite(QStringLiteral("select tra_volgende_rapport, tra_actief from Transparantie"
                                                  " order by tra_id")),
                 QStringLiteral("2026-03-21 07:30:00|0\n2026-03-01 07:30:00|1"));
        due.close();
        due.open();
        QCOMPARE(ids(due, QStringLiteral("tra_id")), QSet<int>{6});
    }

    void nullsAndMissingRowsReadEmpty() {
        m_fixture->sqlite(QStringLiteral("insert into Transparantie (tra_id) values (3)"));
        DataQuery& subscription = m_model->ADOTransparantie;
        subscription.setParameter(QStringLiteral("Basis"), 3);
        subscription.open();
        QCOMPARE(subscription.text(QStringLiteral("tra_locatie_pdf")), QString());
        QCOMPARE(subscription.integer(QStringLiteral("tra_dagen")), 0);
        QVERIFY(!subscription.dateTime(QStringLiteral("tra_laatste_rapport")).isValid());
        DataQuery& company = m_model->ADOBedrijf;
        company.setParameter(QStringLiteral("Bedrijf"), 1);
        company.open();
        QVERIFY(company.eof());
        QCOMPARE(company.text(QStringLiteral("bdr_smtp_server")), QString());
        QCOMPARE(company.integer(QStringLiteral("bdr_smtp_web_poort")), 0);
    }

    // A replaced text runs as it stands; the declared columns still hold.
    void replacedTextRunsUnchanged() {
        m_fixture->sqlite(
            QStringLiteral("insert into email values (1, 'Maand', 'Beste klant'), (2, 'Jaar', 'Hallo');"
                           "insert into constanten (con_bdr_id, con_sms_server) values (1, 'sms.example')"));
        DataQuery& email = m_model->ADOEmail;
        email.setSql(QStringLiteral("select ema_omschrijving, ema_tekst from email where ema_id=2"));
        email.open();
        QCOMPARE(email.recordCount(), 1);
        QCOMPARE(email.text(QStringLiteral("ema_tekst")), QStringLiteral("Hallo"));
        DataQuery& constants = m_model->ADOConstanten;
        constants.open();
        QVERIFY(constants.eof());
        constants.setSql(QStringLiteral("select * from constanten where con_bdr_id=1"));
        constants.open();
        QCOMPARE(constants.text(QStringLiteral("con_sms_server")), QStringLiteral("sms.example"));
    }

    void declaredColumnsAreChecked_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing column") << "alter table Transparantie drop column tra_naam_2" << QString()
                                        << "ADOTransparantie: Field 'tra_naam_2' not found";
        QTest::newRow("wrong type")
            << QString() << "select ema_id as ema_omschrijving, ema_tekst from email"
            << "ADOTransparantie: Type mismatch for field 'ema_omschrijving', expecting: "
               "String actual: Integer";
        QTest::newRow("unreadable date")
            << "update Transparantie set tra_startdatum='morgen'" << QString()
            << "ADOTransparantie: 'morgen' is not a valid date and time in field "
               "'tra_startdatum'";
    }
    void declaredColumnsAreChecked() {
        QFETCH(QString, damage);
        QFETCH(QString, sql);
        QFETCH(QString, message);
        m_fixture->sqlite(QStringLiteral(
            "insert into Transparantie (tra_id) values (1); insert into email (ema_id) values (1)"));
        if (!damage.isEmpty())
            m_fixture->sqlite(damage);
        DataQuery& query = sql.isEmpty() ? m_model->ADOTransparantie : m_model->ADOEmail;
        if (sql.isEmpty())
            query.setParameter(QStringLiteral("Basis"), 1);
        else
            query.setSql(sql);
        message.replace(QStringLiteral("ADOTransparantie"), query.name());
        try {
            query.open();
            QFAIL("opened");
        } catch (const AppError& error) {
            QCOMPARE(error.message(), message);
        }
        QVERIFY(!query.active());
    }

    // The demo script's database opens every query and has due rows whenever it is made.
    void demoDatabaseServesEveryQuery() {
        const QString demo = m_fixture->folder() + QStringLiteral("demo/zelvan.db");
        QProcess script;
        script.start(DbFixture::sourceDir() + QStringLiteral("/scripts/make-demo-db"), {demo});
        QVERIFY(script.waitForFinished(-1));
        QCOMPARE(script.exitCode(), 0);
        MainConnection connection(
            [&] {
                DatabaseSettings edits = m_fixture->settings();
                edits.server = QStringLiteral("sqlite:demo/zelvan.db");
                return edits;
            },
            m_fixture->folder());
        DataModel model(connection);
        model.ADOBedrijf.setParameter(QStringLiteral("Bedrijf"), 1);
        model.ADOBedrijf.open();
        QCOMPARE(model.ADOBedrijf.integer(QStringLiteral("bdr_smtp_web_poort")), 2525);
        model.ADOTransparanties.setParameter(QStringLiteral("Bedrijf"), 1);
        model.ADOTransparanties.open();
        QCOMPARE(ids(model.ADOTransparanties, QStringLiteral("tra_id")), (QSet<int>{1, 2, 3, 4, 8}));
        model.ADOTransparantie.setParameter(QStringLiteral("Basis"), 1);
        model.ADOTransparantie.open();
        model.ADOParameters.open();
        QCOMPARE(model.ADOParameters.recordCount(), 3);
        model.ADOConstanten.setSql(QStringLiteral("select * from constanten where con_bdr_id=1"));
        model.ADOConstanten.open();
        QCOMPARE(model.ADOConstanten.integer(QStringLiteral("con_sms_gateway")), 1);
        model.ADOEmail.setSql(QStringLiteral("select ema_omschrijving, ema_tekst from email where ema_id=1"));
        model.ADOEmail.open();
        QVERIFY(model.ADOEmail.text(QStringLiteral("ema_tekst"))
                    .startsWith(QStringLiteral("Beste relatie,\r\n")));
    }

private:
    std::unique_ptr<DbFixture> m_fixture;
    FakeClock m_clock;
    std::unique_ptr<MainConnection> m_connection;
    std::unique_ptr<DataModel> m_model;
};

QTEST_GUILESS_MAIN(DataModelTest)
#include "DataModelTest.moc"
