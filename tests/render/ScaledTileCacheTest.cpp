// A map window's tiles stretched to its cell size: made once per tile and
// size, dropped when the zoom or the aspect changes.
#include "RendererTestScene.h"

using namespace rendertest;

TEST(ScaledTiles, MadeOncePerSizeAndAspectWithTheLayerChangeTileAlwaysReady)
{
    Scene scene;
    ScaledTileCache &tiles = *scene.tiles;
    EXPECT_EQ(tiles.cellSize(), 32);
    EXPECT_EQ(tiles.scaledTile(250).pixel(31, 31) | 0xFF000000u, layerChangeColour());
    EXPECT_FALSE(tiles.exists(Water));
    tiles.PrepareScaledTile(Water);
    tiles.PrepareScaledTile(6000); // numbers no tile can have are never stored
    tiles.PrepareScaledTile(-1);
    EXPECT_FALSE(tiles.isValid(6000));
    EXPECT_FALSE(tiles.exists(-1));
    EXPECT_EQ(tiles.scaledTile(Water).pixel(31, 31) | 0xFF000000u, tileColour(Water));
    const uchar *bits = tiles.scaledTile(Water).constBits();

    tiles.syncWith(16);
    EXPECT_FALSE(tiles.isValid(Water));
    EXPECT_TRUE(tiles.exists(Water)) << "the 32 x 32 picture is reused";
    EXPECT_TRUE(tiles.isValid(250)) << "invalidation prepares the layer-change tile at once";
    EXPECT_EQ(tiles.scaledTile(Water).constBits(), bits);
    EXPECT_EQ(tiles.scaledTile(Water).pixel(15, 15) | 0xFF000000u, tileColour(Water));
    tiles.syncWith(16);
    EXPECT_TRUE(tiles.isValid(Water)) << "the same size again: nothing to redo";

    // An aspect change in the shared library is noticed at the next sync.
    scene.writeTile(QStringLiteral("img/4/103.bmp"), qRgb(1, 200, 250));
    scene.library.SelectAspectFolder(QStringLiteral(".\\img\\4\\"));
    tiles.syncWith(16);
    EXPECT_FALSE(tiles.isValid(Water));
    EXPECT_EQ(tiles.scaledTile(Water).pixel(3, 3) | 0xFF000000u, qRgb(1, 200, 250));
}
