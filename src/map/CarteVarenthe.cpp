#include "map/CarteVarenthe.h"

#include "map/EditReport.h"
#include "map/MapErrors.h"

CarteVarenthe::CarteVarenthe() = default;

void CarteVarenthe::create(int32_t newWidth, int32_t newHeight, int32_t newProvinceWidth,
                           int32_t newProvinceHeight, int32_t newMapType, int32_t fill)
{
    // A map the file format cannot hold would be lost at the first save, and
    // a non-positive side leaves nothing to draw or edit.
    if (newWidth < 1 || newHeight < 1 || newWidth > MaxMapSide || newHeight > MaxMapSide)
        throw MapCreateError("Les dimensions de la carte doivent être comprises entre 1 et 4096 cases.");
    // Province sides are divisors and moduli everywhere; a negative one would
    // give negative indices.
    if (newProvinceWidth < 0 || newProvinceHeight < 0)
        throw MapCreateError("Les dimensions des provinces ne peuvent pas être négatives.");

    provinceWidth = newProvinceWidth;
    provinceHeight = newProvinceHeight;
    mapType = newMapType;
    generatedAt = 0;
    elements.clear();
    fileName.clear();
    costTables = defaultCostTables(mapType);
    modified = true;
    untitled = true;
    provinceNames.clear();
    provinceCount = 0;
    reset(newWidth, newHeight, 2, fill);
}

void CarteVarenthe::open(const std::string &path)
{
    elements.clear();
    fileName.clear();
    modified = false;
    untitled = false;
    provinceNames.clear();
    load(path);
}

void CarteVarenthe::reset(int32_t newWidth, int32_t newHeight, int32_t layers, int32_t fill)
{
    terrain.release();
    for (int layer = 0; layer < 2; ++layer) {
        routeStep[layer].release();
        routeTime[layer].release();
    }
    routeMark.release();
    elementIndex.release();
    elements.clear();

    width = newWidth > 0 ? newWidth : 0;
    height = newHeight > 0 ? newHeight : 0;
    // The route search works on exactly two layers, on foot and afloat.
    routeLayerCount = layers == 2 ? layers : 2;

    for (int layer = 0; layer < 2; ++layer) {
        routeStep[layer].assign(width, height, -1);
        routeTime[layer].assign(width, height, -1);
    }
    routeMark.assign(width, height, 0);
    terrain.assign(width, height, fill);
    elementIndex.assign(width, height, 0);

    provinceNames.clear();
    routeStartX = routeStartY = -1;
    routeEndX = routeEndY = -1;
    routeTotalTime = -1;
}

void CarteVarenthe::SetCellTile(int32_t x, int32_t y, int32_t tile, EditReport *report)
{
    if (!contains(x, y))
        return;
    modified = true;
    int32_t &cell = terrain.at(x, y);
    if (report)
        report->recordCell(x, y, cell, tile);
    cell = tile;
    JoinRoadTile(x, y, report);
    JoinRoadTile(x - 1, y, report);
    JoinRoadTile(x, y - 1, report);
    JoinRoadTile(x + 1, y, report);
    JoinRoadTile(x, y + 1, report);
}

void CarteVarenthe::JoinRoadTile(int32_t x, int32_t y, EditReport *report)
{
    if (!isRoad(terrainAt(x, y)))
        return;
    // Positions outside the map read 0 and therefore join: a road runs off
    // the edge of the map.
    int mask = 0;
    if (joinsRoad(terrainAt(x - 1, y)))
        mask |= 1;
    if (joinsRoad(terrainAt(x, y - 1)))
        mask |= 2;
    if (joinsRoad(terrainAt(x + 1, y)))
        mask |= 4;
    if (joinsRoad(terrainAt(x, y + 1)))
        mask |= 8;
    if (const int32_t piece = roadPieceFor(mask); piece != 0) {
        int32_t &cell = terrain.at(x, y);
        if (report)
            report->recordCell(x, y, cell, piece);
        cell = piece;
    }
}

const Element *CarteVarenthe::elementAt(int32_t x, int32_t y) const
{
    if (!contains(x, y))
        return nullptr;
    const int32_t index = elementIndex.at(x, y);
    if (index <= 0 || static_cast<size_t>(index) > elements.size())
        return nullptr;
    return &elements[static_cast<size_t>(index) - 1];
}

Element *CarteVarenthe::elementAt(int32_t x, int32_t y)
{
    return const_cast<Element *>(static_cast<const CarteVarenthe *>(this)->elementAt(x, y));
}

void CarteVarenthe::SetCellElement(int32_t x, int32_t y, Element element, EditReport *report)
{
    if (!contains(x, y))
        return;
    modified = true;
    if (Element *existing = elementAt(x, y)) {
        ElementChange change;
        if (report) {
            change.slot = static_cast<size_t>(existing - elements.data());
            change.x = x;
            change.y = y;
            change.indexBefore = change.indexAfter = elementIndex.at(x, y);
            change.before = *existing;
        }
        existing->x = x;
        existing->y = y;
        existing->kind = element.kind;
        existing->name = std::move(element.name);
        existing->number = element.number;
        if (report) {
            change.after = *existing;
            report->recordElement(std::move(change));
        }
        return;
    }
    element.x = x;
    element.y = y;
    const int32_t indexBefore = elementIndex.at(x, y);
    elements.push_back(std::move(element));
    elementIndex.at(x, y) = static_cast<int32_t>(elements.size());
    if (report)
        report->recordElement(ElementChange{elements.size() - 1, true, x, y, indexBefore,
                                            static_cast<int32_t>(elements.size()), {}, elements.back()});
}

void CarteVarenthe::clearRouteLayers()
{
    for (int layer = 0; layer < 2; ++layer) {
        routeTime[layer].fill(-1);
        routeStep[layer].fill(-1);
    }
}

void CarteVarenthe::clearRouteMarks()
{
    routeMark.fill(0);
}

int32_t CarteVarenthe::provincesPerRow() const
{
    if (!hasProvinces())
        return 0;
    const int32_t perRow = ceilDiv(static_cast<int64_t>(width) - ProvinceShift, provinceWidth);
    return perRow > 0 ? perRow : 0;
}

int32_t CarteVarenthe::provinceRows() const
{
    if (!hasProvinces())
        return 0;
    return ceilDiv(height, provinceHeight);
}

int32_t CarteVarenthe::provinceIndexAt(int32_t x, int32_t y) const
{
    if (!contains(x, y) || !hasProvinces())
        return -1;
    const int32_t row = y / provinceHeight;
    const int32_t shift = (row % 2 == 1) ? ProvinceShift : 0;
    if (x < shift)
        return -1; // west of the first province of a shifted row
    const int32_t column = (x - shift) / provinceWidth;
    const int32_t perRow = provincesPerRow();
    if (column >= perRow)
        return -1;
    return row * perRow + column;
}

std::string CarteVarenthe::provinceNameAt(int32_t x, int32_t y) const
{
    const int32_t index = provinceIndexAt(x, y);
    if (index < 0 || static_cast<size_t>(index) >= provinceNames.size())
        return {};
    return provinceNames[static_cast<size_t>(index)];
}

std::string CarteVarenthe::rowLetters(int32_t row)
{
    std::string letters;
    uint32_t value = row < 0 ? 0u : static_cast<uint32_t>(row);
    do {
        letters.insert(letters.begin(), static_cast<char>('A' + value % 26));
        value /= 26;
    } while (value != 0);
    return letters;
}
