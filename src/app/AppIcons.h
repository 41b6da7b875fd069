#pragma once
// The program's own 16 x 16 command icons, drawn at start-up rather than read
// from files, so the menus need no art beside the program. The values are the
// icon indices of the command table.
#include <QIcon>

enum class AppIcon {
    None = -1,
    NewMap = 6,
    OpenMap = 7,
    SaveMap = 8,
    TileHorizontally = 15,
    TileVertically = 16,
    Cascade = 17,
};

// The icon drawn for `icon` (a null icon for AppIcon::None). Drawn once and
// kept for the rest of the run.
QIcon appIcon(AppIcon icon);
// The program's window icon: a small map with a route on it.
QIcon applicationIcon();
