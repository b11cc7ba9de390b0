#pragma once

#include "db/DatabaseSettings.h"
#include "db/NamedConnection.h"

#include <QSqlDatabase>
#include <QStringList>
#include <functional>

// The report connection `RapportDatabase`: the layouts' queries run on it. It reaches the server through
// the ODBC data source named in the settings (never the server edit), and is opened and closed per report.
class ReportConnection {
public:
    explicit ReportConnection(std::function<DatabaseSettings()> settings);
    ReportConnection(const ReportConnection&) = delete;
    ReportConnection& operator=(const ReportConnection&) = delete;

    // Refills the parameter list from the current edits.
    void RapportDatabaseBeforeConnect();
    const QStringList& params() const { return m_params; }

    // Rebuilds the parameters and connects; a failure is an AppError with the driver's message.
    void open();
    void close();
    bool connected() const;
    // The open connection for the report engine.
    QSqlDatabase database() const;

private:
    QString param(const QString& name) const;

    std::function<DatabaseSettings()> m_settings;
    NamedConnection m_connection;
    QStringList m_params;
};
