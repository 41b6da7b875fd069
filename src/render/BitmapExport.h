#pragma once
// The 24-bit Windows bitmap (.bmp) row writer of the band export, and the
// format's size limit.
#include <QString>
#include <cstdint>
#include <optional>

#include "render/PictureExport.h"

// The 24-bit bitmap format: headers first, then the rows from the bottom up,
// each padded to a multiple of 4 bytes.
class BmpRowWriter : public PictureRowWriter {
public:
    std::optional<QString> sizeProblem(int64_t width, int64_t height) const override;
    bool bottomUp() const override { return true; }
    uint64_t expectedFileSize(int width, int height) const override;
    bool begin(AtomicFileWriter &file, int width, int height) override;
    bool writeRows(AtomicFileWriter &file, const QImage &band, int count) override;
    bool finish(AtomicFileWriter &) override { return true; }

private:
    int width_ = 0;
    QByteArray rows_;
};

// The French message refusing a picture of that many pixels that a 24-bit
// .bmp file cannot hold (over 4 Gio, or beyond its dimension fields), or
// nothing when it fits.
std::optional<QString> bitmapSizeProblem(int64_t width, int64_t height);
