#pragma once

#include "db/DatabaseSettings.h"

#include <QString>
#include <QTemporaryDir>

// A temporary program folder with an embedded database made from the real schema, and unixODBC
// configuration files of its own (the SQLite3 and FreeTDS drivers, a data source on that database).
class DbFixture {
public:
    DbFixture();

    // The program folder, ending in "/".
    QString folder() const { return m_dir.path() + QLatin1Char('/'); }
    // The database file, relative to the program folder.
    static QString databaseName() { return QStringLiteral("zelvan.db"); }
    QString databasePath() const { return folder() + databaseName(); }
    // Edits that select the embedded database.
    DatabaseSettings settings() const;

    // Runs SQL text on the database through the sqlite3 command-line shell and returns its output.
    QString sqlite(const QString& sql) const;

    static QString sourceDir();
    static QString odbcDataSource() { return QStringLiteral("ZelvanTest"); }

private:
    void writeOdbcConfiguration() const;

    QTemporaryDir m_dir;
};
