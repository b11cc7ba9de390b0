#include "app/ActivityLog.h"

#include "app/AppError.h"
#include "app/Clock.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

ActivityLog::ActivityLog(QPlainTextEdit& memo, const Clock& clock) : m_memo(memo), m_clock(clock) {}

void ActivityLog::AddLogLine(const QString& text) {
    const QString line = m_clock.now().toString(QStringLiteral("HH:mm")) + text;
    if (m_memo.document()->isEmpty()) {
        m_memo.setPlainText(line);
        return;
    }
    QTextCursor cursor(m_memo.document());
    cursor.movePosition(QTextCursor::Start);
    cursor.insertText(line + QLatin1Char('\n'));
}

void ActivityLog::ApplicationEvents1Exception(const std::exception& error) {
    const auto* appError = dynamic_cast<const AppError*>(&error);
    AddLogLine(QStringLiteral(" - ") + (appError ? appError->message() : QString::fromUtf8(error.what())));
}

void ActivityLog::replaceAll(const QString& text) {
    m_memo.setPlainText(text);
}

QStringList ActivityLog::lines() const {
    if (m_memo.document()->isEmpty())
        return {};
    return m_memo.toPlainText().split(QLatin1Char('\n'));
}

void ActivityLog::guard(const std::function<void()>& handler) noexcept {
    try {
        handler();
    } catch (const SilentAbort&) {
    } catch (const std::exception& error) {
        ApplicationEvents1Exception(error);
    } catch (...) {
        ApplicationEvents1Exception(AppError(QStringLiteral("Onbekende fout")));
    }
}
