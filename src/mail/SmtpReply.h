#pragma once

#include <QRegularExpression>
#include <QStringList>

// One server reply: its code and the text of each of its lines (without the code).
struct SmtpReply {
    int code = 0;
    QStringList lines;

    // The reply as the server wrote it, for the activity log: "550 5.1.1 <x@y.nl>: unknown".
    QString text() const { return QString::number(code) + QLatin1Char(' ') + lines.join(QLatin1Char(' ')); }

    // An EHLO reply's extension keywords ("STARTTLS") and AUTH mechanisms ("LOGIN"), any letter case.
    bool offers(const QString& keyword) const {
        for (const QString& line : lines) {
            if (line.section(QLatin1Char(' '), 0, 0).compare(keyword, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    }
    bool offersAuth(const QString& mechanism) const {
        for (const QString& line : lines) {
            // Old servers write "AUTH=LOGIN PLAIN" beside or instead of "AUTH LOGIN PLAIN".
            const QStringList words =
                line.toUpper().split(QRegularExpression(QStringLiteral("[ =]")), Qt::SkipEmptyParts);
            if (words.value(0) == QLatin1String("AUTH") && words.mid(1).contains(mechanism.toUpper()))
                return true;
        }
        return false;
    }
};
