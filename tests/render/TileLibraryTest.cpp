// The tile pictures a player sees: which file each tile number comes from,
// what replaces a missing or broken file, and what a damaged map's
// impossible numbers show.
#include "render/TileLibrary.h"
#include "settings/ProgramFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <limits>
#include <memory>

namespace {

class TileLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home_.isValid());
        startDir_ = QDir::currentPath();
        ProgramFolder::setPath(home_.path());
        library_ = std::make_unique<TileLibrary>();
    }
    void TearDown() override
    {
        ProgramFolder::setPath(QString());
        QDir::setCurrent(startDir_);
    }

    // A 24-bit .bmp of one colour, written where the program would find it.
    void writeTile(const QString &relativePath, QRgb colour, int width = 32, int height = 32)
    {
        const QString path = home_.filePath(relativePath);
        QDir().mkpath(QFileInfo(path).path());
        QImage picture(width, height, QImage::Format_RGB888);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(path, "BMP")) << path.toStdString();
    }

    static bool isSolid(const QImage &picture, QRgb colour, int width = 32, int height = 32)
    {
        if (picture.width() != width || picture.height() != height)
            return false;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if ((picture.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF))
                    return false;
        return true;
    }

    QTemporaryDir home_;
    QString startDir_;
    std::unique_ptr<TileLibrary> library_;
};

const QRgb Black = qRgb(0, 0, 0);

} // namespace

TEST(TileFileName, BelowOneHundredHasThreeDigitsAboveIsPlain)
{
    EXPECT_EQ(TileLibrary::tileFileName(0), "000");
    EXPECT_EQ(TileLibrary::tileFileName(7), "007");
    EXPECT_EQ(TileLibrary::tileFileName(42), "042");
    EXPECT_EQ(TileLibrary::tileFileName(99), "099");
    EXPECT_EQ(TileLibrary::tileFileName(100), "100");
    EXPECT_EQ(TileLibrary::tileFileName(2511), "2511");
    EXPECT_EQ(TileLibrary::tileFileName(5999), "5999");
}

TEST_F(TileLibraryTest, WinterTilesComeFromTheWinterFolderBesideTheProgram)
{
    writeTile("img/4/005.bmp", qRgb(10, 20, 30));
    writeTile("img/4/100.bmp", qRgb(200, 210, 220));
    writeTile("img/1/005.bmp", qRgb(1, 2, 3));
    // Started from elsewhere: the relative folder still means the program's.
    QDir::setCurrent(QDir::tempPath());

    library_->SelectAspectFolder(".\\img\\4\\");
    EXPECT_EQ(library_->aspectFolder(), ".\\img\\4\\");
    EXPECT_FALSE(library_->isLoaded(5));
    EXPECT_TRUE(isSolid(library_->GetTile(5), qRgb(10, 20, 30)));
    EXPECT_TRUE(isSolid(library_->GetTile(100), qRgb(200, 210, 220)));
    EXPECT_TRUE(library_->isLoaded(5));
    // Loading tiles leaves the current directory where it was: relative
    // names given by a script to pelmorin-cli keep their meaning.
    EXPECT_EQ(QDir(QDir::currentPath()).canonicalPath(), QDir(QDir::tempPath()).canonicalPath());
}

TEST_F(TileLibraryTest, SwitchingAspectsReloadsEveryTileButTheOverlaysStayTheSame)
{
    writeTile("img/1/100.bmp", qRgb(0, 200, 0));
    writeTile("img/4/100.bmp", qRgb(250, 250, 250));
    writeTile("img/250.bmp", qRgb(12, 34, 56));

    library_->SelectAspectFolder(".\\img\\1\\");
    EXPECT_TRUE(isSolid(library_->GetTile(100), qRgb(0, 200, 0)));
    const uint64_t summer = library_->generation();
    library_->ReleaseTiles();
    library_->SelectAspectFolder(".\\img\\4\\");
    EXPECT_NE(library_->generation(), summer);
    EXPECT_TRUE(isSolid(library_->GetTile(100), qRgb(250, 250, 250)));
    library_->ReleaseTiles();
    library_->SelectAspectFolder(".\\img\\1\\");
    EXPECT_TRUE(isSolid(library_->GetTile(100), qRgb(0, 200, 0)));

    // 250 is one file for all aspects, 251 to 256 are plain colours; all are
    // ready as soon as the aspect is chosen.
    const std::pair<int, QRgb> fixed[] = {
        {250, qRgb(12, 34, 56)}, {251, qRgb(161, 204, 245)}, {252, qRgb(176, 176, 176)},
        {253, qRgb(0, 128, 0)},  {254, qRgb(0, 0, 255)},     {255, qRgb(255, 255, 0)},
        {256, qRgb(255, 0, 0)},
    };
    for (const auto &[tile, colour] : fixed) {
        EXPECT_TRUE(library_->isLoaded(tile)) << tile;
        EXPECT_TRUE(isSolid(library_->GetTile(tile), colour)) << tile;
    }
    EXPECT_FALSE(library_->isLoaded(257));
}

