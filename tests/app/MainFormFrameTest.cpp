// The frame around the maps as a user first meets it: commands and menus, the
// map windows' sizes, arrangements, tooltips and names, the status bar, the
// tool windows following the active map, and the "&Fichier" menu.
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTextDocument>
#include <QToolTip>
#include <QWindow>

#include "MainFormTestSupport.h"
#include "app/MdiArrange.h"
#include "settings/ConfigOpenMaps.h"
#include "ui/TCitiesForm.h"
#include "ui/TMinimapForm.h"
#include "ui/TPaletteForm.h"

namespace {

using MainFormFrame = MainFormFixture;
using FirstMinutes = MainFormFixture;

QStringList captionsOf(const QList<QAction *> &actions)
{
    QStringList captions;
    for (QAction *action : actions)
        captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

// Inside the area, framed, and either 640 x 480 where it fits or, arranged, room for the map.
void expectShowsItsMap(TMainForm &main, TMapForm *window, bool designSize)
{
    QCoreApplication::processEvents();
    const QSize client = window->size(), outer = main.subWindowOf(window)->size();
    const QSize area = main.mdiArea()->viewport()->size();
    if (designSize)
        EXPECT_EQ(client, QSize(640, 480).boundedTo(area - (outer - client)));
    else
        EXPECT_TRUE(client.width() >= 128 && client.height() >= 64) << client.width() << "x" << client.height();
    EXPECT_TRUE(outer.width() > client.width() && outer.height() > client.height());
    EXPECT_TRUE(main.mdiArea()->viewport()->rect().contains(main.subWindowOf(window)->geometry()))
        << "a window reaches out of the area";
}

std::string toolTipAfterRestingOn(QWidget *widget, QPoint at)
{
    QToolTip::hideText();
    QTest::mouseMove(widget, at - QPoint(1, 1));
    QTest::mouseMove(widget, at);
    if (!QTest::qWaitFor([] { return QToolTip::isVisible(); }, 3000))
        return "(no tooltip)";
    // As the tooltip shows it: Qt takes what looks like markup as rich text.
    if (!Qt::mightBeRichText(QToolTip::text()))
        return QToolTip::text().toStdString();
    QTextDocument shown;
    shown.setHtml(QToolTip::text());
    return shown.toPlainText().toStdString();
}

// The arrangements' arithmetic: tiles share the area without gap or overlap,
// cascades stay inside it, minimised windows line up along the bottom.
QList<QRect> iconsAt(const QRect &area, const QList<QSize> &sizes)
{
    QList<QRect> icons;
    const QList<QPoint> places = iconPlaces(area, sizes);
    for (int i = 0; i < places.size(); ++i)
        icons.append(QRect(places[i], sizes.value(i)));
    return icons;
}

TEST(WindowArrangements, EveryWindowGetsItsPlaceInsideTheArea)
{
    const QRect area(0, 0, 1000, 600);
    const QSize icon(160, 30);
    const struct { const char *situation; QList<QRect> placed, expected; } cases[] = {
        {"side by side, the last taking what the division leaves", verticalTiles(area, 3),
         {{0, 0, 333, 600}, {333, 0, 333, 600}, {666, 0, 334, 600}}},
        {"rows above 40 pixels of icons", horizontalTiles(area, 3, 40),
         {{0, 0, 1000, 186}, {0, 186, 1000, 186}, {0, 372, 1000, 188}}},
        {"no window", horizontalTiles(area, 0), {}},
        {"a cascade of steps that fit", cascadeTiles(area, {600, 400}, 3, 25),
         {{0, 0, 600, 400}, {25, 25, 600, 400}, {50, 50, 600, 400}}},
        {"a cascade whose steps shrink so the last ends inside", cascadeTiles(area, {900, 550}, 5, 25),
         {{0, 0, 900, 550}, {12, 12, 900, 550}, {24, 24, 900, 550}, {36, 36, 900, 550}, {48, 48, 900, 550}}},
        {"a small window cascaded at half the area", cascadeTiles(area, {100, 100}, 1, 25), {{0, 0, 500, 300}}},
        {"icons left to right along the bottom", iconsAt(area, {icon, icon}), {{0, 570, 160, 30}, {160, 570, 160, 30}}},
        {"icons past the right edge start a row above the tallest", iconsAt({0, 0, 400, 600}, {{160, 20}, icon, icon}),
         {{0, 580, 160, 20}, {160, 570, 160, 30}, {0, 540, 160, 30}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.placed, c.expected) << c.situation;
}

TEST_F(MainFormFrame, EveryCommandCarriesItsCaptionHintAndShortcutsInItsMenu)
{
    TMainForm main;
    QAction *zoomIn = main.command(Command::ZommAvant);
    EXPECT_EQ(QStringList({zoomIn->text(), zoomIn->toolTip(), zoomIn->statusTip()}),
              QStringList({"Zomm avant", "Zomm avant", "Zoom avant sur la carte active"}));
    EXPECT_EQ(zoomIn->shortcuts(), QList<QKeySequence>({QKeySequence(Qt::Key_F3), QKeySequence(Qt::Key_Plus)}));

    EXPECT_EQ(captionsOf(main.menuBar()->actions()),
              QStringList({"&Fichier", "&Edition", "Affic&hage", "&Recherche de chemin", "Fe&nêtres", "&Aide"}));
    EXPECT_EQ(captionsOf(main.menuBar()->actions()[1]->menu()->actions()), QStringList({"&Annuler", "&Rétablir"}));
    EXPECT_EQ(captionsOf(main.menuBar()->actions()[0]->menu()->actions()),
              QStringList({"&Nouveau", "&Ouvrir", "&Fermer", "-", "&Enregistrer", "Enregistrer &sous ...",
                           "Enregistrer bitmap", "Enregistrer la vue", "Fichiers &récents", "-", "E&xit"}));
    EXPECT_EQ(captionsOf(main.windowMenu()->actions()).mid(0, 9),
              QStringList({"&Cascade", "Mosaïque &horizontale", "Mosaïque &verticale", "&Minimiser tous",
                           "&Arranger tous", "-", "&Liste des villes", "&Minipelmorin", "&Palette"}));
}

TEST_F(MainFormFrame, TheWindowListAndClosingTheOtherMapTakesOverAndTheLastLeavesABareFrame)
{
    folder.writeMap("monde.vr", 300, 169, 1);
    startWith({"monde.vr", "monde.vr"}, "[Carte 1]\r\nEtat Fenetre=2\r\n");
    ASSERT_EQ(main->mapWindows().size(), 2);
    QAction *tick = main->command(Command::MontrerMinipelmorin);
    ASSERT_TRUE(main->minimapForm()->isVisible());

    main->rebuildWindowList();
    EXPECT_TRUE(main->windowMenu()->actions().constLast()->isChecked()) << "the active map is marked";

    // "&Fermer" on a modified map asks; the other world map takes the title at once.
    main->activeMapWindow()->document().modified = true;
    dialogs.questionAnswers = {Answer::No};
    trigger(Command::FermerFichier);
    EXPECT_EQ(dialogs.questions.size(), 1);
    ASSERT_EQ(main->mapWindows().size(), 1);
    EXPECT_EQ(main->applicationTitle(), "monde.vr");
    EXPECT_TRUE(main->minimapForm()->isVisible());
    main->rebuildWindowList();
    EXPECT_EQ(captionsOf(main->windowMenu()->actions().mid(9)), QStringList({"-", "&1 monde.vr"}));

    // The last one: a bare title, nothing to save, the minimap hidden with its tick kept.
    trigger(Command::FermerFichier);
    ASSERT_TRUE(main->mapWindows().isEmpty());
    for (Command save : {Command::EnregistrerFichier, Command::EnregistrerFichierSous, Command::EnregistrerBitmap})
        EXPECT_FALSE(main->command(save)->isEnabled());
    EXPECT_EQ(main->applicationTitle(), QString::fromUtf8(NoMapTitle));
    EXPECT_EQ(main->windowTitle(), "Carte du Pelmorin");
    EXPECT_FALSE(main->minimapForm()->isVisible());
    EXPECT_TRUE(tick->isChecked());
    // Commands that need a map do nothing now.
    for (Command needsMap : {Command::ZommAvant, Command::EffacerChemins, Command::ActualiserChemins})
        trigger(needsMap);

    openThroughDialog(folder.path("monde.vr"));
    EXPECT_EQ(main->applicationTitle(), folder.path("monde.vr"));
    EXPECT_TRUE(main->command(Command::EnregistrerFichier)->isEnabled());
    EXPECT_TRUE(main->minimapForm()->isVisible());
}

// The active map takes the zoom keys, tool keys work from the tool windows, the
// tool windows follow their ticks and the minimap shows for world maps only.
TEST_F(MainFormFrame, TheActiveMapTakesTheKeysAndTheToolWindowsFollowTheirTicks)
{
    folder.writeMap("monde.vr", 300, 169, 1);
    folder.writeMap("ville.vr", 20, 13);
    startWith({"monde.vr", "ville.vr"});
    ASSERT_EQ(main->mapWindows().size(), 2);
    TMapForm *world = main->mapWindows()[0];
    QAction *tick = main->command(Command::MontrerMinipelmorin);
    const auto minimap = [&] { return std::make_pair(tick->isChecked(), main->minimapForm()->isVisible()); };
    EXPECT_EQ(minimap(), std::make_pair(true, false)) << "ticked by default, hidden while a city map is active";

    makeActive(world);
    EXPECT_EQ(minimap(), std::make_pair(true, true));
    ASSERT_TRUE(activate(main.get()));
    for (TMapForm *window : main->mapWindows()) {
        makeActive(window);
        EXPECT_EQ(QApplication::focusWidget(), window);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    EXPECT_EQ(main->activeMapWindow()->zoomPercent(), 81);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    EXPECT_EQ(main->activeMapWindow()->zoomPercent(), 98);

    // F11 typed while the minimap has the focus still shows the palette.
    makeActive(world);
    main->minimapForm()->activateWindow();
    QCoreApplication::processEvents();
    QTest::keyClick(main->minimapForm(), Qt::Key_F11);
    QAction *palette = main->command(Command::MontrerPalette);
    EXPECT_TRUE(palette->isChecked() && main->paletteForm()->isVisible());

    tick->trigger();
    EXPECT_EQ(minimap(), std::make_pair(false, false));
    tick->trigger();
    EXPECT_EQ(minimap(), std::make_pair(true, true));
    main->minimapForm()->close();
    EXPECT_FALSE(tick->isChecked()) << "its close box clears the tick";

    // The palette's close box leaves its tick: the next F11 only clears it.
    main->paletteForm()->close();
    EXPECT_TRUE(palette->isChecked());
    palette->trigger();
    EXPECT_FALSE(main->paletteForm()->isVisible());
    palette->trigger();
    EXPECT_TRUE(main->paletteForm()->isVisible());
}

TEST_F(FirstMinutes, NormalMapWindowsShowTheirMapAfterEveryPathAndTheDescriptionIsReadableAt800Pixels)
{
    folder.writeMap(QStringLiteral("monde.vr"), 300, 169, 1); // dated when written
    folder.writeMap(QStringLiteral("ville.vr"), 20, 13);
    startWith({"monde.vr"}, "[Carte 0]\r\nEtat Fenetre=0\r\nx=100\r\ny=60\r\n");
    ASSERT_EQ(main->mapWindows().size(), 1);
    {
        SCOPED_TRACE("the status bar at 800 pixels");
        main->resize(800, 600);
        QCoreApplication::processEvents();
        const QString description = main->statusPanelText(3);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^Pelmorin - Généree le : \\d\\d/\\d\\d/\\d{4}$"))
                        .match(description).hasMatch()) << description.toStdString();
        // The duration and cell panels keep their widths; the hints get theirs back when there is room.
        const auto panel = [this](int i) { return main->findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(i)); };
        ASSERT_TRUE(panel(0) && panel(1) && panel(2) && panel(3));
        const int needed = panel(3)->fontMetrics().horizontalAdvance(description);
        EXPECT_GE(panel(3)->contentsRect().width(), needed);
        EXPECT_TRUE(panel(1)->width() >= 150 && panel(2)->width() >= 100);
        main->resize(1100, 600);
        QCoreApplication::processEvents();
        EXPECT_EQ(panel(0)->width(), 350);
        EXPECT_GT(panel(3)->width(), needed);
    }
    main->resize(790, 552); // the frame's design size leaves less than 640 x 480
    TMapForm *world = main->mapWindows()[0];
    expectShowsItsMap(*main, world, true);
    EXPECT_EQ(world->viewCentreCell(), QPoint(100, 60));

    newMaps.answers.push_back(NewMapRequest{});
    TMapForm *city = trigger(Command::NouveauFichier);
    ASSERT_EQ(main->mapWindows().size(), 2);
    expectShowsItsMap(*main, city, true);

    // Opened beside a maximised map, then both restored.
    main->subWindowOf(city)->showMaximized();
    TMapForm *beside = openThroughDialog(folder.path(QStringLiteral("ville.vr")));
    ASSERT_EQ(main->mapWindows().size(), 3);
    for (TMapForm *window : {beside, city}) {
        main->subWindowOf(window)->showNormal();
        expectShowsItsMap(*main, window, true);
    }

    for (Command arrangement : {Command::Cascade, Command::MosaiqueHorizontale}) {
        main->command(arrangement)->trigger();
        for (TMapForm *window : main->mapWindows())
            expectShowsItsMap(*main, window, false);
    }
    main->command(Command::MosaiqueVerticale)->trigger(); // side by side, as the tiles say
    QList<QRect> placed;
    for (TMapForm *window : main->mapWindows())
        placed.append(main->subWindowOf(window)->geometry());
    EXPECT_EQ(placed, verticalTiles(main->mdiArea()->viewport()->rect(), 3));
    main->command(Command::MinimiserTous)->trigger();
    for (TMapForm *window : main->mapWindows())
        EXPECT_TRUE(main->subWindowOf(window)->isMinimized());

    makeActive(world);
    world->centreOnCell(150, 80);
    EXPECT_EQ(world->viewCentreCell(), QPoint(150, 80));
    dialogs.questionAnswers.push_back(Answer::No); // the new map is dropped
    ASSERT_TRUE(closeMainForm(*main));
    const MapWindowPlacement recorded = readMapWindowPlacement(folder.config(), QStringLiteral("Carte 0"));
    EXPECT_EQ(QPoint(recorded.centreColumn, recorded.centreRow), QPoint(150, 80));
}

// On a desktop the window manager places the frame only after the program has asked to show it.
TEST_F(FirstMinutes, TheMinimapTakesItsCornerOfTheFrameWhereTheWindowSystemPutIt)
{
    folder.writeMap("monde.vr", 300, 169, 1);
    folder.writeText(QStringLiteral("pelmorin.cfg"), "[Cartes Ouvertes]\r\nCarte 0=monde.vr\r\n");
    main = std::make_unique<TMainForm>();
    main->setNewMapPrompt(&newMaps);
    main->resize(1000, 700);
    main->show();
    QCoreApplication::sendPostedEvents(); // the program's own queue runs before the window system answers
    main->move(main->pos() + QPoint(120, 80));
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return main->mapsReopened(); }, 5000));
    QCoreApplication::processEvents();
    ASSERT_TRUE(main->minimapForm()->isVisible());
    EXPECT_EQ(main->minimapForm()->frameGeometry().topRight() + QPoint(1, 0),
              main->mdiArea()->mapToGlobal(QPoint(main->mdiArea()->width(), 0)));
}

