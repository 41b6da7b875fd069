#pragma once
// The in-memory map: size and province layout, one tile number per cell, the
// elements placed on cells, province names, movement-cost tables, the state of
// the route search, and the file name with its two flags. Owned by one map
// window, read by the renderer, the tool windows, the route finder and
// pelmorin-cli. Plain data with a handful of total operations: positions
// outside the map read 0 / -1 / none and writes outside are ignored.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "map/CostTables.h"
#include "map/Element.h"
#include "map/Grid.h"

class EditReport;

enum TravelLayer : int32_t {
    OnFoot = 0,
    Afloat = 1,
};

enum RouteMark : int32_t {
    MarkNone = 0,
    MarkOnRoute = 1,
    MarkLayerChange = 3,
};

// Largest width or height of a map; the file reader refuses anything larger.
inline constexpr int32_t MaxMapSide = 4096;
// Largest element count of a map file.
inline constexpr int32_t MaxElementCount = 1048576;
// Every odd province row is shifted east by this many cells, whatever the
// province width.
inline constexpr int32_t ProvinceShift = 10;

// Road pieces 110 to 120 are chosen by the document from their neighbours.
inline bool isRoad(int32_t code) { return code >= 110 && code <= 120; }
// Codes that road pieces join to: the empty cell, road pieces, and 121, 122.
inline bool joinsRoad(int32_t code) { return code == 0 || (code >= 110 && code <= 122); }
// Road piece for a mask of joining neighbours (1 west, 2 north, 4 east,
// 8 south); 0 for the empty mask, where a road keeps the piece it has.
inline int32_t roadPieceFor(int mask)
{
    constexpr std::array<int32_t, 16> pieces = {
        0, 110, 111, 115, 110, 110, 112, 119, 111, 114, 111, 118, 113, 117, 116, 120,
    };
    return pieces[static_cast<size_t>(mask & 15)];
}

class CarteVarenthe {
public:
    CarteVarenthe();

    // Construction. `create` throws MapCreateError for a width or height that
    // is not between 1 and MaxMapSide; `open` and `load` throw MapFileError.
    void create(int32_t width, int32_t height, int32_t provinceWidth, int32_t provinceHeight,
                int32_t mapType, int32_t fill);
    void open(const std::string &path);
    void reset(int32_t width, int32_t height, int32_t layers, int32_t fill);
    void load(const std::string &path);
    void save(const std::string &path);

    // Cells and elements.
    bool contains(int32_t x, int32_t y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height;
    }
    int32_t terrainAt(int32_t x, int32_t y) const { return contains(x, y) ? terrain.at(x, y) : 0; }
    // The edits below add every cell and element record they change to
    // `report`, when given, road neighbours included.
    void SetCellTile(int32_t x, int32_t y, int32_t tile, EditReport *report = nullptr);
    void JoinRoadTile(int32_t x, int32_t y, EditReport *report = nullptr);
    const Element *elementAt(int32_t x, int32_t y) const;
    Element *elementAt(int32_t x, int32_t y);
    void SetCellElement(int32_t x, int32_t y, Element element, EditReport *report = nullptr);
    int32_t routeTimeAt(int32_t x, int32_t y, int32_t layer) const
    {
        return (layer == OnFoot || layer == Afloat) && contains(x, y) ? routeTime[layer].at(x, y) : -1;
    }
    int32_t routeStepAt(int32_t x, int32_t y, int32_t layer) const
    {
        return (layer == OnFoot || layer == Afloat) && contains(x, y) ? routeStep[layer].at(x, y) : -1;
    }
    int32_t routeMarkAt(int32_t x, int32_t y) const { return contains(x, y) ? routeMark.at(x, y) : 0; }

    // Route state clears; the search and trace themselves live in the route
    // layer (src/route), which writes the route fields below.
    void clearRouteLayers();
    void clearRouteMarks();

    // Province layout. Both helpers are 0 for a map without provinces.
    bool hasProvinces() const { return provinceWidth != 0 && provinceHeight != 0; }
    int32_t provincesPerRow() const;
    int32_t provinceRows() const;
    int32_t provinceLayoutCount() const { return provincesPerRow() * provinceRows(); }
    // Index (r × P + c) of the province that holds the cell, by the layout that
    // places province names; -1 outside the map or without provinces.
    int32_t provinceIndexAt(int32_t x, int32_t y) const;
    // Name of that province, or empty when it has none.
    std::string provinceNameAt(int32_t x, int32_t y) const;

    // Row letters of the game's notation, for a row inside a province or a
    // row of provinces: 0 "A", 25 "Z", 26 "BA" (base 26 with A as the zero
    // digit, so the row after Z is BA, not AA).
    static std::string rowLetters(int32_t row);

    // Fields, in the order of the file and of the document's description.
    int32_t width = 0;
    int32_t height = 0;
    int32_t routeLayerCount = 2;
    int32_t provinceWidth = 0;
    int32_t provinceHeight = 0;
    int32_t mapType = 0;
    int32_t generatedAt = 0;
    Grid terrain;
    std::array<Grid, 2> routeStep;
    std::array<Grid, 2> routeTime;
    Grid routeMark;
    Grid elementIndex;
    std::vector<Element> elements;
    CostTables costTables;
    std::string fileName;
    bool useWingsGift = false;
    bool allowEmbark = false;
    bool allowAbandon = false;
    int32_t routeStartX = -1;
    int32_t routeStartY = -1;
    int32_t routeEndX = -1;
    int32_t routeEndY = -1;
    int32_t routeTotalTime = -1;
    std::vector<std::string> provinceNames; // UTF-8
    int32_t provinceCount = 0;
    bool modified = false;
    bool untitled = false;
};

// Exact quotient of a by b rounded up (b > 0), for the province layout.
inline int32_t ceilDiv(int64_t a, int64_t b)
{
    if (b <= 0)
        return 0;
    return static_cast<int32_t>(a >= 0 ? (a + b - 1) / b : -((-a) / b));
}
