#pragma once
// Writes the tile pictures of one aspect into its folder, and the
// layer-change marker beside the aspect folders.
#include "TileArt.h"
#include "TileCatalogue.h"

#include <QString>

// The picture of one catalogue tile in one season.
QImage drawAspectTile(const TileEntry &entry, Season season);

// Writes every catalogue tile as a 32 x 32 24-bit .bmp into `folder`
// (created when missing). Throws std::runtime_error naming the file that
// could not be written.
void writeAspectFolder(const QString &folder, Season season);
void writeLayerChangeMarker(const QString &path);

// Saves a picture as a Windows bitmap, or throws naming the file.
void saveBitmap(const QImage &image, const QString &path);
