#pragma once

#include <QString>
#include <QStringList>

namespace WorkingFolders {
// The folders beside the executable, parents before their children.
QStringList names();
// Creates the missing ones, one level each. A folder that cannot be made is skipped: whatever needs it
// later fails there with its own message.
void create(const QString& programFolder);
} // namespace WorkingFolders
