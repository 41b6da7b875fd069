#include "TileArt.h"

#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

QImage newTile()
{
    QImage tile(TilePixels, TilePixels, QImage::Format_RGB32);
    tile.fill(Qt::black);
    return tile;
}

uint32_t artHash(uint32_t a, uint32_t b, uint32_t c)
{
    // A small avalanche mix (the finaliser of a well-known 32-bit hash), fed
    // one word at a time.
    uint32_t h = 0x9E3779B9u;
    for (uint32_t word : {a, b, c}) {
        h ^= word + 0x7F4A7C15u + (h << 6) + (h >> 2);
        h ^= h >> 16;
        h *= 0x85EBCA6Bu;
        h ^= h >> 13;
        h *= 0xC2B2AE35u;
        h ^= h >> 16;
    }
    return h;
}

double artUnit(uint32_t a, uint32_t b, uint32_t c)
{
    return (artHash(a, b, c) >> 8) / 16777216.0;
}

QColor mixColour(const QColor &a, const QColor &b, double towardB)
{
    const double t = std::clamp(towardB, 0.0, 1.0);
    auto mix = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

QColor shiftColour(const QColor &colour, int delta)
{
    auto clampByte = [](int v) { return std::clamp(v, 0, 255); };
    return QColor(clampByte(colour.red() + delta), clampByte(colour.green() + delta),
                  clampByte(colour.blue() + delta));
}

void fillTexture(QImage &tile, const QRect &area, const QColor &base, int spread, uint32_t seed)
{
    const QRect clipped = area.intersected(tile.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(tile.scanLine(y));
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            const int delta = spread == 0 ? 0 : static_cast<int>(artHash(seed, x, y) % (2 * spread + 1)) - spread;
            line[x] = shiftColour(base, delta).rgb();
        }
    }
}

GroundColours groundColours(Season season)
{
    if (season == Season::Summer) {
        return {QColor(92, 156, 64),   QColor(64, 122, 46),  QColor(150, 116, 74),
                QColor(184, 176, 158), QColor(28, 72, 148),  QColor(70, 120, 196),
                QColor(64, 136, 214),  QColor(236, 240, 246), QColor(184, 200, 222)};
    }
    return {QColor(234, 238, 244), QColor(196, 206, 220), QColor(120, 104, 92),
            QColor(214, 216, 222), QColor(40, 70, 112),   QColor(96, 126, 160),
            QColor(176, 210, 232), QColor(246, 248, 252), QColor(176, 194, 222)};
}

void paintMeadow(QImage &tile, Season season)
{
    const GroundColours colours = groundColours(season);
    fillTexture(tile, tile.rect(), colours.grass, season == Season::Summer ? 7 : 3, 100);
    // Tufts: small darker marks in summer, dry stalks poking through the
    // snow in winter.
    const QColor tuft = season == Season::Summer ? colours.grassDark : QColor(150, 134, 104);
    for (int i = 0; i < 7; ++i) {
        const int x = 2 + static_cast<int>(artHash(101, i) % 27);
        const int y = 3 + static_cast<int>(artHash(102, i) % 26);
        tile.setPixel(x, y, tuft.rgb());
        tile.setPixel(x - 1, y - 1, tuft.rgb());
        tile.setPixel(x + 1, y - 1, tuft.rgb());
    }
}

void paintSea(QImage &tile, Season season, uint32_t seed)
{
    const GroundColours colours = groundColours(season);
    fillTexture(tile, tile.rect(), colours.water, 4, seed);
    QPainter painter(&tile);
    if (season == Season::Summer) {
        painter.setPen(colours.waterLight);
        for (int i = 0; i < 4; ++i) {
            const int x = 2 + static_cast<int>(artHash(seed, 1, i) % 22);
            const int y = 3 + i * 8 + static_cast<int>(artHash(seed, 2, i) % 4);
            painter.drawLine(x, y, x + 2, y - 1);
            painter.drawLine(x + 3, y - 1, x + 5, y);
        }
    } else {
        // Drifting floes: the sea stays open to boats, only cold.
        painter.setPen(Qt::NoPen);
        for (int i = 0; i < 3; ++i) {
            const int x = 2 + static_cast<int>(artHash(seed, 3, i) % 24);
            const int y = 2 + i * 10 + static_cast<int>(artHash(seed, 4, i) % 5);
            const int w = 3 + static_cast<int>(artHash(seed, 5, i) % 4);
            painter.setBrush(colours.snowShade);
            painter.drawRect(x, y + 1, w, 2);
            painter.setBrush(colours.snow);
            painter.drawRect(x, y, w, 2);
        }
    }
}

