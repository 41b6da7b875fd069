#pragma once
// The map picture as a 24-bit PNG, compressed row by row as the bands come,
// so that memory stays bounded whatever the picture's size.
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "render/PictureExport.h"

class PngRowWriter : public PictureRowWriter {
public:
    // The zlib level (0 to 9) and the row filters (PNG_FILTER_* flags) are
    // the program's choice unless a benchmark asks for others. Measured on
    // the sample world at zoom 100 (bench_export, processor time of the
    // whole export): level 3 without filtering takes 0.50 s for 6.4 Mo,
    // level 1 0.48 s for 7.3 Mo, level 6 0.95 s for 5.4 Mo; every row filter
    // made the file larger and slower, since the picture is rows of
    // identical tiles that the compressor finds best unfiltered. Qt's writer
    // at its defaults took 2.0 s for 6.5 Mo.
    static constexpr int DefaultLevel = 3;
    static const int DefaultFilters;
    explicit PngRowWriter(int level = DefaultLevel, int filters = DefaultFilters);
    ~PngRowWriter() override;

    std::optional<QString> sizeProblem(int64_t width, int64_t height) const override;
    bool bottomUp() const override { return false; }
    uint64_t expectedFileSize(int, int) const override { return 0; }
    bool begin(AtomicFileWriter &file, int width, int height) override;
    bool writeRows(AtomicFileWriter &file, const QImage &band, int count) override;
    bool finish(AtomicFileWriter &file) override;

    struct Encoder;

private:
    int level_;
    int filters_;
    std::unique_ptr<Encoder> encoder_;
};

// The French message refusing a picture that a PNG file cannot hold (a side
// past 2^31 - 1 pixels), or nothing when it fits.
std::optional<QString> pngSizeProblem(int64_t width, int64_t height);
