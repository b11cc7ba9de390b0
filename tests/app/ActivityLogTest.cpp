#include "app/ActivityLog.h"
#include "FakeClock.h"
#include "app/AppError.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

class ActivityLogTest : public QObject {
    Q_OBJECT

private slots:
    void newestLineComesFirst() {
        QPlainTextEdit memo;
        FakeClock clock(QDateTime(QDate(2026, 1, 2), QTime(7, 3)));
        ActivityLog log(memo, clock);
        log.AddLogLine(QStringLiteral(" - first"));
        log.AddLogLine(QStringLiteral(" - second"));
        clock.set(QDateTime(QDate(2026, 1, 2), QTime(17, 45)));
        log.AddLogLine(QStringLiteral("no separator"));
        QCOMPARE(log.lines(), (QStringList{"17:45no separator", "07:03 - second", "07:03 - first"}));
    }

    void guardLogsFailuresAndPassesSilentAbort() {
        QPlainTextEdit memo;
        FakeClock clock;
        ActivityLog log(memo, clock);
        log.guard([] { throw AppError(QStringLiteral("Verbinding mislukt")); });
        log.guard([] { throw SilentAbort(); });
        log.guard([] { throw std::runtime_error("bad state"); });
        log.guard([] { throw AppError(QString()); });
        QCOMPARE(log.lines(), (QStringList{"09:05 - ", "09:05 - bad state", "09:05 - Verbinding mislukt"}));
    }

    void aFailingTimerTickGivesOneLineAndTheNextTickRuns() {
        QPlainTextEdit memo;
        FakeClock clock;
        ActivityLog log(memo, clock);
        QTimer timer;
        int ticks = 0;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            log.guard([&] {
                if (++ticks == 3)
                    timer.stop();
                if (ticks == 1)
                    throw AppError(QStringLiteral("Tabel Transparantie bestaat niet"));
            });
        });
        timer.start(0);
        QTRY_COMPARE(ticks, 3);
        QCOMPARE(log.lines(), (QStringList{"09:05 - Tabel Transparantie bestaat niet"}));
    }

    void replaceAllLeavesOnlyTheBareText() {
        QPlainTextEdit memo;
        FakeClock clock;
        ActivityLog log(memo, clock);
        log.AddLogLine(QStringLiteral(" - old"));
        log.replaceAll(QStringLiteral("Login failed"));
        log.ApplicationEvents1Exception(AppError(QStringLiteral("Login failed")));
        QCOMPARE(log.lines(), (QStringList{"09:05 - Login failed", "Login failed"}));
    }
};

QTEST_MAIN(ActivityLogTest)
#include "ActivityLogTest.moc"
