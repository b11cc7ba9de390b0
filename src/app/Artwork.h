#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures, drawn at run time so that no image files need to travel with it.
namespace Artwork {
QIcon applicationIcon();
QPixmap databaseClock(); // 48 by 48: a database drum with a clock
QPixmap logo();          // 200 by 200
} // namespace Artwork
