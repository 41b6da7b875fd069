// What the mouse tells and does over a map window: the cell in the status
// bar, names as tooltips, the hand over cities, city pages, and painting with
// the palette.
#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QUrl>

#include "ui/CellHover.h"
#include "MapFormTestHost.h"

namespace {

// Catches the addresses the window hands to the desktop, so no browser opens.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    }
    ~UrlCatcher() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }
    QStringList opened;
public slots:
    void openUrl(const QUrl &url) { opened.push_back(url.toString()); }
};

QPoint cellCentre(int column, int row)
{
    return {column * 33 + 16, row * 33 + 16};
}

Element named(ElementKind kind, const char *name, int number)
{
    Element element;
    element.kind = kind;
    element.name = name;
    element.number = number;
    return element;
}

// A small world with a zone beside a city, and an erased element.
std::unique_ptr<CarteVarenthe> townWorld()
{
    auto map = grassWorld(60, 40);
    map->SetCellElement(4, 3, named(ElementZone, "Zone habitable", 253));
    map->SetCellElement(5, 3, named(ElementCity, "Port-Sablé", 42));
    map->SetCellElement(6, 3, named(ElementNone, "", 0));
    map->SetCellElement(7, 3, named(ElementZone, "", 256));
    map->modified = false;
    return map;
}

} // namespace

TEST(CellHover, TheStatusBarNamesTheCellUnderTheMouse)
{
    FakeMapWindowHost host;
    ShownMapForm shown(host, grassWorld(300, 169));
    moveTo(shown.form, Qt::NoButton, cellCentre(25, 14));
    EXPECT_EQ(host.panels[2], "25, 14 (B16)");
    shown.form.setScrollX(33 * 10);
    moveTo(shown.form, Qt::NoButton, cellCentre(0, 13));
    EXPECT_EQ(host.panels[2], "10, 13 (A1)");

    FakeMapWindowHost cityHost;
    auto city = std::make_unique<CarteVarenthe>();
    city->create(12, 30, 0, 0, 2, 1);
    ShownMapForm cityWindow(cityHost, std::move(city), {600, 400});
    moveTo(cityWindow.form, Qt::NoButton, cellCentre(3, 2));
    EXPECT_EQ(cityHost.panels[2], "3, 2 (C4)");
    // Beyond the last column: nothing to describe.
    moveTo(cityWindow.form, Qt::NoButton, cellCentre(13, 2));
    EXPECT_EQ(cityHost.panels[2], "");
}

TEST(CellHover, NamesShowAsTooltipsWithTheHandOverCities)
{
    FakeMapWindowHost host;
    ShownMapForm shown(host, townWorld());
    TMapForm &form = shown.form;
    moveTo(form, Qt::NoButton, cellCentre(4, 3));
    EXPECT_EQ(form.toolTip(), "Zone habitable");
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
    moveTo(form, Qt::NoButton, cellCentre(5, 3));
    EXPECT_EQ(form.toolTip(), "Port-Sablé");
    EXPECT_EQ(form.cursor().shape(), Qt::PointingHandCursor);
    moveTo(form, Qt::NoButton, cellCentre(4, 3));
    EXPECT_EQ(form.toolTip(), "Zone habitable");
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
    // Erased elements and unnamed zones say nothing.
    for (int column : {6, 7, 8}) {
        moveTo(form, Qt::NoButton, cellCentre(column, 3));
        EXPECT_EQ(form.toolTip(), "") << column;
        EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
    }
    EXPECT_EQ(cellHint(form.document(), -1, 3).toolTip, "");
}

TEST(CellHover, ALeftClickOnACityOpensItsPage)
{
    UrlCatcher catcher;
    FakeMapWindowHost host;
    ShownMapForm shown(host, townWorld());
    TMapForm &form = shown.form;
    pressAt(form, Qt::LeftButton, cellCentre(5, 3));
    releaseAt(form, Qt::LeftButton, cellCentre(5, 3));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], "http://www.varenthe-jeu.fr/map.php?map=1;0;42");
    // Zones, plain cells and the right button open nothing.
    pressAt(form, Qt::LeftButton, cellCentre(4, 3));
    pressAt(form, Qt::LeftButton, cellCentre(9, 9));
    pressAt(form, Qt::RightButton, cellCentre(5, 3));
    EXPECT_EQ(catcher.opened.size(), 1);
    EXPECT_FALSE(form.document().modified);
    form.PopupMenu->hide();
}

