// Reading every generation of map file and writing version 3, byte by byte.
#include <gtest/gtest.h>

#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"
#include "map/MapFileWriter.h"
#include "MapTestFiles.h"

namespace {

// The small map of the format's own example: 2 x 1 cells (100, 110), one
// city "Alba" number 7 at column 1, no provinces, all costs 0.
MapBytes albaFile()
{
    MapBytes file;
    file.header(3, 0, 2, 1, 0, 0, 0, 16, 0).u16(100).u16(110);
    file.i32(1).i32s({1, 0, 1, 7});
    file.costTables().text("Alba\r\n");
    return file;
}

CarteVarenthe openBytes(const ScratchFolder &folder, const MapBytes &bytes, const std::string &name = "map.vr")
{
    const std::string path = folder.file(name);
    writeBytes(path, bytes.str());
    CarteVarenthe map;
    map.open(path);
    return map;
}

int32_t int32At(const std::string &bytes, size_t offset)
{
    uint32_t value = 0;
    for (int b = 0; b < 4; ++b)
        value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[offset + b])) << (8 * b);
    return static_cast<int32_t>(value);
}

std::string loadError(const ScratchFolder &folder, const MapBytes &bytes)
{
    try {
        openBytes(folder, bytes);
    } catch (const MapFileError &error) {
        return error.what();
    }
    return "loaded";
}

} // namespace

TEST(MapFileFormat, theExampleFileLoadsAsTwoCellsWithOneCityAndSavesBackToTheSameBytes)
{
    ScratchFolder folder;
    const MapBytes bytes = albaFile();
    ASSERT_EQ(bytes.size(), 44u + 4 + 4 + 16 + 3072 + 6);
    CarteVarenthe map = openBytes(folder, bytes);

    EXPECT_EQ(map.width, 2);
    EXPECT_EQ(map.height, 1);
    EXPECT_EQ(map.provinceWidth, 0);
    EXPECT_EQ(map.provinceHeight, 0);
    EXPECT_EQ(map.mapType, 0);
    EXPECT_EQ(map.generatedAt, 0);
    EXPECT_EQ(map.terrainAt(0, 0), 100);
    EXPECT_EQ(map.terrainAt(1, 0), 110);
    ASSERT_EQ(map.elements.size(), 1u);
    const Element *alba = map.elementAt(1, 0);
    ASSERT_NE(alba, nullptr);
    EXPECT_EQ(alba->kind, ElementCity);
    EXPECT_EQ(alba->name, "Alba");
    EXPECT_EQ(alba->number, 7);
    EXPECT_EQ(map.elementAt(0, 0), nullptr);
    EXPECT_TRUE(map.provinceNames.empty());
    EXPECT_EQ(map.costTables, CostTables{});
    EXPECT_EQ(map.fileName, folder.file("map.vr"));
    EXPECT_FALSE(map.modified);
    EXPECT_FALSE(map.untitled);

    // Saving writes the same file, stamped with the time of the save.
    const int32_t before = mapFileTimestampNow();
    map.save(folder.file("again.vr"));
    const int32_t after = mapFileTimestampNow();
    std::string written = readBytes(folder.file("again.vr"));
    ASSERT_EQ(written.size(), bytes.size());
    const int32_t stamped = int32At(written, 12);
    EXPECT_GE(stamped, before);
    EXPECT_LE(stamped, after);
    written.replace(12, 4, std::string(4, '\0'));
    EXPECT_EQ(written, bytes.str());
}

TEST(MapFileFormat, aOneCellMapWithNothingOnItLoadsWithNoProvinceNames)
{
    ScratchFolder folder;
    MapBytes file;
    file.header(3, 1234, 1, 1, 0, 0, 0, 16, 0).u16(106).i32(0).costTables();
    ASSERT_EQ(file.size(), 44u + 2 + 4 + 3072);
    const CarteVarenthe map = openBytes(folder, file);
    EXPECT_EQ(map.terrainAt(0, 0), 106);
    EXPECT_EQ(map.generatedAt, 1234);
    EXPECT_TRUE(map.elements.empty());
    EXPECT_TRUE(map.provinceNames.empty());
}

