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
#include "ui/CityList.h"
#include "ui/TCitiesForm.h"

namespace {

std::unique_ptr<CarteVarenthe> mapWithPlaces()
{
    auto map = grassWorld(40, 26);
    const struct {
        int x, y, kind, number;
        const char *name;
    } places[] = {{3, 4, ElementCity, 12, "Brurières"}, {20, 10, ElementCity, 7, "Port-Noron"},
                  {30, 20, ElementCity, 40, "Sainte-Brure"}, {8, 15, ElementZone, 255, "Marais du Nord"}};
    for (const auto &p : places) {
        Element element;
        element.kind = p.kind;
        element.number = p.number;
        element.name = p.name;
        map->SetCellElement(p.x, p.y, element);
    }
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

TEST(CitySearch, TypingKeepsTheNamesContainingItWhateverTheCaseAndAccents)
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
}

TEST(CitySearch, TheListSetsARoutesEndsOnACityAndAZoneHasNoPage)
{
    const auto map = mapWithPlaces();
    TCitiesForm form;
    form.refreshCityList(map.get());
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

    // The map window sets them as its own pop-up menu does.
    FakeMapWindowHost host;
    ShownMapForm shown(host, mapWithPlaces());
    shown.form.setRouteStartAt(3, 4);
    shown.form.setRouteEndAt(30, 20);
    const CarteVarenthe &document = shown.form.document();
    EXPECT_EQ(QPoint(document.routeStartX, document.routeStartY), QPoint(3, 4));
    EXPECT_EQ(QPoint(document.routeEndX, document.routeEndY), QPoint(30, 20));
    EXPECT_GT(document.routeTotalTime, 0);
}
