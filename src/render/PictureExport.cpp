#include "render/PictureExport.h"

#include <algorithm>
#include <limits>

#include "map/AtomicFileWriter.h"
#include "map/CarteVarenthe.h"
#include "render/MapRenderer.h"

namespace {

// Rows rendered at once: about this many bytes of 32-bit pixels.
constexpr int64_t BandBytes = 16 * 1024 * 1024;

QString writeError(const QString &path, const QString &reason)
{
    return QStringLiteral("Impossible d'enregistrer l'image « %1 » : %2").arg(path, reason);
}

// The rows of the picture, band by band, in the order the writer stores them.
class BandWalk {
public:
    BandWalk(int height, int rowsPerBand, bool bottomUp)
        : height_(height)
        , rowsPerBand_(rowsPerBand)
        , bottomUp_(bottomUp)
        , next_(bottomUp ? height : 0)
    {
    }
    bool done() const { return bottomUp_ ? next_ <= 0 : next_ >= height_; }
    // First row and row count of the next band, then moves past it.
    std::pair<int, int> take()
    {
        if (bottomUp_) {
            const int top = std::max(0, next_ - rowsPerBand_);
            const int count = next_ - top;
            next_ = top;
            return {top, count};
        }
        const int top = next_;
        const int count = std::min(rowsPerBand_, height_ - top);
        next_ += count;
        return {top, count};
    }

private:
    int height_;
    int rowsPerBand_;
    bool bottomUp_;
    int next_;
};

} // namespace

QSize mapPictureSize(const CarteVarenthe &map, const MapView &view)
{
    const int64_t width = view.mapPixelWidth(map.width);
    const int64_t height = view.mapPixelHeight(map.height);
    const int64_t limit = std::numeric_limits<int>::max();
    return QSize(static_cast<int>(std::min(width, limit)), static_cast<int>(std::min(height, limit)));
}

QRect cellsPictureArea(const MapView &view, int x, int y, int width, int height)
{
    const int64_t p = view.pitch();
    return QRect(static_cast<int>(x * p), static_cast<int>(y * p), static_cast<int>(width * p),
                 static_cast<int>(height * p));
}

BitmapExportResult ExportMapPicture(const QString &path, const CarteVarenthe &map, const MapView &view,
                                    const AppSettings &settings, ScaledTileCache &tiles, PictureRowWriter &writer,
                                    const BitmapExportProgress &progress, int bandRows,
                                    const std::optional<QRect> &area)
{
    BitmapExportResult result;
    int64_t width64 = view.mapPixelWidth(map.width);
    int64_t height64 = view.mapPixelHeight(map.height);
    // The part asked for, within the whole picture (whose sides a map of at
    // most 4096 cells keeps far below the int range when they fit a format).
    QRect part;
    if (area) {
        const QRect whole(0, 0, static_cast<int>(std::min<int64_t>(width64, std::numeric_limits<int>::max())),
                          static_cast<int>(std::min<int64_t>(height64, std::numeric_limits<int>::max())));
        part = area->intersected(whole);
        width64 = part.width();
        height64 = part.height();
    }
    if (const std::optional<QString> problem = writer.sizeProblem(width64, height64)) {
        result.error = *problem;
        return result;
    }
    const int width = static_cast<int>(width64);
    const int height = static_cast<int>(height64);
    int rowsPerBand = bandRows > 0 ? bandRows : static_cast<int>(std::max<int64_t>(1, BandBytes / (width64 * 4)));
    rowsPerBand = std::min(rowsPerBand, height);

    AtomicFileWriter file(path.toStdString());
    const auto fail = [&](const QString &reason) {
        result.error = writeError(path, reason);
        file.cancel();
        return result;
    };
    const auto failedWrite = [&] { return fail(QString::fromStdString(file.failureReason())); };
    if (!file.open(writer.expectedFileSize(width, height)) || !writer.begin(file, width, height))
        return failedWrite();
    QImage band(width, rowsPerBand, QImage::Format_RGB32);
    if (band.isNull())
        return fail(QStringLiteral("la mémoire manque."));

    MapView bandView = view;
    bandView.scrollX = part.left();
    int64_t rowsDone = 0;
    for (BandWalk walk(height, rowsPerBand, writer.bottomUp()); !walk.done();) {
        const auto [top, count] = walk.take();
        bandView.scrollY = part.top() + top;
        RenderMap(band, QRect(0, 0, width, count), bandView, map, settings, tiles);
        if (!writer.writeRows(file, band, count))
            return failedWrite();
        rowsDone += count;
        if (progress && !progress(rowsDone, height)) {
            file.cancel();
            result.cancelled = true;
            return result;
        }
    }
    if (!writer.finish(file) || !file.commit())
        return failedWrite();
    result.ok = true;
    return result;
}
