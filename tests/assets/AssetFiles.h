#pragma once
// Helpers of the asset tests: where the build put the assets, reading a file
// whole, and the header fields of a Windows bitmap.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>

inline QString programFolder() { return QStringLiteral(PELMORIN_OUTPUT_DIR); }

inline QByteArray readWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

struct BitmapHeader {
    bool valid = false;
    int32_t width = 0;
    int32_t height = 0;
    int bitsPerPixel = 0;
};

inline BitmapHeader bitmapHeader(const QByteArray &bytes)
{
    BitmapHeader header;
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
        return header;
    auto int32At = [&](int offset) {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | static_cast<uint8_t>(bytes[offset + i]);
        return static_cast<int32_t>(v);
    };
    header.valid = true;
    header.width = int32At(18);
    header.height = int32At(22);
    header.bitsPerPixel = static_cast<uint8_t>(bytes[28]) | (static_cast<uint8_t>(bytes[29]) << 8);
    return header;
}
