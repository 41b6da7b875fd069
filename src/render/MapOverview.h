#pragma once
// The minimap's picture of a map, drawn from the map itself: each pixel is
// the mean of the average colours of the tiles it covers, zones tinted as the
// map shows them, and the province grid darkened, at the scale that fits the
// map in 188 x 102 pixels (the world map's 310 columns, its 300 and the
// 10-cell shift of odd province rows, across 188 pixels). An edit redraws
// only the pixels over the cells it changed.
#include <QImage>
#include <QRect>
#include <cstdint>
#include <vector>

class CarteVarenthe;
class TileLibrary;

class MapOverview {
public:
    static constexpr int Width = 188;
    static constexpr int Height = 102;

    // Map cells per overview pixel, the same along both axes, as a fraction
    // (cells, pixels), so that cell and pixel positions convert exactly.
    struct Scale {
        int64_t cells = 1;
        int64_t pixels = 1;
        int pixelOf(int64_t cell) const { return static_cast<int>(cell * pixels / cells); }
        int64_t cellOf(int pixel) const { return pixel * cells / pixels; }
    };
    static Scale scaleFor(const CarteVarenthe &map);

    // Draws the whole picture.
    void rebuild(const CarteVarenthe &map, TileLibrary &tiles);
    // Redraws the pixels over `cells` (a rectangle of cells); the whole
    // picture when it was never drawn or the map changed size.
    void update(const CarteVarenthe &map, TileLibrary &tiles, const QRect &cells);

    bool isNull() const { return picture_.isNull(); }
    const QImage &picture() const { return picture_; }
    Scale scale() const { return scale_; }

private:
    QRgb tileColour(TileLibrary &tiles, int32_t tile);
    void drawPixel(const CarteVarenthe &map, TileLibrary &tiles, int px, int py);
    bool onProvinceGrid(const CarteVarenthe &map, int px, int py) const;

    QImage picture_;
    Scale scale_;
    int32_t mapWidth_ = -1;
    int32_t mapHeight_ = -1;
    uint64_t tilesGeneration_ = 0;
    std::vector<QRgb> tileColours_; // per tile number, 0 while not measured
};
