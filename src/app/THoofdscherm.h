#pragma once

#include "app/ActivityLog.h"
#include "app/THoofdschermUi.h"
#include "db/ConnectionTest.h"
#include "db/DataModel.h"
#include "db/MainConnection.h"
#include "db/ReportConnection.h"
#include "db/TransactionLog.h"

#include <QWidget>
#include <memory>

class Clock;
class Dialogs;
class QAction;
class QMenu;
class QPlainTextEdit;
class QSystemTrayIcon;
class QTimer;
class SettingsStore;
class VersionInfoReader;
struct StoredProperty;

// The main window: owns every component of the program and carries its handlers. Each handler only
// wires the object that does the work, and runs inside the activity log's guard.
class THoofdscherm : public QWidget {
    Q_OBJECT

public:
    // programFolder: the folder of the executable, ending in "/".
    THoofdscherm(QString programFolder, const Clock& clock, Dialogs& dialogs, QWidget* parent = nullptr);
    ~THoofdscherm() override;

    const THoofdschermUi& ui() const { return m_ui; }
    ActivityLog& log() { return m_log; }
    QSystemTrayIcon& trayIcon() { return *RzTrayIcon1; }
    QMenu& popupMenu() { return *PopupMenu1; }
    QTimer& transparantiesTimer() { return *Transparanties; }
    MainConnection& ado() { return ADO; }
    DataModel& dataModel() { return m_data; }

    void FormCreate();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Sluirten1Click();
    void Details1Click();
    void TrackTransparantieChange();
    void TransparantiesTimer();

    // A named operation for whoever invokes it by name (QMetaObject::invokeMethod).
    Q_INVOKABLE void LogTransactie(int ritstaat, int rit, int wagen, int chauffeur, int code,
                                   const QString& opmerking);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void setupTray();
    void connectHandlers();
    template <typename Sender, typename Signal>
    void onSignal(Sender* sender, Signal signal, void (THoofdscherm::*handler)());
    QList<StoredProperty> storedProperties() const;
    void setCaption(const QString& caption);
    QString versionCaption() const;
    QPlainTextEdit& setupUi();
    DatabaseSettings databaseSettings() const;

    QString m_programFolder;
    const Clock& m_clock;
    THoofdschermUi m_ui;
    ActivityLog m_log;
    MainConnection ADO;
    ReportConnection RapportDatabase;
    DataModel m_data;
    TransactionLog m_transactionLog;
    ConnectionTest m_connectionTest;
    QSystemTrayIcon* RzTrayIcon1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Update1 = nullptr;
    QAction* Details1 = nullptr;
    QAction* Sluirten1 = nullptr;
    QTimer* Transparanties = nullptr;
    VersionInfoReader* VersionInfoReader1 = nullptr;
    std::unique_ptr<SettingsStore> m_settings;
    QString m_version;
    bool m_centred = false;
};
