// Reading every generation of map file and writing version 3, byte by byte; damaged files refused in French.
#include <gtest/gtest.h>

#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

#include "map/CarteVarenthe.h"
#include "map/MapFileReader.h"
#include "map/MapFileWriter.h"
#include "MapTestFiles.h"

namespace {

class MapFileFormat : public ::testing::Test {
protected:
    CarteVarenthe open(const MapBytes &bytes)
    {
        writeBytes(folder.file("map.vr"), bytes.str());
        CarteVarenthe map;
        map.open(folder.file("map.vr"));
        return map;
    }
    std::string loadError(const MapBytes &bytes) { return failureOf([&] { open(bytes); }); }
    ScratchFolder folder;
};
using MalformedMap = MapFileFormat;

// A small world map with everything a file can hold.
CarteVarenthe richMap()
{
    CarteVarenthe map;
    map.create(31, 14, 20, 13, 1, 100);
    map.SetCellTile(2, 3, 110);
    map.SetCellElement(4, 5, Element{ElementCity, "Alba", 0, 0, 7});
    map.SetCellElement(6, 7, Element{ElementZone, "Zone habitable", 0, 0, 253});
    map.provinceNames = {"Nord", "Sud"};
    return map;
}

} // namespace

TEST_F(MapFileFormat, TheExampleFileLoadsAsTwoCellsWithOneCityAndSavesBackToTheSameBytes)
{
    MapBytes bytes;
    bytes.header(3, 0, 2, 1, 0, 0, 0, 16, 0).u16(100).u16(110).i32(1).i32s({1, 0, 1, 7});
    bytes.costTables().text("Alba\r\n");
    CarteVarenthe map = open(bytes);
    EXPECT_EQ(std::tuple(map.width, map.height, map.mapType, map.terrainAt(0, 0), map.terrainAt(1, 0)),
              std::tuple(2, 1, 0, 100, 110));
    ASSERT_EQ(map.elements.size(), 1u);
    ASSERT_NE(map.elementAt(1, 0), nullptr);
    const Element &alba = *map.elementAt(1, 0);
    EXPECT_EQ(std::tuple(alba.kind, alba.name, alba.number), std::tuple(int32_t{ElementCity}, std::string("Alba"), 7));
    EXPECT_EQ(map.elementAt(0, 0), nullptr);

    map.save(folder.file("again.vr"));
    std::string written = readBytes(folder.file("again.vr"));
    written.replace(12, 4, std::string(4, '\0'));
    EXPECT_EQ(written, bytes.str());
}

TEST_F(MapFileFormat, OldWorldMapsHeaderlessOrOfVersionOneLoadWithTheWorldLayoutNamesAndCities)
{
    MapBytes file;
    for (int i = 0; i < 310 * 169; ++i)
        file.u8(i == 7 * 310 + 5 ? 103 : 100);
    file.i32(2).i32s({5, 7, 300, 160});
    for (int i = 0; i < 768; ++i) // the old world map's costs travel with it
        file.i32(i == 100 ? 40 : 0);
    for (int p = 0; p < 195; ++p)
        file.text("Province " + std::to_string(p) + "\r\n");
    file.text("Port-Vent\r\nSelmar\r\n");

    const int32_t before = mapFileTimestampNow();
    const CarteVarenthe map = open(file);
    EXPECT_EQ(std::vector({map.width, map.height, map.provinceWidth, map.provinceHeight, map.provinceCount,
                           map.mapType}),
              std::vector({310, 169, 20, 13, 195, 1}));
    EXPECT_GE(map.generatedAt, before); // "now": the file records no date
    ASSERT_EQ(map.provinceNames.size(), 195u);
    EXPECT_EQ(std::tuple(map.provinceNames[194], map.terrainAt(5, 7), map.terrainAt(6, 7)),
              std::tuple("Province 194", 103, 100));
    EXPECT_EQ(map.costTables.footCost[100], 40);
    ASSERT_EQ(map.elements.size(), 2u);
    EXPECT_EQ(std::tuple(map.elementAt(5, 7)->name, map.elementAt(5, 7)->number), std::tuple("Port-Vent", 0));
    EXPECT_EQ(std::tuple(map.elementAt(300, 160)->number, map.elementAt(300, 160)->kind), std::tuple(1, ElementCity));

    // A version 1 map is a world map whatever its header says.
    for (const int width : {310, 300}) {
        SCOPED_TRACE(width);
        MapBytes file;
        // Layout fields, bits per cell and map type are nonsense on purpose.
        file.header(1, 99, width, 169, 7, 7, 3, 32, 0);
        for (int i = 0; i < width * 169; ++i)
            file.u8(i == 1 ? 105 : 100);
        file.i32(1).i32s({1, 0}).costTables();
        for (int p = 0; p < 195; ++p)
            file.text("\r\n");
        const CarteVarenthe map = open(file.text("Tor"));
        EXPECT_EQ(std::vector({map.provinceWidth, map.provinceHeight, map.provinceCount, map.mapType}),
                  std::vector({20, 13, 195, 1}));
        EXPECT_EQ(std::tuple(map.generatedAt, map.terrainAt(1, 0), map.elementAt(1, 0)->name),
                  std::tuple(99, 105, "Tor"));
    }
}

