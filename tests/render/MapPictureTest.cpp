// The map picture without text against small golden pictures reviewed once by eye, its tiles and the minimap.
#include "RendererTestScene.h"

#include <QFile>
#include <QPainter>
#include <limits>

#include "render/MapOverview.h"

using namespace rendertest;

// The tile's colour when it is solid and of the given size, else a colour no test uses.
static QRgb solid(TileLibrary &library, int tile, QSize size = QSize(32, 32))
{
    const QImage picture = library.GetTile(tile).convertToFormat(QImage::Format_RGB32);
    QImage plain(size, QImage::Format_RGB32);
    plain.fill(picture.isNull() ? 0 : picture.pixel(0, 0));
    return picture == plain ? picture.pixel(0, 0) | 0xFF000000u : qRgb(1, 254, 1);
}

TEST(WorldPicture, EveryGridWidthShowsTheSameCellsLinesAndOverlaysAndWideCellsBlendLikeSmallOnes)
{
    // Provinces of 20 x 13 cells, red border lines, and one of each thing a cell can hold.
    Scene scene;
    CarteVarenthe &map = scene.map;
    const auto placeZone = [&](int x, int y, int number) {
        map.SetCellElement(x, y, Element{ElementZone, "Zone", 0, 0, number});
    };
    map.create(60, 30, 20, 13, 1, Grass);
    scene.settings.borderColour = 0x000000FF; // red in the low byte
    map.terrain.at(1, 1) = Water;
    map.terrain.at(2, 1) = Mountain;
    map.terrain.at(2, 3) = 6000; // impossible numbers and a missing file are black
    map.terrain.at(3, 3) = -1;
    map.terrain.at(4, 3) = 2511;
    map.terrain.at(5, 3) = 6000; // ...under a route that still shows
    map.routeMark.at(5, 3) = MarkOnRoute;
    placeZone(3, 0, 254); // a border cell: the highlight hides the zone
    placeZone(4, 0, 254); // the route hides both
    map.routeMark.at(4, 0) = MarkOnRoute;
    placeZone(7, 0, 254);
    map.routeMark.at(7, 0) = MarkLayerChange;
    map.routeMark.at(5, 5) = MarkOnRoute;
    map.routeMark.at(6, 5) = MarkLayerChange;
    placeZone(1, 5, 255);        // made by the program
    placeZone(2, 5, CustomZone); // read from the aspect folder
    placeZone(3, 5, 0);          // no zone tile, and damaged numbers: no overlay
    placeZone(4, 5, 6000);
    placeZone(1, 6, -7);
    map.terrain.at(6, 6) = Sand;
    map.routeMark.at(6, 6) = MarkOnRoute;
    // The same in a shifted province row.
    map.routeMark.at(12, 15) = MarkOnRoute;
    placeZone(13, 15, 253);

    const QImage small = scene.renderWhole(MapView{4, 1});
    expectGolden(small, "world-grid-1");
    expectGolden(scene.renderWhole(MapView{6, 3}), "world-grid-3");
    expectGolden(scene.renderWhole(MapView{5, 0}), "world-no-grid");
    // Wide cells go through the scanline runs, small ones pixel by pixel.
    for (int cell : {32, 17, 9}) {
        const MapView view{cell, 1};
        const int p = view.pitch();
        const QImage image = scene.render(view, 8 * p, 8 * p);
        // The small picture's pixel at the same place in the cell or its gap.
        auto inSmall = [cell](int d) { return std::min(d * 4 / cell, 4); };
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                for (int d = 0; d < p; ++d) {
                    ASSERT_EQ(pixel(image, x * p + d, y * p + cell / 2), pixel(small, x * 5 + inSmall(d), y * 5 + 2))
                        << "cell size " << cell << ", cell " << x << "," << y << ", column " << d;
                    ASSERT_EQ(pixel(image, x * p + cell / 2, y * p + d), pixel(small, x * 5 + 2, y * 5 + inSmall(d)))
                        << "cell size " << cell << ", cell " << x << "," << y << ", row " << d;
                }
    }
    scene.settings.showBorderLines = false;
    scene.settings.highlightBorders = false;
    const QImage plain = scene.renderWhole(MapView{4, 1});
    EXPECT_EQ(std::pair(pixel(plain, 20 * 5 - 1, 2 * 5 - 1), pixel(plain, 5 * 5 + 2, 2)),
              std::pair(qRgb(0, 0, 0), tileColour(Grass))) << "a black gap at a border, no highlight";
}

