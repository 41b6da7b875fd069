// The generated assets as the program itself uses them: the tile library
// finds every tile in the aspect folders under the names it builds, and the
// sample world's rivers and names are usable by a traveller and a map file.
#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "AssetFiles.h"
#include "PlaceNames.h"
#include "map/CarteVarenthe.h"
#include "map/Windows1252.h"
#include "render/TileLibrary.h"
#include "settings/ProgramFolder.h"

namespace {

bool isBlack(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if ((rgb.pixel(x, y) & 0xFFFFFF) != 0)
                return false;
    return true;
}

} // namespace

TEST(AssetsInUse, theTileLibraryFindsTheTilesOfBothAspectsBesideTheProgram)
{
    ProgramFolder::setPath(programFolder());
    TileLibrary library;
    for (const char *folder : {".\\img\\1\\", ".\\img\\4\\"}) {
        library.SelectAspectFolder(QString::fromLatin1(folder));
        // A missing file would give a black tile.
        for (int tile : {0, 1, 3, 100, 103, 110, 120, 122, 147, 257, 2511, 3171, 4274, 5090})
            EXPECT_FALSE(isBlack(library.GetTile(tile))) << folder << " tile " << tile;
        EXPECT_FALSE(isBlack(library.GetTile(250))) << "layer-change marker";
        EXPECT_EQ(library.GetTile(100).size(), QSize(32, 32));
    }
    library.SelectAspectFolder(QStringLiteral(".\\img\\1\\"));
    const QImage summer = library.GetTile(105).convertToFormat(QImage::Format_RGB32);
    library.SelectAspectFolder(QStringLiteral(".\\img\\4\\"));
    EXPECT_NE(summer, library.GetTile(105).convertToFormat(QImage::Format_RGB32));
}

TEST(AssetsInUse, riversRunUnbrokenSoThatBoatsCanFollowThem)
{
    CarteVarenthe world;
    world.open((programFolder() + QStringLiteral("/pelmorin.vr")).toStdString());
    // Water a boat can move on: sea, river, bridge, port.
    auto afloat = [](int32_t code) { return code == 103 || code == 104 || code == 122 || code == 1; };
    int riverCells = 0;
    for (int32_t y = 0; y < world.height; ++y) {
        for (int32_t x = 0; x < world.width; ++x) {
            if (world.terrainAt(x, y) != 104)
                continue;
            ++riverCells;
            int wet = 0;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                wet += afloat(world.terrainAt(x + dx, y + dy));
            // Every river cell goes on to water on at least one side, by a
            // side step, never only diagonally.
            EXPECT_GE(wet, 1) << "river cell " << x << "," << y;
        }
    }
    EXPECT_GT(riverCells, 200);
}

TEST(AssetsInUse, inventedNamesNeverRepeatAndFitTheMapFileCodePage)
{
    PlaceNames names(7);
    std::set<std::string> seen;
    for (int i = 0; i < 600; ++i) {
        const std::string name = i % 3 == 0 ? names.province(i % 2 == 0) : names.city(i % 2 == 0);
        EXPECT_TRUE(seen.insert(name).second) << name;
        // Through the map file and back, letter for letter.
        EXPECT_EQ(cp1252ToUtf8(utf8ToCp1252(name)), name);
        EXPECT_EQ(name.find('?'), std::string::npos) << name;
        EXPECT_GE(name.size(), 4u) << name;
    }
}
