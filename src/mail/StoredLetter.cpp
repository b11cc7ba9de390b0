#include "mail/StoredLetter.h"

#include "db/DataQuery.h"

std::optional<QString> readStoredLetter(DataQuery& ADOEmail, int templateId) {
    if (templateId <= 0)
        return std::nullopt;
    ADOEmail.close();
    ADOEmail.setSql(QStringLiteral("select ema_omschrijving, ema_tekst from email where ema_id=") +
                    QString::number(templateId));
    ADOEmail.open();
    std::optional<QString> text;
    if (ADOEmail.recordCount() > 0)
        text = ADOEmail.text(QStringLiteral("ema_tekst"));
    ADOEmail.close();
    return text;
}
