#pragma once
// Where the build put the assets, a file read whole, and a bitmap's header fields.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <tuple>

inline QString programFolder() { return QStringLiteral(PELMORIN_OUTPUT_DIR); }

inline QByteArray readWhole(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Width, |height| and bits per pixel of a .bmp file; zeros when it is none.
inline std::tuple<int32_t, int32_t, int> bitmapHeader(const QString &path)
{
    const QByteArray bytes = readWhole(path);
    if (bytes.size() < 54 || !bytes.startsWith("BM"))
        return {0, 0, 0};
    auto field = [&](int offset, int size) {
        uint32_t v = 0;
        for (int i = size - 1; i >= 0; --i)
            v = (v << 8) | static_cast<uint8_t>(bytes[offset + i]);
        return static_cast<int32_t>(v);
    };
    return {field(18, 4), std::abs(field(22, 4)), field(28, 2)};
}
