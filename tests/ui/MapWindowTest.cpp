// A map window as a player meets it: view, keys, mouse, routes, export, closing, and names shown as typed.
#include <QFile>
#include <QHelpEvent>
#include <QMenu>
#include <QProgressDialog>
#include <QScrollBar>
#include <QStyleHints>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

#include "MapFormTestHost.h"
#include "ui/ProvinceNotation.h"
#include "ui/TCitiesForm.h"

namespace {

using MapWindow = MapFormFixture;

// A zone, a city and an erased element side by side.
std::unique_ptr<CarteVarenthe> townWorld()
{
    auto map = grassWorld(60, 40);
    map->SetCellElement(4, 3, Element{ElementZone, "Zone habitable", 4, 3, 253});
    map->SetCellElement(5, 3, Element{ElementCity, "Port-Sablé", 5, 3, 42});
    map->SetCellElement(6, 3, Element{ElementNone, "", 6, 3, 0});
    map->modified = false;
    return map;
}

TEST_F(MapWindow, TheScrollBarsRunAlongWholeEdgesAndZoomStopsAtFivePercentAndKeepsTheCentreCell)
{
    TMapForm &form = show();
    EXPECT_EQ(QPoint(form.scrollMaximumX(), form.scrollMaximumY()), QPoint(300 * 33 - 584, 169 * 33 - 384));
    EXPECT_EQ(form.ScrollBar1->geometry(), QRect(0, 384, 600, 16));
    EXPECT_EQ(form.ScrollBar2->geometry(), QRect(584, 0, 16, 384));
    for (int i = 0; i < 14; ++i)
        form.ZoomArriereExecute();
    EXPECT_EQ(form.zoomPercent(), 5);
    // Also back at full size from beyond what the zoomed-out view could scroll to.
    form.setZoom(100);
    form.centreOnCell(150, 80);
    form.Timer1Timer();
    for (int zoom : {50, 100}) {
        form.setZoom(zoom);
        EXPECT_EQ(form.viewCentreCell(), QPoint(150, 80)) << zoom;
        EXPECT_EQ(form.viewOriginX(), form.scrollX()) << "the picture is redrawn whole after a zoom";
    }
    // Wheel turns within one tick make one step: 30 x 1.0005^360 = 35.9; one by one it would end at 33.
    form.setZoom(30);
    for (int i = 0; i < 3; ++i)
        turnWheel(form, 120);
    EXPECT_EQ(form.zoomPercent(), 30) << "nothing happens before the tick";
    form.Timer1Timer();
    EXPECT_EQ(form.zoomPercent(), 35);
}

TEST_F(MapWindow, DraggingAndKeysMoveTheViewCentringPutsTheCellInTheMiddle)
{
    TMapForm &form = show();
    scrollTo(form, {500, 500});
    form.Timer1Timer();
    pressAt(form, Qt::LeftButton, {200, 200});
    moveTo(form, Qt::LeftButton, {300, 250});
    EXPECT_EQ(scrollOf(form), QPoint(320, 410));
    EXPECT_EQ(form.viewOriginX(), 500) << "the picture follows at the next tick";
    form.Timer1Timer();
    EXPECT_EQ(QPoint(form.viewOriginX(), form.viewOriginY()), QPoint(320, 410));
    moveTo(form, Qt::LeftButton, {590, 390});
    EXPECT_EQ(scrollOf(form), QPoint(0, 158)) << "clamped at the map's left edge";
    releaseAt(form, Qt::LeftButton, {590, 390});
    // "Centrer ici" acts on the cell of the last press; the view starts at map pixel (3000, 1780).
    form.centreOnCell(100, 60);
    pressAt(form, Qt::RightButton, {66, 33});
    EXPECT_EQ(form.targetedCell(), QPoint(92, 54));
    form.CentrerIci->trigger();
    EXPECT_EQ(scrollOf(form), QPoint(92 * 33 - 300, 54 * 33 - 200));
    SCOPED_TRACE("the keys");
    scrollTo(form, {500, 300});
    QTest::keyClick(&form, Qt::Key_PageDown, Qt::ShiftModifier);
    QTest::keyClick(&form, Qt::Key_Down);
    EXPECT_EQ(scrollOf(form), QPoint(660, 332));
    QTest::keyClick(&form, Qt::Key_End);
    EXPECT_EQ(scrollOf(form), QPoint(form.scrollMaximumX(), 332));
    // "-" zooms out one menu step, from the main keys or the keypad.
    QTest::keyClick(&form, Qt::Key_Minus);
    QTest::keyClick(&form, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(form.zoomPercent(), 66);
    // Menu and Shift+F10 open the cell menu on the view's centre, not on the cell of the last press.
    for (const auto &[key, modifiers] : {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers(Qt::NoModifier)},
                                         std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)}}) {
        form.centreOnCell(40, 30);
        clickAt(form, Qt::LeftButton, {5, 5});
        QTest::keyClick(&form, key, modifiers);
        EXPECT_TRUE(form.PopupMenu->isVisible()) << key;
        EXPECT_EQ(form.targetedCell(), QPoint(40, 30)) << key;
        form.PopupMenu->hide();
    }
}

