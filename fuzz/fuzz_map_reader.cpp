// Fuzz target of the map file reader: any bytes are either refused with a
// message or read into a map that writes back and reads again the same.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"
#include "map/MapFileHeader.h"
#include "map/MapFileReader.h"
#include "map/MapFileWriter.h"

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

int32_t int32At(const uint8_t *data)
{
    return static_cast<int32_t>(data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A map of millions of cells is valid with a few bytes (no cell bytes,
    // or version 1 ignoring its bits per cell); building and comparing its
    // grids would only slow the search down.
    if (size >= MapFileHeaderSize && int32At(data) == MapFileMagic) {
        const int64_t cells = static_cast<int64_t>(int32At(data + 16)) * int32At(data + 20);
        if (cells > (1 << 18))
            return 0;
    }

    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    CarteVarenthe map;
    try {
        readMapFile(map, bytes, "fuzz.vr");
    } catch (const MapFileError &error) {
        require(std::strlen(error.what()) > 0);
        require(map.width == 0 && map.elements.empty() && map.fileName.empty());
        return 0;
    }

    require(map.width >= 0 && map.width <= MaxMapSide && map.height >= 0 && map.height <= MaxMapSide);
    for (size_t i = 0; i < map.elements.size(); ++i) {
        const Element &element = map.elements[i];
        const Element *onCell = map.elementAt(element.x, element.y);
        require(map.contains(element.x, element.y) ? onCell != nullptr : onCell == nullptr);
    }

    const EncodedMapFile file = encodeMapFile(map, map.generatedAt);
    CarteVarenthe back;
    readMapFile(back, file.view(), "again.vr"); // a written map must always read back
    require(back.width == map.width && back.height == map.height);
    require(back.provinceWidth == map.provinceWidth && back.provinceHeight == map.provinceHeight);
    require(back.mapType == map.mapType && back.generatedAt == map.generatedAt);
    require(back.provinceNames == map.provinceNames);
    require(back.costTables == map.costTables);
    require(back.elements.size() == map.elements.size());
    for (size_t i = 0; i < map.elements.size(); ++i) {
        const Element &a = map.elements[i];
        const Element &b = back.elements[i];
        require(a.kind == b.kind && a.name == b.name && a.x == b.x && a.y == b.y && a.number == b.number);
    }
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x)
            require(back.terrainAt(x, y) == (map.terrainAt(x, y) & 0xFFFF));
    return 0;
}
