#include "app/ZelvanApplication.h"

#include "app/ActivityLog.h"

ZelvanApplication::ZelvanApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ZelvanApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    if (m_log)
        m_log->guard([&] { handled = QApplication::notify(receiver, event); });
    else
        handled = QApplication::notify(receiver, event);
    return handled;
}
