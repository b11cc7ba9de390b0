#pragma once

#include "db/DatabaseSettings.h"
#include "db/NamedConnection.h"

#include <QList>
#include <QPair>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>

class Clock;

// The main connection `ADO` to the administration database: SQL Server through FreeTDS, or the embedded
// SQLite database when the server edit reads "sqlite:" + path. It connects on first use, rebuilding its
// connection string from the current edits, and stays open until closed explicitly.
class MainConnection {
public:
    static constexpr int ConnectionTimeoutSeconds = 15;
    static constexpr int CommandTimeoutSeconds = 30;

    // programFolder is absolute and ends in "/"; relative SQLite paths are taken from there.
    // databaseClock is the embedded database's getdate(); null means the system's local time.
    MainConnection(std::function<DatabaseSettings()> settings, QString programFolder,
                   const Clock* databaseClock = nullptr);
    MainConnection(const MainConnection&) = delete;
    MainConnection& operator=(const MainConnection&) = delete;

    // Rebuilds the connection string from the edits exactly as typed.
    void ADOBeforeConnect();
    const QString& connectionString() const { return m_connectionString; }

    // Connects unless connected; every failure is an AppError with the driver's message.
    void open();
    void close();
    bool connected() const;
    bool embedded() const { return m_embedded; }

    // Connects if needed and executes one statement with named parameters (":Name") bound; the whole
    // result stays in the returned query.
    QSqlQuery execute(const QString& sql, const QList<QPair<QString, QVariant>>& parameters = {},
                      int timeoutSeconds = CommandTimeoutSeconds);
    // A value as this connection stores it: the embedded database keeps date-times as sortable text.
    QVariant storable(const QVariant& value) const;

private:
    void connectSqlServer(const QString& dataSource, const QString& database, const QString& login,
                          const QString& password);
    void connectEmbedded(const QString& path);

    std::function<DatabaseSettings()> m_settings;
    QString m_programFolder;
    const Clock* m_databaseClock;
    NamedConnection m_connection;
    QString m_connectionString;
    bool m_embedded = false;
};
