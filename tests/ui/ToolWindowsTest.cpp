// The tool windows beside the maps (the city list, the palette, the itinerary), message boxes and the busy pointer.
#include <QClipboard>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>
#include <stdexcept>

#include "MapFormTestHost.h"
#include "route/RouteEndpoints.h"
#include "ui/BusyPointer.h"
#include "ui/QtUserDialogs.h"
#include "ui/TCitiesForm.h"
#include "ui/TItineraryForm.h"
#include "ui/TPaletteForm.h"

namespace {

CityRow row(const char *key, const char *name) { return CityRow{key, QString::fromUtf8(name), -1, -1}; }

QStringList column(const QList<CityRow> &rows, QString CityRow::*field = &CityRow::name)
{
    QStringList result;
    for (const CityRow &r : rows)
        result << r.*field;
    return result;
}

// A click delivered to the widget under the point, from which an unhandled press goes up to its parents.
void clickOn(QWidget &window, Qt::MouseButton button, QPoint at)
{
    QWidget *target = window.childAt(at) ? window.childAt(at) : &window;
    clickAt(*target, button, target->mapFrom(&window, at));
}

TEST(CityList, SortsByTrimmedNameIgnoringCaseAndAccentsOrByNumberAndJumpsByFirstLetter)
{
    const QList<CityRow> rows = {row("1", "Gamma"), row("2", "  beta"), row("3", "alpha"),
                                 row("4", "Fort"),  row("5", "Élan"),   row("6", "eden")};
    // Whatever the user's locale, even none ("C"), accented names sort beside their letter.
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::French, QLocale::France)}) {
        QLocale::setDefault(locale);
        QList<CityRow> sorted = rows;
        sortCityRows(sorted, SortByName);
        EXPECT_EQ(column(sorted), (QStringList{"alpha", "  beta", "eden", "Élan", "Fort", "Gamma"}))
            << locale.name().toStdString();
    }
    QLocale::setDefault(QLocale::system());
    QList<CityRow> numbered = {row("12", "a"), row("5", "b"), row("x", "c"), row("100", "d"), row("-3", "e")};
    sortCityRows(numbered, SortByNumber);
    EXPECT_EQ(column(numbered, &CityRow::key), (QStringList{"-3", "x", "5", "12", "100"}));

    // A letter finds an accented name, never the selected line itself, and the first line when none is selected.
    const QList<CityRow> towns = {row("1", "Alba"), row("2", "Brest"), row("3", " arles"), row("4", "Évian")};
    for (const auto &[selected, key, found] : {std::tuple{0, Qt::Key_E, 3}, {1, Qt::Key_B, -1}, {-1, Qt::Key_A, 0}})
        EXPECT_EQ(cityLetterJump(towns, selected, key), found) << selected << " " << key;
}