TEST(CellHover, AClickOnACityWithATileChosenPaintsInsteadOfOpening)
{
    UrlCatcher catcher;
    FakeMapWindowHost host;
    host.paletteShown = true;
    host.leftTile = 255;
    ShownMapForm shown(host, townWorld());
    pressAt(shown.form, Qt::LeftButton, cellCentre(5, 3));
    releaseAt(shown.form, Qt::LeftButton, cellCentre(5, 3));
    EXPECT_EQ(catcher.opened.size(), 0);
    const Element *element = shown.form.document().elementAt(5, 3);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->kind, ElementZone);
    EXPECT_EQ(element->number, 255);
    EXPECT_EQ(element->name, "Zone commerciale");
    EXPECT_TRUE(shown.form.document().modified);
    EXPECT_EQ(shown.form.toolTip(), "Zone commerciale");
}

TEST(CellHover, PaintingARoadJoinsItsPieces)
{
    FakeMapWindowHost host;
    host.paletteShown = true;
    host.leftTile = 110;
    ShownMapForm shown(host, grassWorld());
    TMapForm &form = shown.form;
    // A stroke along row 5, from column 3 to column 7.
    pressAt(form, Qt::LeftButton, cellCentre(3, 5));
    for (int column = 4; column <= 7; ++column)
        moveTo(form, Qt::LeftButton, cellCentre(column, 5));
    releaseAt(form, Qt::LeftButton, cellCentre(7, 5));
    for (int column = 3; column <= 7; ++column)
        EXPECT_EQ(form.document().terrainAt(column, 5), 110) << column;
    EXPECT_EQ(form.scrollX(), 0) << "painting does not drag the view";
    EXPECT_TRUE(form.document().modified);

    // The grass cell below the middle of the line.
    pressAt(form, Qt::LeftButton, cellCentre(5, 6));
    EXPECT_EQ(form.document().terrainAt(5, 5), 117);
    EXPECT_EQ(form.document().terrainAt(5, 6), 111);
}

TEST(CellHover, PaintingTheSameTileAgainStillMarksTheMapModified)
{
    FakeMapWindowHost host;
    host.paletteShown = true;
    host.rightTile = 100;
    ShownMapForm shown(host, grassWorld());
    pressAt(shown.form, Qt::RightButton, cellCentre(2, 2));
    EXPECT_EQ(shown.form.document().terrainAt(2, 2), 100);
    EXPECT_TRUE(shown.form.document().modified);
}

TEST(CellHover, PaintingWithTheRightButtonShowsNoMenu)
{
    FakeMapWindowHost host;
    host.paletteShown = true;
    host.rightTile = 101;
    ShownMapForm shown(host, grassWorld());
    TMapForm &form = shown.form;
    const QPoint at = cellCentre(2, 2);
    pressAt(form, Qt::RightButton, at);
    QContextMenuEvent painting(QContextMenuEvent::Mouse, at, form.mapToGlobal(at));
    QCoreApplication::sendEvent(&form, &painting);
    EXPECT_EQ(form.document().terrainAt(2, 2), 101);
    EXPECT_FALSE(form.PopupMenu->isVisible());

    // Without a right tile the right button asks for a route again.
    host.rightTile = -1;
    pressAt(form, Qt::RightButton, at);
    QContextMenuEvent asking(QContextMenuEvent::Mouse, at, form.mapToGlobal(at));
    QCoreApplication::sendEvent(&form, &asking);
    EXPECT_TRUE(form.PopupMenu->isVisible());
    form.PopupMenu->hide();
}

TEST(CellHover, WithThePaletteHiddenTheLeftButtonDrags)
{
    FakeMapWindowHost host;
    host.paletteShown = false;
    host.leftTile = 110;
    ShownMapForm shown(host, grassWorld(300, 169));
    TMapForm &form = shown.form;
    form.setScrollX(500);
    pressAt(form, Qt::LeftButton, {300, 100});
    moveTo(form, Qt::LeftButton, {350, 100});
    EXPECT_EQ(form.scrollX(), 410);
    EXPECT_FALSE(form.document().modified);
    EXPECT_EQ(form.document().terrainAt(9, 3), 100);
}

TEST(CellHover, TheLeftTileWinsWhenBothButtonsAreHeld)
{
    EXPECT_EQ(mouseMoveAction(true, true, true, 110, 253).paintTile, 110);
    EXPECT_EQ(mouseMoveAction(true, true, true, -1, 253).paintTile, 253);
    EXPECT_FALSE(mouseMoveAction(true, true, true, -1, 253).drag);
    EXPECT_TRUE(mouseMoveAction(true, true, false, -1, 253).drag);
    EXPECT_TRUE(mouseMoveAction(false, true, true, 110, 253).drag);
    EXPECT_EQ(mouseMoveAction(false, true, true, 110, 253).paintTile, -1);
}

#include "CellHoverTest.moc"
