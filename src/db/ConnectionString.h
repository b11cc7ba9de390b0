#pragma once

#include "db/DatabaseSettings.h"

#include <QList>
#include <QPair>
#include <QString>

// The main connection's "Provider=SQLOLEDB.1;…" string: built from the edits by plain concatenation and
// read back as key=value pairs, so that whatever the user typed means what it would mean to an OLE DB
// provider (a ";" in a password starts a new pair).
class ConnectionString {
public:
    static QString build(const DatabaseSettings& settings);

    // Splits at ";"; each non-empty part is a key, "=" and a value. The first "=" ends the key, so a value
    // may itself hold "=". Keys compare case-insensitively and surrounding blanks of a key are dropped;
    // when a key occurs twice the last one counts. A part without "=" is malformed and throws AppError.
    explicit ConnectionString(const QString& text);

    // The value of a key, or an empty text when the key is absent.
    QString value(const QString& key) const;

private:
    QList<QPair<QString, QString>> m_pairs;
};
