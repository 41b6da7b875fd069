// A map window's tiles stretched to its cell size: made once per tile and
// size, dropped when the zoom or the aspect changes.
#include "RendererTestScene.h"

using namespace rendertest;

TEST(ScaledTiles, ANewWindowHasOnlyTheLayerChangeTileReady)
{
    Scene scene;
    ScaledTileCache &tiles = *scene.tiles;
    EXPECT_EQ(tiles.cellSize(), 32);
    EXPECT_TRUE(tiles.isValid(250));
    EXPECT_EQ(tiles.scaledTile(250).pixel(31, 31) | 0xFF000000u, layerChangeColour());
    EXPECT_FALSE(tiles.exists(Grass));
    EXPECT_FALSE(tiles.isValid(Grass));

    tiles.PrepareScaledTile(Grass);
    EXPECT_TRUE(tiles.isValid(Grass));
    EXPECT_EQ(tiles.scaledTile(Grass).size(), QSize(32, 32));
    EXPECT_EQ(tiles.scaledTile(Grass).pixel(0, 0) | 0xFF000000u, tileColour(Grass));

    // Numbers no tile can have are never stored.
    tiles.PrepareScaledTile(6000);
    tiles.PrepareScaledTile(-1);
    EXPECT_FALSE(tiles.isValid(6000));
    EXPECT_FALSE(tiles.exists(-1));
}

TEST(ScaledTiles, ZoomingOrChangingAspectInvalidatesButKeepsThePictures)
{
    Scene scene;
    ScaledTileCache &tiles = *scene.tiles;
    tiles.PrepareScaledTile(Water);
    const QImage &copy = tiles.scaledTile(Water);
    const uchar *bits = copy.constBits();

    tiles.syncWith(16);
    EXPECT_EQ(tiles.cellSize(), 16);
    EXPECT_FALSE(tiles.isValid(Water));
    EXPECT_TRUE(tiles.exists(Water)) << "the 32 x 32 picture is reused";
    EXPECT_TRUE(tiles.isValid(250)) << "invalidation prepares the layer-change tile at once";
    EXPECT_EQ(tiles.scaledTile(Water).constBits(), bits);
    EXPECT_EQ(tiles.scaledTile(Water).pixel(15, 15) | 0xFF000000u, tileColour(Water));

    // Same size again: nothing to redo.
    tiles.syncWith(16);
    EXPECT_TRUE(tiles.isValid(Water));

    // An aspect change in the shared library is noticed at the next render.
    QDir(scene.folder.path()).mkpath(QStringLiteral("img/4"));
    writeSolidBitmap(scene.folder.filePath(QStringLiteral("img/4/103.bmp")), qRgb(1, 200, 250));
    scene.library.SelectAspectFolder(QStringLiteral(".\\img\\4\\"));
    tiles.syncWith(16);
    EXPECT_FALSE(tiles.isValid(Water));
    EXPECT_EQ(tiles.scaledTile(Water).pixel(3, 3) | 0xFF000000u, qRgb(1, 200, 250));
}
