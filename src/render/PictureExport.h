#pragma once
// The whole map of a view written to a picture file, exactly as the view
// draws it at scroll 0. The map is rendered in horizontal bands and each
// band's rows are handed to the format's row writer, so memory stays bounded
// whatever the size of the map. The file is replaced whole or not at all: a
// failed or cancelled export leaves no half file and never destroys an
// existing one. The map window and pelmorin-cli call ExportMapPictureAs,
// which picks the format's writer.
#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "render/MapView.h"
#include "render/ScaledTileCache.h"
#include "settings/AppSettings.h"

class CarteVarenthe;
class AtomicFileWriter;

// Called after each band with the rows written so far and the total; return
// false to cancel (the export then stops and leaves no file).
using BitmapExportProgress = std::function<bool(int64_t rowsDone, int64_t rowsTotal)>;

struct BitmapExportResult {
    bool ok = false;
    bool cancelled = false;
    QString error; // French message for the user when neither ok nor cancelled
};

// One picture file format, fed row by row.
class PictureRowWriter {
public:
    virtual ~PictureRowWriter() = default;
    // The French refusal of a picture of that size in this format, or nothing
    // when it fits. Asked before anything is written.
    virtual std::optional<QString> sizeProblem(int64_t width, int64_t height) const = 0;
    // True when the format stores the bottom row first: the bands then go
    // from the bottom of the map up, so the file is written straight through.
    virtual bool bottomUp() const = 0;
    // The file's size when the format knows it in advance (0 otherwise), so
    // that a file-size limit refuses the picture before its first byte.
    virtual uint64_t expectedFileSize(int width, int height) const = 0;
    // Each returns false when the file refused a write (the file says why).
    virtual bool begin(AtomicFileWriter &file, int width, int height) = 0;
    // The first `count` rows of `band` (Format_RGB32), in the format's order.
    virtual bool writeRows(AtomicFileWriter &file, const QImage &band, int count) = 0;
    virtual bool finish(AtomicFileWriter &file) = 0;
};

// Size in pixels of the exported picture: pitch x width by pitch x height.
QSize mapPictureSize(const CarteVarenthe &map, const MapView &view);

// Writes the whole map at the view's cell size and gap (its scroll positions
// are ignored: the picture starts at the map's top-left corner), or only the
// part `area` of that picture (in its pixels, clipped to it), which then holds
// exactly the pixels the whole picture has there. `bandRows` limits the rows
// rendered at once (0: as many as fit in about 16 Mo).
BitmapExportResult ExportMapPicture(const QString &path, const CarteVarenthe &map, const MapView &view,
                                    const AppSettings &settings, ScaledTileCache &tiles, PictureRowWriter &writer,
                                    const BitmapExportProgress &progress = {}, int bandRows = 0,
                                    const std::optional<QRect> &area = std::nullopt);

// The pixels of the whole picture that the cells (x, y) to (x + width - 1,
// y + height - 1) cover, each with the gap after it.
QRect cellsPictureArea(const MapView &view, int x, int y, int width, int height);