TEST_F(TileLibraryTest, MissingFileIsABlackTileLookedForOncePerAspect)
{
    library_->SelectAspectFolder(".\\img\\1\\");
    EXPECT_TRUE(isSolid(library_->GetTile(7), Black));
    EXPECT_TRUE(isSolid(library_->GetTile(250), Black)); // no 250.bmp either

    // The file appearing later changes nothing until the aspect is chosen again.
    writeTile("img/1/007.bmp", qRgb(90, 90, 90));
    EXPECT_TRUE(isSolid(library_->GetTile(7), Black));
    library_->SelectAspectFolder(".\\img\\1\\");
    EXPECT_TRUE(isSolid(library_->GetTile(7), qRgb(90, 90, 90)));
}

TEST_F(TileLibraryTest, BrokenFileIsTreatedLikeAMissingOne)
{
    const QString path = home_.filePath("img/1/101.bmp");
    QDir().mkpath(QFileInfo(path).path());
    QFile broken(path);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM this is not a picture at all");
    broken.close();
    // A folder where a file should be is no better.
    QDir().mkpath(home_.filePath("img/1/102.bmp"));

    library_->SelectAspectFolder(".\\img\\1\\");
    EXPECT_TRUE(isSolid(library_->GetTile(101), Black));
    EXPECT_TRUE(library_->isLoaded(101));
    EXPECT_TRUE(isSolid(library_->GetTile(102), Black));
}

TEST_F(TileLibraryTest, PictureOfAnotherSizeIsKeptAsItIs)
{
    writeTile("img/1/3611.bmp", qRgb(5, 6, 7), 40, 20);
    library_->SelectAspectFolder(".\\img\\1\\");
    EXPECT_TRUE(isSolid(library_->GetTile(3611), qRgb(5, 6, 7), 40, 20));
}

TEST_F(TileLibraryTest, DamagedMapNumbersShowBlackAndTouchNoSlot)
{
    writeTile("img/1/000.bmp", qRgb(1, 1, 1));
    library_->SelectAspectFolder(".\\img\\1\\");
    for (int tile : {-1, -100, 6000, 6001, 65535, std::numeric_limits<int>::min(),
                     std::numeric_limits<int>::max()}) {
        EXPECT_TRUE(isSolid(library_->GetTile(tile), Black)) << tile;
        EXPECT_FALSE(library_->isLoaded(tile)) << tile;
    }
    // The last real slot is an ordinary tile.
    writeTile("img/1/5999.bmp", qRgb(77, 66, 55));
    EXPECT_TRUE(isSolid(library_->GetTile(5999), qRgb(77, 66, 55)));
}

TEST_F(TileLibraryTest, UnknownAspectLooksInTheProgramFolderItself)
{
    writeTile("100.bmp", qRgb(33, 44, 55));
    library_->SelectAspectFolder(QString());
    EXPECT_TRUE(isSolid(library_->GetTile(100), qRgb(33, 44, 55)));
}

TEST(TileLibraryPaths, WindowsFoldersMapToThisPlatform)
{
    EXPECT_EQ(ProgramFolder::localPath(".\\img\\1\\007.bmp"), "./img/1/007.bmp");
    EXPECT_EQ(ProgramFolder::localPath("img/4/"), "img/4/");
    EXPECT_TRUE(TileLibrary::MakeSolidTile(qRgb(1, 2, 3), 8, 5).size() == QSize(8, 5));
}
