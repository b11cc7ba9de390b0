#include "db/NamedConnection.h"

#include "db/DriverError.h"

#include <QSqlError>

NamedConnection::NamedConnection(const QString& prefix) {
    static int counter = 0;
    m_name = prefix + QStringLiteral("#%1").arg(++counter);
}

NamedConnection::~NamedConnection() {
    close();
}

QSqlDatabase NamedConnection::add(const QString& driver) {
    return QSqlDatabase::addDatabase(driver, m_name);
}

void NamedConnection::addOdbc(const QString& connectionText, int loginTimeoutSeconds) {
    QSqlDatabase db = add(QStringLiteral("QODBC"));
    db.setDatabaseName(connectionText);
    db.setConnectOptions(
        QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_CONNECTION_TIMEOUT=%1").arg(loginTimeoutSeconds));
}

void NamedConnection::open() {
    QSqlDatabase db = database();
    if (db.open())
        return;
    const DriverError error(db.lastError());
    // Qt removes a connection only when no handle to it is left.
    db = QSqlDatabase();
    close();
    throw error;
}

void NamedConnection::close() {
    if (!QSqlDatabase::contains(m_name))
        return;
    QSqlDatabase::database(m_name, false).close();
    QSqlDatabase::removeDatabase(m_name);
}

bool NamedConnection::connected() const {
    return QSqlDatabase::contains(m_name) && database().isOpen();
}

QSqlDatabase NamedConnection::database() const {
    return QSqlDatabase::database(m_name, false);
}
