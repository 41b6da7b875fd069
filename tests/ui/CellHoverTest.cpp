// What the mouse tells and does over a map window: the cell in the status
// bar, names as tooltips, the hand over cities, city pages, and painting with
// the palette.
#include <gtest/gtest.h>

#include <QMenu>
#include <QStyleHints>

#include "ui/CellHover.h"
#include "MapFormTestHost.h"

namespace {

// A small world with a zone beside a city, and an erased element.
std::unique_ptr<CarteVarenthe> townWorld()
{
    auto map = grassWorld(60, 40);
    map->SetCellElement(4, 3, Element{ElementZone, "Zone habitable", 4, 3, 253});
    map->SetCellElement(5, 3, Element{ElementCity, "Port-Sablé", 5, 3, 42});
    map->SetCellElement(6, 3, Element{ElementNone, "", 6, 3, 0});
    map->SetCellElement(7, 3, Element{ElementZone, "", 7, 3, 256});
    map->modified = false;
    return map;
}

} // namespace

using CellHover = MapFormFixture;

TEST_F(CellHover, TheStatusBarNamesTheCellUnderTheMouse)
{
    TMapForm &form = show();
    moveTo(form, Qt::NoButton, cellCentre(25, 14));
    EXPECT_EQ(host.panels[2], "25, 14 (B16)");
    form.setScrollX(33 * 10);
    moveTo(form, Qt::NoButton, cellCentre(0, 13));
    EXPECT_EQ(host.panels[2], "10, 13 (A1)");

    // Beyond the last column of a narrow map the panel empties.
    TMapForm &narrow = show(grassWorld(12, 30));
    moveTo(narrow, Qt::NoButton, cellCentre(3, 2));
    EXPECT_EQ(host.panels[2], "3, 2 (C4)");
    moveTo(narrow, Qt::NoButton, cellCentre(13, 2));
    EXPECT_EQ(host.panels[2], "");
}

TEST_F(CellHover, NamesShowAsTooltipsWithTheHandOverCities)
{
    TMapForm &form = show(townWorld());
    // Back to the zone after the city: the hand goes again. Erased elements
    // and unnamed zones say nothing.
    const std::pair<int, const char *> cells[] = {
        {4, "Zone habitable"}, {5, "Port-Sablé"}, {4, "Zone habitable"}, {6, ""}, {7, ""}, {8, ""}};
    for (const auto &[column, tip] : cells) {
        moveTo(form, Qt::NoButton, cellCentre(column, 3));
        EXPECT_EQ(form.toolTip(), tip) << column;
        EXPECT_EQ(form.cursor().shape(), column == 5 ? Qt::PointingHandCursor : Qt::ArrowCursor) << column;
    }
    EXPECT_EQ(cellHint(form.document(), -1, 3).toolTip, "");
}

TEST_F(CellHover, ALeftClickReleasedOnACityOpensItsPageOnceUnlessATileIsChosen)
{
    UrlCatcher catcher;
    TMapForm &form = show(townWorld());
    const QPoint city = cellCentre(5, 3);
    pressAt(form, Qt::LeftButton, city);
    EXPECT_TRUE(catcher.opened.isEmpty()) << "opened on the press";
    releaseAt(form, Qt::LeftButton, city);
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], "http://www.varenthe-jeu.fr/map.php?map=1;0;42");
    // A double-click is one click more, not two.
    pressAt(form, Qt::LeftButton, city);
    releaseAt(form, Qt::LeftButton, city);
    sendMouse(form, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, city);
    releaseAt(form, Qt::LeftButton, city);
    EXPECT_EQ(catcher.opened.size(), 2);
    // A drag started on the city, or a release elsewhere, opens nothing.
    const int far = QGuiApplication::styleHints()->startDragDistance() + 2;
    pressAt(form, Qt::LeftButton, city);
    moveTo(form, Qt::LeftButton, city + QPoint(far, 0));
    moveTo(form, Qt::LeftButton, city);
    releaseAt(form, Qt::LeftButton, city);
    pressAt(form, Qt::LeftButton, city);
    releaseAt(form, Qt::LeftButton, city + QPoint(0, 33));
    // Zones, plain cells and the right button open nothing.
    pressAt(form, Qt::LeftButton, cellCentre(4, 3));
    pressAt(form, Qt::LeftButton, cellCentre(9, 9));
    pressAt(form, Qt::RightButton, city);
    EXPECT_EQ(catcher.opened.size(), 2);
    EXPECT_FALSE(form.document().modified);
    form.PopupMenu->hide();

    // With the palette's left tile chosen, the click paints the zone over the city.
    host.paletteShown = true;
    host.leftTile = 255;
    pressAt(form, Qt::LeftButton, city);
    releaseAt(form, Qt::LeftButton, city);
    EXPECT_EQ(catcher.opened.size(), 2);
    const Element *element = form.document().elementAt(5, 3);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->kind, ElementZone);
    EXPECT_EQ(element->number, 255);
    EXPECT_EQ(element->name, "Zone commerciale");
    EXPECT_TRUE(form.document().modified);
    EXPECT_EQ(form.toolTip(), "Zone commerciale");
}

TEST_F(CellHover, AStrokeWithThePalettePaintsEveryCellItCrossesAndTheRightButtonShowsNoMenu)
{
    host.paletteShown = true;
    host.leftTile = 101;
    host.rightTile = 100;
    TMapForm &form = show(grassWorld());
    // The same tile again still marks the map modified.
    rightClick(form, cellCentre(2, 2));
    EXPECT_EQ(form.document().terrainAt(2, 2), 100);
    EXPECT_TRUE(form.document().modified);
    EXPECT_FALSE(form.PopupMenu->isVisible());

    pressAt(form, Qt::LeftButton, cellCentre(3, 5));
    for (int column = 4; column <= 7; ++column)
        moveTo(form, Qt::LeftButton, cellCentre(column, 5));
    releaseAt(form, Qt::LeftButton, cellCentre(7, 5));
    for (int column = 3; column <= 7; ++column)
        EXPECT_EQ(form.document().terrainAt(column, 5), 101) << column;
    EXPECT_EQ(form.scrollX(), 0) << "painting does not drag the view";

    // Without a right tile the right button asks for a route again.
    host.rightTile = -1;
    rightClick(form, cellCentre(2, 2));
    EXPECT_TRUE(form.PopupMenu->isVisible());
    form.PopupMenu->hide();

    // With the palette hidden the left button drags and paints nothing.
    host.paletteShown = false;
    form.setScrollX(500);
    pressAt(form, Qt::LeftButton, {300, 100});
    moveTo(form, Qt::LeftButton, {350, 100});
    EXPECT_EQ(form.scrollX(), 410);
    EXPECT_EQ(form.document().terrainAt(24, 3), 100);
}

TEST_F(CellHover, TheLeftTileWinsWhenBothButtonsAreHeld)
{
    EXPECT_EQ(mouseMoveAction(true, true, true, 110, 253).paintTile, 110);
    EXPECT_EQ(mouseMoveAction(true, true, true, -1, 253).paintTile, 253);
    EXPECT_FALSE(mouseMoveAction(true, true, true, -1, 253).drag);
    EXPECT_TRUE(mouseMoveAction(true, true, false, -1, 253).drag);
}

#include "moc_MapFormTestHost.cpp"