TEST_F(FirstMinutes, CityTooltipsShowWhicheverWindowIsActive)
{
    CarteVarenthe city;
    city.create(20, 13, 0, 0, 0, 100);
    city.SetCellElement(2, 2, Element{ElementCity, "Alba", 2, 2, 5});
    city.save(QFile::encodeName(folder.path(QStringLiteral("ville.vr"))).toStdString());
    startWith({"ville.vr"});
    ASSERT_EQ(main->mapWindows().size(), 1);
    TMapForm *map = main->mapWindows()[0];
    main->command(Command::MontrerPalette)->trigger();
    main->command(Command::MontrerVilles)->trigger();
    const int alba = 2 * map->cellPitch() + map->cellSize() / 2; // the city's cell, (2, 2)

    for (QWidget *window : {static_cast<QWidget *>(main.get()), static_cast<QWidget *>(main->paletteForm()),
                            static_cast<QWidget *>(main->citiesForm())}) {
        SCOPED_TRACE(window->windowTitle().toStdString());
        ASSERT_TRUE(activate(window));
        EXPECT_EQ(toolTipAfterRestingOn(map, QPoint(alba - map->scrollX(), alba - map->scrollY())), "Alba");
    }
    QToolTip::hideText();
}

// Neither "&" nor "[*]" in a file or aspect name is taken as a mark.
TEST_F(FirstMinutes, MarksInFileAndAspectNamesShowAsTypedAndTheAspectMenuChoosesOne)
{
    folder.writeMap(QStringLiteral("terre&mer[*].vr"), 20, 13);
    startWith({"terre&mer[*].vr"},
              "[Carte 0]\r\nEtat Fenetre=2\r\n[Aspects]\r\nPluie=.\\img\\1\\\r\nNeige & glace=.\\img\\4\\\r\n");
    ASSERT_EQ(main->mapWindows().size(), 1);
    ASSERT_NE(main->windowHandle(), nullptr);
    EXPECT_TRUE(main->windowHandle()->title().contains(QStringLiteral("terre&mer[*].vr")))
        << main->windowHandle()->title().toStdString();
    main->rebuildWindowList();
    EXPECT_EQ(main->windowMenu()->actions().constLast()->text(), QStringLiteral("&1 terre&&mer[*].vr"));
    const QList<QAction *> aspects = main->aspectMenu()->actions();
    ASSERT_EQ(aspects.size(), 2);
    EXPECT_EQ(captionsOf(aspects), QStringList({"&Pluie", "&Neige && glace"}));
    aspects[1]->trigger();
    EXPECT_TRUE(aspects[1]->isChecked() && !aspects[0]->isChecked());
    EXPECT_EQ(main->tileLibrary().aspectFolder(), QStringLiteral(".\\img\\4\\"));
}

