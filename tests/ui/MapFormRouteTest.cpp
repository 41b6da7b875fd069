// Route requests from a map window's pop-up menu, and the duration the
// window writes to the status bar when it paints.
#include <gtest/gtest.h>

#include <QMenu>

#include "MapFormTestHost.h"

using MapFormRoute = MapFormFixture;

TEST_F(MapFormRoute, ThePopUpMenuOffersTheRouteCommandsThenCentring)
{
    TMapForm &form = show(grassWorld());
    const QList<QAction *> items = form.PopupMenu->actions();
    ASSERT_EQ(items.size(), 8);
    EXPECT_EQ(items[0]->text(), "Definr point de départ");
    EXPECT_EQ(items[1]->text(), "Definr point d'arrivée");
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3]->text(), "&Centrer ici");

    rightClick(form, cellCentre(3, 3));
    EXPECT_TRUE(form.PopupMenu->isVisible());
    // Pointing at an item puts its long hint in the first panel.
    emit form.PopupMenu->hovered(items[1]);
    EXPECT_EQ(host.panels[0], "Rechercher les plus courts chemins qui vont juqu'à la case ciblée");
    form.PopupMenu->hide();
}

TEST_F(MapFormRoute, AStartAndAnEndShowTheRouteDurationInTheStatusBar)
{
    host.appSettings.allowEmbark = true;
    TMapForm &form = show(grassWorld());

    // The end first: stored, nothing traced yet.
    rightClick(form, cellCentre(5, 2));
    form.DefinirPointArrivee->trigger();
    EXPECT_EQ(form.document().routeEndX, 5);
    EXPECT_EQ(form.document().routeTotalTime, -1);
    form.repaint();
    EXPECT_EQ(host.panels[1], "");

    // Then the start, three grass cells west of it: 40 minutes a cell.
    rightClick(form, cellCentre(2, 2));
    form.DefinrPointDepart->trigger();
    EXPECT_EQ(form.document().routeStartX, 2);
    EXPECT_EQ(form.document().routeStartY, 2);
    EXPECT_TRUE(form.document().allowEmbark) << "the route options are copied at each start";
    EXPECT_EQ(form.document().routeTotalTime, 120);
    form.repaint();
    EXPECT_EQ(host.panels[1], "Durée de l'itinéraire : 2:00");

    // A farther end: the route is traced again at once.
    rightClick(form, cellCentre(11, 2));
    form.DefinirPointArrivee->trigger();
    EXPECT_EQ(form.document().routeTotalTime, 9 * 40);
    form.repaint();
    EXPECT_EQ(host.panels[1], "Durée de l'itinéraire : 6:00");

    // "Effacer" clears the drawn results but keeps the duration text.
    form.EffacerCheminsExecute();
    EXPECT_EQ(form.document().routeTimeAt(2, 3, OnFoot), -1);
    form.repaint();
    EXPECT_EQ(host.panels[1], "Durée de l'itinéraire : 6:00");
    // "Actualiser" searches again from the same start with today's options.
    host.appSettings.allowEmbark = false;
    form.ActualiserCheminsExecute();
    EXPECT_EQ(form.document().routeTimeAt(2, 3, OnFoot), 40);
    EXPECT_FALSE(form.document().allowEmbark);
}

TEST_F(MapFormRoute, AStartOutsideTheMapClearsEverything)
{
    TMapForm &form = show(grassWorld(10, 8));
    rightClick(form, cellCentre(1, 1));
    form.DefinrPointDepart->trigger();
    EXPECT_EQ(form.document().routeTimeAt(4, 4, OnFoot), 6 * 40);
    // Column 12 is beyond the 10 columns of the map, in the black margin.
    rightClick(form, cellCentre(12, 1));
    form.DefinrPointDepart->trigger();
    EXPECT_EQ(form.document().routeStartX, -1);
    EXPECT_EQ(form.document().routeTimeAt(4, 4, OnFoot), -1);
}
