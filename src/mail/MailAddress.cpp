#include "mail/MailAddress.h"

#include "app/AppError.h"

#include <QRegularExpression>

MailAddress MailAddress::parse(const QString& item) {
    const QString text = item.trimmed();
    const qsizetype open = text.lastIndexOf(QLatin1Char('<'));
    if (open < 0 || !text.endsWith(QLatin1Char('>')))
        return {QString(), text};
    QString name = text.left(open).trimmed();
    if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
        name = name.mid(1, name.size() - 2);
    return {name, text.mid(open + 1, text.size() - open - 2).trimmed()};
}

QList<MailAddress> MailAddress::parseList(const QString& list) {
    static const QRegularExpression separators(QStringLiteral("[,;]"));
    QList<MailAddress> addresses;
    for (const QString& item : list.split(separators)) {
        if (!item.trimmed().isEmpty())
            addresses << parse(item);
    }
    return addresses;
}

QString MailAddress::checkedAddress() const {
    // Anything outside printable ASCII, a blank or an angle bracket would let the text leave its
    // place on the SMTP command line or in the header, so such an address never goes on the wire.
    const bool usable = !address.isEmpty() && std::all_of(address.begin(), address.end(), [](QChar c) {
        return c.unicode() > 0x20 && c.unicode() < 0x7F && c != QLatin1Char('<') && c != QLatin1Char('>');
    });
    if (!usable)
        throw AppError(QStringLiteral("Ongeldig e-mailadres: \"%1\"").arg(address));
    return address;
}