// The "&Fichier" menu on a frame started with no map.
struct FileMenu : MainFormFixture {
    void SetUp() override { startWith({}); }
};

TEST_F(FileMenu, ATypedNameWithoutAFileCreatesAnUntitledMapThatAsksForItsNameOnceOnSave)
{
    EXPECT_TRUE(main->mapWindows().isEmpty()) << "an empty list opens nothing";
    EXPECT_EQ(newMaps.asked, 0);
    const QString typed = folder.path("nouvelle.vr"), chosen = folder.path("choisie.vr");
    EXPECT_FALSE(main->fileCommands().openRequest().mustExist);
    newMaps.answers.push_back(NewMapRequest{});
    TMapForm *window = openThroughDialog(typed);
    ASSERT_NE(window, nullptr);
    // The caption, the main title, the document's file name and flags.
    const auto state = [&] {
        const CarteVarenthe &map = window->document();
        return QStringList({main->subWindowOf(window)->windowTitle(), main->applicationTitle(),
                            QString::fromStdString(map.fileName), map.untitled ? "sans nom" : "nommée",
                            map.modified ? "modifiée" : "enregistrée"});
    };
    EXPECT_EQ(state(), QStringList({typed, typed, typed, "sans nom", "modifiée"}));

    trigger(Command::EnregistrerFichier); // proposes the typed path; cancelled
    ASSERT_EQ(dialogs.saveRequests.size(), 1);
    EXPECT_EQ(dialogs.saveRequests[0].startPath, typed);
    EXPECT_FALSE(QFile::exists(typed));
    EXPECT_EQ(state(), QStringList({typed, typed, typed, "sans nom", "modifiée"}));

    dialogs.saveAnswers.push_back(chosen);
    trigger(Command::EnregistrerFichier);
    EXPECT_TRUE(QFile::remove(chosen));
    EXPECT_EQ(state(), QStringList({chosen, chosen, chosen, "nommée", "enregistrée"}));
    trigger(Command::EnregistrerFichier); // named now: no dialog
    EXPECT_EQ(dialogs.saveRequests.size(), 2);
    EXPECT_TRUE(QFile::exists(chosen));

    // A refused "Enregistrer &sous ..." names nothing that was never written.
    window->document().modified = true;
    dialogs.saveAnswers.push_back(folder.path("dossier-absent/b.vr"));
    trigger(Command::EnregistrerFichierSous);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Erreur d'enregistrement|"));
    EXPECT_GT(dialogs.errors[0].size(), QString("Erreur d'enregistrement|").size());
    EXPECT_EQ(state(), QStringList({chosen, chosen, chosen, "nommée", "modifiée"}));
}

