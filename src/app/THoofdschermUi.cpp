#include "app/THoofdschermUi.h"

#include "app/Artwork.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr int kClientWidth = 700;
constexpr int kClientHeight = 410;
constexpr int kBottomBarHeight = 60;
constexpr int kEditLeft = 183;
constexpr int kRowHeight = 30;

QFont pixelFont(const QString& family, int pixels, bool bold = false) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Hints are kept with their controls but not shown: tooltips are off for the window, save one.
template <typename Widget> Widget* named(Widget* widget, const char* name, const char* hint = nullptr) {
    widget->setObjectName(QString::fromLatin1(name));
    if (hint)
        widget->setProperty("hint", QString::fromUtf8(hint));
    return widget;
}

QLabel* label(QWidget* parent, const QString& text, int x, int y, const QFont& font) {
    auto* result = new QLabel(text, parent);
    result->setFont(font);
    result->move(x, y);
    result->adjustSize();
    return result;
}

QLineEdit* edit(QWidget* parent, int x, int y, int width) {
    auto* result = new QLineEdit(parent);
    result->setGeometry(x, y, width, 21);
    return result;
}
} // namespace

void THoofdschermUi::setupUi(QWidget* window) {
    window->setObjectName(QStringLiteral("Hoofdscherm"));
    window->setWindowTitle(QStringLiteral("Viruv Zelvan Transparantie"));
    window->setFont(pixelFont(QStringLiteral("Arial"), 13));
    window->setFixedSize(kClientWidth, kClientHeight);

    RzPageControl1 = named(new QTabWidget(window), "RzPageControl1");
    RzPageControl1->setGeometry(0, 0, kClientWidth, kClientHeight - kBottomBarHeight);
    RzPageControl1->setTabPosition(QTabWidget::South);
    RzPageControl1->setTabShape(QTabWidget::Triangular);
    RzPageControl1->setStyleSheet(QStringLiteral("QTabWidget::pane { background: white; }"));
    RzPageControl1->tabBar()->setFocusPolicy(Qt::NoFocus);
    RzPageControl1->setFocusPolicy(Qt::NoFocus);
    RzPageControl1->addTab(setupInstellingen(), QStringLiteral("Instellingen"));
    RzPageControl1->addTab(setupLogboek(), QStringLiteral("Logboek"));
    RzPageControl1->addTab(setupSms(), QStringLiteral("SMS"));
    RzPageControl1->addTab(setupInterval(), QStringLiteral("Interval"));
    RzPageControl1->addTab(setupUpdate(), QStringLiteral("Update"));
    RzPageControl1->setCurrentIndex(0);

    setupBottomBar(window);
}

void THoofdschermUi::setupBottomBar(QWidget* window) {
    auto* bar = new QWidget(window);
    bar->setGeometry(0, kClientHeight - kBottomBarHeight, kClientWidth, kBottomBarHeight);
    const QFont font = pixelFont(QStringLiteral("Arial"), 12);
    const int top = (kBottomBarHeight - 43) / 2;
    Button4 = named(new QPushButton(QStringLiteral("VERBERGEN NAAR TAAKBALK"), bar), "Button4");
    Button4->setGeometry(17, top, 304, 43);
    Button4->setFont(font);
    Button5 = named(new QPushButton(QStringLiteral("SLUITEN"), bar), "Button5");
    Button5->setGeometry(389, top, 288, 43);
    Button5->setFont(font);
}

