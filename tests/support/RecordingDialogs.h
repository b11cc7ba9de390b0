#pragma once

#include "app/Dialogs.h"

#include <QList>

// Records every box the code under test shows and answers confirmations as scripted.
class RecordingDialogs : public Dialogs {
public:
    struct Shown {
        QString kind; // "information", "showInformation", "showWarning", "showError", "confirm"
        QString title;
        QString text;
    };

    void information(const QString& title, const QString& text) override;
    void showInformation(const QString& text) override;
    void showWarning(const QString& text) override;
    void showError(const QString& text) override;
    bool confirm(const QString& text) override;

    QList<Shown> shown;
    bool confirmAnswer = true;
};
