#pragma once

#include "mail/MailAddress.h"

#include <QList>
#include <QStringList>

// A composed report mail: everything the transmission needs besides the PDF and the server.
struct ReportMail {
    QStringList letter; // the HTML lines, disclaimer included
    QString subject;
    MailAddress sender;
    QList<MailAddress> recipients;
};
