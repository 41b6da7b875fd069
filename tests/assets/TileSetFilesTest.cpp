// The tile folders a new user finds beside the program: every tile the
// program can show, in both aspects, in the format the tile library reads,
// with roads that join and buildings that can be told apart.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <map>
#include <set>
#include <vector>

#include "AssetFiles.h"

namespace {

// Every tile number the program shows from an aspect folder: the province
// tiles, the roads, the zone eraser, and every place of the palette.
std::vector<int> tilesInUse()
{
    std::vector<int> tiles{0, 1, 2, 3, 257};
    auto range = [&tiles](int first, int last) {
        for (int n = first; n <= last; ++n)
            tiles.push_back(n);
    };
    range(100, 108);
    range(110, 122);
    range(131, 133);
    range(141, 147);
    for (int i = 1; i <= 9; ++i)
        range(2501 + 10 * i, 2504 + 10 * i);
    for (int i = 1; i <= 7; ++i)
        range(3601 + 10 * i, 3604 + 10 * i);
    for (int first : {2110, 2120, 2130, 2190, 2310})
        range(first, first + 4);
    for (int first = 3010; first <= 3160; first += 10)
        range(first, first + 4);
    range(3170, 3171);
    for (int i = 1; i <= 9; ++i)
        range(3200 + 10 * i, 3201 + 10 * i);
    for (int i = 1; i <= 13; ++i)
        range(4000 + 10 * i, 4004 + 10 * i);
    for (int i = 1; i <= 7; ++i)
        range(4200 + 10 * i, 4204 + 10 * i);
    range(5010, 5014);
    range(5080, 5084);
    tiles.push_back(5090);
    for (int n : {3511, 3512, 3513, 3514, 3521, 3530, 3541, 3551, 3561, 3571})
        tiles.push_back(n);
    return tiles;
}

QString tilePath(const QString &aspect, int tile)
{
    const QString name = tile < 100 ? QStringLiteral("%1").arg(tile, 3, 10, QLatin1Char('0')) : QString::number(tile);
    return programFolder() + QStringLiteral("/img/") + aspect + QLatin1Char('/') + name + QStringLiteral(".bmp");
}

QImage tile(const QString &aspect, int number)
{
    return QImage(tilePath(aspect, number)).convertToFormat(QImage::Format_RGB32);
}

const QStringList Aspects = {QStringLiteral("1"), QStringLiteral("4")};

// Sides a road piece opens to, named as the road piece table names them.
enum Side { West, North, East, South };
const std::map<int, std::set<Side>> RoadPieceSides = {
    {110, {West, East}},         {111, {North, South}},       {112, {North, East}},
    {113, {East, South}},        {114, {South, West}},        {115, {West, North}},
    {116, {North, East, South}}, {117, {West, East, South}},  {118, {West, North, South}},
    {119, {West, North, East}},  {120, {West, North, East, South}},
};

QRgb edgePixel(const QImage &image, Side side, int i)
{
    switch (side) {
    case West: return image.pixel(0, i);
    case East: return image.pixel(31, i);
    case North: return image.pixel(i, 0);
    default: return image.pixel(i, 31);
    }
}

Side opposite(Side side) { return static_cast<Side>((side + 2) % 4); }

// The road's pixels along one edge of a piece: those that differ from the
// plain grass tile, with their colours.
std::map<int, QRgb> roadOnEdge(const QImage &piece, const QImage &grass, Side side)
{
    std::map<int, QRgb> road;
    for (int i = 0; i < 32; ++i)
        if (edgePixel(piece, side, i) != edgePixel(grass, side, i))
            road[i] = edgePixel(piece, side, i);
    return road;
}

} // namespace

TEST(AspectTiles, everyTileInUseIsA32By32TrueColourBitmapInBothAspects)
{
    for (const QString &aspect : Aspects) {
        for (int number : tilesInUse()) {
            SCOPED_TRACE(tilePath(aspect, number).toStdString());
            const BitmapHeader header = bitmapHeader(readWhole(tilePath(aspect, number)));
            ASSERT_TRUE(header.valid);
            EXPECT_EQ(header.width, 32);
            EXPECT_EQ(std::abs(header.height), 32);
            EXPECT_EQ(header.bitsPerPixel, 24);
            EXPECT_FALSE(QImage(tilePath(aspect, number)).isNull());
        }
    }
}

