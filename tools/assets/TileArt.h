#pragma once
// Shared drawing kit of the tile generator: the season a tile is drawn for,
// the colours that change with it, a deterministic per-pixel noise, and the
// small textures and shapes that terrains and buildings are made of. Every
// tile is 32 x 32 pixels, opaque, drawn on a QImage without any display.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <cstdint>

enum class Season { Summer, Winter };

inline constexpr int TilePixels = 32;

// A blank opaque tile, ready to be painted.
QImage newTile();

// Deterministic hash of up to three numbers: the same picture at every build,
// whatever the standard library's random engines do.
uint32_t artHash(uint32_t a, uint32_t b = 0, uint32_t c = 0);
// A value in [0, 1) from the hash.
double artUnit(uint32_t a, uint32_t b = 0, uint32_t c = 0);

QColor mixColour(const QColor &a, const QColor &b, double towardB);
QColor shiftColour(const QColor &colour, int delta);

// Fills a rectangle with a base colour whose brightness varies pixel by pixel
// by up to `spread` levels, seeded so that two textures do not repeat.
void fillTexture(QImage &tile, const QRect &area, const QColor &base, int spread, uint32_t seed);

// Colours of the open ground, which is what winter changes most.
struct GroundColours {
    QColor grass;
    QColor grassDark;
    QColor soil;
    QColor pavement;
    QColor water;
    QColor waterLight;
    QColor riverWater;
    QColor snow;
    QColor snowShade;
};
GroundColours groundColours(Season season);

// The grass (summer) or snow-covered meadow (winter) that every land tile
// starts from; the road tiles draw on the very same ground so that a road
// tile and a grass tile side by side show one field.
void paintMeadow(QImage &tile, Season season);
// The deep sea, with waves in summer and drifting floes in winter.
void paintSea(QImage &tile, Season season, uint32_t seed);
// The paved ground of city tiles.
void paintCityGround(QImage &tile, Season season, uint32_t seed);

// A painter on the tile with antialiasing, for rounded shapes.
void beginSmooth(QPainter &painter, QImage &tile);

// A tree with its trunk foot at (x, y): leafy in summer, bare branches in
// winter; `conifer` draws a fir, which keeps its needles under snow.
void drawTree(QPainter &painter, double x, double y, double size, Season season, bool conifer, uint32_t seed);
