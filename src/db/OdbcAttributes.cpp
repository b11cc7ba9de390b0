#include "db/OdbcAttributes.h"

namespace {
bool needsBraces(const QString& value) {
    static const QString reserved = QStringLiteral(";{}=");
    for (const QChar c : value)
        if (reserved.contains(c))
            return true;
    return value != value.trimmed();
}
} // namespace

OdbcAttributes& OdbcAttributes::add(const QString& key, const QString& value) {
    if (!m_text.isEmpty())
        m_text += QLatin1Char(';');
    m_text += key + QLatin1Char('=');
    if (needsBraces(value)) {
        QString escaped = value;
        escaped.replace(QLatin1Char('}'), QStringLiteral("}}"));
        m_text += QLatin1Char('{') + escaped + QLatin1Char('}');
    } else {
        m_text += value;
    }
    return *this;
}
