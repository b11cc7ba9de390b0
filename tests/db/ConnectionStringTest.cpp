#include "db/ConnectionString.h"
#include "app/AppError.h"

#include <QTest>

class ConnectionStringTest : public QObject {
    Q_OBJECT

private slots:
    void buildsAndReadsBack_data() {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("built");
        QTest::addColumn<QString>("readPassword");
        QTest::addColumn<QString>("readLogin");
        QTest::addColumn<QString>("readServer");

        QTest::newRow("plain") << "srv\\SQLEXPRESS"
                               << "sa"
                               << "geheim"
                               << "Provider=SQLOLEDB.1;Password=geheim;Persist Security Info=True;User ID=sa;"
                                  "Initial Catalog=Zelvan;Data Source=srv\\SQLEXPRESS"
                               << "geheim"
                               << "sa"
                               << "srv\\SQLEXPRESS";
        // A ";" ends the password; the rest becomes a pair of its own, and the real User ID later wins.
        QTest::newRow("semicolon in password")
            << "srv,1433"
            << "sa"
            << "ab;User ID=root"
            << "Provider=SQLOLEDB.1;Password=ab;User ID=root;Persist Security Info=True;User ID=sa;"
               "Initial Catalog=Zelvan;Data Source=srv,1433"
            << "ab"
            << "sa"
            << "srv,1433";
        QTest::newRow("semicolon in login overrides server")
            << "srv"
            << "sa;Data Source=elders"
            << "x"
            << "Provider=SQLOLEDB.1;Password=x;Persist Security Info=True;User ID=sa;Data Source=elders;"
               "Initial Catalog=Zelvan;Data Source=srv"
            << "x"
            << "sa"
            << "srv";
        // Only the first "=" separates key and value.
        QTest::newRow("equals in password")
            << "srv"
            << "sa"
            << "a=b=="
            << "Provider=SQLOLEDB.1;Password=a=b==;Persist Security Info=True;User ID=sa;"
               "Initial Catalog=Zelvan;Data Source=srv"
            << "a=b=="
            << "sa"
            << "srv";
        QTest::newRow("empty server")
            << ""
            << "sa"
            << "x"
            << "Provider=SQLOLEDB.1;Password=x;Persist Security Info=True;User ID=sa;"
               "Initial Catalog=Zelvan;Data Source="
            << "x"
            << "sa"
            << "";
    }
    void buildsAndReadsBack() {
        QFETCH(QString, server);
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(QString, built);
        const QString text = ConnectionString::build(
            {server, QStringLiteral("Zelvan"), login, password, QStringLiteral("dsn")});
        QCOMPARE(text, built);
        const ConnectionString parsed(text);
        QTEST(parsed.value(QStringLiteral("password")), "readPassword");
        QTEST(parsed.value(QStringLiteral("User ID")), "readLogin");
        QTEST(parsed.value(QStringLiteral("Data Source")), "readServer");
        QCOMPARE(parsed.value(QStringLiteral("Initial Catalog")), QStringLiteral("Zelvan"));
    }

    // A password "ab;cd" leaves a part without "="; it is refused without echoing any of the password.
    void partWithoutEqualsIsRefused() {
        const QString text = ConnectionString::build({QStringLiteral("srv"),
                                                      QStringLiteral("Zelvan"),
                                                      QStringLiteral("sa"),
                                                      QStringLiteral("ab;geheimcd"),
                                                      {}});
        try {
            ConnectionString parsed(text);
            QFAIL("malformed string accepted");
        } catch (const AppError& error) {
            QVERIFY(error.message().contains(QStringLiteral("positie 33")));
            QVERIFY(!error.message().contains(QStringLiteral("geheim")));
        }
    }
};

QTEST_GUILESS_MAIN(ConnectionStringTest)
#include "ConnectionStringTest.moc"
