#include "app/THoofdscherm.h"
#include "DbFixture.h"
#include "FakeClock.h"
#include "RecordingDialogs.h"
#include "app/WorkingFolders.h"

#include <QCheckBox>
#include <QDir>
#include <QDomDocument>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray settingsFile(const QByteArray& elements) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Configuration><Hoofdscherm>" + elements +
           "</Hoofdscherm></Configuration>\n";
}

// The element names under Hoofdscherm with their texts, in file order.
QList<QPair<QString, QString>> storedElements(const QString& path) {
    QDomDocument document;
    if (!document.setContent(readFile(path)))
        return {};
    QList<QPair<QString, QString>> result;
    const QDomElement section = document.documentElement().firstChildElement(QStringLiteral("Hoofdscherm"));
    for (QDomElement e = section.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        result.append({e.tagName(), e.text()});
    return result;
}

// The control values in the order of the settings file.
QStringList controlValues(const THoofdschermUi& ui) {
    auto yesNo = [](const QCheckBox* box) {
        return box->isChecked() ? QStringLiteral("yes") : QStringLiteral("no");
    };
    return {ui.xLoginDatabase->text(),
            ui.xLoginServer->text(),
            ui.xLoginSQL->text(),
            ui.xPaswoordSQL->text(),
            yesNo(ui.VODO_Controle),
            ui.xODBC->text(),
            QString::number(ui.TrackTransparantie->value()),
            QString::number(ui.Gebruikersnummer->value()),
            ui.SMSTestnummer->text(),
            ui.SMSTestbericht->text(),
            yesNo(ui.chkVerwijderen)};
}

const QStringList kDesignTimeValues{"", "", "", "", "no", "", "15", "1", "+316", "ZELVAN TESTBERICHT", "no"};
} // namespace

class THoofdschermTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    FakeClock m_clock;
    RecordingDialogs m_dialogs;

    QString folder() const { return m_dir->path() + QLatin1Char('/'); }
    QString settingsPath() const { return folder() + QStringLiteral("ZelvanVODO.xml"); }
    std::unique_ptr<THoofdscherm> start() {
        return std::make_unique<THoofdscherm>(folder(), m_clock, m_dialogs);
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_dialogs.shown.clear();
    }

    void firstStartCreatesFoldersAndDesignTimeValues() {
        auto window = start();
        QStringList made;
        for (const QString& name : WorkingFolders::names())
            if (QDir(folder() + name).exists())
                made.append(name);
        QCOMPARE(made, WorkingFolders::names());
        QCOMPARE(QDir(folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 4);
        QCOMPARE(controlValues(window->ui()), kDesignTimeValues);
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("Viruv Zelvan Transparantie - v" ZELVAN_PROJECT_VERSION));
        QCOMPARE(window->trayIcon().toolTip(), window->windowTitle());
        QVERIFY(window->ui().Logboek->toPlainText().isEmpty());
        QVERIFY(!QFile::exists(settingsPath()));

        window.reset();
        const auto written = storedElements(settingsPath());
        QCOMPARE(written.size(), 12);
        QCOMPARE(written.first(), qMakePair(QStringLiteral("FormVersion"), QStringLiteral("0")));

        auto second = start();
        QVERIFY(second->ui().Logboek->toPlainText().isEmpty());
        QCOMPARE(controlValues(second->ui()), kDesignTimeValues);
    }

    void layoutAndNames() {
        auto window = start();
        QCOMPARE(window->size(), QSize(700, 410));
        const QTabWidget* tabs = window->ui().RzPageControl1;
        QCOMPARE(tabs->tabPosition(), QTabWidget::South);
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i)
            captions << tabs->tabText(i);
        QCOMPARE(captions, (QStringList{"Instellingen", "Logboek", "SMS", "Interval", "Update"}));
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(window->ui().Button4->text(), QStringLiteral("VERBERGEN NAAR TAAKBALK"));
        QCOMPARE(window->ui().Button5->text(), QStringLiteral("SLUITEN"));
        QCOMPARE(window->ui().xPaswoordSQL->echoMode(), QLineEdit::Password);
        QCOMPARE(window->ui().xLoginServer->toolTip(), QString());
        QCOMPARE(window->ui().xLoginServer->property("hint").toString(),
                 QStringLiteral("Locatie SQL database"));
        QStringList menu;
        for (const QAction* action : window->popupMenu().actions())
            menu << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(menu, (QStringList{"Update", "Details", "-", "Sluiten"}));
        QVERIFY(!window->ui().SpeedButton4->isEnabled());
        QCOMPARE(window->transparantiesTimer().interval(), 15000);
        QVERIFY(window->transparantiesTimer().isActive());
        window->TransparantiesTimer();
        QCOMPARE(window->windowTitle(), QStringLiteral("Viruv Zelvan Transparantie - v" ZELVAN_PROJECT_VERSION
                                                       " (14-03-2026 09:05)"));
        QCOMPARE(window->trayIcon().toolTip(), window->windowTitle());
    }

    void restoresStoredValues_data() {
        QTest::addColumn<QByteArray>("elements");
        QTest::addColumn<int>("position"); // index into the control values
        QTest::addColumn<QString>("expected");
        QTest::newRow("interval above range")
            << QByteArray("<TrackTransparantie_Position>90</TrackTransparantie_Position>") << 6 << "60";
        QTest::newRow("interval below range")
            << QByteArray("<TrackTransparantie_Position>0</TrackTransparantie_Position>") << 6 << "1";
        QTest::newRow("user number below range")
            << QByteArray("<Gebruikersnummer_Value>-5</Gebruikersnummer_Value>") << 7 << "0";
        QTest::newRow("letters in a number")
            << QByteArray("<TrackTransparantie_Position>2x</TrackTransparantie_Position>") << 6 << "15";
        QTest::newRow("Y is yes") << QByteArray("<VODO_Controle_Checked>Y</VODO_Controle_Checked>") << 4
                                  << "yes";
        QTest::newRow("yes in lower case")
            << QByteArray("<VODO_Controle_Checked>yes</VODO_Controle_Checked>") << 4 << "yes";
        QTest::newRow("TRUE") << QByteArray("<chkVerwijderen_Checked>TRUE</chkVerwijderen_Checked>") << 10
                              << "yes";
        QTest::newRow("unknown word")
            << QByteArray("<chkVerwijderen_Checked>misschien</chkVerwijderen_Checked>") << 10 << "no";
        QTest::newRow("escaped text")
            << QByteArray("<xLoginServer_Text>a&amp;b&lt;c;d</xLoginServer_Text>") << 1 << "a&b<c;d";
        QTest::newRow("empty text") << QByteArray("<SMSTestnummer_Text></SMSTestnummer_Text>") << 8 << "";
        QTest::newRow("negative FormVersion skips")
            << QByteArray("<FormVersion>-1</FormVersion><xODBC_Text>dsn</xODBC_Text>") << 5 << "";
    }

    void restoresStoredValues() {
        QFETCH(QByteArray, elements);
        QFETCH(int, position);
        QFETCH(QString, expected);
        writeFile(settingsPath(), settingsFile(elements));
        auto window = start();
        QStringList expectedValues = kDesignTimeValues;
        expectedValues[position] = expected;
        QCOMPARE(controlValues(window->ui()), expectedValues);
        QVERIFY(window->ui().Logboek->toPlainText().isEmpty());
    }

    void restoredIntervalUpdatesItsHint() {
        writeFile(settingsPath(),
                  settingsFile("<TrackTransparantie_Position>42</TrackTransparantie_Position>"));
        auto window = start();
        QCOMPARE(window->ui().TrackTransparantie->toolTip(), QStringLiteral("42 minuten"));
    }

    void closeSavesEveryValueAndTheNextStartShowsThem() {
        {
            auto window = start();
            const THoofdschermUi& ui = window->ui();
            ui.xLoginDatabase->setText(QStringLiteral("Zelvan"));
            ui.xLoginServer->setText(QStringLiteral("sql01\\ZELVAN"));
            ui.xLoginSQL->setText(QStringLiteral("sa"));
            ui.xPaswoordSQL->setText(QStringLiteral("p<a>s&s;w=rd"));
            ui.VODO_Controle->setChecked(true);
            ui.xODBC->setText(QStringLiteral("ZelvanDSN"));
            ui.TrackTransparantie->setValue(5);
            ui.Gebruikersnummer->setValue(12);
            ui.SMSTestnummer->setText(QStringLiteral("+31612345678"));
            ui.SMSTestbericht->setText(QStringLiteral("Tëst"));
            ui.chkVerwijderen->setChecked(true);
            ui.Button5->click();
            QVERIFY(!window->isVisible());
        }
        const auto written = storedElements(settingsPath());
        QStringList names;
        for (const auto& element : written)
            names << element.first;
        QCOMPARE(names, (QStringList{"FormVersion", "xLoginDatabase_Text", "xLoginServer_Text",
                                     "xLoginSQL_Text", "xPaswoordSQL_Text", "VODO_Controle_Checked",
                                     "xODBC_Text", "TrackTransparantie_Position", "Gebruikersnummer_Value",
                                     "SMSTestnummer_Text", "SMSTestbericht_Text", "chkVerwijderen_Checked"}));
        QCOMPARE(written[5].second, QStringLiteral("TRUE"));

        auto next = start();
        QCOMPARE(controlValues(next->ui()),
                 (QStringList{"Zelvan", "sql01\\ZELVAN", "sa", "p<a>s&s;w=rd", "yes", "ZelvanDSN", "5", "12",
                              "+31612345678", "Tëst", "yes"}));
        next->ui().VODO_Controle->setChecked(false);
        next->close();
        next.reset();
        QCOMPARE(storedElements(settingsPath())[5].second, QStringLiteral("FALSE"));
    }

    void hidingKeepsTheFileUntilAnOrderlyEnd() {
        const QByteArray before = settingsFile("<xODBC_Text>old</xODBC_Text>");
        writeFile(settingsPath(), before);
        auto window = start();
        window->show();
        window->ui().xODBC->setText(QStringLiteral("new"));
        window->ui().Button4->click();
        QTRY_VERIFY(!window->isVisible() || window->isMinimized());
        // A process killed now would leave exactly this file behind.
        QCOMPARE(readFile(settingsPath()), before);
        window.reset();
        QVERIFY(storedElements(settingsPath())
                    .contains(qMakePair(QStringLiteral("xODBC_Text"), QStringLiteral("new"))));
    }

    void testButtonUsesTheTypedSettings() {
        DbFixture database;
        THoofdscherm window(database.folder(), m_clock, m_dialogs);
        window.ui().xLoginServer->setText(QStringLiteral("sqlite:") + DbFixture::databaseName());
        window.ui().Button3->click();
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown.first().title, QStringLiteral("Database koppeling"));
        QVERIFY(!window.ado().connected());

        window.ui().xLoginServer->setText(QStringLiteral("sqlite:ontbreekt.db"));
        window.ui().Button3->click();
        QCOMPARE(m_dialogs.shown.size(), 1);
        const QStringList lines = window.ui().Logboek->toPlainText().split('\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("09:05 - ") + lines[1]);
    }

    void transactionsAreLoggedByNameWithTheUserNumber() {
        DbFixture database;
        THoofdscherm window(database.folder(), m_clock, m_dialogs);
        window.ui().xLoginServer->setText(QStringLiteral("sqlite:") + DbFixture::databaseName());
        window.ui().Gebruikersnummer->setValue(42);
        QVERIFY(QMetaObject::invokeMethod(&window, "LogTransactie", Q_ARG(int, 10), Q_ARG(int, 20),
                                          Q_ARG(int, 30), Q_ARG(int, 40), Q_ARG(int, 50),
                                          Q_ARG(QString, QStringLiteral("it's"))));
        QCOMPARE(database.sqlite(QStringLiteral("select tra_gebruiker, tra_ritstaat, tra_code, tra_opmerking "
                                                "from TRANSACTIES")),
                 QStringLiteral("42|10|50|it's"));

        QVERIFY(window.ado().connected());
        window.ui().Button5->click();
        QVERIFY(!window.ado().connected());
    }

    void unparseableFileIsLoggedOnceAndKept() {
        const QByteArray broken("<Configuration><Hoofdscherm><xODBC_Text>dsn</Hoofdscherm>");
        writeFile(settingsPath(), broken);
        auto window = start();
        const QStringList lines = window->ui().Logboek->toPlainText().split('\n');
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().startsWith(QStringLiteral("09:05 - ")), qPrintable(lines.first()));
        QCOMPARE(window->windowTitle(), QStringLiteral("Viruv Zelvan Transparantie"));
        QCOMPARE(window->trayIcon().toolTip(), QStringLiteral("Viruv Zelvan"));
        QCOMPARE(controlValues(window->ui()), kDesignTimeValues);
        window->ui().xODBC->setText(QStringLiteral("typed after the failure"));
        window->close();
        window.reset();
        QCOMPARE(storedElements(settingsPath()), (QList<QPair<QString, QString>>{{"FormVersion", "0"}}));
        QCOMPARE(readFile(settingsPath() + QStringLiteral(".onleesbaar")), broken);
        QVERIFY(m_dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(THoofdschermTest)
#include "THoofdschermTest.moc"
