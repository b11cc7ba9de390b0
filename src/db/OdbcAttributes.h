#pragma once

#include <QString>

// An ODBC connection string built attribute by attribute. Values that would otherwise end or change the
// string (";", braces, "=", outer blanks) are wrapped in braces, so a typed password reaches the driver
// unchanged.
class OdbcAttributes {
public:
    OdbcAttributes& add(const QString& key, const QString& value);
    const QString& text() const { return m_text; }

private:
    QString m_text;
};
