#include "db/ConnectionString.h"

#include "app/AppError.h"

QString ConnectionString::build(const DatabaseSettings& settings) {
    return QStringLiteral("Provider=SQLOLEDB.1;Password=") + settings.password +
           QStringLiteral(";Persist Security Info=True;User ID=") + settings.login +
           QStringLiteral(";Initial Catalog=") + settings.database + QStringLiteral(";Data Source=") +
           settings.server;
}

ConnectionString::ConnectionString(const QString& text) {
    qsizetype position = 0;
    for (const QString& part : text.split(QLatin1Char(';'))) {
        if (!part.trimmed().isEmpty()) {
            const qsizetype equals = part.indexOf(QLatin1Char('='));
            // The position only, never the part: the part may be a piece of a password.
            if (equals < 0)
                throw AppError(
                    QStringLiteral("Ongeldige verbindingsreeks: onderdeel zonder \"=\" op positie %1")
                        .arg(position + 1));
            m_pairs.append({part.left(equals).trimmed(), part.mid(equals + 1)});
        }
        position += part.size() + 1;
    }
}

QString ConnectionString::value(const QString& key) const {
    for (auto it = m_pairs.crbegin(); it != m_pairs.crend(); ++it)
        if (it->first.compare(key, Qt::CaseInsensitive) == 0)
            return it->second;
    return {};
}
