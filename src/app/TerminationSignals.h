#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the main thread, so that a service stop or a
// closed terminal ends the program in the same orderly way as "SLUITEN".
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    static void handle(int signalNumber);
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
};
