#pragma once

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QWidget;

// The controls of the main window with their design-time names, captions, hints and start values.
struct THoofdschermUi {
    QTabWidget* RzPageControl1 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;

    // "Instellingen"
    QLineEdit* xLoginServer = nullptr;
    QLineEdit* xLoginDatabase = nullptr;
    QLineEdit* xLoginSQL = nullptr;
    QLineEdit* xPaswoordSQL = nullptr;
    QPushButton* Button3 = nullptr;
    QSpinBox* Gebruikersnummer = nullptr;
    QLineEdit* xODBC = nullptr;
    QCheckBox* VODO_Controle = nullptr;
    QCheckBox* chkVerwijderen = nullptr;

    // "Logboek"
    QPlainTextEdit* Logboek = nullptr;

    // "SMS"
    QLineEdit* SMSTestbericht = nullptr;
    QLineEdit* SMSTestnummer = nullptr;
    QPushButton* Button2 = nullptr;

    // "Interval"
    QSlider* TrackTransparantie = nullptr;

    // "Update"
    QPushButton* SpeedButton4 = nullptr;

    void setupUi(QWidget* window);

private:
    void setupBottomBar(QWidget* window);
    QWidget* setupInstellingen();
    QWidget* setupLogboek();
    QWidget* setupSms();
    QWidget* setupInterval();
    QWidget* setupUpdate();
};
