#include "mail/SmtpReply.h"

#include <QRegularExpression>

QString SmtpReply::text() const {
    return QString::number(code) + QLatin1Char(' ') + lines.join(QLatin1Char(' '));
}

bool SmtpReply::offers(const QString& keyword) const {
    return std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
        return line.section(QLatin1Char(' '), 0, 0).compare(keyword, Qt::CaseInsensitive) == 0;
    });
}

bool SmtpReply::offersAuth(const QString& mechanism) const {
    // Old servers write "AUTH=LOGIN PLAIN" beside or instead of "AUTH LOGIN PLAIN".
    static const QRegularExpression separators(QStringLiteral("[ =]"));
    return std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
        const QStringList words = line.toUpper().split(separators, Qt::SkipEmptyParts);
        return words.value(0) == QLatin1String("AUTH") && words.mid(1).contains(mechanism.toUpper());
    });
}