TEST_F(MapWindow, ScrollingShiftsThePictureAndDrawsOnlyWhatCameIntoView)
{
    const ColouredTiles colours(host.tiles);
    TMapForm &form = show(colours.map(120, 80), {500, 350});
    form.repaint();
    EXPECT_TRUE(form.backBuffer() == freshPicture(form, host));
    // The steps wrap around the 1000 by 700 back buffer; those up and left go into parts never drawn.
    for (const QPoint move : {QPoint(37, 0), {0, 51}, {400, 9}, {-3, 700}, {-20, -13}, {25, -17}, {-15, 20},
                              {650, 333}, {999, 1}, {-1200, -650}}) {
        const int minimapRepaints = host.minimapRepaints;
        scrollTo(form, scrollOf(form) + move);
        form.Timer1Timer();
        EXPECT_TRUE(form.backBuffer() == freshPicture(form, host)) << move.x() << "," << move.y();
        EXPECT_EQ(host.minimapRepaints, minimapRepaints + 1) << "the minimap follows";
    }
    const int column = form.columnAt(40), row = form.rowAt(40), pitch = form.cellPitch();
    form.document().terrain.at(column, row) = 102;
    form.repaint(QRect(column * pitch - form.scrollX(), row * pitch - form.scrollY(), pitch, pitch));
    EXPECT_TRUE(form.backBuffer() == freshPicture(form, host)) << "after an expose";
    form.setZoom(44);
    form.repaint();
    form.setScrollX(form.scrollX() + 29);
    form.Timer1Timer();
    EXPECT_TRUE(form.backBuffer() == freshPicture(form, host)) << "zoomed out";
}

TEST_F(MapWindow, TheStatusBarNamesTheCellTooltipsNameItsElementAndAClickOnACityOpensItsPage)
{
    TMapForm &world = show();
    world.setScrollX(10 * 33);
    moveTo(world, Qt::NoButton, cellCentre(0, 13));
    EXPECT_EQ(host.panels[2], "10, 13 (A1)");
    EXPECT_EQ(provinceRowLetters(26 * 26), "BAA") << "rows count in base 26 from A, so Z is followed by BA";
    // Beyond the last column of a narrow map the panel empties.
    TMapForm &narrow = show(grassWorld(12, 30));
    moveTo(narrow, Qt::NoButton, cellCentre(13, 2));
    EXPECT_EQ(host.panels[2], "");

    TMapForm &form = show(townWorld());
    for (const auto &[column, tip] : {std::pair{5, "Port-Sablé"}, {6, ""}}) {
        moveTo(form, Qt::NoButton, cellCentre(column, 3));
        EXPECT_EQ(form.toolTip(), tip) << column;
        EXPECT_EQ(form.cursor().shape(), column == 5 ? Qt::PointingHandCursor : Qt::ArrowCursor) << column;
    }
    SCOPED_TRACE("a left click released on a city opens its page once, unless a tile is chosen");
    UrlCatcher catcher;
    const QPoint city = cellCentre(5, 3);
    pressAt(form, Qt::LeftButton, city);
    EXPECT_TRUE(catcher.opened.isEmpty()) << "opened on the press";
    releaseAt(form, Qt::LeftButton, city);
    EXPECT_EQ(catcher.opened, QStringList{"http://www.varenthe-jeu.fr/map.php?map=1;0;42"});
    // A double-click is one click more, not two.
    clickAt(form, Qt::LeftButton, city);
    sendMouse(form, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, city);
    releaseAt(form, Qt::LeftButton, city);
    EXPECT_EQ(catcher.opened.size(), 2);
    // A drag started on the city, a release elsewhere, zones, plain cells and the right button open nothing.
    const int far = QGuiApplication::styleHints()->startDragDistance() + 2;
    pressAt(form, Qt::LeftButton, city);
    moveTo(form, Qt::LeftButton, city + QPoint(far, 0));
    moveTo(form, Qt::LeftButton, city);
    releaseAt(form, Qt::LeftButton, city);
    pressAt(form, Qt::LeftButton, city);
    releaseAt(form, Qt::LeftButton, city + QPoint(0, 33));
    clickAt(form, Qt::LeftButton, cellCentre(4, 3));
    clickAt(form, Qt::LeftButton, cellCentre(9, 9));
    pressAt(form, Qt::RightButton, city);
    EXPECT_EQ(catcher.opened.size(), 2);
    EXPECT_FALSE(form.document().modified);
    form.PopupMenu->hide();

    // With the palette's left tile chosen, the click paints the zone over the city.
    host.paletteShown = true;
    host.leftTile = 255;
    clickAt(form, Qt::LeftButton, city);
    EXPECT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(form.toolTip(), "Zone commerciale");
}

