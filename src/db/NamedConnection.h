#pragma once

#include <QSqlDatabase>
#include <QString>

// One Qt SQL connection registered under a name of its own, so that no two owners ever share one.
class NamedConnection {
public:
    explicit NamedConnection(const QString& prefix);
    ~NamedConnection();
    NamedConnection(const NamedConnection&) = delete;
    NamedConnection& operator=(const NamedConnection&) = delete;

    // Registers the connection with this driver; set its options on the result, then open().
    QSqlDatabase add(const QString& driver);
    // Registers an ODBC connection with its connection text and a bounded login.
    void addOdbc(const QString& connectionText, int loginTimeoutSeconds);
    // Opens the registered connection. A failure removes it again and is an AppError with the driver's
    // own message.
    void open();
    void close();
    bool connected() const;
    QSqlDatabase database() const;

private:
    QString m_name;
};
