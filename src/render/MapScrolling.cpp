// The map window's side of the renderer: its back buffer, and smooth
// scrolling, which shifts the retained picture and renders only the strips
// that came into view.
#include "render/MapRenderer.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

void PaintMapRect(QImage &backBuffer, const QSize &bufferSize, const QRect &rect, const MapView &view,
                  const CarteVarenthe &map, const AppSettings &settings, ScaledTileCache &tiles)
{
    if (backBuffer.size() != bufferSize || backBuffer.format() != QImage::Format_RGB32) {
        backBuffer = QImage(bufferSize, QImage::Format_RGB32);
        backBuffer.fill(Qt::black);
    }
    RenderMap(backBuffer, rect, view, map, settings, tiles);
}

QRect ShiftRetainedPicture(const QImage &previous, QImage &current, const QSize &clientSize, int dx, int dy)
{
    const int width = clientSize.width();
    const int height = clientSize.height();
    // Where the still-visible part lands, clamped to the client area.
    const int left = std::clamp(-dx, 0, width);
    const int right = std::clamp(width - dx, 0, width);
    const int top = std::clamp(-dy, 0, height);
    const int bottom = std::clamp(height - dy, 0, height);
    const QRect valid(left, top, right - left, bottom - top);

    const QRect target = valid.intersected(current.rect()).intersected(previous.rect().translated(-dx, -dy));
    if (!target.isEmpty() && previous.format() == current.format() && previous.depth() == 32) {
        const size_t bytes = static_cast<size_t>(target.width()) * sizeof(QRgb);
        for (int y = target.top(); y <= target.bottom(); ++y) {
            const QRgb *from = reinterpret_cast<const QRgb *>(previous.constScanLine(y + dy)) + target.left() + dx;
            std::memcpy(reinterpret_cast<QRgb *>(current.scanLine(y)) + target.left(), from, bytes);
        }
    } else if (!target.isEmpty()) {
        QPainter painter(&current);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(target.topLeft(), previous, target.translated(dx, dy));
    }
    return valid;
}

ExposedStrips exposedStrips(const QSize &clientSize, const QRect &valid)
{
    const int width = clientSize.width();
    const int height = clientSize.height();
    const int left = valid.left();
    const int right = valid.left() + valid.width();
    const int top = valid.top();
    const int bottom = valid.top() + valid.height();
    ExposedStrips strips;
    strips.stripA = left == 0 ? QRect(right, 0, width - right, height) : QRect(0, 0, left, height);
    strips.stripB = top == 0 ? QRect(left, bottom, right - left, height - bottom)
                             : QRect(left, 0, right - left, top);
    return strips;
}

ExposedStrips RenderExposedStrips(QImage &backBuffer, const QSize &clientSize, const QRect &valid,
                                  const MapView &view, const CarteVarenthe &map, const AppSettings &settings,
                                  ScaledTileCache &tiles)
{
    const ExposedStrips strips = exposedStrips(clientSize, valid);
    if (!strips.stripA.isEmpty())
        RenderMap(backBuffer, strips.stripA, view, map, settings, tiles);
    if (!strips.stripB.isEmpty())
        RenderMap(backBuffer, strips.stripB, view, map, settings, tiles);
    return strips;
}
