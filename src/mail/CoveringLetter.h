#pragma once

#include "mail/CompanySettings.h"
#include "mail/MailSubscription.h"
#include "mail/ReportMail.h"

#include <optional>

class Clock;

// Composes the mail of one report run: the covering letter, its subject, sender and recipients.
class CoveringLetter {
public:
    // version: the program's "InternalFileVersion", shown in the built-in letter.
    CoveringLetter(const Clock& clock, QString version);

    // storedText: the ema_tekst of the subscription's e-mail template, or nullopt when the subscription
    // names none (or a missing one), in which case the built-in Dutch letter is used.
    ReportMail compose(const MailSubscription& subscription, const CompanySettings& company,
                       const QString& pdfPath, const std::optional<QString>& storedText) const;

private:
    QStringList builtInLetter(const MailSubscription& subscription, const CompanySettings& company,
                              const QString& pdfPath) const;

    const Clock& m_clock;
    QString m_version;
};
