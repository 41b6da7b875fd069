// The tile folders beside the program: every tile in use, both aspects, roads that join.
#include <gtest/gtest.h>

#include <QImage>
#include <map>
#include <set>

#include "AssetFiles.h"
#include "map/CarteVarenthe.h"
#include "render/TileLibrary.h"
#include "ui/PaletteTable.h"

namespace {

// The empty cell and every palette tile but the zones the program draws itself.
std::set<int> tilesInUse()
{
    std::set<int> tiles{0};
    for (const PaletteGrid &grid : paletteCategoryTable())
        for (const auto &row : grid)
            for (const int32_t tile : row)
                if (tile != 0 && (tile < 253 || tile > 256))
                    tiles.insert(tile);
    return tiles;
}

QString tilePath(const QString &aspect, int tile)
{
    return programFolder() + QStringLiteral("/img/%1/%2.bmp").arg(aspect, TileLibrary::tileFileName(tile));
}

QImage tile(const QString &aspect, int number)
{
    return QImage(tilePath(aspect, number)).convertToFormat(QImage::Format_RGB32);
}

const QStringList Aspects = {QStringLiteral("1"), QStringLiteral("4")};

// Sides each road piece opens to, as the editor chooses pieces.
enum Side { West, North, East, South };
std::map<int, int> roadPieceSides()
{
    std::map<int, int> sides;
    for (int mask = 1; mask < 16; ++mask)
        sides[roadPieceFor(mask)] |= mask;
    return sides;
}

// The pixels along one edge of a piece that differ from the grass tile.
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
    // The layer-change marker beside the aspects: a light ground, so the overlay lightens the route cell.
    const QString marker = programFolder() + QStringLiteral("/img/250.bmp");
    EXPECT_EQ(bitmapHeader(marker), std::tuple(32, 32, 24));
    EXPECT_TRUE(qGray(QImage(marker).pixel(0, 0)) > 200 && qGray(QImage(marker).pixel(16, 16)) < 100);
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
}

TEST(AspectTiles, RoadPiecesReachExactlyTheEdgesTheyOpenToAndJoinWithoutASeam)
{
    for (const QString &aspect : Aspects) {
        const QImage grass = tile(aspect, 100);
        for (const auto &[piece, sides] : roadPieceSides()) {
            for (Side side : {West, North, East, South}) {
                const auto road = roadOnEdge(tile(aspect, piece), grass, side);
                SCOPED_TRACE("aspect " + aspect.toStdString() + ", piece " + std::to_string(piece) + ", side "
                             + std::to_string(side));
                if ((sides & (1 << side)) == 0) {
                    EXPECT_TRUE(road.empty());
                    continue;
                }
                // Centred, so it meets the neighbour's band whichever way that one turns.
                ASSERT_GE(road.size(), 6u);
                EXPECT_EQ(road.begin()->first, 31 - road.rbegin()->first);
                EXPECT_EQ(road.rbegin()->first - road.begin()->first + 1, static_cast<int>(road.size()));
                const Side opposite = static_cast<Side>((side + 2) % 4);
                for (const auto &[other, otherSides] : roadPieceSides()) {
                    if (otherSides & (1 << opposite)) {
                        EXPECT_EQ(road, roadOnEdge(tile(aspect, other), grass, opposite)) << "then " << other;
                    }
                }
            }
        }
    }
}
