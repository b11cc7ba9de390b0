#pragma once

#include <QStringList>

// One server reply: its code and the text of each of its lines (without the code).
struct SmtpReply {
    int code = 0;
    QStringList lines;

    // The reply as the server wrote it, for the activity log: "550 5.1.1 <x@y.nl>: unknown".
    QString text() const;
    // Whether an EHLO reply lists an extension keyword ("STARTTLS"), in any letter case.
    bool offers(const QString& keyword) const;
    // Whether an EHLO reply lists an AUTH mechanism ("LOGIN"), in any letter case.
    bool offersAuth(const QString& mechanism) const;
};