TEST(MapFileFormat, anOldHeaderlessWorldMapLoadsWithItsLayoutNamesAndNumberedCities)
{
    ScratchFolder folder;
    MapBytes file;
    for (int y = 0; y < 169; ++y)
        for (int x = 0; x < 310; ++x)
            file.u8(x == 5 && y == 7 ? 103 : 100);
    file.i32(2).i32s({5, 7, 300, 160});
    // Costs of the old world map travel with it.
    for (int i = 0; i < 768; ++i)
        file.i32(i == 100 ? 40 : 0);
    for (int p = 0; p < 195; ++p)
        file.text("Province " + std::to_string(p) + "\r\n");
    file.text("Port-Vent\r\nSelmar\r\n");

    const int32_t before = mapFileTimestampNow();
    const CarteVarenthe map = openBytes(folder, file);
    EXPECT_EQ(map.width, 310);
    EXPECT_EQ(map.height, 169);
    EXPECT_EQ(map.provinceWidth, 20);
    EXPECT_EQ(map.provinceHeight, 13);
    EXPECT_EQ(map.provinceCount, 195);
    EXPECT_EQ(map.mapType, 1);
    EXPECT_GE(map.generatedAt, before); // "now": the file records no date
    ASSERT_EQ(map.provinceNames.size(), 195u);
    EXPECT_EQ(map.provinceNames[194], "Province 194");
    EXPECT_EQ(map.terrainAt(5, 7), 103);
    EXPECT_EQ(map.terrainAt(6, 7), 100);
    EXPECT_EQ(map.costTables.footCost[100], 40);
    ASSERT_EQ(map.elements.size(), 2u);
    EXPECT_EQ(map.elementAt(5, 7)->name, "Port-Vent");
    EXPECT_EQ(map.elementAt(5, 7)->number, 0);
    EXPECT_EQ(map.elementAt(300, 160)->name, "Selmar");
    EXPECT_EQ(map.elementAt(300, 160)->number, 1);
    EXPECT_EQ(map.elementAt(300, 160)->kind, ElementCity);
}

TEST(MapFileFormat, aVersionOneMapIsReadAsAWorldMapWhateverItsHeaderSays)
{
    for (const int width : {310, 300}) {
        SCOPED_TRACE(width);
        ScratchFolder folder;
        MapBytes file;
        // Layout fields, bits per cell and map type are nonsense on purpose.
        file.header(1, 99, width, 169, 7, 7, 3, 32, 0);
        for (int i = 0; i < width * 169; ++i)
            file.u8(i == 1 ? 105 : 100);
        file.i32(1).i32s({1, 0}).costTables();
        for (int p = 0; p < 195; ++p)
            file.text("\r\n");
        file.text("Tor");
        const CarteVarenthe map = openBytes(folder, file);
        EXPECT_EQ(map.provinceWidth, 20);
        EXPECT_EQ(map.provinceHeight, 13);
        EXPECT_EQ(map.provinceCount, 195);
        EXPECT_EQ(map.mapType, 1);
        EXPECT_EQ(map.generatedAt, 99);
        EXPECT_EQ(map.terrainAt(1, 0), 105);
        EXPECT_EQ(map.elementAt(1, 0)->name, "Tor");
    }
}

TEST(MapFileFormat, aVersionTwoMapNumbersItsCitiesByPosition)
{
    ScratchFolder folder;
    MapBytes file;
    file.header(2, 0, 3, 2, 0, 0, 1, 16, 0);
    for (int i = 0; i < 6; ++i)
        file.u16(2511 + i);
    file.i32(3).i32s({0, 0, 2, 1, 1, 1}).costTables().text("Nord\nA\nB\nC\n");
    const CarteVarenthe map = openBytes(folder, file);
    EXPECT_EQ(map.terrainAt(2, 1), 2516);
    ASSERT_EQ(map.provinceNames, std::vector<std::string>{"Nord"});
    ASSERT_EQ(map.elements.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(map.elements[i].kind, ElementCity);
        EXPECT_EQ(map.elements[i].number, i);
    }
    EXPECT_EQ(map.elementAt(1, 1)->name, "C");
}

TEST(MapFileFormat, cellsOfAnyWidthKeepTheirFirstFourBytesAndTileNumbersOutOfRange)
{
    struct Case {
        int32_t bitsPerCell;
        std::string cellBytes;
        int32_t tile;
    } cases[] = {
        {0, "", 0},                                    // no cell bytes at all
        {8, "\x65", 101},                              // 8 bits
        {15, "\x65", 101},                             // 15 / 8 = 1 byte
        {24, std::string("\x70\x11\x01", 3), 70000},  // 3 bytes
        {32, "\xff\xff\xff\xff", -1},                  // a negative tile, kept
        {40, std::string("\x6a\x00\x00\x00\x7f", 5), 106}, // the fifth byte is skipped
        {-7, "", 0},                                   // -7 / 8 = 0 bytes
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bitsPerCell);
        ScratchFolder folder;
        MapBytes file;
        file.header(3, 0, 2, 1, 0, 0, 0, c.bitsPerCell, 0).text(c.cellBytes).text(c.cellBytes);
        file.i32(0).costTables();
        CarteVarenthe map = openBytes(folder, file);
        EXPECT_EQ(map.terrainAt(0, 0), c.tile);
        EXPECT_EQ(map.terrainAt(1, 0), c.tile);
    }
}