TEST_F(MapFileFormat, CellsOfAnyWidthKeepTheirFirstFourBytesAndTileNumbersOutOfRange)
{
    const std::tuple<int32_t, std::string, int32_t> cases[] = { // bits per cell, a cell's bytes, its tile
        {15, "\x65", 101},                                 // 15 / 8 = 1 byte
        {24, std::string("\x70\x11\x01", 3), 70000},       // 3 bytes
        {32, "\xff\xff\xff\xff", -1},                      // a negative tile, kept
        {40, std::string("\x6a\x00\x00\x00\x7f", 5), 106}, // the fifth byte is skipped
        {-7, "", 0},                                       // -7 / 8 = 0 bytes: none at all
    };
    for (const auto &[bitsPerCell, cellBytes, tile] : cases) {
        SCOPED_TRACE(bitsPerCell);
        MapBytes file;
        file.header(3, 0, 2, 1, 0, 0, 0, bitsPerCell, 0).text(cellBytes).text(cellBytes);
        const CarteVarenthe map = open(file.i32(0).costTables());
        EXPECT_EQ(std::pair(map.terrainAt(0, 0), map.terrainAt(1, 0)), std::pair(tile, tile));
        EXPECT_TRUE(map.elements.empty() && map.provinceNames.empty());
    }
}

TEST_F(MapFileFormat, SidesUpTo4096AndElementCountsUpTo1048576AreAccepted)
{
    MapBytes widest;
    EXPECT_EQ(open(widest.header(3, 0, 4096, 1, 0, 0, 0, 8, 0).zeros(4096).i32(0).costTables()).width, 4096);
    MapBytes tooWide;
    tooWide.header(3, 0, 4097, 1, 0, 0, 0, 8, 0).zeros(4097).i32(0).costTables();
    EXPECT_EQ(loadError(tooWide), MapFileDimensionsMessage);

    MapBytes most;
    most.header(3, 0, 1, 1, 0, 0, 0, 8, 0).u8(100).i32(MaxElementCount);
    for (int i = 0; i < MaxElementCount; ++i)
        most.i32s({0, 0, 1, i});
    most.costTables().text(std::string(2 * MaxElementCount, '\n'));
    const CarteVarenthe crowded = open(most);
    EXPECT_EQ(crowded.elements.size(), static_cast<size_t>(MaxElementCount));
    EXPECT_EQ(crowded.elementAt(0, 0)->number, MaxElementCount - 1); // the later record names the cell

    MapBytes tooMany;
    tooMany.header(3, 0, 1, 1, 0, 0, 0, 8, 0).u8(100).i32(MaxElementCount + 1).zeros(16 * (MaxElementCount + 1));
    EXPECT_EQ(loadError(tooMany.costTables()), MapFileElementCountMessage);
}

