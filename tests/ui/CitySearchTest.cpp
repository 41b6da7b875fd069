// Finding a city in the list by typing part of its name, and setting a
// route's ends on cities from the list.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "MapFormTestHost.h"
#include "map/CarteVarenthe.h"
#include "render/MapView.h"
#include "ui/CityList.h"
#include "ui/MapViewGeometry.h"
#include "ui/TCitiesForm.h"

namespace {

std::unique_ptr<CarteVarenthe> mapWithPlaces()
{
    auto map = grassWorld(40, 26);
    for (const Element &place : {Element{ElementCity, "Brurières", 3, 4, 12}, Element{ElementCity, "Port-Noron", 20, 10, 7},
                                 Element{ElementCity, "Sainte-Brure", 30, 20, 40},
                                 Element{ElementZone, "Marais du Nord", 8, 15, 255}})
        map->SetCellElement(place.x, place.y, place);
    return map;
}

QStringList shownNames(const TCitiesForm &form)
{
    QStringList names;
    for (const CityRow &row : form.rows())
        names << row.name;
    return names;
}

} // namespace

TEST(CitySearch, TypingKeepsTheNamesContainingItAndTheRowsFoundSetARoutesEnds)
{
    const auto map = mapWithPlaces();
    TCitiesForm form;
    form.refreshCityList(map.get());
    const struct {
        const char *typed;
        QStringList kept;
    } cases[] = {{"brur", {"Brurières", "Sainte-Brure"}},
                 {"BRURIERES", {"Brurières"}},
                 {"  noron ", {"Port-Noron"}},
                 {"marais", {"Marais du Nord"}},
                 {"xyz", {}},
                 {"", {"Brurières", "Port-Noron", "Sainte-Brure", "Marais du Nord"}}};
    for (const auto &c : cases) {
        form.SearchEdit->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(shownNames(form), c.kept) << c.typed;
    }

    // Enter centres the map on the row found; Escape gives every row back.
    QSignalSpy centre(&form, &TCitiesForm::centreRequested);
    form.SearchEdit->setText(QStringLiteral("noron"));
    QTest::keyClick(form.SearchEdit, Qt::Key_Return);
    ASSERT_EQ(centre.size(), 1);
    EXPECT_EQ(centre.at(0), (QList<QVariant>{20, 10}));
    QTest::keyClick(form.SearchEdit, Qt::Key_Escape);
    EXPECT_TRUE(form.SearchEdit->text().isEmpty());
    EXPECT_EQ(form.rows().size(), 4);

    // The list sets a route's ends on a city, and a zone has no page.
    QSignalSpy starts(&form, &TCitiesForm::routeStartRequested);
    QSignalSpy ends(&form, &TCitiesForm::routeEndRequested);
    auto popUpOn = [&form](int line) {
        const QRect cell = form.ValueListEditor1->visualRect(form.ValueListEditor1->model()->index(line, 1));
        emit form.ValueListEditor1->customContextMenuRequested(cell.center());
        form.PopupMenu1->hide();
    };
    popUpOn(0);
    EXPECT_TRUE(form.Voirlaville1->isEnabled());
    form.PartirdecetteVille1->trigger();
    popUpOn(2);
    form.AllercetteVille1->trigger();
    EXPECT_EQ(starts.at(0), (QList<QVariant>{3, 4}));
    EXPECT_EQ(ends.at(0), (QList<QVariant>{30, 20}));
    popUpOn(3);
    EXPECT_FALSE(form.Voirlaville1->isEnabled()) << "a zone marker's number is no city of the game";
}

TEST(SeeTheWholeRoute, TheLargestZoomThatShowsBothEndsWithTheirMargin)
{
    // At the zoom chosen the span fits the client area less its scroll bars;
    // one step further it would not (unless already at full size).
    const struct {
        int columns, rows, width, height, gap;
    } spans[] = {{10, 5, 600, 400, 1}, {40, 8, 600, 400, 1}, {5, 60, 600, 400, 0}, {300, 169, 800, 600, 1},
                 {4000, 10, 800, 600, 1}};
    for (const auto &s : spans) {
        const int zoom = MapViewGeometry::zoomToFit(s.columns, s.rows, s.width, s.height, s.gap);
        auto fits = [&](int z) {
            const int pitch = MapView::cellSizeForZoom(z) + s.gap;
            return pitch * s.columns <= s.width - 16 && pitch * s.rows <= s.height - 16;
        };
        EXPECT_TRUE(zoom == MapViewGeometry::MinZoom || fits(zoom)) << s.columns << "x" << s.rows;
        EXPECT_TRUE(zoom == MapViewGeometry::MaxZoom || !fits(zoom + 1)) << s.columns << "x" << s.rows;
    }

    // In a window: both ends and their margins end up in view.
    FakeMapWindowHost host;
    ShownMapForm shown(host, grassWorld(200, 120));
    EXPECT_FALSE(shown.form.hasRoute());
    shown.form.setRouteStartAt(10, 100);
    shown.form.setRouteEndAt(150, 20);
    ASSERT_TRUE(shown.form.hasRoute());
    shown.form.fitRoute();
    const QRect view(shown.form.scrollX(), shown.form.scrollY(), shown.form.clientWidth() - 16,
                     shown.form.clientHeight() - 16);
    const int pitch = shown.form.cellPitch();
    for (const QPoint cell : {QPoint(8, 102), QPoint(152, 18)})
        EXPECT_TRUE(view.contains(QRect(cell.x() * pitch, cell.y() * pitch, pitch, pitch)))
            << cell.x() << "," << cell.y() << " at zoom " << shown.form.zoomPercent();
}

TEST(RouteOptions, NewOptionsSearchAMapWithAStartAgain)
{
    // Sea across the middle: with embarking the route crosses it.
    auto makeMap = [] {
        auto map = grassWorld(40, 26);
        for (int y = 0; y < 26; ++y)
            for (int x = 18; x < 22; ++x)
                map->terrain.at(x, y) = 103;
        // Ports on both shores: boats are boarded and left only there.
        map->terrain.at(17, 12) = 1;
        map->terrain.at(22, 12) = 1;
        return map;
    };
    // One window gets the option after its search, the other before.
    FakeMapWindowHost hosts[2];
    hosts[1].appSettings.allowEmbark = true;
    ShownMapForm shown(hosts[0], makeMap()), fresh(hosts[1], makeMap());
    for (ShownMapForm *window : {&shown, &fresh}) {
        window->form.setRouteStartAt(5, 12);
        window->form.setRouteEndAt(35, 12);
    }
    hosts[0].appSettings.allowEmbark = true;
    shown.form.followRouteOptions();
    const CarteVarenthe &followed = shown.form.document();
    EXPECT_GT(followed.routeTotalTime, 0) << "the sea is crossed by boat";
    EXPECT_EQ(followed.routeTotalTime, fresh.form.document().routeTotalTime);
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(followed.routeTime[Afloat].at(x, y), fresh.form.document().routeTime[Afloat].at(x, y));
            ASSERT_EQ(followed.routeMark.at(x, y), fresh.form.document().routeMark.at(x, y));
        }
}
