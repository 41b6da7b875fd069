#pragma once
// "Enregistrer bitmap": the whole map of a view written as a 24-bit Windows
// bitmap (.bmp), exactly as the view draws it at scroll 0. The picture is
// rendered and written in horizontal bands, so memory stays bounded whatever
// the size of the map; it goes to a temporary file renamed over the target
// only at the end, so a failed or cancelled export leaves no half file and
// never destroys an existing one. Used by the main window and pelmorin-cli.
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "settings/AppSettings.h"
#include "render/MapView.h"
#include "render/ScaledTileCache.h"

class CarteVarenthe;

// Called after each band with the rows written so far and the total; return
// false to cancel (the export then stops and leaves no file).
using BitmapExportProgress = std::function<bool(int64_t rowsDone, int64_t rowsTotal)>;

struct BitmapExportResult {
    bool ok = false;
    bool cancelled = false;
    QString error; // French message for the user when neither ok nor cancelled
};

// Size in pixels of the exported picture: pitch x width by pitch x height.
QSize bitmapExportSize(const CarteVarenthe &map, const MapView &view);

// The French message refusing a picture of that many pixels that a 24-bit
// .bmp file cannot hold (over 4 Gio, or beyond its dimension fields), or
// nothing when it fits.
std::optional<QString> bitmapSizeProblem(int64_t width, int64_t height);

// Writes the whole map at the view's cell size and gap (its scroll positions
// are ignored: the picture starts at the map's top-left corner). `bandRows`
// limits the rows rendered at once (0: as many as fit in about 16 Mo).
BitmapExportResult ExportMapBitmap(const QString &path, const CarteVarenthe &map, const MapView &view,
                                   const AppSettings &settings, ScaledTileCache &tiles,
                                   const BitmapExportProgress &progress = {}, int bandRows = 0);
