// The sample world a new user opens: named provinces, numbered cities, joined roads, usable rivers.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>

#include "AssetFiles.h"
#include "map/CarteVarenthe.h"
#include "map/CostTables.h"
#include "map/Element.h"
#include "map/PaletteEdit.h"

namespace {

QString samplePath() { return programFolder() + QStringLiteral("/pelmorin.vr"); }

bool isRoadCode(int32_t code) { return code >= 110 && code <= 122; }

class SampleWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        world = new CarteVarenthe;
        world->open(samplePath().toStdString());
    }
    static void TearDownTestSuite() { delete world; }

    template <typename Check>
    static void forEachCell(Check check)
    {
        for (int32_t y = 0; y < world->height; ++y)
            for (int32_t x = 0; x < world->width; ++x)
                check(x, y, world->terrainAt(x, y));
    }

    // Side neighbours satisfying `test`.
    template <typename Test>
    static int sides(int32_t x, int32_t y, Test test)
    {
        return test(world->terrainAt(x + 1, y)) + test(world->terrainAt(x - 1, y)) + test(world->terrainAt(x, y + 1))
               + test(world->terrainAt(x, y - 1));
    }

    static CarteVarenthe *world;
};

CarteVarenthe *SampleWorld::world = nullptr;

} // namespace

TEST_F(SampleWorld, IsAVersion3WorldMapWithTheWorldLayoutAnd195NamedProvinces)
{
    const QByteArray bytes = readWhole(samplePath());
    ASSERT_GE(bytes.size(), 44);
    EXPECT_EQ(std::pair(bytes.left(4), int(bytes[8])), std::pair(QByteArray("PMVR"), 3));
    EXPECT_EQ(std::vector({world->width, world->height, world->provinceWidth, world->provinceHeight, world->mapType}),
              std::vector({300, 169, 20, 13, 1}));
    EXPECT_GT(world->generatedAt, 0);
    EXPECT_EQ(world->costTables, worldCostTables());
    const std::set<std::string> distinct(world->provinceNames.begin(), world->provinceNames.end());
    EXPECT_EQ(std::tuple(world->provinceLayoutCount(), world->provinceNames.size(), distinct.size()),
              std::tuple(195, size_t{195}, size_t{195}));
    for (const std::string &name : world->provinceNames) // every letter fits the file's code page
        EXPECT_TRUE(!name.empty() && name.find('?') == std::string::npos) << name;
}

TEST_F(SampleWorld, HasAboutAHundredNumberedCitiesOnTheRoadsAndZonesOfEveryKind)
{
    std::set<int32_t> numbers;
    std::set<std::string> names;
    std::set<int32_t> zones;
    int cities = 0;
    int linked = 0;
    for (const Element &element : world->elements) {
        if (element.kind == ElementZone) {
            zones.insert(element.number);
            EXPECT_EQ(element.name, zoneName(element.number)) << "the name the palette gives";
            continue;
        }
        ASSERT_EQ(element.kind, ElementCity);
        ++cities;
        numbers.insert(element.number);
        names.insert(element.name);
        EXPECT_TRUE(!element.name.empty() && element.name.find('?') == std::string::npos) << element.name;
        EXPECT_EQ(world->terrainAt(element.x, element.y), 121) << element.name << " stands on a town";
        linked += sides(element.x, element.y, isRoadCode) > 0;
    }
    EXPECT_TRUE(cities >= 90 && cities <= 110) << cities;
    EXPECT_EQ(std::tuple(int(numbers.size()), int(names.size()), *numbers.begin(), *numbers.rbegin()),
              std::tuple(cities, cities, 1, cities));
    EXPECT_EQ(zones, (std::set<int32_t>{253, 254, 255, 256}));
    EXPECT_GE(linked * 10, cities * 9) << "only a city alone on its island has no road";
}

TEST_F(SampleWorld, LooksLikeAContinentInTheSeaWithUsablePortsRiversAndRoads)
{
    // Water a boat can move on: sea, river, bridge, port.
    auto afloat = [](int32_t code) { return code == 103 || code == 104 || code == 122 || code == 1; };
    std::map<int32_t, int> counts;
    int southernSnow = 0;
    forEachCell([&](int32_t x, int32_t y, int32_t code) {
        ++counts[code >= 110 && code <= 120 ? 110 : code];
        southernSnow += code == 107 && y >= world->height / 3;
        if (y == 0 || y == world->height - 1) {
            EXPECT_EQ(code, 103) << "the rim is open sea at " << x << "," << y;
        }
        if (code == 1) {
            EXPECT_GT(sides(x, y, [](int32_t c) { return c == 121; }), 0) << "port beside a town at " << x << "," << y;
            EXPECT_GT(sides(x, y, [](int32_t c) { return c == 103; }), 0) << "port on the sea at " << x << "," << y;
        } else if (code == 104) {
            // A river goes on by a side step, never only diagonally.
            EXPECT_GE(sides(x, y, afloat), 1) << "river cell " << x << "," << y;
        } else if (code >= 110 && code <= 120) {
            // The piece the editor would choose for its neighbours.
            const int mask = joinsRoad(world->terrainAt(x - 1, y)) + 2 * joinsRoad(world->terrainAt(x, y - 1))
                             + 4 * joinsRoad(world->terrainAt(x + 1, y)) + 8 * joinsRoad(world->terrainAt(x, y + 1));
            EXPECT_NE(mask, 0) << "a road never ends in the open, at " << x << "," << y;
            EXPECT_EQ(code, roadPieceFor(mask)) << "road at " << x << "," << y;
        }
    });
    const int cells = world->width * world->height;
    EXPECT_TRUE(counts[103] > cells * 3 / 10 && counts[103] < cells * 7 / 10) << counts[103];
    for (int32_t code : {100, 101, 102, 105, 106})
        EXPECT_GT(counts[code], 50) << "terrain " << code;
    EXPECT_TRUE(counts[107] > 200 && southernSnow == 0) << "snow in the north only";
    EXPECT_TRUE(counts[110] > 1000 && counts[104] > 200 && counts[1] > 5) << "roads, rivers and ports";
}
