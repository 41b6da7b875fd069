// Which file each tile number comes from, and the black tile for missing, broken or impossible ones.
#include "RendererTestScene.h"

#include <QFile>
#include <limits>

using namespace rendertest;

namespace {

const QRgb Black = qRgb(0, 0, 0);

// The tile's colour when it is solid and of the given size, else a colour no test uses.
QRgb solid(TileLibrary &library, int tile, QSize size = QSize(32, 32))
{
    const QImage picture = library.GetTile(tile).convertToFormat(QImage::Format_RGB32);
    QImage plain(size, QImage::Format_RGB32);
    plain.fill(picture.isNull() ? 0 : picture.pixel(0, 0));
    return picture == plain ? picture.pixel(0, 0) | 0xFF000000u : qRgb(1, 254, 1);
}

} // namespace

TEST(TilePictures, EachAspectReadsItsOwnFolderBesideTheProgramAndTheOverlaysStayTheSame)
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
    for (const auto &[tile, colour] : fixed) {
        EXPECT_TRUE(library.isLoaded(tile)) << tile;
        EXPECT_EQ(solid(library, tile), colour) << tile;
    }
    EXPECT_FALSE(library.isLoaded(257));
    library.SelectAspectFolder(QString()); // an unknown aspect: the program folder itself
    EXPECT_EQ(solid(library, 100), qRgb(33, 44, 55));
}

TEST(TilePictures, MissingBrokenAndImpossibleTilesAreBlack)
{
    Scene scene;
    QDir().mkpath(scene.folder.filePath("img/1/102.bmp")); // a folder where a file should be
    QFile::remove(scene.folder.filePath("img/250.bmp"));
    QFile broken(scene.folder.filePath("img/1/101.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("BM this is not a picture at all") > 0);
    broken.close();
    TileLibrary library;
    library.SelectAspectFolder(".\\img\\1\\");
    for (int tile : {7, 250, 101, 102})
        EXPECT_EQ(solid(library, tile), Black) << tile;
    EXPECT_TRUE(library.isLoaded(101));

    // A damaged map's numbers touch no slot; the last real slot is a tile.
    scene.writeTile("img/1/000.bmp", qRgb(1, 1, 1));
    scene.writeTile("img/1/5999.bmp", qRgb(77, 66, 55));
    for (int tile : {-1, 6000, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        EXPECT_EQ(solid(library, tile), Black) << tile;
        EXPECT_FALSE(library.isLoaded(tile)) << tile;
    }
    EXPECT_EQ(solid(library, 5999), qRgb(77, 66, 55));
}
