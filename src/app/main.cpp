#include "app/Clock.h"
#include "app/QtDialogs.h"
#include "app/THoofdscherm.h"
#include "app/TerminationSignals.h"
#include "app/ZelvanApplication.h"

#include <QSessionManager>

int main(int argc, char* argv[]) {
    ZelvanApplication app(argc, argv);
    ZelvanApplication::setApplicationName(QStringLiteral("Viruv Zelvan Transparantie"));
    // The window hides to the tray; only an explicit close ends the program, never the last box closing.
    ZelvanApplication::setQuitOnLastWindowClosed(false);

    // Installed first, so that a stop request during start-up already ends the program in order.
    TerminationSignals terminationSignals;
    SystemClock clock;
    QtDialogs dialogs;
    THoofdscherm Hoofdscherm(ZelvanApplication::applicationDirPath() + QLatin1Char('/'), clock, dialogs);
    app.setActivityLog(&Hoofdscherm.log());

    QObject::connect(&terminationSignals, &TerminationSignals::terminationRequested, &Hoofdscherm,
                     &QWidget::close);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &Hoofdscherm,
                     [&](QSessionManager&) { Hoofdscherm.close(); });

    Hoofdscherm.show();
    const int result = ZelvanApplication::exec();
    app.setActivityLog(nullptr);
    return result;
}
