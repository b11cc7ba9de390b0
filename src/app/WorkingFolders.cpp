#include "app/WorkingFolders.h"

#include <QDir>

QStringList WorkingFolders::names() {
    return {QStringLiteral("Export"),       QStringLiteral("VODO"),       QStringLiteral("VODO/LOGS"),
            QStringLiteral("VODO/PDF"),     QStringLiteral("VODO/Taken"), QStringLiteral("Backups"),
            QStringLiteral("TempDownloads")};
}

void WorkingFolders::create(const QString& programFolder) {
    for (const QString& name : names()) {
        const QString path = programFolder + name;
        if (!QDir(path).exists())
            QDir().mkdir(path);
    }
}
