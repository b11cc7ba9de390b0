#include "app/THoofdscherm.h"

#include "app/Artwork.h"
#include "app/Clock.h"
#include "app/SettingsStore.h"
#include "app/VersionInfoReader.h"
#include "app/WorkingFolders.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {
const QString kCaption = QStringLiteral("Viruv Zelvan Transparantie");
constexpr int kFirstTickMs = 15000;

StoredProperty textProperty(const char* element, QLineEdit* box) {
    return {QString::fromLatin1(element),
            StoredProperty::Kind::Text,
            0,
            0,
            [box] { return QVariant(box->text()); },
            [box](const QVariant& value) { box->setText(value.toString()); }};
}

StoredProperty checkedProperty(const char* element, QCheckBox* box) {
    return {QString::fromLatin1(element),
            StoredProperty::Kind::YesNo,
            0,
            0,
            [box] { return QVariant(box->isChecked()); },
            [box](const QVariant& value) { box->setChecked(value.toBool()); }};
}

template <typename Control> StoredProperty integerProperty(const char* element, Control* control) {
    return {QString::fromLatin1(element),
            StoredProperty::Kind::Integer,
            control->minimum(),
            control->maximum(),
            [control] { return QVariant(control->value()); },
            [control](const QVariant& value) { control->setValue(value.toInt()); }};
}
} // namespace

THoofdscherm::THoofdscherm(QString programFolder, const Clock& clock, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_programFolder(std::move(programFolder)), m_clock(clock), m_log(setupUi(), clock),
      ADO([this] { return databaseSettings(); }, m_programFolder),
      RapportDatabase([this] { return databaseSettings(); }), m_data(ADO),
      m_transactionLog(ADO, m_log, [this] { return m_ui.Gebruikersnummer->value(); }),
      m_connectionTest(ADO, dialogs, m_log) {
    setWindowIcon(Artwork::applicationIcon());
    setupTray();
    Transparanties = new QTimer(this);
    Transparanties->setObjectName(QStringLiteral("Transparanties"));
    Transparanties->setInterval(kFirstTickMs);
    VersionInfoReader1 = new VersionInfoReader(this);
    VersionInfoReader1->setObjectName(QStringLiteral("VersionInfoReader1"));
    m_settings = std::make_unique<SettingsStore>(m_programFolder + QStringLiteral("ZelvanVODO.xml"),
                                                 QStringLiteral("Hoofdscherm"), storedProperties());
    connectHandlers();
    Transparanties->start();
    m_log.guard([this] { FormCreate(); });
}

QPlainTextEdit& THoofdscherm::setupUi() {
    m_ui.setupUi(this);
    return *m_ui.Logboek;
}

// Both connections are rebuilt from the edits as they read at every connect.
DatabaseSettings THoofdscherm::databaseSettings() const {
    return {m_ui.xLoginServer->text(), m_ui.xLoginDatabase->text(), m_ui.xLoginSQL->text(),
            m_ui.xPaswoordSQL->text(), m_ui.xODBC->text()};
}

THoofdscherm::~THoofdscherm() {
    m_settings->saveIfUnsaved();
    m_settings.reset();
}

void THoofdscherm::setupTray() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Update1 = PopupMenu1->addAction(QStringLiteral("Update"));
    Update1->setObjectName(QStringLiteral("Update1"));
    Details1 = PopupMenu1->addAction(QStringLiteral("Details"));
    Details1->setObjectName(QStringLiteral("Details1"));
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N1"));
    Sluirten1 = PopupMenu1->addAction(QStringLiteral("Sluiten"));
    Sluirten1->setObjectName(QStringLiteral("Sluirten1"));
    // The live update connects these; until then they are visible but cannot be used.
    Update1->setEnabled(false);
    m_ui.SpeedButton4->setEnabled(false);

    RzTrayIcon1 = new QSystemTrayIcon(Artwork::applicationIcon(), this);
    RzTrayIcon1->setObjectName(QStringLiteral("RzTrayIcon1"));
    RzTrayIcon1->setToolTip(QStringLiteral("Viruv Zelvan"));
    RzTrayIcon1->setContextMenu(PopupMenu1);
    RzTrayIcon1->show();
}

template <typename Sender, typename Signal>
void THoofdscherm::onSignal(Sender* sender, Signal signal, void (THoofdscherm::*handler)()) {
    connect(sender, signal, this, [this, handler] { m_log.guard([this, handler] { (this->*handler)(); }); });
}

