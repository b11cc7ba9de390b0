#pragma once

#include <QString>

// Every modal box the program shows goes through here, so tests can answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A box with its own title, an information icon and one OK button.
    virtual void information(const QString& title, const QString& text) = 0;
    // The standard boxes, titled "Viruv Zelvan® informatie" / "waarschuwing" / "fout".
    virtual void showInformation(const QString& text) = 0;
    virtual void showWarning(const QString& text) = 0;
    virtual void showError(const QString& text) = 0;
    // The standard confirmation box with "&Ja" and "&Nee"; true for "&Ja".
    virtual bool confirm(const QString& text) = 0;
};
