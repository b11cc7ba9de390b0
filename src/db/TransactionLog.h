#pragma once

#include "db/DataCommand.h"

#include <QString>
#include <functional>

class ActivityLog;
class MainConnection;

// `LogTransactie`: one row in the administration's transaction table, stamped with the user number of
// the settings tab. Failures go to the activity log; the caller never sees them.
class TransactionLog {
public:
    TransactionLog(MainConnection& connection, ActivityLog& log, std::function<int()> gebruikersnummer);

    static QString statement(int gebruiker, int ritstaat, int rit, int wagen, int chauffeur, int code,
                             const QString& opmerking);

    void LogTransactie(int ritstaat, int rit, int wagen, int chauffeur, int code,
                       const QString& opmerking) noexcept;

private:
    DataCommand ADOCommand;
    ActivityLog& m_log;
    std::function<int()> m_gebruikersnummer;
};
