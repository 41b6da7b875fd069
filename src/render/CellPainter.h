#pragma once
// The renderer's pixel writer: fills, one-pixel lines, tile copies and
// blends, and travel-time labels, straight into the 32-bit rows of a canvas,
// each clipped to the area of one render call or, for the cells that lie
// wholly inside it, not clipped at all. Internal to the renderer.
#include <QImage>
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "render/ScaledTileCache.h"
#include "render/ScanlineRuns.h"
#include "render/TimeLabelCache.h"

inline constexpr QRgb OpaqueBlack = 0xFF000000u;

// The drawing area of one call, right and bottom exclusive.
struct Area {
    int left;
    int top;
    int right;
    int bottom;
};

class CellPainter {
public:
    CellPainter(QImage &canvas, const Area &area)
        : bits_(reinterpret_cast<QRgb *>(canvas.bits()))
        , stride_(canvas.bytesPerLine() / 4)
        , area_(area)
    {
    }

    QRgb *line(int y) const { return bits_ + static_cast<ptrdiff_t>(y) * stride_; }

    // Every drawing operation comes in two kinds: clipped to the area, and
    // unclipped for the cells that lie wholly inside it (nearly all of them),
    // which a window at small zoom draws half a million times per paint.
    template <bool Clip = true>
    void fill(int left, int top, int right, int bottom, QRgb colour) const
    {
        if constexpr (Clip) {
            left = std::max(left, area_.left);
            top = std::max(top, area_.top);
            right = std::min(right, area_.right);
            bottom = std::min(bottom, area_.bottom);
            if (left >= right)
                return;
        }
        for (int y = top; y < bottom; ++y) {
            QRgb *to = line(y);
            if (right - left >= 16) {
                fillRun(to + left, right - left, colour);
            } else {
                for (int x = left; x < right; ++x)
                    to[x] = colour;
            }
        }
    }

    // One-pixel lines; the end point is not drawn.
    template <bool Clip = true>
    void verticalLine(int x, int top, int bottom, QRgb colour) const
    {
        if constexpr (Clip) {
            if (x < area_.left || x >= area_.right)
                return;
            top = std::max(top, area_.top);
            bottom = std::min(bottom, area_.bottom);
        }
        QRgb *to = line(top) + x;
        for (int y = top; y < bottom; ++y, to += stride_)
            *to = colour;
    }
    template <bool Clip = true>
    void horizontalLine(int y, int left, int right, QRgb colour) const
    {
        if constexpr (Clip) {
            if (y < area_.top || y >= area_.bottom)
                return;
            left = std::max(left, area_.left);
            right = std::min(right, area_.right);
        }
        QRgb *to = line(y);
        for (int x = left; x < right; ++x)
            to[x] = colour;
    }

    // Hands every row of the top-left size x size square of a scaled copy
    // placed at (x, y), clipped to the area, to rowWork(from, to, width).
    template <bool Clip, typename RowWork>
    void tileRows(const QRgb *copy, int x, int y, int size, RowWork rowWork) const
    {
        int left = x, right = x + size, top = y, bottom = y + size;
        if constexpr (Clip) {
            left = std::max(left, area_.left);
            right = std::min(right, area_.right);
            top = std::max(top, area_.top);
            bottom = std::min(bottom, area_.bottom);
        }
        const int width = right - left;
        if (width <= 0)
            return;
        const QRgb *from = copy + (top - y) * ScaledTileCache::CopyStride + (left - x);
        QRgb *to = line(top) + left;
        for (int row = top; row < bottom; ++row) {
            rowWork(from, to, width);
            from += ScaledTileCache::CopyStride;
            to += stride_;
        }
    }

    // The top-left size x size square of a scaled copy, to (x, y).
    template <bool Clip = true>
    void copyTile(const QRgb *copy, int x, int y, int size) const
    {
        tileRows<Clip>(copy, x, y, size, [](const QRgb *from, QRgb *to, int width) {
            // Small cells are a few pixels: a call to memcpy would cost more.
            if (width <= 4) {
                for (int i = 0; i < width; ++i)
                    to[i] = from[i];
            } else {
                std::memcpy(to, from, static_cast<size_t>(width) * sizeof(QRgb));
            }
        });
    }

    template <bool Clip = true>
    void blendTile(const QRgb *copy, int x, int y, int size, uint32_t alpha) const
    {
        tileRows<Clip>(copy, x, y, size, [alpha](const QRgb *from, QRgb *to, int width) {
            if (width >= 8) {
                blendRun(from, to, width, alpha);
            } else {
                for (int i = 0; i < width; ++i)
                    to[i] = blendPixel(from[i], to[i], alpha);
            }
        });
    }

    // A travel-time label whose box has its top-left corner at (x, y).
    template <bool Clip = true>
    void stampLabel(const TimeLabelCache::Label &label, const uint16_t *points, int x, int y, QRgb colour,
                    bool boxed) const
    {
        if (boxed)
            fill<Clip>(x, y, x + label.boxWidth, y + label.boxHeight, OpaqueBlack);
        if (label.count == 0)
            return;
        const uint16_t *point = points + label.first;
        const uint16_t *end = point + 2 * label.count;
        if constexpr (!Clip) {
            for (; point != end; point += 2)
                line(y + point[1])[x + point[0]] = colour;
        } else {
            for (; point != end; point += 2) {
                const int px = x + point[0];
                const int py = y + point[1];
                if (px >= area_.left && px < area_.right && py >= area_.top && py < area_.bottom)
                    line(py)[px] = colour;
            }
        }
    }

private:
    QRgb *bits_;
    ptrdiff_t stride_;
    Area area_;
};
