#pragma once

#include <QDateTime>
#include <QString>

// The fields of the run's subscription row (table Transparantie) that the report mail uses.
struct MailSubscription {
    QString tra_omschrijving;
    int tra_dagen = 0;
    QString tra_email_1;
    QString tra_email_2;
    QDateTime tra_laatste_rapport;
    QDateTime tra_volgende_rapport;
};
