// The "Itinéraire" window: the route's steps, and the list copied as text.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QTableWidget>

#include "map/CarteVarenthe.h"
#include "route/RouteEndpoints.h"
#include "ui/TItineraryForm.h"

TEST(ItineraryWindow, ListsTheStepsAndCopiesThemAsText)
{
    CarteVarenthe map;
    map.create(60, 13, 20, 13, 1, 100);
    map.provinceNames = {"Aval", "<b>Milieu</b>", "Amont"};
    setRouteEnd(map, 50, 6);
    setRouteStart(map, 2, 6);

    TItineraryForm form;
    form.refreshItinerary(&map);
    const QTableWidget &grid = *form.StepGrid;
    ASSERT_EQ(grid.rowCount(), 4); // start, two provinces entered, arrival
    EXPECT_EQ(grid.item(1, 0)->text(), QStringLiteral("Province : <b>Milieu</b>"));
    EXPECT_EQ(grid.item(1, 1)->text(), QStringLiteral("20, 6 (G1)"));

    form.CopyButton->click();
    // One line a step, its columns apart; the steps' words and times are the route's own.
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_EQ(copied.count(QLatin1Char('\n')), 4);
    EXPECT_TRUE(copied.startsWith(QStringLiteral("Départ\t2, 6 (G3)\t0:00\n"))) << copied.toStdString();
}
