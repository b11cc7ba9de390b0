#pragma once

#include <QString>
#include <QStringList>
#include <exception>
#include <functional>

class Clock;
class QPlainTextEdit;

// The activity log shown on the "Logboek" tab: newest line first, kept in memory only.
// It is also the application-wide error handler: every failure that escapes a handler becomes one line.
class ActivityLog {
public:
    ActivityLog(QPlainTextEdit& memo, const Clock& clock);

    // Inserts "hh:nn" directly followed by text as the new first line.
    void AddLogLine(const QString& text);
    // The application-wide handler: one line " - " + message, nothing else.
    void ApplicationEvents1Exception(const std::exception& error);
    // Replaces the whole log with a bare text (the failed connection test does this).
    void replaceAll(const QString& text);
    QStringList lines() const;

    // Runs a handler that Qt calls; a silent abort passes unreported, every other failure is logged.
    // No exception leaves this function.
    void guard(const std::function<void()>& handler) noexcept;

private:
    QPlainTextEdit& m_memo;
    const Clock& m_clock;
};
