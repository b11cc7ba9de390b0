#include "RecordingDialogs.h"

void RecordingDialogs::information(const QString& title, const QString& text) {
    shown.append({QStringLiteral("information"), title, text});
}

void RecordingDialogs::showInformation(const QString& text) {
    shown.append({QStringLiteral("showInformation"), {}, text});
}

void RecordingDialogs::showWarning(const QString& text) {
    shown.append({QStringLiteral("showWarning"), {}, text});
}

void RecordingDialogs::showError(const QString& text) {
    shown.append({QStringLiteral("showError"), {}, text});
}

bool RecordingDialogs::confirm(const QString& text) {
    shown.append({QStringLiteral("confirm"), {}, text});
    return confirmAnswer;
}