TEST(AspectTiles, smallNumbersAreWrittenWithThreeDigits)
{
    const QDir summer(programFolder() + QStringLiteral("/img/1"));
    EXPECT_TRUE(summer.exists(QStringLiteral("000.bmp")));
    EXPECT_TRUE(summer.exists(QStringLiteral("001.bmp")));
    EXPECT_FALSE(summer.exists(QStringLiteral("1.bmp")));
    EXPECT_TRUE(summer.exists(QStringLiteral("2511.bmp")));
}

TEST(AspectTiles, theLayerChangeMarkerIsALightPictureBesideTheAspects)
{
    const QString path = programFolder() + QStringLiteral("/img/250.bmp");
    const BitmapHeader header = bitmapHeader(readWhole(path));
    ASSERT_TRUE(header.valid);
    EXPECT_EQ(header.width, 32);
    EXPECT_EQ(header.bitsPerPixel, 24);
    const QImage marker(path);
    // A light ground in the corners, so the overlay lightens the route cell,
    // and a dark drawing in the middle.
    EXPECT_GT(qGray(marker.pixel(0, 0)), 200);
    EXPECT_LT(qGray(marker.pixel(16, 16)), 100);
}

TEST(AspectTiles, winterChangesEveryLandscapeAndBuildingTile)
{
    for (int number : tilesInUse()) {
        if (number == 0 || number == 257) // the empty cell and the zone eraser are no landscape
            continue;
        EXPECT_NE(tile(QStringLiteral("1"), number), tile(QStringLiteral("4"), number)) << "tile " << number;
    }
}

TEST(AspectTiles, noTwoTilesOfAnAspectLookTheSame)
{
    for (const QString &aspect : Aspects) {
        std::map<QByteArray, int> seen;
        for (int number : tilesInUse()) {
            const QImage image = tile(aspect, number);
            const QByteArray pixels(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
            const auto [where, added] = seen.emplace(pixels, number);
            EXPECT_TRUE(added) << "aspect " << aspect.toStdString() << ": tile " << number << " looks like tile "
                               << where->second;
        }
    }
}

TEST(AspectTiles, roadPiecesReachExactlyTheEdgesTheyOpenTo)
{
    for (const QString &aspect : Aspects) {
        const QImage grass = tile(aspect, 100);
        for (const auto &[piece, sides] : RoadPieceSides) {
            const QImage image = tile(aspect, piece);
            for (Side side : {West, North, East, South}) {
                const auto road = roadOnEdge(image, grass, side);
                SCOPED_TRACE("aspect " + aspect.toStdString() + ", piece " + std::to_string(piece) + ", side "
                             + std::to_string(side));
                if (sides.count(side) == 0) {
                    EXPECT_TRUE(road.empty());
                    continue;
                }
                // The band is centred on the edge, so it meets the band of
                // the neighbour whichever way that one turns.
                ASSERT_GE(road.size(), 6u);
                EXPECT_EQ(road.begin()->first, 31 - road.rbegin()->first);
                EXPECT_EQ(road.rbegin()->first - road.begin()->first + 1, static_cast<int>(road.size()));
            }
        }
    }
}

TEST(AspectTiles, neighbouringRoadPiecesJoinWithoutASeam)
{
    for (const QString &aspect : Aspects) {
        const QImage grass = tile(aspect, 100);
        for (const auto &[first, firstSides] : RoadPieceSides) {
            for (const auto &[second, secondSides] : RoadPieceSides) {
                for (Side side : firstSides) {
                    if (secondSides.count(opposite(side)) == 0)
                        continue;
                    // `second` lies beyond `side` of `first`: the road
                    // pixels on both sides of the shared edge are the same.
                    EXPECT_EQ(roadOnEdge(tile(aspect, first), grass, side),
                              roadOnEdge(tile(aspect, second), grass, opposite(side)))
                        << "aspect " << aspect.toStdString() << ": " << first << " then " << second << " on side "
                        << side;
                }
            }
        }
    }
}
