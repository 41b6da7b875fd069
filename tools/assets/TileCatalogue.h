#pragma once
// Every tile number that an aspect folder holds, with what it shows: the
// terrains, roads and province features of world maps, and the city
// buildings offered by the palette, grouped as the palette groups them. The
// row and column of a building inside its palette group choose its shape,
// colours and emblem, so that no two buildings look alike.
#include <QString>
#include <vector>

enum class TileCategory {
    Terrain,
    Road,
    Feature,
    NationalInstitution,
    InternationalInstitution,
    PublicBuilding,
    Flag,
    PrivateBuilding,
    Temple,
    House,
    CityMisc,
    ZoneEraser,
};

struct TileEntry {
    int number = 0;
    TileCategory category = TileCategory::Terrain;
    int row = 0;    // row inside its palette group, from 0
    int column = 0; // place inside that row, from 0
};

// In increasing tile number.
const std::vector<TileEntry> &aspectTiles();

// The tile file name inside an aspect folder: three digits below 100
// ("007.bmp"), plain decimal from 100 on ("2511.bmp").
QString tileFileName(int number);