void paintCityGround(QImage &tile, Season season, uint32_t seed)
{
    const GroundColours colours = groundColours(season);
    fillTexture(tile, tile.rect(), colours.pavement, season == Season::Summer ? 6 : 3, seed);
    if (season == Season::Summer) {
        // Cobble joints every few pixels.
        for (int y = 0; y < TilePixels; y += 4) {
            for (int x = (y / 4) % 2 * 2; x < TilePixels; x += 4)
                tile.setPixel(x, y, shiftColour(colours.pavement, -22).rgb());
        }
    }
}

void beginSmooth(QPainter &painter, QImage &tile)
{
    painter.begin(&tile);
    painter.setRenderHint(QPainter::Antialiasing, true);
}

void drawTree(QPainter &painter, double x, double y, double size, Season season, bool conifer, uint32_t seed)
{
    const QColor trunk(96, 66, 40);
    painter.save();
    if (conifer) {
        const QColor needles = season == Season::Summer ? QColor(34, 96, 50) : QColor(46, 90, 70);
        painter.setPen(Qt::NoPen);
        painter.setBrush(trunk);
        painter.drawRect(QRectF(x - size * 0.08, y - size * 0.25, size * 0.16, size * 0.25));
        for (int layer = 0; layer < 3; ++layer) {
            const double top = y - size * (1.0 - layer * 0.22);
            const double base = y - size * (0.45 - layer * 0.16);
            const double half = size * (0.22 + layer * 0.09);
            QPolygonF cone({QPointF(x, top), QPointF(x + half, base), QPointF(x - half, base)});
            painter.setBrush(needles);
            painter.drawPolygon(cone);
            if (season == Season::Winter) {
                // Snow lies on the upper side of each layer.
                QPolygonF cap({QPointF(x, top), QPointF(x + half * 0.5, (top + base) / 2),
                               QPointF(x - half * 0.6, (top + base) / 2)});
                painter.setBrush(QColor(244, 246, 250));
                painter.drawPolygon(cap);
            }
        }
    } else if (season == Season::Summer) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(trunk);
        painter.drawRect(QRectF(x - size * 0.08, y - size * 0.45, size * 0.16, size * 0.45));
        const QColor leaves = mixColour(QColor(46, 120, 40), QColor(96, 150, 40), artUnit(seed, 7));
        painter.setBrush(shiftColour(leaves, -20));
        painter.drawEllipse(QPointF(x + size * 0.05, y - size * 0.62), size * 0.36, size * 0.32);
        painter.setBrush(leaves);
        painter.drawEllipse(QPointF(x - size * 0.04, y - size * 0.68), size * 0.28, size * 0.25);
    } else {
        // Bare tree: trunk and a few forked branches.
        painter.setPen(QPen(trunk, std::max(1.0, size * 0.1)));
        painter.drawLine(QPointF(x, y), QPointF(x, y - size * 0.7));
        painter.setPen(QPen(trunk, std::max(1.0, size * 0.06)));
        const double top = y - size * 0.7;
        painter.drawLine(QPointF(x, y - size * 0.45), QPointF(x - size * 0.3, y - size * 0.85));
        painter.drawLine(QPointF(x, y - size * 0.5), QPointF(x + size * 0.32, y - size * 0.9));
        painter.drawLine(QPointF(x, top), QPointF(x - size * 0.05, y - size));
        painter.drawLine(QPointF(x - size * 0.15, y - size * 0.65), QPointF(x - size * 0.32, y - size * 0.66));
    }
    painter.restore();
}
