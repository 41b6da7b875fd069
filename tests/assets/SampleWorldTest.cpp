// The sample world map a new user opens at the first start: a real world map
// the program reads, with its provinces named, its cities numbered and its
// roads joined, and land that looks like land.
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "AssetFiles.h"
#include "map/CarteVarenthe.h"
#include "map/CostTables.h"
#include "map/Element.h"

namespace {

QString samplePath() { return programFolder() + QStringLiteral("/pelmorin.vr"); }

class SampleWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        world = new CarteVarenthe;
        world->open(samplePath().toStdString());
    }
    static void TearDownTestSuite()
    {
        delete world;
        world = nullptr;
    }

    int count(int32_t code) const
    {
        int n = 0;
        for (int32_t y = 0; y < world->height; ++y)
            for (int32_t x = 0; x < world->width; ++x)
                n += world->terrainAt(x, y) == code;
        return n;
    }

    static CarteVarenthe *world;
};

CarteVarenthe *SampleWorld::world = nullptr;

} // namespace

TEST_F(SampleWorld, isAVersion3WorldMapWithTheWorldLayout)
{
    const QByteArray bytes = readWhole(samplePath());
    ASSERT_GE(bytes.size(), 44);
    EXPECT_EQ(bytes.left(4), QByteArray("PMVR"));
    EXPECT_EQ(bytes[8], 3);
    EXPECT_EQ(world->width, 300);
    EXPECT_EQ(world->height, 169);
    EXPECT_EQ(world->provinceWidth, 20);
    EXPECT_EQ(world->provinceHeight, 13);
    EXPECT_EQ(world->mapType, 1);
    EXPECT_GT(world->generatedAt, 0);
    EXPECT_EQ(world->costTables, worldCostTables());
    EXPECT_FALSE(world->modified);
}

TEST_F(SampleWorld, everyOneOfThe195ProvincesHasItsOwnName)
{
    EXPECT_EQ(world->provinceLayoutCount(), 195);
    ASSERT_EQ(world->provinceNames.size(), 195u);
    std::set<std::string> distinct;
    for (const std::string &name : world->provinceNames) {
        EXPECT_FALSE(name.empty());
        // Every letter is one the map file's code page holds.
        EXPECT_EQ(name.find('?'), std::string::npos) << name;
        distinct.insert(name);
    }
    EXPECT_EQ(distinct.size(), 195u);
}

TEST_F(SampleWorld, hasAboutAHundredNamedCitiesWithTheirOwnNumbers)
{
    std::set<int32_t> numbers;
    std::set<std::string> names;
    int cities = 0;
    for (const Element &element : world->elements) {
        if (element.kind != ElementCity)
            continue;
        ++cities;
        numbers.insert(element.number);
        names.insert(element.name);
        EXPECT_FALSE(element.name.empty());
        EXPECT_EQ(element.name.find('?'), std::string::npos) << element.name;
        // A city stands on a town, on land.
        EXPECT_EQ(world->terrainAt(element.x, element.y), 121) << element.name;
    }
    EXPECT_GE(cities, 90);
    EXPECT_LE(cities, 110);
    EXPECT_EQ(static_cast<int>(numbers.size()), cities);
    EXPECT_EQ(static_cast<int>(names.size()), cities);
    EXPECT_EQ(*numbers.begin(), 1);
    EXPECT_EQ(*numbers.rbegin(), cities);
}

TEST_F(SampleWorld, zonesCarryTheirPaletteCodeAndName)
{
    std::set<int32_t> codes;
    for (const Element &element : world->elements) {
        if (element.kind != ElementZone)
            continue;
        codes.insert(element.number);
        switch (element.number) {
        case 253: EXPECT_EQ(element.name, "Zone habitable"); break;
        case 254: EXPECT_EQ(element.name, "Zone religieuse"); break;
        case 255: EXPECT_EQ(element.name, "Zone commerciale"); break;
        case 256: EXPECT_EQ(element.name, ""); break;
        default: ADD_FAILURE() << "zone code " << element.number;
        }
    }
    EXPECT_EQ(codes, (std::set<int32_t>{253, 254, 255, 256}));
}

TEST_F(SampleWorld, looksLikeAContinentInTheSea)
{
    const int cells = world->width * world->height;
    const int sea = count(103);
    EXPECT_GT(sea, cells * 3 / 10);
    EXPECT_LT(sea, cells * 7 / 10);
    // The map's rim is open sea.
    for (int32_t x = 0; x < world->width; ++x) {
        EXPECT_EQ(world->terrainAt(x, 0), 103);
        EXPECT_EQ(world->terrainAt(x, world->height - 1), 103);
    }
    for (int32_t code : {100, 101, 102, 104, 105, 106, 107})
        EXPECT_GT(count(code), 50) << "terrain " << code;
    EXPECT_GT(count(1), 5) << "ports";
}

TEST_F(SampleWorld, snowLiesInTheNorth)
{
    int north = 0;
    int south = 0;
    for (int32_t y = 0; y < world->height; ++y)
        for (int32_t x = 0; x < world->width; ++x)
            if (world->terrainAt(x, y) == 107)
                (y < world->height / 3 ? north : south) += 1;
    EXPECT_GT(north, 200);
    EXPECT_EQ(south, 0);
}

TEST_F(SampleWorld, everyPortOpensOnTheSeaBesideATown)
{
    for (int32_t y = 0; y < world->height; ++y) {
        for (int32_t x = 0; x < world->width; ++x) {
            if (world->terrainAt(x, y) != 1)
                continue;
            bool town = false;
            bool sea = false;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                town = town || world->terrainAt(x + dx, y + dy) == 121;
                sea = sea || world->terrainAt(x + dx, y + dy) == 103;
            }
            EXPECT_TRUE(town && sea) << "port at " << x << "," << y;
        }
    }
}

TEST_F(SampleWorld, everyRoadPieceFitsItsNeighbours)
{
    // The piece a road cell must hold for each mask of joining neighbours
    // (1 west, 2 north, 4 east, 8 south).
    constexpr std::array<int32_t, 16> Piece = {0, 110, 111, 115, 110, 110, 112, 119,
                                               111, 114, 111, 118, 113, 117, 116, 120};
    auto joins = [](int32_t code) { return code == 0 || (code >= 110 && code <= 122); };
    int roads = 0;
    for (int32_t y = 0; y < world->height; ++y) {
        for (int32_t x = 0; x < world->width; ++x) {
            const int32_t code = world->terrainAt(x, y);
            if (code < 110 || code > 120)
                continue;
            ++roads;
            const int mask = (joins(world->terrainAt(x - 1, y)) ? 1 : 0) + (joins(world->terrainAt(x, y - 1)) ? 2 : 0)
                             + (joins(world->terrainAt(x + 1, y)) ? 4 : 0) + (joins(world->terrainAt(x, y + 1)) ? 8 : 0);
            // A road never ends in the open: each piece joins something.
            ASSERT_NE(mask, 0) << "road at " << x << "," << y;
            EXPECT_EQ(code, Piece[mask]) << "road at " << x << "," << y;
        }
    }
    EXPECT_GT(roads, 1000);
}

TEST_F(SampleWorld, almostEveryCityIsOnTheRoadNetwork)
{
    int cities = 0;
    int linked = 0;
    for (const Element &element : world->elements) {
        if (element.kind != ElementCity)
            continue;
        ++cities;
        bool road = false;
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            const int32_t code = world->terrainAt(element.x + dx, element.y + dy);
            road = road || (code >= 110 && code <= 122);
        }
        linked += road;
    }
    // Only a city alone on its island has no road.
    EXPECT_GE(linked * 10, cities * 9);
}
