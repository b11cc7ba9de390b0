#include "app/QtDialogs.h"

#include <QPushButton>

namespace {
const QString kInformationTitle = QStringLiteral("Viruv Zelvan® informatie");
const QString kWarningTitle = QStringLiteral("Viruv Zelvan® waarschuwing");
const QString kErrorTitle = QStringLiteral("Viruv Zelvan® fout");
const QString kConfirmationTitle = QStringLiteral("Viruv Zelvan® bevestiging");
} // namespace

void QtDialogs::information(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok);
    box.exec();
}

void QtDialogs::showInformation(const QString& text) {
    showStandard(QMessageBox::Information, kInformationTitle, text);
}

void QtDialogs::showWarning(const QString& text) {
    showStandard(QMessageBox::Warning, kWarningTitle, text);
}

void QtDialogs::showError(const QString& text) {
    showStandard(QMessageBox::Critical, kErrorTitle, text);
}

bool QtDialogs::confirm(const QString& text) {
    QMessageBox box(QMessageBox::Question, kConfirmationTitle, text);
    QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&Nee"), QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes;
}

void QtDialogs::showStandard(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}