TEST(CityListWindow, ShowsNumberAndNameSearchesSortsJumpsByLetterAndActsOnTheListedElement)
{
    // An erased element between the cities is not listed; two zone markers share their number.
    CarteVarenthe map;
    map.create(400, 200, 20, 13, 1, 1);
    map.elements = {{ElementCity, "Alba", 3, 4, 0},         {ElementNone, "", 6, 1, 1},
                    {ElementCity, "Brurières", 10, 11, 1},  {ElementCity, "Arles", 150, 60, 9999},
                    {ElementZone, "Zone habitable", 7, 7, 253}, {ElementZone, "Zone habitable", 9, 30, 253}};
    TCitiesForm form;
    QTableWidget &grid = *form.ValueListEditor1;
    form.refreshCityList(&map);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    {
        SCOPED_TRACE("the search");
        form.SearchEdit->setText(QStringLiteral("RURIERE"));
        EXPECT_EQ(column(form.rows()), QStringList{"Brurières"});
    }
    // Enter centres the map on the row found, Escape gives every row back.
    QSignalSpy centre(&form, &TCitiesForm::centreRequested);
    form.SearchEdit->setText(QStringLiteral("arl"));
    QTest::keyClick(form.SearchEdit, Qt::Key_Return);
    QTest::keyClick(form.SearchEdit, Qt::Key_Escape);
    EXPECT_TRUE(form.SearchEdit->text().isEmpty());
    EXPECT_EQ(form.rows().size(), 5);
    // Each zone marker's row centres on its own marker.
    form.selectLine(4);
    form.Centrelacartesurcetteville1->trigger();
    EXPECT_EQ(centre, (QList<QList<QVariant>>{{150, 60}, {9, 30}}));
    {
        SCOPED_TRACE("the pop-up menu sets a route's ends on a city; a zone has no page");
        UrlCatcher catcher;
        QSignalSpy starts(&form, &TCitiesForm::routeStartRequested), ends(&form, &TCitiesForm::routeEndRequested);
        const auto popUpOn = [&](int line) {
            emit grid.customContextMenuRequested(grid.visualRect(grid.model()->index(line, 1)).center());
            form.PopupMenu1->hide();
        };
        popUpOn(0);
        EXPECT_TRUE(form.Voirlaville1->isEnabled());
        form.Voirlaville1->trigger();
        form.PartirdecetteVille1->trigger();
        popUpOn(2);
        form.AllercetteVille1->trigger();
        EXPECT_EQ(catcher.opened, QStringList{"http://www.varenthe-jeu.fr/map.php?map=1;0;0"});
        EXPECT_EQ(starts, (QList<QList<QVariant>>{{3, 4}}));
        EXPECT_EQ(ends, (QList<QList<QVariant>>{{150, 60}}));
        popUpOn(3);
        EXPECT_FALSE(form.Voirlaville1->isEnabled()) << "a zone marker's number is no city of the game";
    }
    {
        SCOPED_TRACE("with no map there are no rows, and the commands do nothing");
        form.refreshCityList(nullptr);
        EXPECT_EQ(grid.rowCount(), 0);
        form.Centrelacartesurcetteville1->trigger();
        form.ValueListEditor1KeyDown(Qt::Key_A);
        EXPECT_EQ(centre.count(), 2);
    }
    SCOPED_TRACE("the whole number, the letters and both sorts");
    form.refreshCityList(&map);
    ASSERT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.item(2, 0)->text(), "9999");
    EXPECT_GE(grid.columnWidth(0), grid.fontMetrics().horizontalAdvance("9999")) << "the whole number shows";
    for (const auto &[key, line] : {std::pair{Qt::Key_A, 2}, {Qt::Key_A, 0}, {Qt::Key_Q, 0}, {Qt::Key_Down, 1}}) {
        QTest::keyClick(&grid, key);
        EXPECT_EQ(form.selectedLine(), line) << key;
    }
    for (const QLineEdit *editor : grid.findChildren<QLineEdit *>())
        EXPECT_FALSE(editor->isVisible()) << "no editor opened on a letter";
    form.TrierlalisteparNom1->trigger();
    EXPECT_EQ(column(form.rows()), (QStringList{"Alba", "Arles", "Brurières", "Zone habitable", "Zone habitable"}));
    EXPECT_EQ(grid.item(1, 0)->text(), "9999");
    form.TrierlalisteparNumro1->trigger();
    EXPECT_EQ(column(form.rows(), &CityRow::key), (QStringList{"0", "1", "253", "253", "9999"}));
    // A refill keeps the mode but lists in element order again.
    form.refreshCityList(&map);
    EXPECT_EQ(form.sortMode(), SortByNumber);
    EXPECT_EQ(column(form.rows()).mid(0, 3), (QStringList{"Alba", "Brurières", "Arles"}));
    {
        SCOPED_TRACE("a letter jump scrolls the found row into view");
        std::vector<Element> many;
        for (int i = 0; i < 200; ++i)
            many.push_back(Element{ElementCity, i == 20 ? "Kador" : i == 150 ? "Kerys" : "Ville", i, 0, i + 1});
        map.elements = many;
        form.resize(194, 300);
        form.refreshCityList(&map);
        QCoreApplication::processEvents();
        QTest::keyClick(&grid, Qt::Key_K);
        QTest::keyClick(&grid, Qt::Key_K);
        EXPECT_EQ(form.selectedLine(), 150);
        // Jumping down puts the row at the bottom of the view, wrapping back up at the top.
        const QRect found = grid.visualItemRect(grid.item(150, 1));
        EXPECT_TRUE(grid.viewport()->rect().contains(found));
        EXPECT_GT(found.bottom(), grid.viewport()->height() - 2 * found.height());
        QTest::keyClick(&grid, Qt::Key_K);
        EXPECT_EQ(form.selectedLine(), 20);
        EXPECT_EQ(grid.verticalScrollBar()->value(), 20);
    }
}

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