TEST_F(MapFileFormat, NamesAreSeparatedByAnyLineEndAndEndAtTheFirstZeroByte)
{
    MapBytes file;
    file.header(3, 0, 5, 1, 0, 0, 1, 8, 0).zeros(5).i32(5);
    for (int x = 0; x < 5; ++x)
        file.i32s({x, 0, 1, x});
    const CarteVarenthe map = open(file.costTables().text("Val d'\xC9t\xE9\rA\nB\r\n\n\rE"));
    EXPECT_EQ(map.provinceNames, std::vector<std::string>{"Val d'Été"}); // Windows-1252 in the file
    std::vector<std::string> names;
    for (const Element &element : map.elements)
        names.push_back(element.name);
    EXPECT_EQ(names, std::vector<std::string>({"A", "B", "", "", "E"})); // the last line without its end

    // Fewer lines than names, the text ended by a zero byte: the first missing line's number.
    MapBytes shortText;
    shortText.header(3, 0, 1, 1, 0, 0, 2, 8, 0).zeros(1).i32(2).i32s({0, 0, 1, 1, 0, 0, 1, 2});
    shortText.costTables().text("Nord\r\nSud\r\nAlba\r\n").zeros(1).text("Selmar\r\n");
    EXPECT_EQ(loadError(shortText), "List index out of bounds (3)");
}

TEST_F(MapFileFormat, ALargeSavedMapReadsBackCellForCellWithEveryElementAndName)
{
    // Large enough for the cells to be read piece by piece beside the names.
    CarteVarenthe map;
    map.create(1100, 1000, 20, 13, 1, 100);
    uint32_t seed = 7;
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x) {
            seed = seed * 1103515245u + 12345u;
            map.terrain.at(x, y) = static_cast<int32_t>(seed >> 16) % 6000;
        }
    map.SetCellTile(5, 5, 70000); // kept in the document, saved as its low 16 bits
    map.SetCellElement(0, 0, Element{ElementZone, "", 0, 0, 251});
    map.SetCellElement(1, 0, Element{ElementZone, "", 0, 0, 251});
    map.SetCellElement(1, 2, Element{ElementCity, "Œrnö € ville", 0, 0, 42});
    map.SetCellElement(7, 8, Element{ElementCity, "Haute\nVille", 0, 0, 1}); // a line break cannot shift names
    map.SetCellElement(9, 9, Element{ElementNone, "", 0, 0, 0});
    map.SetCellElement(1099, 999, Element{ElementCity, "Selmar", 0, 0, 2});
    // Off the map, on places a flat index would wrap onto a cell.
    map.elements.push_back(Element{ElementCity, "Au large", -1, 1, 8});
    map.elements.push_back(Element{ElementCity, "Plus loin", 1100, 0, 9});
    map.provinceNames = {"Haut-Pays", "", "Côte"};
    map.costTables.footCost[105] = 99;
    map.save(folder.file("round.vr"));
    CarteVarenthe back;
    back.open(folder.file("round.vr"));
    map.terrain.at(5, 5) = 4464;
    map.elements[3].name = "Haute Ville";
    EXPECT_EQ(std::tuple(back.width, back.provinceCount, back.terrainAt(5, 5)), std::tuple(1100, 3, 4464));
    EXPECT_TRUE(encodeMapFile(back, 0).view() == encodeMapFile(map, 0).view()) << "every cell, element and name";
    EXPECT_EQ(back.elementAt(1099, 999)->name, "Selmar");
    for (const auto &[x, y] : {std::pair{2, 0}, {1099, 0}, {0, 1}})
        EXPECT_EQ(back.elementAt(x, y), nullptr) << x << "," << y;
}

