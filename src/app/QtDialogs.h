#pragma once

#include "app/Dialogs.h"

#include <QMessageBox>

class QtDialogs : public Dialogs {
public:
    void information(const QString& title, const QString& text) override;
    void showInformation(const QString& text) override;
    void showWarning(const QString& text) override;
    void showError(const QString& text) override;
    bool confirm(const QString& text) override;

private:
    static void showStandard(QMessageBox::Icon icon, const QString& title, const QString& text);
};