TEST(PaletteForm, ClicksChooseATilePerButtonMarkedInColourTooltipsNameItAndThePanelsChooseNothing)
{
    TileLibrary tiles;
    TPaletteForm form(tiles);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    {
        SCOPED_TRACE("presses outside the visible grid change no selection");
        // A long category: rows of tiles lie hidden under the bottom panel.
        form.setCategory(5);
        clickOn(form, Qt::LeftButton, palettePlaceRect(1, 0, 0).center());
        clickOn(form, Qt::RightButton, palettePlaceRect(2, 0, 0).center());
        const PaletteSelection left = form.selection(0), right = form.selection(1);
        ASSERT_NE(left.category, -1);
        ASSERT_NE(right.category, -1);
        const QPoint bottom = form.Panel2->pos();
        for (const QPoint at : {form.Label1->geometry().center() + bottom, form.Image1->geometry().center() + bottom,
                                form.Label2->geometry().center() + bottom, bottom + QPoint(60, 30),
                                QPoint(form.ComboBox1->geometry().right() + 3, 10)})
            for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
                SCOPED_TRACE(testing::Message() << "press at " << at.x() << "," << at.y() << " button " << button);
                clickOn(form, button, at);
                EXPECT_EQ(form.selection(0), left);
                EXPECT_EQ(form.selection(1), right);
            }
        // Beside the grid, left of the scroll bar, a press still clears.
        clickOn(form, Qt::LeftButton, QPoint(5 * PalettePitch + 4, 60));
        EXPECT_EQ(form.selection(0).category, -1);
    }
    const auto click = [&form](Qt::MouseButton button, int column, int row) {
        QTest::mouseClick(&form, button, {}, palettePlaceRect(column, row, 0).center());
    };
    // A place's tooltip names its tile and category; an empty place lets the request go on.
    const auto tipOn = [&form](int row) {
        const QPoint at = palettePlaceRect(0, row, 0).center();
        QHelpEvent help(QEvent::ToolTip, at, form.mapToGlobal(at));
        QCoreApplication::sendEvent(&form, &help);
        return help.isAccepted() ? QToolTip::text() : QString();
    };
    form.setCategory(3);
    EXPECT_EQ(tipOn(0), "Tuile 2511 \u2014 Villes - Institutions nationales");
    form.setCategory(2); // Routes
    click(Qt::LeftButton, 0, 0);
    click(Qt::RightButton, 2, 1);
    EXPECT_EQ(form.SelectedTile(0), 110);
    EXPECT_EQ(form.SelectedTile(1), 117);
    // Blue around the left tile, red around the right one, not drawn in another category.
    const QImage picture = form.grab().toImage();
    const QRect left = palettePlaceRect(0, 0, 0), right = palettePlaceRect(2, 1, 0);
    EXPECT_EQ(QColor(picture.pixel(left.right() + 1, left.top() + 10)), QColor(Qt::blue));
    EXPECT_EQ(QColor(picture.pixel(right.left() - 1, right.top() + 10)), QColor(Qt::red));
    form.setCategory(11);
    EXPECT_EQ(tipOn(1), "");
    EXPECT_NE(QColor(form.grab().toImage().pixel(right.left() - 1, right.top() + 10)), QColor(Qt::red));
    // An empty place of "Zones" gives the right button back; the middle button changes nothing.
    click(Qt::RightButton, 0, 3);
    click(Qt::MiddleButton, 4, 0);
    EXPECT_EQ(form.SelectedTile(0), 110);
    EXPECT_EQ(form.SelectedTile(1), -1);

    // Clicks follow the scroll bar.
    form.resize(194, 21 + 71 + 6 * 33);
    QCoreApplication::processEvents();
    form.setCategory(5); // 22 rows of public buildings
    ASSERT_EQ(form.ScrollBar1->maximum(), 22 - 6);
    form.ScrollBar1->setValue(form.ScrollBar1->maximum());
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(33 + 10, 21 + 5 * 33 + 10));
    EXPECT_EQ(form.selection(0), (PaletteSelection{1, 21, 5}));
    EXPECT_EQ(form.SelectedTile(0), 3171);
}

TEST(PlainMessages, MessageBoxesShowTheirTextAsTyped)
{
    QtUserDialogs dialogs;
    QList<Qt::TextFormat> formats;
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&formats] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            formats.append(box->textFormat());
            box->done(QMessageBox::No);
        }
    });
    answering.start(1);
    const QString text = QStringLiteral("<b>carte</b>.vr : fichier absent");
    dialogs.showError(nullptr, QStringLiteral("Erreur de chargement"), text);
    dialogs.showInformation(nullptr, QStringLiteral("Information"), text);
    dialogs.askYesNoCancel(nullptr, QStringLiteral("Fermeture"), text);
    dialogs.askYesNo(nullptr, QStringLiteral("Confirmer l'enregistrement"), text);
    EXPECT_EQ(formats, QList<Qt::TextFormat>(4, Qt::PlainText));
}

TEST(BusyPointer, AFailureThrownDuringALongTaskLeavesTheUsualPointer)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_THROW(
        {
            BusyPointer busy;
            EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            throw std::runtime_error("La mémoire manque pour traiter cette carte.");
        },
        std::runtime_error);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