TEST_F(MapWindow, ThePopUpMenuSetsTheEndsAndTheStatusBarShowsTheRoutesDuration)
{
    host.appSettings.allowEmbark = true;
    TMapForm &form = show(grassWorld());
    rightClick(form, cellCentre(5, 2));
    ASSERT_TRUE(form.PopupMenu->isVisible());
    QStringList items;
    for (const QAction *item : form.PopupMenu->actions())
        if (item->isVisible())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(items, (QStringList{"Definr point de départ", "Definr point d'arrivée", "-", "&Centrer ici", "-",
                                  "Placer une ville ici…"}));
    emit form.PopupMenu->hovered(form.DefinirPointArrivee);
    EXPECT_EQ(host.panels[0], "Rechercher les plus courts chemins qui vont juqu'à la case ciblée") << "the long hint";
    form.PopupMenu->hide();

    for (const auto &[command, column, duration] :
         {std::tuple{&TMapForm::DefinirPointArrivee, 5, ""},
          {&TMapForm::DefinrPointDepart, 2, "Durée de l'itinéraire : 2:00"},
          {&TMapForm::DefinirPointArrivee, 11, "Durée de l'itinéraire : 6:00"}}) {
        rightClick(form, cellCentre(column, 2));
        (form.*command)->trigger();
        form.repaint();
        EXPECT_EQ(host.panels[1], duration) << column;
    }
    // After "Effacer", new options search and trace again, and "Actualiser" searches again.
    form.EffacerCheminsExecute();
    EXPECT_EQ(form.document().routeTimeAt(2, 3, OnFoot), -1);
    host.appSettings.allowEmbark = false;
    form.followRouteOptions();
    EXPECT_FALSE(form.document().allowEmbark);
    EXPECT_NE(form.document().routeMarkAt(8, 2), 0);
    form.EffacerCheminsExecute();
    form.ActualiserCheminsExecute();
    EXPECT_GT(form.document().routeTimeAt(2, 3, OnFoot), 0);
}

TEST_F(MapWindow, EachAnswerClosesOrKeepsTheChangedMap)
{
    ScriptedDialogs dialogs;
    // Changed, answer, save succeeds (a cancelled save dialog or a failed write does not), closes.
    const std::tuple<bool, Answer, bool, bool> cases[] = {{false, Answer::Cancel, true, true},
                                                          {true, Answer::Cancel, true, false},
                                                          {true, Answer::No, true, true},
                                                          {true, Answer::Yes, false, false},
                                                          {true, Answer::Yes, true, true}};
    for (const auto &[changed, answer, saveSucceeds, closes] : cases) {
        SCOPED_TRACE(testing::Message() << changed << " " << int(answer) << " " << saveSucceeds);
        host.saveRequests = 0;
        host.saveSucceeds = saveSucceeds;
        dialogs.answer = answer;
        dialogs.questions.clear();
        host.activations.clear();
        TMapForm &form = show(grassWorld());
        if (changed)
            form.document().SetCellTile(3, 3, 101);
        EXPECT_EQ(form.close(), closes);
        EXPECT_EQ(dialogs.questions.join(""),
                  changed ? "Fermeture / La carte a été modifiée, voulez-vous l'enregistrer ?" : "");
        EXPECT_EQ(host.saveRequests, answer == Answer::Yes ? 1 : 0);
        EXPECT_EQ(!host.activations.empty() && host.activations.back() == nullptr, closes)
            << "the main window learns that no map is active";
    }
}