TEST(MapFileFormat, sidesUpTo4096AndElementCountsUpTo1048576AreAccepted)
{
    ScratchFolder folder;
    for (const bool wide : {true, false}) {
        MapBytes file;
        file.header(3, 0, wide ? 4096 : 1, wide ? 1 : 4096, 0, 0, 0, 8, 0).zeros(4096).i32(0).costTables();
        const CarteVarenthe map = openBytes(folder, file);
        EXPECT_EQ(map.width * map.height, 4096);

        MapBytes tooBig;
        tooBig.header(3, 0, wide ? 4097 : 1, wide ? 1 : 4097, 0, 0, 0, 8, 0).zeros(4097).i32(0).costTables();
        EXPECT_EQ(loadError(folder, tooBig), MapFileDimensionsMessage);
    }

    MapBytes most;
    most.header(3, 0, 1, 1, 0, 0, 0, 8, 0).u8(100).i32(MaxElementCount);
    for (int i = 0; i < MaxElementCount; ++i)
        most.i32s({0, 0, 1, i});
    most.costTables();
    for (int i = 0; i < MaxElementCount; ++i)
        most.text("\r\n");
    const CarteVarenthe crowded = openBytes(folder, most);
    EXPECT_EQ(crowded.elements.size(), static_cast<size_t>(MaxElementCount));
    EXPECT_EQ(crowded.elementAt(0, 0)->number, MaxElementCount - 1); // the later record names the cell

    MapBytes tooMany;
    tooMany.header(3, 0, 1, 1, 0, 0, 0, 8, 0).u8(100).i32(MaxElementCount + 1).zeros(16 * (MaxElementCount + 1));
    tooMany.costTables();
    EXPECT_EQ(loadError(folder, tooMany), MapFileElementCountMessage);
}

TEST(MapFileFormat, namesAreSeparatedByAnyLineEndAndEndAtTheFirstZeroByte)
{
    ScratchFolder folder;
    MapBytes file;
    file.header(3, 0, 5, 1, 0, 0, 1, 8, 0).zeros(5).i32(5);
    for (int x = 0; x < 5; ++x)
        file.i32s({x, 0, 1, x});
    file.costTables().text("Val d'\xC9t\xE9\rA\nB\r\n\n\rE");
    const CarteVarenthe map = openBytes(folder, file);
    ASSERT_EQ(map.provinceNames.size(), 1u);
    EXPECT_EQ(map.provinceNames[0], "Val d'Été"); // Windows-1252 in the file, UTF-8 here
    EXPECT_EQ(map.elements[0].name, "A");
    EXPECT_EQ(map.elements[1].name, "B");
    EXPECT_EQ(map.elements[2].name, "");
    EXPECT_EQ(map.elements[3].name, "");
    EXPECT_EQ(map.elements[4].name, "E"); // a last line without its end

    // Fewer lines than names: "List index out of bounds" with the number of
    // the first missing line; a zero byte ends the text.
    MapBytes shortText;
    shortText.header(3, 0, 1, 1, 0, 0, 2, 8, 0).zeros(1).i32(2).i32s({0, 0, 1, 1, 0, 0, 1, 2});
    shortText.costTables().text("Nord\r\nSud\r\nAlba\r\n").zeros(1).text("Selmar\r\n");
    try {
        openBytes(folder, shortText);
        FAIL() << "a missing name line must refuse the file";
    } catch (const MapTextIndexError &error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (3)");
    }
}

TEST(MapFileFormat, aSavedMapReadsBackAsTheSameMap)
{
    ScratchFolder folder;
    CarteVarenthe map;
    map.create(30, 20, 20, 13, 1, 100);
    map.SetCellTile(3, 4, 105);
    map.SetCellTile(5, 5, 70000); // kept in the document, saved as its low 16 bits
    map.SetCellTile(6, 5, 5999);
    map.SetCellElement(1, 2, Element{ElementCity, "Œrnö € ville", 0, 0, 42});
    map.SetCellElement(7, 8, Element{ElementZone, "Zone religieuse", 0, 0, 254});
    map.SetCellElement(9, 9, Element{ElementNone, "", 0, 0, 0});
    map.elements.push_back(Element{ElementCity, "Au large", 31, -2, 8}); // off the map
    map.provinceNames = {"Haut-Pays", "", "Côte"};
    map.costTables.footCost[105] = 99;
    map.save(folder.file("round.vr"));
    EXPECT_FALSE(map.modified);
    EXPECT_FALSE(map.untitled);
    EXPECT_EQ(map.fileName, folder.file("round.vr"));

    CarteVarenthe back;
    back.open(folder.file("round.vr"));
    EXPECT_EQ(back.width, 30);
    EXPECT_EQ(back.height, 20);
    EXPECT_EQ(back.provinceWidth, 20);
    EXPECT_EQ(back.provinceHeight, 13);
    EXPECT_EQ(back.mapType, 1);
    EXPECT_EQ(back.provinceCount, 3);
    EXPECT_EQ(back.provinceNames, map.provinceNames);
    EXPECT_EQ(back.costTables, map.costTables);
    EXPECT_NE(back.generatedAt, 0);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(back.terrainAt(x, y), x == 5 && y == 5 ? 4464 : map.terrainAt(x, y)) << x << "," << y;
    ASSERT_EQ(back.elements.size(), map.elements.size());
    for (size_t i = 0; i < map.elements.size(); ++i) {
        EXPECT_EQ(back.elements[i].kind, map.elements[i].kind);
        EXPECT_EQ(back.elements[i].name, map.elements[i].name);
        EXPECT_EQ(back.elements[i].x, map.elements[i].x);
        EXPECT_EQ(back.elements[i].y, map.elements[i].y);
        EXPECT_EQ(back.elements[i].number, map.elements[i].number);
    }
    EXPECT_EQ(back.elementAt(1, 2)->name, "Œrnö € ville");
    EXPECT_EQ(back.elementAt(9, 9)->kind, ElementNone);
}

