#pragma once

#include <QString>

// The company's identity and mail server, re-read from its row in BEDRIJVEN at every scheduler tick.
struct CompanySettings {
    QString Postmaster;
    QString CompanyName;
    QString SmtpServer;
    int SmtpPort = 0;
    QString SmtpUser;
    QString SmtpPassword;
    bool SmtpTls = false;
    bool SmtpLogin = false;
};
