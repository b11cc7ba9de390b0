#include "db/TransactionLog.h"

#include "app/ActivityLog.h"
#include "app/AppError.h"

TransactionLog::TransactionLog(MainConnection& connection, ActivityLog& log,
                               std::function<int()> gebruikersnummer)
    : ADOCommand(connection), m_log(log), m_gebruikersnummer(std::move(gebruikersnummer)) {}

QString TransactionLog::statement(int gebruiker, int ritstaat, int rit, int wagen, int chauffeur, int code,
                                  const QString& opmerking) {
    QString quoted = opmerking;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("INSERT INTO TRANSACTIES (tra_gebruiker, tra_ritstaat, tra_rit, tra_wagen, "
                          "tra_chauffeur, tra_code, tra_opmerking) VALUES  (") +
           QString::number(gebruiker) + QLatin1Char(',') + QString::number(ritstaat) + QLatin1Char(',') +
           QString::number(rit) + QLatin1Char(',') + QString::number(wagen) + QLatin1Char(',') +
           QString::number(chauffeur) + QLatin1Char(',') + QString::number(code) + QStringLiteral(",'") +
           quoted + QStringLiteral("')");
}

void TransactionLog::LogTransactie(int ritstaat, int rit, int wagen, int chauffeur, int code,
                                   const QString& opmerking) noexcept {
    try {
        ADOCommand.setCommandText(
            statement(m_gebruikersnummer(), ritstaat, rit, wagen, chauffeur, code, opmerking));
        ADOCommand.execute();
    } catch (const std::exception& error) {
        m_log.ApplicationEvents1Exception(error);
    } catch (...) {
        m_log.ApplicationEvents1Exception(AppError(QStringLiteral("Onbekende fout")));
    }
}