TEST_F(FileMenu, TheBitmapHasOnePitchPerCellAndReplacesOnlyWhatMayGo)
{
    folder.writeMap("a.vr", 20, 13);
    folder.writeText("notes.bmp", QByteArray("pas une image"));
    TMapForm *window = openThroughDialog(folder.path("a.vr"));
    ASSERT_NE(window, nullptr);
    window->setZoom(50); // cells of 16 pixels, pitch 17 with the grid
    auto exportTo = [&](const QString &name) {
        dialogs.questions.clear();
        dialogs.saveAnswers.push_back(folder.path(name));
        trigger(Command::EnregistrerBitmap);
        return dialogs.questions;
    };

    // Written, then replaced with no question; proposed again next time.
    EXPECT_TRUE(exportTo("carte.bmp").isEmpty());
    EXPECT_TRUE(exportTo("carte.bmp").isEmpty());
    EXPECT_EQ(QImageReader(folder.path("carte.bmp")).size(), QSize(340, 221));
    EXPECT_EQ(main->fileCommands().bitmapRequest().startPath, folder.path("carte.bmp"));

    // A picture of the other kind: asked, and kept when the answer is not Yes.
    ASSERT_TRUE(QImage(4, 4, QImage::Format_RGB32).save(folder.path("png.bmp"), "PNG"));
    const QByteArray disguised = folder.contents("png.bmp");
    ASSERT_EQ(exportTo("png.bmp").size(), 1);
    EXPECT_EQ(folder.contents("png.bmp"), disguised);

    // Any other file that is no bitmap: replaced once confirmed.
    dialogs.questionAnswers.push_back(Answer::Yes);
    EXPECT_EQ(exportTo("notes.bmp").size(), 1);
    EXPECT_TRUE(folder.contents("notes.bmp").startsWith("BM"));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

} // namespace
