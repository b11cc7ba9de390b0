#pragma once

#include <QApplication>

class ActivityLog;

// The last net under every handler: an exception that reaches the event dispatch becomes a log line
// instead of unwinding through Qt.
class ZelvanApplication : public QApplication {
public:
    ZelvanApplication(int& argc, char** argv);
    void setActivityLog(ActivityLog* log) { m_log = log; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    ActivityLog* m_log = nullptr;
};
