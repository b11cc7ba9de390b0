#pragma once

#include <QString>

// The database edits of the settings tab, as typed. Both connections are rebuilt from them at every connect.
struct DatabaseSettings {
    QString server;   // xLoginServer
    QString database; // xLoginDatabase
    QString login;    // xLoginSQL
    QString password; // xPaswoordSQL
    QString odbcDsn;  // xODBC
};