TEST(MapFileFormat, aLargeMapReadsBackCellForCellAndItsCitiesStayEditable)
{
    // Large enough for the cells to be read beside the names, piece by piece.
    ScratchFolder folder;
    CarteVarenthe map;
    map.create(1100, 1000, 20, 13, 1, 100);
    uint32_t seed = 7;
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x) {
            seed = seed * 1103515245u + 12345u;
            map.terrain.at(x, y) = static_cast<int32_t>(seed >> 16) % 6000;
        }
    map.SetCellElement(0, 0, Element{ElementCity, "Alba", 0, 0, 1});
    map.SetCellElement(1099, 999, Element{ElementCity, "Selmar", 0, 0, 2});
    map.SetCellElement(550, 500, Element{ElementZone, "", 0, 0, 251});
    map.save(folder.file("large.vr"));

    CarteVarenthe back;
    back.open(folder.file("large.vr"));
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x)
            ASSERT_EQ(back.terrainAt(x, y), map.terrainAt(x, y)) << x << "," << y;
    ASSERT_NE(back.elementAt(1099, 999), nullptr);
    EXPECT_EQ(back.elementAt(1099, 999)->name, "Selmar");
    EXPECT_EQ(back.elementAt(550, 500)->number, 251);
    EXPECT_EQ(back.elementAt(1, 0), nullptr);

    // Placing a city where one stands renames it; elsewhere adds one.
    back.SetCellElement(0, 0, Element{ElementCity, "Alba-la-Neuve", 0, 0, 1});
    back.SetCellElement(10, 10, Element{ElementCity, "Brume", 0, 0, 3});
    EXPECT_EQ(back.elements.size(), 4u);
    EXPECT_EQ(back.elementAt(0, 0)->name, "Alba-la-Neuve");
    EXPECT_EQ(back.elementAt(10, 10)->name, "Brume");
}

TEST(MapFileFormat, aNewMapWithThreeUnnamedElementsWritesThreeEmptyLines)
{
    ScratchFolder folder;
    CarteVarenthe map;
    map.create(4, 4, 0, 0, 0, 0);
    for (int x = 0; x < 3; ++x)
        map.SetCellElement(x, 0, Element{ElementZone, "", 0, 0, 251});
    map.save(folder.file("new.vr"));
    const std::string bytes = readBytes(folder.file("new.vr"));
    EXPECT_EQ(bytes.substr(32, 4), std::string(4, '\0')); // provinceCount 0
    EXPECT_EQ(bytes.size(), 44u + 32 + 4 + 48 + 3072 + 6);
    EXPECT_EQ(bytes.substr(bytes.size() - 6), "\r\n\r\n\r\n");

    CarteVarenthe back;
    back.open(folder.file("new.vr"));
    ASSERT_EQ(back.elements.size(), 3u);
    for (const Element &element : back.elements)
        EXPECT_EQ(element.name, "");
}

TEST(MapFileFormat, aNameHoldingALineBreakCannotShiftTheNamesAfterIt)
{
    ScratchFolder folder;
    CarteVarenthe map;
    map.create(2, 1, 0, 0, 0, 0);
    map.SetCellElement(0, 0, Element{ElementCity, "Haute\nVille", 0, 0, 1});
    map.SetCellElement(1, 0, Element{ElementCity, "Basse", 0, 0, 2});
    map.save(folder.file("names.vr"));
    CarteVarenthe back;
    back.open(folder.file("names.vr"));
    EXPECT_EQ(back.elementAt(0, 0)->name, "Haute Ville");
    EXPECT_EQ(back.elementAt(1, 0)->name, "Basse");
}
