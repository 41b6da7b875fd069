#include "render/BitmapExport.h"

#include <QByteArray>
#include <QImage>
#include <QLocale>
#include <algorithm>
#include <cstring>
#include <limits>

#include "map/AtomicFileWriter.h"
#include "map/CarteVarenthe.h"
#include "render/MapRenderer.h"

namespace {

constexpr int64_t FileHeaderSize = 14;
constexpr int64_t InfoHeaderSize = 40;
constexpr int64_t HeadersSize = FileHeaderSize + InfoHeaderSize;
// The file's size and its picture's size are 32-bit unsigned fields.
constexpr int64_t LargestBitmapFile = std::numeric_limits<uint32_t>::max();
// Rows rendered at once: about this many bytes of 32-bit pixels.
constexpr int64_t BandBytes = 16 * 1024 * 1024;

// Rows of a 24-bit bitmap are padded to a multiple of 4 bytes.
int64_t rowBytes(int64_t width)
{
    return (width * 3 + 3) / 4 * 4;
}

void putLittleEndian(char *to, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        to[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

QByteArray bitmapHeaders(int32_t width, int32_t height)
{
    const int64_t pictureBytes = rowBytes(width) * height;
    QByteArray headers(static_cast<int>(HeadersSize), '\0');
    char *h = headers.data();
    h[0] = 'B';
    h[1] = 'M';
    putLittleEndian(h + 2, static_cast<uint32_t>(HeadersSize + pictureBytes), 4);
    putLittleEndian(h + 10, static_cast<uint32_t>(HeadersSize), 4); // offset of the rows
    char *info = h + FileHeaderSize;
    putLittleEndian(info + 0, static_cast<uint32_t>(InfoHeaderSize), 4);
    putLittleEndian(info + 4, static_cast<uint32_t>(width), 4);
    putLittleEndian(info + 8, static_cast<uint32_t>(height), 4); // positive: rows bottom-up
    putLittleEndian(info + 12, 1, 2);                              // planes
    putLittleEndian(info + 14, 24, 2);                             // bits per pixel
    putLittleEndian(info + 16, 0, 4);                              // no compression
    putLittleEndian(info + 20, static_cast<uint32_t>(pictureBytes), 4);
    putLittleEndian(info + 24, 3780, 4); // 96 dpi, in pixels per metre
    putLittleEndian(info + 28, 3780, 4);
    return headers;
}

QString writeError(const QString &path, const QString &reason)
{
    return QStringLiteral("Impossible d'enregistrer l'image « %1 » : %2").arg(path, reason);
}

// The French reason of the writer's failure, and whether an older picture
// is still there.
QString writeError(const QString &path, const AtomicFileWriter &file)
{
    return writeError(path, QString::fromStdString(file.failureReason()));
}

} // namespace

QSize bitmapExportSize(const CarteVarenthe &map, const MapView &view)
{
    const int64_t width = view.mapPixelWidth(map.width);
    const int64_t height = view.mapPixelHeight(map.height);
    const int64_t limit = std::numeric_limits<int>::max();
    return QSize(static_cast<int>(std::min(width, limit)), static_cast<int>(std::min(height, limit)));
}

std::optional<QString> bitmapSizeProblem(int64_t width, int64_t height)
{
    const QLocale french(QLocale::French, QLocale::France);
    if (width <= 0 || height <= 0)
        return QStringLiteral("La carte est vide : il n'y a aucune image à enregistrer.");
    const int64_t fieldLimit = std::numeric_limits<int32_t>::max();
    const bool fieldsHold = width <= fieldLimit && height <= fieldLimit;
    if (fieldsHold && rowBytes(width) * height + HeadersSize <= LargestBitmapFile)
        return std::nullopt;
    const double megabytes = (static_cast<double>(rowBytes(width)) * static_cast<double>(height)
                              + static_cast<double>(HeadersSize))
                             / (1024.0 * 1024.0);
    return QStringLiteral("L'image de cette carte mesurerait %1 x %2 pixels (%3 Mo) : c'est trop grand "
                          "pour un fichier bitmap, qui ne peut dépasser 4 Go. Diminuez le zoom ou "
                          "masquez la grille, puis recommencez.")
        .arg(french.toString(static_cast<qlonglong>(width)), french.toString(static_cast<qlonglong>(height)),
             french.toString(megabytes, 'f', 0));
}

BitmapExportResult ExportMapBitmap(const QString &path, const CarteVarenthe &map, const MapView &view,
                                   const AppSettings &settings, ScaledTileCache &tiles,
                                   const BitmapExportProgress &progress, int bandRows)
{
    BitmapExportResult result;
    const int64_t width64 = view.mapPixelWidth(map.width);
    const int64_t height64 = view.mapPixelHeight(map.height);
    if (const std::optional<QString> problem = bitmapSizeProblem(width64, height64)) {
        result.error = *problem;
        return result;
    }
    const int width = static_cast<int>(width64);
    const int height = static_cast<int>(height64);
    const int64_t lineBytes = rowBytes(width);

    int rowsPerBand = bandRows > 0 ? bandRows : static_cast<int>(std::max<int64_t>(1, BandBytes / (width64 * 4)));
    rowsPerBand = std::min(rowsPerBand, height);

    // Everything goes to a temporary file beside the target, renamed over it
    // only once complete: a failure or a cancel leaves the old file alone.
    // Its whole size is known, so a file-size limit refuses it before the
    // first byte instead of killing the program.
    AtomicFileWriter file(path.toStdString());
    const QByteArray headers = bitmapHeaders(width, height);
    if (!file.open(static_cast<uint64_t>(HeadersSize + lineBytes * height))
        || !file.write(headers.constData(), static_cast<size_t>(headers.size()))) {
        result.error = writeError(path, file);
        return result;
    }

    QImage band(width, rowsPerBand, QImage::Format_RGB32);
    if (band.isNull()) {
        result.error = writeError(path, QStringLiteral("la mémoire manque."));
        return result;
    }
    QByteArray rows(static_cast<qsizetype>(lineBytes * rowsPerBand), '\0');
    MapView bandView = view;
    bandView.scrollX = 0;

    // The file holds the bottom row first, so bands go from the bottom of
    // the map up and each band's rows from its bottom up: the file is
    // written straight through.
    int64_t rowsDone = 0;
    for (int bandBottom = height; bandBottom > 0;) {
        const int bandTop = std::max(0, bandBottom - rowsPerBand);
        const int count = bandBottom - bandTop;
        bandView.scrollY = bandTop;
        RenderMap(band, QRect(0, 0, width, count), bandView, map, settings, tiles);

        char *to = rows.data();
        for (int y = count - 1; y >= 0; --y) {
            const uchar *from = band.constScanLine(y);
            char *line = to;
            for (int x = 0; x < width; ++x) {
                // Format_RGB32 holds B, G, R, 255 in memory; the file wants B, G, R.
                line[0] = static_cast<char>(from[0]);
                line[1] = static_cast<char>(from[1]);
                line[2] = static_cast<char>(from[2]);
                from += 4;
                line += 3;
            }
            std::memset(line, 0, static_cast<size_t>(to + lineBytes - line));
            to += lineBytes;
        }
        const qint64 bytes = lineBytes * count;
        if (!file.write(rows.constData(), static_cast<size_t>(bytes))) {
            result.error = writeError(path, file);
            return result;
        }

        rowsDone += count;
        bandBottom = bandTop;
        if (progress && !progress(rowsDone, height)) {
            file.cancel();
            result.cancelled = true;
            return result;
        }
    }

    if (!file.commit()) {
        result.error = writeError(path, file);
        return result;
    }
    result.ok = true;
    return result;
}