TEST(MapPicture, WithoutProvincesNoHighlightNoNamesAndTilesFollowTheAspectWithoutRouteMemory)
{
    Scene scene;
    scene.map.create(8, 5, 0, 0, 0, Water);
    scene.map.provinceNames = {"Alpha"};
    scene.settings.showProvinceNames = true;
    scene.settings.borderColour = 0x000000FF;
    // Scrolled before the map's corner, so the gaps left of and above it show; lines only there.
    expectGolden(scene.render(MapView{4, 1, -5, -5}, 60, 40), "no-provinces");
    const QImage summer = scene.renderWhole(MapView{16, 1});
    for (int layer = 0; layer < 2; ++layer)
        EXPECT_FALSE(scene.map.routeTime[layer].materialized() || scene.map.routeStep[layer].materialized());
    EXPECT_FALSE(scene.map.routeMark.materialized());
    scene.map.routeTime[OnFoot].fill(-1);
    scene.map.routeTime[OnFoot].data();
    scene.map.routeMark.data();
    EXPECT_EQ(scene.renderWhole(MapView{16, 1}), summer) << "filled but empty layers draw the same";

    // A new aspect whose water is light on the left, dark on the right: tiles follow it and the cell size.
    scene.writeTile(QStringLiteral("img/4/103.bmp"), qRgb(90, 90, 255));
    QImage halves(scene.folder.filePath(QStringLiteral("img/4/103.bmp")));
    QPainter(&halves).fillRect(16, 0, 16, 32, QColor(0, 0, 90));
    ASSERT_TRUE(halves.save(scene.folder.filePath(QStringLiteral("img/4/103.bmp")), "BMP"));
    scene.library.SelectAspectFolder(QStringLiteral(".\\img\\4\\"));
    for (const int cell : {16, 3}) {
        const QImage image = scene.renderWhole(MapView{cell, 1});
        EXPECT_EQ(std::pair(pixel(image, cell + 1, cell + 1), pixel(image, 2 * cell, cell + 1)),
                  std::pair(qRgb(90, 90, 255), qRgb(0, 0, 90))) << cell;
    }
}

