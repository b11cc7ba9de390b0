#pragma once

#include <QList>
#include <QString>

// One mailbox: an optional display name and the address itself.
struct MailAddress {
    QString name;
    QString address;

    // "Jan Jansen <jan@example.nl>" or a bare "jan@example.nl".
    static MailAddress parse(const QString& item);
    // Items separated by commas or semicolons; blanks around items and empty items are dropped.
    static QList<MailAddress> parseList(const QString& list);

    // The address as it may appear between "<" and ">" on an SMTP command line and in a header.
    // Throws AppError for an address that would break the command line or the header.
    QString checkedAddress() const;
};
