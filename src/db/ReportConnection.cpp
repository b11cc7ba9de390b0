#include "db/ReportConnection.h"

#include "db/MainConnection.h"
#include "db/OdbcAttributes.h"


ReportConnection::ReportConnection(std::function<DatabaseSettings()> settings)
    : m_settings(std::move(settings)), m_connection(QStringLiteral("RapportDatabase")) {}

void ReportConnection::RapportDatabaseBeforeConnect() {
    const DatabaseSettings settings = m_settings();
    m_params = QStringList{
        QStringLiteral("USER NAME=") + settings.login,
        QStringLiteral("ODBC DSN=") + settings.odbcDsn,
        QStringLiteral("DATABASE NAME=") + settings.database,
        QStringLiteral("OPEN MODE=READ/WRITE"),
        QStringLiteral("SCHEMA CACHE SIZE=8"),
        QStringLiteral("SQLQRYMODE="),
        QStringLiteral("LANGDRIVER="),
        QStringLiteral("SQLPASSTHRU MODE=SHARED AUTOCOMMIT"),
        QStringLiteral("SCHEMA CACHE TIME=-1"),
        QStringLiteral("MAX ROWS=-1"),
        QStringLiteral("BATCH COUNT=200"),
        QStringLiteral("ENABLE SCHEMA CACHE=FALSE"),
        QStringLiteral("SCHEMA CACHE DIR="),
        QStringLiteral("ENABLE BCD=FALSE"),
        QStringLiteral("ROWSET SIZE=20"),
        QStringLiteral("BLOBS TO CACHE=64"),
        QStringLiteral("PASSWORD=") + settings.password,
    };
}

// The value of a parameter line; the first "=" ends the name, so values keep any "=" they hold.
QString ReportConnection::param(const QString& name) const {
    const QString prefix = name + QLatin1Char('=');
    for (const QString& line : m_params)
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    return {};
}

void ReportConnection::open() {
    close();
    RapportDatabaseBeforeConnect();
    OdbcAttributes attributes;
    attributes.add(QStringLiteral("DSN"), param(QStringLiteral("ODBC DSN")))
        .add(QStringLiteral("UID"), param(QStringLiteral("USER NAME")))
        .add(QStringLiteral("PWD"), param(QStringLiteral("PASSWORD")));
    // An empty name leaves the data source's own database in force.
    const QString database = param(QStringLiteral("DATABASE NAME"));
    if (!database.isEmpty())
        attributes.add(QStringLiteral("DATABASE"), database);
    // Qt's ODBC driver itself puts "DSN=" in front of a string that names no driver.
    m_connection.addOdbc(attributes.text().mid(QStringLiteral("DSN=").size()),
                         MainConnection::ConnectionTimeoutSeconds);
    m_connection.open();
}

void ReportConnection::close() {
    m_connection.close();
}

bool ReportConnection::connected() const {
    return m_connection.connected();
}

QSqlDatabase ReportConnection::database() const {
    return m_connection.database();
}
