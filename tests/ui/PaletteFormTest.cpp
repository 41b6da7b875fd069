// The palette: what each category offers, and how clicks choose and clear
// the tile of each mouse button.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include <set>
#include <tuple>

#include "render/TileLibrary.h"
#include "ui/PaletteTable.h"
#include "ui/TPaletteForm.h"

namespace {

// Centre of place (column, row) in window coordinates with the grid at row `scroll`.
QPoint placeCentre(int column, int row, int scroll = 0)
{
    return palettePlaceRect(column, row, scroll).center();
}

std::vector<int32_t> categoryTiles(int category)
{
    std::vector<int32_t> tiles;
    for (int row = 0; row < PaletteRowCount; ++row)
        for (int column = 0; column < PaletteColumnCount; ++column)
            if (int32_t tile = paletteTileAt(category, column, row))
                tiles.push_back(tile);
    return tiles;
}

} // namespace

TEST(PaletteTable, EachCategoryOffersItsTilesRowByRowFromTheLeft)
{
    const int expectedRows[PaletteCategoryCount] = {4, 4, 3, 9, 7, 22, 9, 13, 7, 3, 3, 1};
    const size_t expectedCounts[PaletteCategoryCount] = {13, 10, 13, 36, 28, 107, 18, 65, 35, 11, 10, 5};
    for (int category = 0; category < PaletteCategoryCount; ++category) {
        SCOPED_TRACE(paletteCategoryName(category).toStdString());
        EXPECT_EQ(paletteCategoryRows(category), expectedRows[category]);
        EXPECT_EQ(categoryTiles(category).size(), expectedCounts[category]);
        // Rows in use come first, each filled from the left.
        for (int row = 0; row < PaletteRowCount; ++row) {
            bool gapSeen = false;
            for (int column = 0; column < PaletteColumnCount; ++column) {
                const bool filled = paletteTileAt(category, column, row) != 0;
                EXPECT_FALSE(filled && gapSeen) << "row " << row << " column " << column;
                EXPECT_FALSE(filled && row >= expectedRows[category]) << "row " << row;
                gapSeen = gapSeen || !filled;
            }
        }
    }
    EXPECT_EQ(categoryTiles(11), (std::vector<int32_t>{253, 254, 255, 256, 257}));
    EXPECT_EQ(categoryTiles(1), (std::vector<int32_t>{1, 100, 105, 106, 107, 101, 102, 108, 103, 104}));
    // A place in the last row of each city category, where a row put one
    // place off shows; public buildings end with the 3010..3160 rows.
    const std::tuple<int, int, int, int32_t> places[] = {{3, 3, 8, 2594},  {4, 0, 6, 3671}, {5, 0, 5, 3010},
                                                         {5, 1, 21, 3171}, {6, 1, 8, 3291}, {7, 4, 12, 4134},
                                                         {8, 0, 6, 4270}};
    for (const auto &[category, column, row, tile] : places)
        EXPECT_EQ(paletteTileAt(category, column, row), tile) << category;
    EXPECT_EQ(categoryTiles(10), (std::vector<int32_t>{3511, 3512, 3513, 3514, 3521, 3530, 3541, 3551, 3561, 3571}));
    // Every tile of a city category is a distinct picture.
    std::set<int32_t> seen;
    for (int category = 3; category <= 10; ++category)
        for (int32_t tile : categoryTiles(category))
            EXPECT_TRUE(seen.insert(tile).second) << tile;
}

TEST(PaletteTable, ClickPositionsChooseAPlaceOrNothing)
{
    // Routes, grid at the top: the tile at column 2 of the second row.
    EXPECT_EQ(paletteSelectionAt(2, 0, 2 * 33 + 5, 21 + 33 + 5), (PaletteSelection{2, 1, 2}));
    // The gap pixel at the right of a tile still belongs to its place.
    EXPECT_EQ(paletteSelectionAt(2, 0, 32, 21 + 32), (PaletteSelection{0, 0, 2}));
    // Scrolled by three rows, the first visible row is row 3.
    EXPECT_EQ(paletteSelectionAt(5, 3, 10, 21 + 10), (PaletteSelection{0, 3, 5}));
    // An empty place, a click right of the five columns, no category.
    EXPECT_EQ(paletteSelectionAt(2, 0, 4 * 33 + 5, 21 + 2 * 33 + 5), PaletteSelection{});
    EXPECT_EQ(paletteSelectionAt(2, 0, 5 * 33 + 2, 21 + 5), PaletteSelection{});
    EXPECT_EQ(paletteSelectionAt(-1, 0, 5, 21 + 5), PaletteSelection{});
    // Above the grid (inside the category panel) is not row 0.
    EXPECT_EQ(paletteSelectionAt(2, 0, 5, 10), PaletteSelection{});
    EXPECT_EQ(paletteSelectedTile(PaletteSelection{}), -1);
    // 22 rows of public buildings in a grid 10 rows high scroll by 12.
    EXPECT_EQ(paletteScrollMaximum(5, 10 * 33 + 20), 12);
    EXPECT_EQ(paletteScrollMaximum(11, 400), 0);
}

