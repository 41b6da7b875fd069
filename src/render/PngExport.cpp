#include "render/PngExport.h"

#include <QImage>
#include <QLocale>
#include <csetjmp>
#include <png.h>

#include "map/AtomicFileWriter.h"

namespace {

// PNG sides are 31-bit numbers.
constexpr int64_t LargestPngSide = 0x7FFFFFFF;

} // namespace

// libpng reports failures by a long jump; every call into it goes through a
// function that sets the jump point and holds no object with a destructor,
// so that the jump skips nothing that needs unwinding.
struct PngRowWriter::Encoder {
    png_structp png = nullptr;
    png_infop info = nullptr;
    AtomicFileWriter *file = nullptr;
    bool started = false;

    ~Encoder() { png_destroy_write_struct(&png, &info); }

    static void write(png_structp png, png_bytep bytes, png_size_t size)
    {
        auto *self = static_cast<Encoder *>(png_get_io_ptr(png));
        if (!self->file->write(reinterpret_cast<const char *>(bytes), size))
            png_error(png, "write");
    }
    static void flush(png_structp) {}
    // Warnings (none expected for pictures made here) are not the user's concern.
    static void warn(png_structp, png_const_charp) {}
    // libpng's own text would go to standard error in English; the writer's
    // French reason is given by the caller.
    static void fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
};

namespace {

bool startPng(PngRowWriter::Encoder &e, int width, int height)
{
    if (setjmp(png_jmpbuf(e.png)))
        return false;
    png_set_user_limits(e.png, LargestPngSide, LargestPngSide);
    png_set_IHDR(e.png, e.info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(e.png, e.info);
    // The band's rows are 32-bit pixels, B, G, R and an unused byte in memory.
    png_set_bgr(e.png);
    png_set_filler(e.png, 0, PNG_FILLER_AFTER);
    return true;
}

bool writePngRows(PngRowWriter::Encoder &e, const QImage &band, int count)
{
    if (setjmp(png_jmpbuf(e.png)))
        return false;
    for (int y = 0; y < count; ++y)
        png_write_row(e.png, const_cast<png_bytep>(band.constScanLine(y)));
    return true;
}

bool endPng(PngRowWriter::Encoder &e)
{
    if (setjmp(png_jmpbuf(e.png)))
        return false;
    png_write_end(e.png, nullptr);
    return true;
}

} // namespace

const int PngRowWriter::DefaultFilters = PNG_FILTER_NONE;

PngRowWriter::PngRowWriter(int level, int filters)
    : level_(level)
    , filters_(filters)
{
}

PngRowWriter::~PngRowWriter() = default;

std::optional<QString> PngRowWriter::sizeProblem(int64_t width, int64_t height) const
{
    return pngSizeProblem(width, height);
}

bool PngRowWriter::begin(AtomicFileWriter &file, int width, int height)
{
    encoder_ = std::make_unique<Encoder>();
    Encoder &e = *encoder_;
    e.file = &file;
    e.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Encoder::fail, Encoder::warn);
    if (e.png)
        e.info = png_create_info_struct(e.png);
    if (!e.png || !e.info)
        throw std::bad_alloc();
    png_set_write_fn(e.png, &e, Encoder::write, Encoder::flush);
    png_set_compression_level(e.png, level_);
    png_set_filter(e.png, PNG_FILTER_TYPE_BASE, filters_);
    return startPng(e, width, height);
}

bool PngRowWriter::writeRows(AtomicFileWriter &, const QImage &band, int count)
{
    return writePngRows(*encoder_, band, count);
}

bool PngRowWriter::finish(AtomicFileWriter &)
{
    return endPng(*encoder_);
}

std::optional<QString> pngSizeProblem(int64_t width, int64_t height)
{
    if (width <= 0 || height <= 0)
        return QStringLiteral("La carte est vide : il n'y a aucune image à enregistrer.");
    if (width <= LargestPngSide && height <= LargestPngSide)
        return std::nullopt;
    const QLocale french(QLocale::French, QLocale::France);
    return QStringLiteral("L'image de cette carte mesurerait %1 x %2 pixels : c'est trop grand pour un "
                          "fichier PNG, dont les côtés ne peuvent dépasser %3 pixels. Diminuez le zoom, puis "
                          "recommencez.")
        .arg(french.toString(static_cast<qlonglong>(width)), french.toString(static_cast<qlonglong>(height)),
             french.toString(static_cast<qlonglong>(LargestPngSide)));
}
