// The tile folders a new user finds beside the program: every tile the
// program can show, in both aspects, in the format the tile library reads,
// with roads that join and buildings that can be told apart.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <map>
#include <vector>

#include "AssetFiles.h"

namespace {

// Every tile number the program shows from an aspect folder: the province
// tiles, the roads, the zone eraser, and every place of the palette.
std::vector<int> tilesInUse()
{
    std::vector<int> tiles{0,    1,    2,    3,    257,  3170, 3171, 5090, 3511,
                           3512, 3513, 3514, 3521, 3530, 3541, 3551, 3561, 3571};
    // Runs of numbers: first, last, and how many runs, each `step` apart.
    const int runs[][4] = {{100, 108, 1, 0},    {110, 122, 1, 0},   {131, 133, 1, 0},   {141, 147, 1, 0},
                           {2511, 2514, 9, 10}, {3611, 3614, 7, 10}, {2110, 2114, 3, 10}, {2190, 2194, 1, 0},
                           {2310, 2314, 1, 0},  {3010, 3014, 16, 10}, {3210, 3211, 9, 10}, {4010, 4014, 13, 10},
                           {4210, 4214, 7, 10}, {5010, 5014, 1, 0},  {5080, 5084, 1, 0}};
    for (const auto &[first, last, count, step] : runs)
        for (int run = 0; run < count; ++run)
            for (int n = first; n <= last; ++n)
                tiles.push_back(n + run * step);
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

// Sides each road piece opens to: 1 west, 2 north, 4 east, 8 south.
enum Side { West, North, East, South };
const std::map<int, int> RoadPieceSides = {{110, 5}, {111, 10}, {112, 6},  {113, 12}, {114, 9},  {115, 3},
                                           {116, 14}, {117, 13}, {118, 11}, {119, 7}, {120, 15}};

// The road's pixels along one edge of a piece: those that differ from the
// plain grass tile, with their colours.
std::map<int, QRgb> roadOnEdge(const QImage &piece, const QImage &grass, Side side)
{
    std::map<int, QRgb> road;
    for (int i = 0; i < 32; ++i) {
        const QPoint at = side == West ? QPoint(0, i) : side == East ? QPoint(31, i) : side == North ? QPoint(i, 0)
                                                                                                   : QPoint(i, 31);
        if (piece.pixel(at) != grass.pixel(at))
            road[i] = piece.pixel(at);
    }
    return road;
}

} // namespace

TEST(AspectTiles, EveryTileInUseIsADistinct32By32TrueColourBitmapThatWinterChanges)
{
    ASSERT_EQ(tilesInUse().size(), 347u);
    std::map<int, QImage> summer;
    for (const QString &aspect : Aspects) {
        std::map<QByteArray, int> seen;
        for (int number : tilesInUse()) {
            SCOPED_TRACE(tilePath(aspect, number).toStdString());
            EXPECT_EQ(bitmapHeader(tilePath(aspect, number)), std::tuple(32, 32, 24));
            const QImage image = tile(aspect, number);
            ASSERT_FALSE(image.isNull());
            const QByteArray pixels(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
            const auto [where, added] = seen.emplace(pixels, number);
            EXPECT_TRUE(added) << "looks like tile " << where->second;
            if (aspect == Aspects[0]) {
                summer[number] = image;
            } else if (number != 0 && number != 257) { // the empty cell and the eraser are no landscape
                EXPECT_NE(summer[number], image) << "winter changes nothing";
            }
        }
    }
    const QDir folder(programFolder() + QStringLiteral("/img/1"));
    EXPECT_FALSE(folder.exists(QStringLiteral("1.bmp"))) << "small numbers are written with three digits";
}

TEST(AspectTiles, TheLayerChangeMarkerIsALightPictureBesideTheAspects)
{
    const QString path = programFolder() + QStringLiteral("/img/250.bmp");
    EXPECT_EQ(bitmapHeader(path), std::tuple(32, 32, 24));
    const QImage marker(path);
    // A light ground in the corners, so the overlay lightens the route cell,
    // and a dark drawing in the middle.
    EXPECT_GT(qGray(marker.pixel(0, 0)), 200);
    EXPECT_LT(qGray(marker.pixel(16, 16)), 100);
}

TEST(AspectTiles, RoadPiecesReachExactlyTheEdgesTheyOpenToAndJoinWithoutASeam)
{
    for (const QString &aspect : Aspects) {
        const QImage grass = tile(aspect, 100);
        for (const auto &[piece, sides] : RoadPieceSides) {
            for (Side side : {West, North, East, South}) {
                const auto road = roadOnEdge(tile(aspect, piece), grass, side);
                SCOPED_TRACE("aspect " + aspect.toStdString() + ", piece " + std::to_string(piece) + ", side "
                             + std::to_string(side));
                if ((sides & (1 << side)) == 0) {
                    EXPECT_TRUE(road.empty());
                    continue;
                }
                // The band is centred on the edge, so it meets the band of
                // the neighbour whichever way that one turns.
                ASSERT_GE(road.size(), 6u);
                EXPECT_EQ(road.begin()->first, 31 - road.rbegin()->first);
                EXPECT_EQ(road.rbegin()->first - road.begin()->first + 1, static_cast<int>(road.size()));
                // Any piece opening back this way shows the same pixels on
                // its side of the shared edge.
                const Side opposite = static_cast<Side>((side + 2) % 4);
                for (const auto &[other, otherSides] : RoadPieceSides) {
                    if (otherSides & (1 << opposite)) {
                        EXPECT_EQ(road, roadOnEdge(tile(aspect, other), grass, opposite)) << "then " << other;
                    }
                }
            }
        }
    }
}
