#include "ui/ScreenCopy.h"

#include <QPaintEngine>
#include <QTransform>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Below this many bytes the destination is likely to be read again soon
// (a small repaint): ordinary stores keep it in the caches.
constexpr qint64 StreamedCopyBytes = qint64{256} << 10;

bool holdsOpaque32(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
           || format == QImage::Format_ARGB32_Premultiplied;
}

void streamRow(QRgb *to, const QRgb *from, int count)
{
#if defined(__SSE2__)
    int i = 0;
    for (; i < count && (reinterpret_cast<uintptr_t>(to + i) & 15) != 0; ++i)
        to[i] = from[i];
    for (; i + 16 <= count; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + i + 4));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + i + 8));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + i + 12));
        _mm_stream_si128(reinterpret_cast<__m128i *>(to + i), a);
        _mm_stream_si128(reinterpret_cast<__m128i *>(to + i + 4), b);
        _mm_stream_si128(reinterpret_cast<__m128i *>(to + i + 8), c);
        _mm_stream_si128(reinterpret_cast<__m128i *>(to + i + 12), d);
    }
    for (; i < count; ++i)
        to[i] = from[i];
#else
    std::memcpy(to, from, size_t(count) * sizeof(QRgb));
#endif
}

} // namespace

bool copyStraightToDevice(QPainter &painter, const QImage &picture, const QRegion &region)
{
    QPaintEngine *engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || picture.format() != QImage::Format_RGB32)
        return false;
    QPaintDevice *device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return false;
    auto *target = static_cast<QImage *>(device);
    // A shared image would be written for every holder; scaled or turned
    // painting is no plain copy.
    if (!target->isDetached() || !holdsOpaque32(target->format()) || target->devicePixelRatio() != 1.0
        || picture.devicePixelRatio() != 1.0 || painter.hasClipping())
        return false;
    const QTransform toDevice = painter.deviceTransform();
    if (toDevice.type() > QTransform::TxTranslate || toDevice.dx() != std::round(toDevice.dx())
        || toDevice.dy() != std::round(toDevice.dy()))
        return false;
    const QPoint offset(static_cast<int>(toDevice.dx()), static_cast<int>(toDevice.dy()));

    // Where the painter may paint on the device: the system's clip (the
    // part of the window being painted), or the whole device.
    const QRegion allowed = engine->systemClip().isEmpty() ? QRegion(target->rect())
                                                           : engine->systemClip() & target->rect();
    const QRegion copied = (region & picture.rect()).translated(offset) & allowed;
    qint64 bytes = 0;
    for (const QRect &part : copied)
        bytes += qint64(part.width()) * part.height() * qint64(sizeof(QRgb));
    const bool streamed = bytes >= StreamedCopyBytes;

    uchar *const targetBits = const_cast<uchar *>(target->constBits());
    const qsizetype targetStride = target->bytesPerLine();
    for (const QRect &part : copied) {
        const int fromX = part.left() - offset.x();
        for (int y = part.top(); y <= part.bottom(); ++y) {
            const auto *from = reinterpret_cast<const QRgb *>(picture.constScanLine(y - offset.y())) + fromX;
            auto *to = reinterpret_cast<QRgb *>(targetBits + y * targetStride) + part.left();
            if (streamed)
                streamRow(to, from, part.width());
            else
                std::memcpy(to, from, size_t(part.width()) * sizeof(QRgb));
        }
    }
#if defined(__SSE2__)
    if (streamed)
        _mm_sfence();
#endif
    return true;
}