void THoofdscherm::connectHandlers() {
    onSignal(m_ui.Button3, &QPushButton::clicked, &THoofdscherm::Button3Click);
    onSignal(m_ui.Button4, &QPushButton::clicked, &THoofdscherm::Button4Click);
    onSignal(m_ui.Button5, &QPushButton::clicked, &THoofdscherm::Button5Click);
    onSignal(Sluirten1, &QAction::triggered, &THoofdscherm::Sluirten1Click);
    onSignal(Details1, &QAction::triggered, &THoofdscherm::Details1Click);
    onSignal(m_ui.TrackTransparantie, &QSlider::valueChanged, &THoofdscherm::TrackTransparantieChange);
    onSignal(Transparanties, &QTimer::timeout, &THoofdscherm::TransparantiesTimer);
    connect(RzTrayIcon1, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            m_log.guard([this] { Details1Click(); });
    });
}

QList<StoredProperty> THoofdscherm::storedProperties() const {
    return {textProperty("xLoginDatabase_Text", m_ui.xLoginDatabase),
            textProperty("xLoginServer_Text", m_ui.xLoginServer),
            textProperty("xLoginSQL_Text", m_ui.xLoginSQL),
            textProperty("xPaswoordSQL_Text", m_ui.xPaswoordSQL),
            checkedProperty("VODO_Controle_Checked", m_ui.VODO_Controle),
            textProperty("xODBC_Text", m_ui.xODBC),
            integerProperty("TrackTransparantie_Position", m_ui.TrackTransparantie),
            integerProperty("Gebruikersnummer_Value", m_ui.Gebruikersnummer),
            textProperty("SMSTestnummer_Text", m_ui.SMSTestnummer),
            textProperty("SMSTestbericht_Text", m_ui.SMSTestbericht),
            checkedProperty("chkVerwijderen_Checked", m_ui.chkVerwijderen)};
}

void THoofdscherm::FormCreate() {
    WorkingFolders::create(m_programFolder);
    m_settings->restore();
    VersionInfoReader1->setFileName(QCoreApplication::applicationFilePath());
    VersionInfoReader1->ReadVersionInfo();
    m_version = VersionInfoReader1->value(QStringLiteral("InternalFileVersion"));
    setCaption(versionCaption());
}

QString THoofdscherm::versionCaption() const {
    return kCaption + QStringLiteral(" - v") + m_version;
}

void THoofdscherm::setCaption(const QString& caption) {
    setWindowTitle(caption);
    RzTrayIcon1->setToolTip(caption);
}

void THoofdscherm::Button3Click() {
    m_connectionTest.Button3Click();
}

void THoofdscherm::Button4Click() {
    m_settings->save();
    // Without a system tray a hidden window could never be brought back.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        hide();
    else
        showMinimized();
}

void THoofdscherm::Button5Click() {
    if (ADO.connected())
        ADO.close();
    close();
}

void THoofdscherm::Sluirten1Click() {
    Button5Click();
}

void THoofdscherm::Details1Click() {
    showNormal();
    raise();
    activateWindow();
}

void THoofdscherm::TrackTransparantieChange() {
    m_ui.TrackTransparantie->setToolTip(QString::number(m_ui.TrackTransparantie->value()) +
                                        QStringLiteral(" minuten"));
}

void THoofdscherm::TransparantiesTimer() {
    setCaption(versionCaption() + QStringLiteral(" (") +
               m_clock.now().toString(QStringLiteral("dd-MM-yyyy HH:mm")) + QStringLiteral(")"));
}

void THoofdscherm::LogTransactie(int ritstaat, int rit, int wagen, int chauffeur, int code,
                                 const QString& opmerking) {
    m_transactionLog.LogTransactie(ritstaat, rit, wagen, chauffeur, code, opmerking);
}

void THoofdscherm::closeEvent(QCloseEvent* event) {
    m_log.guard([this] { m_settings->save(); });
    event->accept();
    QCoreApplication::quit();
}

void THoofdscherm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() &&
        QSystemTrayIcon::isSystemTrayAvailable())
        QTimer::singleShot(0, this, &QWidget::hide);
}

void THoofdscherm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    if (const QScreen* display = screen())
        move(display->availableGeometry().center() - rect().center());
}
