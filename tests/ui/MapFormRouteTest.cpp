// Route requests from a map window's pop-up menu, and the duration the
// window writes to the status bar when it paints.
#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QMenu>

#include "MapFormTestHost.h"

namespace {

// A right click on a cell: the press stores the target, then the windowing
// system asks for the context menu.
void rightClick(TMapForm &form, QPoint at)
{
    pressAt(form, Qt::RightButton, at);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, form.mapToGlobal(at));
    QCoreApplication::sendEvent(&form, &menuEvent);
    releaseAt(form, Qt::RightButton, at);
}

QPoint cellCentre(int column, int row)
{
    return {column * 33 + 16, row * 33 + 16};
}

} // namespace

TEST(MapFormRoute, ThePopUpMenuOffersTheRouteCommandsThenCentring)
{
    FakeMapWindowHost host;
    ShownMapForm shown(host, grassWorld());
    const QList<QAction *> items = shown.form.PopupMenu->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), "Definr point de départ");
    EXPECT_EQ(items[1]->text(), "Definr point d'arrivée");
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3]->text(), "&Centrer ici");
    EXPECT_EQ(items[0]->toolTip(), "Definr point de départ");
    EXPECT_EQ(items[0]->statusTip(), "Rechercher les plus courts chemins à partir du point ciblé");
    EXPECT_EQ(items[1]->statusTip(), "Rechercher les plus courts chemins qui vont juqu'à la case ciblée");
    EXPECT_EQ(items[3]->statusTip(), "Centrer la carte sur la case ciblée");

    rightClick(shown.form, cellCentre(3, 3));
    EXPECT_TRUE(shown.form.PopupMenu->isVisible());
    // Pointing at an item puts its long hint in the first panel.
    emit shown.form.PopupMenu->hovered(items[1]);
    EXPECT_EQ(host.panels[0], "Rechercher les plus courts chemins qui vont juqu'à la case ciblée");
    shown.form.PopupMenu->hide();
}

TEST(MapFormRoute, AStartAndAnEndShowTheRouteDurationInTheStatusBar)
{
    FakeMapWindowHost host;
    host.appSettings.allowEmbark = true;
    ShownMapForm shown(host, grassWorld());
    TMapForm &form = shown.form;

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

TEST(MapFormRoute, AStartOutsideTheMapClearsEverything)
{
    FakeMapWindowHost host;
    ShownMapForm shown(host, grassWorld(10, 8), {600, 400});
    TMapForm &form = shown.form;
    rightClick(form, cellCentre(1, 1));
    form.DefinrPointDepart->trigger();
    EXPECT_EQ(form.document().routeTimeAt(4, 4, OnFoot), 6 * 40);
    // Column 12 is beyond the 10 columns of the map, in the black margin.
    rightClick(form, cellCentre(12, 1));
    form.DefinrPointDepart->trigger();
    EXPECT_EQ(form.document().routeStartX, -1);
    EXPECT_EQ(form.document().routeTimeAt(4, 4, OnFoot), -1);
}
