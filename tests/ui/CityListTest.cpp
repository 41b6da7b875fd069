// The city list: both sorts, the jump by first letter, the search field and what it asks of the map windows.
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "MapFormTestHost.h"
#include "ui/CityList.h"
#include "ui/TCitiesForm.h"

namespace {

CityRow row(const char *key, const char *name) { return CityRow{key, QString::fromUtf8(name), -1, -1}; }

QStringList column(const QList<CityRow> &rows, QString CityRow::*field = &CityRow::name)
{
    QStringList result;
    for (const CityRow &r : rows)
        result << r.*field;
    return result;
}

} // namespace

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

class ShownCityList : public ::testing::Test {
protected:
    CarteVarenthe map;
    TCitiesForm form;
    QTableWidget &grid = *form.ValueListEditor1;

    void SetUp() override
    {
        // An erased element between the cities is not listed; two zone markers share their number.
        map.create(400, 200, 20, 13, 1, 1);
        map.elements = {{ElementCity, "Alba", 3, 4, 0},         {ElementNone, "", 6, 1, 1},
                        {ElementCity, "Brurières", 10, 11, 1},  {ElementCity, "Arles", 150, 60, 9999},
                        {ElementZone, "Zone habitable", 7, 7, 253}, {ElementZone, "Zone habitable", 9, 30, 253}};
        form.refreshCityList(&map);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
};

TEST_F(ShownCityList, ShowsNumberAndNameWithoutEditingJumpsByLetterAndSortsByEitherCommand)
{
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
}

TEST_F(ShownCityList, TheSearchKeepsTheNamesContainingWhatIsTypedAndEveryCommandActsOnTheListedElement)
{
    form.SearchEdit->setText(QStringLiteral("RURIERE"));
    EXPECT_EQ(column(form.rows()), QStringList{"Brurières"});
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

    // The pop-up menu sets a route's ends on a city; a zone has no page.
    UrlCatcher catcher;
    QSignalSpy starts(&form, &TCitiesForm::routeStartRequested), ends(&form, &TCitiesForm::routeEndRequested);
    const auto popUpOn = [this](int line) {
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

    // With no map there are no rows, and the commands do nothing.
    form.refreshCityList(nullptr);
    EXPECT_EQ(grid.rowCount(), 0);
    form.Centrelacartesurcetteville1->trigger();
    form.ValueListEditor1KeyDown(Qt::Key_A);
    EXPECT_EQ(centre.count(), 2);
}

TEST_F(ShownCityList, ALetterJumpScrollsTheFoundRowIntoView)
{
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