TEST(TilePictures, EachAspectReadsItsOwnFolderAndMissingBrokenOrImpossibleTilesAreBlack)
{
    Scene scene;
    scene.writeTile("img/4/005.bmp", qRgb(10, 20, 30));
    scene.writeTile("img/1/005.bmp", qRgb(1, 2, 3));
    scene.writeTile("img/4/3611.bmp", qRgb(5, 6, 7), QSize(40, 20)); // kept at its own size
    scene.writeTile("100.bmp", qRgb(33, 44, 55));
    const QString startDir = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath()); // started from elsewhere
    TileLibrary library;
    library.SelectAspectFolder(".\\img\\4\\");
    EXPECT_EQ(solid(library, 5), qRgb(10, 20, 30));
    EXPECT_EQ(solid(library, 3611, QSize(40, 20)), qRgb(5, 6, 7));
    // Relative names given to pelmorin-cli keep their meaning.
    EXPECT_EQ(QDir(QDir::currentPath()).canonicalPath(), QDir(QDir::tempPath()).canonicalPath());
    QDir::setCurrent(startDir);
    library.ReleaseTiles();
    library.SelectAspectFolder(".\\img\\1\\");
    EXPECT_EQ(solid(library, 5), qRgb(1, 2, 3));

    // 250 is one file for all aspects, 251 to 256 plain colours, all ready at once.
    const std::pair<int, QRgb> fixed[] = {
        {250, layerChangeColour()}, {251, qRgb(161, 204, 245)}, {252, qRgb(176, 176, 176)},
        {253, qRgb(0, 128, 0)},     {254, qRgb(0, 0, 255)},     {255, qRgb(255, 255, 0)},
        {256, qRgb(255, 0, 0)},
    };
    for (const auto &[tile, colour] : fixed)
        EXPECT_TRUE(library.isLoaded(tile) && solid(library, tile) == colour) << tile;
    EXPECT_FALSE(library.isLoaded(257));
    library.SelectAspectFolder(QString()); // an unknown aspect: the program folder itself
    EXPECT_EQ(solid(library, 100), qRgb(33, 44, 55));

    SCOPED_TRACE("missing, broken and impossible tiles");
    QDir().mkpath(scene.folder.filePath("img/1/102.bmp")); // a folder where a file should be
    QFile::remove(scene.folder.filePath("img/250.bmp"));
    QFile broken(scene.folder.filePath("img/1/101.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("BM this is not a picture at all") > 0);
    broken.close();
    scene.writeTile("img/1/000.bmp", qRgb(1, 1, 1));
    scene.writeTile("img/1/5999.bmp", qRgb(77, 66, 55));
    TileLibrary damaged;
    damaged.SelectAspectFolder(".\\img\\1\\");
    for (int tile : {7, 250, 101, 102})
        EXPECT_EQ(solid(damaged, tile), qRgb(0, 0, 0)) << tile;
    EXPECT_TRUE(damaged.isLoaded(101));
    // A damaged map's numbers touch no slot; the last real slot is a tile.
    for (int tile : {-1, 6000, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()})
        EXPECT_TRUE(solid(damaged, tile) == qRgb(0, 0, 0) && !damaged.isLoaded(tile)) << tile;
    EXPECT_EQ(solid(damaged, 5999), qRgb(77, 66, 55));
}

// The minimap drawn from the map at its own scale, and an edit redrawn as a fresh picture shows it.
TEST(MapOverview, AWorldMapFillsTheMinimapWithItsTilesAndGridAndASmallMapIsScaledUpAndRedrawnWhereEdited)
{
    // Grass, water and a zone square; the world's 310 columns in 188 pixels.
    Scene scene;
    CarteVarenthe &map = scene.map;
    map.create(300, 169, 20, 13, 1, Grass);
    for (int y = 0; y < map.height; ++y)
        for (int x = 150; x < map.width; ++x)
            map.terrain.at(x, y) = Water;
    for (int y = 40; y < 60; ++y)
        for (int x = 40; x < 60; ++x)
            map.SetCellElement(x, y, Element{ElementZone, "", 0, 0, 256});
    MapOverview overview;
    overview.rebuild(map, scene.library);
    EXPECT_EQ(std::pair(int(overview.scale().cells), int(overview.scale().pixels)), std::pair(310, 188));
    expectGolden(overview.picture().convertToFormat(QImage::Format_RGB32), QStringLiteral("overview-world"));

    // 40 cells across 188 pixels: 4.7 pixels a cell; 20 rows take 94.
    map.create(40, 20, 0, 0, 0, Grass);
    overview.rebuild(map, scene.library);
    EXPECT_EQ(overview.scale().cells, 40);
    EXPECT_EQ(pixel(overview.picture(), 187, 93), tileColour(Grass));
    EXPECT_EQ(pixel(overview.picture(), 10, 95), qRgb(0, 0, 0)) << "below the map";
    // Painting cells then updating only them gives the picture drawn afresh.
    for (const QPoint cell : {QPoint(0, 0), QPoint(17, 9), QPoint(39, 19)}) {
        map.terrain.at(cell.x(), cell.y()) = Sand;
        overview.update(map, scene.library, QRect(cell, QSize(1, 1)));
    }
    MapOverview fresh;
    fresh.rebuild(map, scene.library);
    EXPECT_TRUE(overview.picture() == fresh.picture());
    EXPECT_EQ(pixel(overview.picture(), 17 * 188 / 40 + 2, 9 * 188 / 40 + 2), tileColour(Sand));
}