class ShownPalette : public ::testing::Test {
protected:
    TileLibrary tiles;
    TPaletteForm form{tiles};

    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
};

TEST_F(ShownPalette, LeftAndRightClicksChooseATileEachAndAnEmptyPlaceClearsIt)
{
    EXPECT_EQ(form.width(), 194);
    // No category yet: a click chooses nothing.
    QTest::mouseClick(&form, Qt::LeftButton, {}, placeCentre(0, 0));
    EXPECT_EQ(form.SelectedTile(0), -1);
    EXPECT_EQ(form.SelectedTile(1), -1);
    EXPECT_TRUE(form.Label3->isVisible());

    form.setCategory(2); // Routes
    QTest::mouseClick(&form, Qt::LeftButton, {}, placeCentre(0, 0));
    QTest::mouseClick(&form, Qt::RightButton, {}, placeCentre(2, 1));
    EXPECT_EQ(form.SelectedTile(0), 110);
    EXPECT_EQ(form.SelectedTile(1), 117);
    EXPECT_FALSE(form.Label3->isVisible());
    EXPECT_TRUE(form.Image1->isVisible());
    EXPECT_FALSE(form.Label4->isVisible());
    EXPECT_TRUE(form.Image2->isVisible());

    // The marks: blue around the left tile, red around the right one.
    const QImage picture = form.grab().toImage();
    const QRect left = palettePlaceRect(0, 0, 0);
    const QRect right = palettePlaceRect(2, 1, 0);
    EXPECT_EQ(QColor(picture.pixel(left.left() + 10, left.top() - 1)), QColor(Qt::blue));
    EXPECT_EQ(QColor(picture.pixel(left.right() + 1, left.top() + 10)), QColor(Qt::blue));
    EXPECT_EQ(QColor(picture.pixel(right.left() - 1, right.top() + 10)), QColor(Qt::red));
    EXPECT_EQ(QColor(picture.pixel(right.left() + 10, right.bottom() + 1)), QColor(Qt::red));

    // The selections survive a change of category; the marks are not drawn there.
    form.setCategory(11);
    EXPECT_EQ(form.SelectedTile(0), 110);
    const QImage zones = form.grab().toImage();
    EXPECT_NE(QColor(zones.pixel(right.left() - 1, right.top() + 10)), QColor(Qt::red));

    // Right click on an empty place of "Zones" gives the right button back.
    QTest::mouseClick(&form, Qt::RightButton, {}, placeCentre(0, 3));
    EXPECT_EQ(form.SelectedTile(1), -1);
    EXPECT_TRUE(form.Label4->isVisible());
    EXPECT_FALSE(form.Image2->isVisible());
    EXPECT_EQ(form.SelectedTile(0), 110);

    // Other buttons change nothing.
    QTest::mouseClick(&form, Qt::MiddleButton, {}, placeCentre(4, 0));
    EXPECT_EQ(form.SelectedTile(0), 110);
    EXPECT_EQ(form.SelectedTile(1), -1);

    // Clicks follow the scroll bar.
    form.resize(194, 21 + 71 + 6 * 33);
    QCoreApplication::processEvents();
    form.setCategory(5); // 22 rows of public buildings
    ASSERT_EQ(form.ScrollBar1->maximum(), 22 - 6);
    form.ScrollBar1->setValue(form.ScrollBar1->maximum());
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(33 + 10, 21 + 5 * 33 + 10));
    EXPECT_EQ(form.selection(0), (PaletteSelection{1, 21, 5}));
    EXPECT_EQ(form.SelectedTile(0), 3171);
}
