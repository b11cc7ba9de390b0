#include "db/MainConnection.h"

#include "app/AppError.h"
#include "app/Clock.h"
#include "db/ConnectionString.h"
#include "db/DriverError.h"
#include "db/OdbcAttributes.h"

#include <QDateTime>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlResult>
#include <QUrl>
#include <sql.h>
#include <sqlext.h>
#include <sqlite3.h>

namespace {
const QString SqlitePrefix = QStringLiteral("sqlite:");
const QString DateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

void getdate(sqlite3_context* context, int, sqlite3_value**) {
    const auto* clock = static_cast<const Clock*>(sqlite3_user_data(context));
    const QDateTime now = clock ? clock->now() : QDateTime::currentDateTime();
    const QByteArray text = now.toString(DateTimeFormat).toUtf8();
    sqlite3_result_text(context, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

// The statement time-out is an attribute of the ODBC statement handle, which exists once prepared.
void setStatementTimeout(const QSqlQuery& query, int seconds) {
    const QVariant handle = query.result()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "SQLHANDLE") != 0)
        return;
    SQLHANDLE statement = *static_cast<const SQLHANDLE*>(handle.constData());
    if (statement)
        SQLSetStmtAttr(statement, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(SQLULEN(seconds)), 0);
}
} // namespace

MainConnection::MainConnection(std::function<DatabaseSettings()> settings, QString programFolder,
                               const Clock* databaseClock)
    : m_settings(std::move(settings)), m_programFolder(std::move(programFolder)),
      m_databaseClock(databaseClock), m_connection(QStringLiteral("ADO")) {}

void MainConnection::ADOBeforeConnect() {
    m_connectionString = ConnectionString::build(m_settings());
}

void MainConnection::open() {
    if (connected())
        return;
    close();
    ADOBeforeConnect();
    const ConnectionString parsed(m_connectionString);
    const QString dataSource = parsed.value(QStringLiteral("Data Source"));
    if (dataSource.startsWith(SqlitePrefix))
        connectEmbedded(dataSource.mid(SqlitePrefix.size()));
    else
        connectSqlServer(dataSource, parsed.value(QStringLiteral("Initial Catalog")),
                         parsed.value(QStringLiteral("User ID")), parsed.value(QStringLiteral("Password")));
}

void MainConnection::connectSqlServer(const QString& dataSource, const QString& database,
                                      const QString& login, const QString& password) {
    m_embedded = false;
    OdbcAttributes attributes;
    attributes.add(QStringLiteral("DRIVER"), QStringLiteral("FreeTDS"));
    // "host,port" is SQL Server's own notation for a port; FreeTDS takes the port apart and understands
    // "host\instance" itself.
    const qsizetype comma = dataSource.indexOf(QLatin1Char(','));
    if (comma >= 0)
        attributes.add(QStringLiteral("Server"), dataSource.left(comma).trimmed())
            .add(QStringLiteral("Port"), dataSource.mid(comma + 1).trimmed());
    else
        attributes.add(QStringLiteral("Server"), dataSource.trimmed());
    attributes.add(QStringLiteral("Database"), database)
        .add(QStringLiteral("UID"), login)
        .add(QStringLiteral("PWD"), password)
        .add(QStringLiteral("ClientCharset"), QStringLiteral("UTF-8"));
    m_connection.addOdbc(attributes.text(), ConnectionTimeoutSeconds);
    m_connection.open();
}

void MainConnection::connectEmbedded(const QString& path) {
    m_embedded = true;
    const QString file = QDir::cleanPath(QDir::isAbsolutePath(path) ? path : m_programFolder + path);
    // mode=rw: a missing file is an error instead of a new empty database.
    {
        QSqlDatabase db = m_connection.add(QStringLiteral("QSQLITE"));
        db.setDatabaseName(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=rw"));
        db.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(CommandTimeoutSeconds * 1000));
    }
    try {
        m_connection.open();
    } catch (const AppError& error) {
        throw AppError(error.message() + QStringLiteral(" (") + file + QLatin1Char(')'));
    }
    const QVariant handle = m_connection.database().driver()->handle();
    sqlite3* sqlite = *static_cast<sqlite3* const*>(handle.constData());
    if (sqlite3_create_function(sqlite, "getdate", 0, SQLITE_UTF8, const_cast<Clock*>(m_databaseClock),
                                getdate, nullptr, nullptr) != SQLITE_OK) {
        const AppError error(QString::fromUtf8(sqlite3_errmsg(sqlite)));
        close();
        throw error;
    }
}

void MainConnection::close() {
    m_connection.close();
}

bool MainConnection::connected() const {
    return m_connection.connected();
}

QSqlQuery MainConnection::execute(const QString& sql, const QList<QPair<QString, QVariant>>& parameters,
                                  int timeoutSeconds) {
    open();
    QSqlQuery query(m_connection.database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw DriverError(query.lastError());
    setStatementTimeout(query, timeoutSeconds);
    for (const auto& [name, value] : parameters)
        query.bindValue(QLatin1Char(':') + name, storable(value));
    if (!query.exec())
        throw DriverError(query.lastError());
    return query;
}

QVariant MainConnection::storable(const QVariant& value) const {
    if (!m_embedded || value.metaType().id() != QMetaType::QDateTime)
        return value;
    const QDateTime dateTime = value.toDateTime();
    return dateTime.isValid() ? QVariant(dateTime.toString(DateTimeFormat))
                              : QVariant(QMetaType::fromType<QString>());
}