TEST_F(MalformedMap, EveryDamagedFileOfTheCorpusIsRefusedAndTheOpenMapIsUntouched)
{
    const CarteVarenthe original = richMap();
    richMap().save(folder.file("good.vr"));
    std::vector<std::filesystem::path> corpus;
    for (const auto &entry :
         std::filesystem::directory_iterator(std::filesystem::path(PELMORIN_SOURCE_DIR) / "tests/map/data/malformed"))
        corpus.push_back(entry.path());
    std::sort(corpus.begin(), corpus.end());
    ASSERT_GE(corpus.size(), 20u);

    std::string messages;
    for (const std::filesystem::path &file : corpus) {
        SCOPED_TRACE(file.filename().string());
        CarteVarenthe open;
        open.open(folder.file("good.vr"));
        messages += file.filename().string() + ": " + failureOf([&] { open.load(file.string()); }) + "\n";
        EXPECT_EQ(std::tuple(open.width, open.height, open.mapType, open.provinceNames, open.elements.size(),
                             open.terrainAt(2, 3), open.modified || open.untitled, open.elementAt(4, 5) != nullptr),
                  std::tuple(original.width, original.height, original.mapType, original.provinceNames,
                             original.elements.size(), original.terrainAt(2, 3), false, true));
        EXPECT_EQ(open.fileName, folder.file("good.vr"));
        EXPECT_THROW(CarteVarenthe().open(file.string()), MapFileError);
    }
    EXPECT_EQ(goldenTextProblem(messages, "malformed-messages.txt"), "");
}

TEST_F(MalformedMap, AFileCutAnywhereBeforeItsNamesIsRefusedAndNeverReadPastItsEnd)
{
    richMap().save(folder.file("whole.vr"));
    const std::string whole = readBytes(folder.file("whole.vr"));
    const size_t textStart = 44 + 2 * 31 * 14 + 4 + 2 * 16 + 3072;
    ASSERT_EQ(whole.substr(textStart), "Nord\r\nSud\r\nAlba\r\nZone habitable\r\n");

    for (size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        // An exact-size copy, so that a sanitizer build sees any overread.
        std::unique_ptr<char[]> bytes(new char[length + 1]);
        std::memcpy(bytes.get(), whole.data(), length);
        CarteVarenthe cut;
        try {
            readMapFile(cut, std::string_view(bytes.get(), length), "cut.vr");
            // Cut inside the last name: a last line without its end.
            EXPECT_GE(length, whole.size() - 15);
            EXPECT_EQ(cut.elements.size(), 2u);
        } catch (const MapTextIndexError &) {
            EXPECT_GE(length, textStart);
        } catch (const MapFileError &error) {
            EXPECT_LT(length, textStart);
            EXPECT_EQ(error.what(), std::string(MapFileDamagedMessage));
        }
    }
}

TEST_F(MalformedMap, AFileThatCannotBeOpenedGivesTheOpenMessage)
{
    // A named pipe must not hang the program waiting for a writer.
    ASSERT_EQ(::mkfifo(folder.file("tube.vr").c_str(), 0644), 0);
    for (const std::string &path : {folder.file("absent.vr"), folder.path().string(), folder.file("tube.vr")})
        EXPECT_EQ(failureOf([&] { CarteVarenthe().open(path); }), "Impossible d'ouvrir le fichier indiqué") << path;
}

TEST_F(MalformedMap, AMapTooBigForTheMemoryLeftIsRefusedWithAMessage)
{
#ifdef PELMORIN_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve far more address space than any limit this test can set";
#endif
    // A few bytes asking for the largest map, 64 MiB of terrain, with 16 MiB of address space left.
    MapBytes file;
    writeBytes(folder.file("vaste.vr"), file.header(3, 0, 4096, 4096, 0, 0, 0, 0, 0).i32(0).costTables().str());
    const int status = exitStatusOfChild([&] {
        unsigned long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t left = rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + (16u << 20);
        const rlimit memory{left, left};
        ::setrlimit(RLIMIT_AS, &memory);
        try {
            CarteVarenthe().open(folder.file("vaste.vr"));
        } catch (const MapFileError &error) {
            return std::string(error.what()) == MapFileMemoryMessage ? 0 : 2;
        } catch (...) {
            return 3;
        }
        return 1;
    });
    EXPECT_EQ(status, 0) << "1 loaded, 2 wrong message, 3 other failure";
}