TEST_F(MapWindow, TheViewIsCutFromTheWholeMapAFailureSaysSoAndACancelledExportWritesNothing)
{
    QTemporaryDir folder;
    const ColouredTiles colours(host.tiles);
    TMapForm &form = show(colours.map(40, 26));
    form.centreOnCell(15, 10);
    ASSERT_GT(form.scrollX(), 0);
    const QString whole = folder.filePath(QStringLiteral("monde.png")), view = folder.filePath("vue.png");
    ASSERT_EQ(form.exportPicture(whole, PictureFormat::Png, PictureExtent::WholeMap), ExportResult::Written);
    ASSERT_EQ(form.exportPicture(view, PictureFormat::Png, PictureExtent::VisiblePart), ExportResult::Written);
    const QRect visible(form.scrollX(), form.scrollY(), form.clientWidth(), form.clientHeight());
    EXPECT_EQ(QImage(view).convertToFormat(QImage::Format_RGB32),
              QImage(whole).convertToFormat(QImage::Format_RGB32).copy(visible));
    const QString nowhere = QStringLiteral("/nonexistent-folder/carte.bmp");
    QString error;
    EXPECT_EQ(form.exportPicture(nowhere, PictureFormat::Bmp, PictureExtent::WholeMap, &error), ExportResult::Failed);
    EXPECT_FALSE(error.isEmpty());
    error.clear();

    // Four worlds at full size: the dialog shows for an export expected to last 400 ms, one world is 200.
    TMapForm &world = show(grassWorld(600, 338));
    const QString path = folder.filePath(QStringLiteral("monde.bmp"));
    bool dialogSeen = false;
    QTimer cancelling;
    QObject::connect(&cancelling, &QTimer::timeout, [&] {
        if (auto *progress = world.findChild<QProgressDialog *>(); progress && progress->isVisible()) {
            dialogSeen = true;
            progress->cancel();
        }
    });
    cancelling.start(20);
    EXPECT_EQ(world.exportPicture(path, PictureFormat::Bmp, PictureExtent::WholeMap, &error), ExportResult::Cancelled);
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

// The text a tooltip shows: Qt takes what looks like markup as rich text.
std::string shownToolTip()
{
    QTextDocument document;
    document.setHtml(QToolTip::text());
    return (Qt::mightBeRichText(QToolTip::text()) ? document.toPlainText() : QToolTip::text()).toStdString();
}

// Names from a map file are data: markup in them shows as typed.
class MarkupNames : public MapFormFixture, public testing::WithParamInterface<const char *> {};

TEST_P(MarkupNames, ShowLiterallyInTooltipsAndTheCityList)
{
    auto map = grassWorld(60, 40);
    map->SetCellElement(5, 3, Element{ElementCity, GetParam(), 5, 3, 42});
    map->SetCellElement(6, 3, Element{ElementZone, "<i>zone</i>", 6, 3, 253});
    TMapForm &form = show(std::move(map));
    const QPoint city = cellCentre(5, 3);
    moveTo(form, Qt::NoButton, city);
    QHelpEvent help(QEvent::ToolTip, city, form.mapToGlobal(city));
    QCoreApplication::sendEvent(&form, &help);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(shownToolTip(), GetParam());
    moveTo(form, Qt::NoButton, city + QPoint(33, 0));
    EXPECT_EQ(shownToolTip(), "<i>zone</i>") << "a tip already shown follows the mouse onto the next name";
    QToolTip::hideText();

    TCitiesForm cities;
    cities.refreshCityList(&form.document());
    ASSERT_EQ(cities.rows().size(), 2);
    EXPECT_EQ(cities.ValueListEditor1->item(0, 1)->text().toStdString(), GetParam());
    EXPECT_TRUE(cities.ValueListEditor1->item(0, 1)->toolTip().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(MapWindowFaults, MarkupNames,
                         testing::Values("<img src=\"img/250.bmp\" width=200 height=200>", "<b>x</b>"));

} // namespace

#include "moc_MapFormTestHost.cpp"