QWidget* THoofdschermUi::setupInstellingen() {
    auto* tab = named(new QWidget, "Instellingen");
    const QFont labelFont = pixelFont(QStringLiteral("Tahoma"), 13, true);
    const QStringList captions{QStringLiteral("SQL server"),       QStringLiteral("Database"),
                               QStringLiteral("Inlognaam"),        QStringLiteral("Paswoord"),
                               QStringLiteral("Gebruikersnummer"), QStringLiteral("ODBC")};
    for (int row = 0; row < captions.size(); ++row)
        label(tab, captions[row], 16, 18 + row * kRowHeight, labelFont);

    xLoginServer = named(edit(tab, kEditLeft, 16, 354), "xLoginServer", "Locatie SQL database");
    xLoginDatabase = named(edit(tab, kEditLeft, 16 + kRowHeight, 258), "xLoginDatabase",
                           "Databasenaam Viruv Zelvan database");
    Button3 = named(new QPushButton(QStringLiteral("TEST"), tab), "Button3", "Test database verbinding");
    Button3->setGeometry(kEditLeft + 258 + 8, 14 + kRowHeight, 75, 25);
    xLoginSQL = named(edit(tab, kEditLeft, 16 + 2 * kRowHeight, 258), "xLoginSQL", "Inlognaam SQL database");
    xPaswoordSQL =
        named(edit(tab, kEditLeft, 16 + 3 * kRowHeight, 258), "xPaswoordSQL", "Paswoord SQL database");
    xPaswoordSQL->setEchoMode(QLineEdit::Password);
    Gebruikersnummer = named(new QSpinBox(tab), "Gebruikersnummer", "Voer het gebruikersnummer in");
    Gebruikersnummer->setGeometry(kEditLeft, 16 + 4 * kRowHeight, 80, 21);
    Gebruikersnummer->setRange(0, 999);
    Gebruikersnummer->setSingleStep(1);
    Gebruikersnummer->setValue(1);
    xODBC = named(edit(tab, kEditLeft, 16 + 5 * kRowHeight, 258), "xODBC", "ODBC / DSN naam database");
    for (QLineEdit* box : {xLoginServer, xLoginDatabase, xLoginSQL, xPaswoordSQL, xODBC})
        box->setFocusPolicy(Qt::ClickFocus);

    VODO_Controle =
        named(new QCheckBox(QStringLiteral("Controle inschakelen en gebruik maken van de interval"), tab),
              "VODO_Controle");
    VODO_Controle->move(16, 250);
    chkVerwijderen =
        named(new QCheckBox(QStringLiteral("Na verzenden bestanden verwijderen"), tab), "chkVerwijderen");
    chkVerwijderen->move(16, 275);

    auto* picture = new QLabel(tab);
    picture->setPixmap(Artwork::databaseClock());
    picture->setGeometry(kClientWidth - 48 - 16, 8, 48, 48);
    return tab;
}

QWidget* THoofdschermUi::setupLogboek() {
    auto* tab = named(new QWidget, "LogboekPanel");
    Logboek = named(new QPlainTextEdit(tab), "Logboek");
    Logboek->setFont(pixelFont(QStringLiteral("Arial"), 11));
    Logboek->setLineWrapMode(QPlainTextEdit::NoWrap);
    Logboek->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Logboek->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Logboek);
    return tab;
}

QWidget* THoofdschermUi::setupSms() {
    auto* tab = named(new QWidget, "TabSheet3");
    const QFont labelFont = pixelFont(QStringLiteral("Arial"), 13);
    label(tab, QStringLiteral("Testbericht *"), 16, 26, labelFont);
    SMSTestbericht = named(edit(tab, 150, 24, 500), "SMSTestbericht", "Testbericht");
    SMSTestbericht->setText(QStringLiteral("ZELVAN TESTBERICHT"));
    label(tab, QStringLiteral("SMS nummer:"), 16, 62, labelFont);
    SMSTestnummer = named(edit(tab, 150, 60, 500), "SMSTestnummer", "Testnummer");
    SMSTestnummer->setText(QStringLiteral("+316"));
    Button2 = named(new QPushButton(QStringLiteral("TEST"), tab), "Button2", "Verzenden van het bericht");
    Button2->setGeometry(650 - 75, 96, 75, 25);
    return tab;
}

QWidget* THoofdschermUi::setupInterval() {
    auto* tab = named(new QWidget, "TabSheet1");
    label(tab, QStringLiteral("Transparantie"), 20, 20, pixelFont(QStringLiteral("Arial"), 13, true));
    TrackTransparantie = named(new QSlider(Qt::Horizontal, tab), "TrackTransparantie");
    TrackTransparantie->setGeometry(20, 45, 660, 40);
    TrackTransparantie->setRange(1, 60);
    TrackTransparantie->setValue(15);
    TrackTransparantie->setTickPosition(QSlider::TicksBelow);
    return tab;
}

QWidget* THoofdschermUi::setupUpdate() {
    auto* tab = named(new QWidget, "TabSheet4");
    auto* frame = new QFrame(tab);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setGeometry(20, 10, 660, 225);
    auto* logo = new QLabel(frame);
    logo->setPixmap(Artwork::logo());
    logo->setScaledContents(true);
    logo->setGeometry(660 - 201 - 12, 12, 201, 199);
    SpeedButton4 = named(new QPushButton(QStringLiteral("UPDATE CONTROLE"), tab), "SpeedButton4",
                         "Handmatig zoeken naar updates");
    SpeedButton4->setFlat(true);
    SpeedButton4->setGeometry(20, 245, 660, 65);
    return tab;
}
