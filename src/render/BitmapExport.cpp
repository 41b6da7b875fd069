#include "render/BitmapExport.h"

#include <QByteArray>
#include <QImage>
#include <QLocale>
#include <cstring>
#include <limits>

#include "map/AtomicFileWriter.h"

namespace {

constexpr int64_t FileHeaderSize = 14;
constexpr int64_t InfoHeaderSize = 40;
constexpr int64_t HeadersSize = FileHeaderSize + InfoHeaderSize;
// The file's size and its picture's size are 32-bit unsigned fields.
constexpr int64_t LargestBitmapFile = std::numeric_limits<uint32_t>::max();

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

} // namespace

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

std::optional<QString> BmpRowWriter::sizeProblem(int64_t width, int64_t height) const
{
    return bitmapSizeProblem(width, height);
}

uint64_t BmpRowWriter::expectedFileSize(int width, int height) const
{
    return static_cast<uint64_t>(HeadersSize + rowBytes(width) * height);
}

bool BmpRowWriter::begin(AtomicFileWriter &file, int width, int height)
{
    width_ = width;
    const QByteArray headers = bitmapHeaders(width, height);
    return file.write(headers.constData(), static_cast<size_t>(headers.size()));
}

bool BmpRowWriter::writeRows(AtomicFileWriter &file, const QImage &band, int count)
{
    const int64_t lineBytes = rowBytes(width_);
    rows_.resize(static_cast<qsizetype>(lineBytes * count));
    char *to = rows_.data();
    for (int y = count - 1; y >= 0; --y) {
        const uchar *from = band.constScanLine(y);
        char *line = to;
        for (int x = 0; x < width_; ++x) {
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
    return file.write(rows_.constData(), static_cast<size_t>(rows_.size()));
}
