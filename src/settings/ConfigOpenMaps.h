#pragma once
// The maps open at the last exit, as the configuration file keeps them:
// section "Cartes Ouvertes" lists "Carte N" = path in reopening order, and a
// section named after each key holds that map window's zoom, window state
// and centre cell. The main window writes the list when it closes and reads
// it back at its first activation.
#include <QList>
#include <QString>

#include <cstdint>

class ConfigFile;
struct ConfigEntry;

// How a map window looked when it was recorded.
struct MapWindowPlacement {
    int32_t zoomPercent = 100; // "Echelle"
    int32_t windowState = 0;   // "Etat Fenetre": 0 normal, 1 minimised, 2 maximised
    int32_t centreColumn = 0;  // "x"
    int32_t centreRow = 0;     // "y"
};

// The sample world as a first start opens it: maximised, at full zoom, on
// its middle.
inline constexpr MapWindowPlacement FirstStartPlacement{100, 2, 169, 58};

// One map window at exit, in the order the main window lists them: the
// active window first, then the others by last activation, most recent first.
struct OpenMapRecord {
    bool untitled = false;
    QString fileName;
    MapWindowPlacement placement;
};

// "Cartes Ouvertes" as key and path pairs in file order (any key is accepted).
QList<ConfigEntry> readOpenMapList(const ConfigFile &config);
// The placement kept in the section named `key`; missing keys read as zoom
// 100, normal state, cell 0,0. The zoom is brought into 5 to 100 and the
// cell into the largest map; a state other than 0, 1 or 2 reads as normal.
MapWindowPlacement readMapWindowPlacement(const ConfigFile &config, const QString &key);
// Erases "Cartes Ouvertes", then records the windows from the least recently
// active to the active one as "Carte N" (N = the window's index), so that
// reopening in file order leaves the previously active map on top. An
// untitled map is not recorded and its number stays unused. Placement
// sections of earlier runs are left alone. ConfigWriteError when refused.
void writeOpenMapList(ConfigFile &config, const QList<OpenMapRecord> &windowsMostRecentFirst);
