#pragma once
// City buildings, one drawing per palette group: national and international
// institutions, public and private buildings, flags, temples, houses and the
// city's other features. The group sets the kind of building (colonnade,
// dome, shop, spire...), the tile's row and column inside its group set its
// colours, shape and emblem.
#include "TileArt.h"
#include "TileCatalogue.h"

QImage drawBuildingTile(const TileEntry &entry, Season season);

// Drawings of each group; the row and column are those of the palette group.
QImage drawNationalInstitution(int row, int column, Season season);
QImage drawInternationalInstitution(int row, int column, Season season);
QImage drawPublicBuilding(int row, int column, Season season);
QImage drawPrivateBuilding(int row, int column, Season season);
QImage drawTemple(int row, int column, Season season);
QImage drawFlag(int row, int column, Season season);
QImage drawHouse(int row, int column, Season season);
QImage drawCityFeature(int place, Season season);
