// The map windows as a user first meets them: sizes, tooltips, status bar, names.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QRegularExpression>
#include <QTextDocument>
#include <QToolTip>
#include <QWindow>

#include "MainFormTestSupport.h"
#include "settings/ConfigOpenMaps.h"
#include "app/FontChooserDialog.h"
#include "app/MdiArrange.h"
#include "ui/TCitiesForm.h"
#include "ui/TPaletteForm.h"

namespace {

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

struct FirstMinutes : MainFormFixture {
    void start(const char *configuration)
    {
        folder.writeText(QStringLiteral("pelmorin.cfg"), QByteArray(configuration));
        MainFormFixture::start();
    }
};

TEST_F(FirstMinutes, NormalMapWindowsShowTheirMapAfterEveryPath)
{
    folder.writeMap(QStringLiteral("monde.vr"), 300, 169, 1);
    folder.writeMap(QStringLiteral("ville.vr"), 20, 13);
    start("[Cartes Ouvertes]\r\nCarte 0=monde.vr\r\n[Carte 0]\r\nEtat Fenetre=0\r\nx=100\r\ny=60\r\n");
    ASSERT_EQ(main->mapWindows().size(), 1);
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

void writeCityMap(const ScratchProgram &folder, const QString &name, const std::string &cityName)
{
    CarteVarenthe map;
    map.create(20, 13, 0, 0, 0, 100);
    map.SetCellElement(2, 2, Element{ElementCity, cityName, 2, 2, 5});
    map.save(QFile::encodeName(folder.path(name)).toStdString());
}

QPoint cellCentre(const TMapForm &window, int column, int row)
{
    return QPoint(column * window.cellPitch() + window.cellSize() / 2 - window.scrollX(),
                  row * window.cellPitch() + window.cellSize() / 2 - window.scrollY());
}

bool activate(QWidget *window)
{
    window->activateWindow();
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 2000);
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

TEST_F(FirstMinutes, CityTooltipsShowWhicheverWindowIsActive)
{
    writeCityMap(folder, QStringLiteral("ville.vr"), "Alba");
    start("[Cartes Ouvertes]\r\nCarte 0=ville.vr\r\n");
    ASSERT_EQ(main->mapWindows().size(), 1);
    TMapForm *map = main->mapWindows()[0];
    main->command(Command::MontrerPalette)->trigger();
    main->command(Command::MontrerVilles)->trigger();

    ASSERT_TRUE(activate(main.get()));
    EXPECT_EQ(toolTipAfterRestingOn(map, cellCentre(*map, 2, 2)), "Alba");
    for (QWidget *tool : {static_cast<QWidget *>(main->paletteForm()), static_cast<QWidget *>(main->citiesForm())}) {
        SCOPED_TRACE(tool->windowTitle().toStdString());
        ASSERT_TRUE(activate(tool));
        EXPECT_EQ(toolTipAfterRestingOn(map, cellCentre(*map, 2, 2)), "Alba");
    }
    QToolTip::hideText();
}

TEST_F(FirstMinutes, TheMapDescriptionIsReadableInFullAt800Pixels)
{
    folder.writeMap(QStringLiteral("monde.vr"), 300, 169, 1); // dated when written
    start("[Cartes Ouvertes]\r\nCarte 0=monde.vr\r\n");
    main->resize(800, 600);
    QCoreApplication::processEvents();

    const QString description = main->statusPanelText(3);
    ASSERT_TRUE(QRegularExpression(QStringLiteral("^Pelmorin - Généree le : \\d\\d/\\d\\d/\\d{4}$"))
                    .match(description)
                    .hasMatch())
        << description.toStdString();
    const auto *panel = main->findChild<QLabel *>(QStringLiteral("StatusPanel3"));
    ASSERT_NE(panel, nullptr);
    EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(description));
    // The duration and cell panels keep their widths; the hints get theirs back when there is room.
    auto panelWidth = [this](int i) {
        return main->findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(i))->width();
    };
    EXPECT_GE(panelWidth(1), 150);
    EXPECT_GE(panelWidth(2), 100);
    main->resize(1100, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(panelWidth(0), 350);
    EXPECT_GT(panelWidth(3), panel->fontMetrics().horizontalAdvance(description));
}

TEST_F(FirstMinutes, MarksInFileAndAspectNamesShowAsTyped)
{
    folder.writeMap(QStringLiteral("terre&mer[*].vr"), 20, 13);
    start("[Cartes Ouvertes]\r\nCarte 0=terre&mer[*].vr\r\n[Carte 0]\r\nEtat Fenetre=2\r\n"
          "[Aspects]\r\nNeige & glace=.\\img\\4\\\r\n");
    ASSERT_EQ(main->mapWindows().size(), 1);
    // Neither "&" nor "[*]" is taken as a mark.
    ASSERT_NE(main->windowHandle(), nullptr);
    EXPECT_TRUE(main->windowHandle()->title().contains(QStringLiteral("terre&mer[*].vr")))
        << main->windowHandle()->title().toStdString();
    main->rebuildWindowList();
    EXPECT_EQ(main->windowMenu()->actions().constLast()->text(), QStringLiteral("&1 terre&&mer[*].vr"));
    const QList<QAction *> aspects = main->aspectMenu()->actions();
    ASSERT_EQ(aspects.size(), 1);
    EXPECT_EQ(aspects[0]->text(), QStringLiteral("&Neige && glace"));
    aspects[0]->trigger();
    EXPECT_EQ(main->tileLibrary().aspectFolder(), QStringLiteral(".\\img\\4\\"));
}

TEST(FontChooser, EnterAndEscapeEndTheWholeDialog)
{
    const struct { bool inList; Qt::Key key; QDialog::DialogCode result; } keys[] = {
        {true, Qt::Key_Return, QDialog::Accepted}, {true, Qt::Key_Enter, QDialog::Accepted},
        {true, Qt::Key_Escape, QDialog::Rejected}, {false, Qt::Key_Return, QDialog::Accepted},
        {false, Qt::Key_Escape, QDialog::Rejected}};
    for (const auto &k : keys) {
        SCOPED_TRACE(testing::Message() << (k.inList ? "list" : "field") << " key " << std::hex << k.key);
        FontChooserDialog dialog(makeFontSetting(QStringLiteral("Arial"), 8, 0));
        dialog.show();
        ASSERT_TRUE(activate(&dialog));
        QWidget *target = nullptr;
        for (QWidget *child : dialog.findChildren<QWidget *>())
            if (!target && child->isVisible()
                && (k.inList ? qobject_cast<QListView *>(child) != nullptr : qobject_cast<QLineEdit *>(child) != nullptr))
                target = child;
        ASSERT_NE(target, nullptr);
        target->setFocus();
        QTest::keyClick(target, k.key);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), k.result);
    }
}

} // namespace
