// The palette: where each tile lies, and how clicks choose and clear the tile of each mouse button.
#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <set>

#include "render/TileLibrary.h"
#include "ui/PaletteTable.h"
#include "ui/TPaletteForm.h"

TEST(PaletteTable, EveryCityTileHasItsOwnPlaceAndClicksBesideThePlacesChooseNothing)
{
    // The last row of each city category, where a row put one place off shows.
    const std::tuple<int, int, int, int32_t> places[] = {{3, 3, 8, 2594},  {4, 0, 6, 3671}, {5, 0, 5, 3010},
                                                         {5, 1, 21, 3171}, {6, 1, 8, 3291}, {7, 4, 12, 4134},
                                                         {8, 0, 6, 4270}};
    for (const auto &[category, column, row, tile] : places)
        EXPECT_EQ(paletteTileAt(category, column, row), tile) << category;
    std::set<int32_t> seen;
    for (int category = 3; category <= 10; ++category)
        for (int place = 0; place < PaletteRowCount * PaletteColumnCount; ++place) {
            const int32_t tile = paletteTileAt(category, place % PaletteColumnCount, place / PaletteColumnCount);
            EXPECT_TRUE(tile == 0 || seen.insert(tile).second) << "tile " << tile << " twice";
        }
    // The grid starts 21 pixels down; the gap right of a tile is still its place.
    const std::tuple<int, int, int, PaletteSelection> clicks[] = {{2, 32, 21 + 32, {0, 0, 2}},
                                                                  {2, 5 * 33 + 2, 21 + 5, {}},
                                                                  {-1, 5, 21 + 5, {}},
                                                                  {2, 5, 10, {}}};
    for (const auto &[category, x, y, chosen] : clicks)
        EXPECT_EQ(paletteSelectionAt(category, 0, x, y), chosen) << x << "," << y;
    EXPECT_EQ(paletteScrollMaximum(5, 10 * 33 + 20), 12) << "22 rows of public buildings, 10 shown";
}

TEST(PaletteForm, ClicksChooseATilePerButtonMarkedInColourAnEmptyPlaceClearsItAndTooltipsNameTheTile)
{
    TileLibrary tiles;
    TPaletteForm form(tiles);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const auto click = [&form](Qt::MouseButton button, int column, int row) {
        QTest::mouseClick(&form, button, {}, palettePlaceRect(column, row, 0).center());
    };
    // A place's tooltip names its tile and category; an empty place lets the request go on.
    const auto tipOn = [&form](int row) {
        const QPoint at = palettePlaceRect(0, row, 0).center();
        QHelpEvent help(QEvent::ToolTip, at, form.mapToGlobal(at));
        QCoreApplication::sendEvent(&form, &help);
        return help.isAccepted() ? QToolTip::text() : QString();
    };
    form.setCategory(3);
    EXPECT_EQ(tipOn(0), "Tuile 2511 \u2014 Villes - Institutions nationales");
    form.setCategory(2); // Routes
    click(Qt::LeftButton, 0, 0);
    click(Qt::RightButton, 2, 1);
    EXPECT_EQ(form.SelectedTile(0), 110);
    EXPECT_EQ(form.SelectedTile(1), 117);
    // Blue around the left tile, red around the right one, not drawn in another category.
    const QImage picture = form.grab().toImage();
    const QRect left = palettePlaceRect(0, 0, 0), right = palettePlaceRect(2, 1, 0);
    EXPECT_EQ(QColor(picture.pixel(left.right() + 1, left.top() + 10)), QColor(Qt::blue));
    EXPECT_EQ(QColor(picture.pixel(right.left() - 1, right.top() + 10)), QColor(Qt::red));
    form.setCategory(11);
    EXPECT_EQ(tipOn(1), "");
    EXPECT_NE(QColor(form.grab().toImage().pixel(right.left() - 1, right.top() + 10)), QColor(Qt::red));
    // An empty place of "Zones" gives the right button back; the middle button changes nothing.
    click(Qt::RightButton, 0, 3);
    click(Qt::MiddleButton, 4, 0);
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
