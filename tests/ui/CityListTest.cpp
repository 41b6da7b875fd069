// The city list: which elements it lists, both sorts, the jump by first
// letter, centring on a city and the city's web page.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QLocale>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "MapFormTestHost.h"
#include "map/CarteVarenthe.h"
#include "ui/CityList.h"
#include "ui/TCitiesForm.h"

namespace {

CityRow row(const QString &key, const QString &name)
{
    return CityRow{key, name, -1, -1};
}

// One column of the rows, in their order.
QStringList column(const QList<CityRow> &rows, QString CityRow::*field)
{
    QStringList result;
    for (const CityRow &r : rows)
        result << r.*field;
    return result;
}
QStringList names(const QList<CityRow> &rows) { return column(rows, &CityRow::name); }
QStringList keys(const QList<CityRow> &rows) { return column(rows, &CityRow::key); }

} // namespace

TEST(CityList, SortsByTrimmedNameIgnoringCaseAndAccentsOrByNumberWithNonNumbersFirst)
{
    QList<CityRow> rows = {row("1", "Gamma"), row("2", "  beta"), row("3", "alpha"), row("4", "Fort"),
                           row("5", QString::fromUtf8("Élan")), row("6", "eden")};
    const QStringList expected = {"alpha", "  beta", "eden", QString::fromUtf8("Élan"), "Fort", "Gamma"};
    // Whatever the user's locale, even none ("C"), accented names sort
    // beside their letter.
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::French, QLocale::France)}) {
        QLocale::setDefault(locale);
        QList<CityRow> sorted = rows;
        sortCityRows(sorted, SortByName);
        EXPECT_EQ(names(sorted), expected) << locale.name().toStdString();
    }
    QLocale::setDefault(QLocale::system());

    QList<CityRow> numbered = {row("12", "a"), row("5", "b"), row("x", "c"), row("100", "d"), row("-3", "e")};
    sortCityRows(numbered, SortByNumber);
    EXPECT_EQ(keys(numbered), (QStringList{"-3", "x", "5", "12", "100"}));
}

TEST(CityList, FirstLetterJumpsToTheNextMatchingNameAndWraps)
{
    const QList<CityRow> rows = {row("1", "Alba"), row("2", "Brest"), row("3", " arles"),
                                 row("4", QString::fromUtf8("Évian"))};
    EXPECT_EQ(cityLetterJump(rows, 0, Qt::Key_A), 2);
    EXPECT_EQ(cityLetterJump(rows, 2, Qt::Key_A), 0); // past the end to the first line
    EXPECT_EQ(cityLetterJump(rows, 0, Qt::Key_Z), -1);
    EXPECT_EQ(cityLetterJump(rows, 0, Qt::Key_E), 3);
    EXPECT_EQ(cityLetterJump(rows, 1, Qt::Key_B), -1); // the selected line is never visited
    EXPECT_EQ(cityLetterJump(rows, -1, Qt::Key_A), 0);
    EXPECT_EQ(cityLetterJump(rows, 0, Qt::Key_F1), -1);
    EXPECT_EQ(cityLetterJump({row("1", "Alba")}, 0, Qt::Key_A), -1);
    EXPECT_EQ(cityLetterJump({}, -1, Qt::Key_A), -1);

    // A visible target keeps the view (the list's own test scrolls down and up).
    EXPECT_EQ(cityJumpScrollTop(12, 3, 10, 20), 10);
}

class ShownCityList : public ::testing::Test {
protected:
    CarteVarenthe map;
    TCitiesForm form;

    void SetUp() override
    {
        map.create(400, 200, 20, 13, 1, 1);
        // An erased element between the cities is not listed.
        map.elements = {{ElementCity, "Alba", 3, 4, 0},        {ElementNone, "", 6, 1, 1},
                        {ElementCity, "Brest", 10, 11, 1},     {ElementCity, "Arles", 150, 60, 9999},
                        {ElementZone, "Zone habitable", 7, 7, 253}, {ElementZone, "Zone habitable", 9, 30, 253}};
        form.refreshCityList(&map);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
};

TEST_F(ShownCityList, ShowsNumberAndNameColumnsWithoutEditingSortedByEitherCommand)
{
    QTableWidget *grid = form.ValueListEditor1;
    ASSERT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(grid->item(2, 0)->text(), QStringLiteral("9999"));
    // The whole number shows in the narrow "#" column.
    EXPECT_GE(grid->columnWidth(0), grid->fontMetrics().horizontalAdvance(QStringLiteral("9999")));
    EXPECT_EQ(grid->item(2, 1)->text(), QStringLiteral("Arles"));
    QTest::keyClick(grid, Qt::Key_A);
    // No editor opened on the letter.
    for (const QLineEdit *editor : grid->findChildren<QLineEdit *>())
        EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(form.selectedLine(), 2);
    QTest::keyClick(grid, Qt::Key_A);
    EXPECT_EQ(form.selectedLine(), 0);
    QTest::keyClick(grid, Qt::Key_Q);
    EXPECT_EQ(form.selectedLine(), 0);
    // Arrow keys still move the selection.
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(form.selectedLine(), 1);

    // The sort commands reorder the rows.
    EXPECT_EQ(form.sortMode(), SortByName);
    form.TrierlalisteparNumro1->trigger();
    EXPECT_EQ(form.sortMode(), SortByNumber);
    EXPECT_EQ(keys(form.rows()), (QStringList{"0", "1", "253", "253", "9999"}));
    EXPECT_EQ(form.ValueListEditor1->item(4, 1)->text(), QStringLiteral("Arles"));
    form.TrierlalisteparNom1->trigger();
    EXPECT_EQ(names(form.rows()), (QStringList{"Alba", "Arles", "Brest", "Zone habitable", "Zone habitable"}));
    EXPECT_EQ(form.ValueListEditor1->item(1, 0)->text(), QStringLiteral("9999"));
    // A refill keeps the mode but lists in element order again.
    form.refreshCityList(&map);
    EXPECT_EQ(form.sortMode(), SortByName);
    EXPECT_EQ(names(form.rows()).first(), QStringLiteral("Alba"));
    EXPECT_EQ(names(form.rows()).at(1), QStringLiteral("Brest"));
}

TEST_F(ShownCityList, CentringAndTheCityPageFindTheListedElementAndTheCloseBoxReportsItself)
{
    QSignalSpy centre(&form, &TCitiesForm::centreRequested);
    // A city whose number is far beyond the element count.
    form.selectLine(2);
    form.Centrelacartesurcetteville1->trigger();
    ASSERT_EQ(centre.count(), 1);
    EXPECT_EQ(centre.at(0), (QList<QVariant>{150, 60}));
    // Two zone markers share their number; each row centres on its own marker.
    form.selectLine(4);
    form.Centrelacartesurcetteville1->trigger();
    ASSERT_EQ(centre.count(), 2);
    EXPECT_EQ(centre.at(1), (QList<QVariant>{9, 30}));

    UrlCatcher catcher;
    form.selectLine(0);
    form.Voirlaville1->trigger();
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_TRUE(catcher.opened.first().endsWith("map=1;0;0")) << "the city's own number";

    QSignalSpy closed(&form, &TCitiesForm::closed);
    form.close();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.rows().size(), 5); // hiding keeps the rows

    // With no map there are no rows, and the commands do nothing.
    form.refreshCityList(nullptr);
    EXPECT_EQ(form.ValueListEditor1->rowCount(), 0);
    form.Centrelacartesurcetteville1->trigger();
    form.ValueListEditor1KeyDown(Qt::Key_A);
    EXPECT_EQ(centre.count(), 2);
}

TEST_F(ShownCityList, LetterJumpScrollsTheFoundRowIntoView)
{
    std::vector<Element> many;
    for (int i = 0; i < 200; ++i)
        many.push_back(Element{ElementCity, "Ville " + std::to_string(i), i, 0, i + 1});
    many[150].name = "Kerys";
    many[20].name = "Kador";
    map.elements = many;
    form.resize(194, 300);
    form.refreshCityList(&map);
    QCoreApplication::processEvents();
    QTableWidget *grid = form.ValueListEditor1;
    QTest::keyClick(grid, Qt::Key_K);
    EXPECT_EQ(form.selectedLine(), 20);
    QTest::keyClick(grid, Qt::Key_K);
    EXPECT_EQ(form.selectedLine(), 150);
    // Jumping down puts the row at the bottom of the view.
    const QRect found = grid->visualItemRect(grid->item(150, 1));
    EXPECT_TRUE(grid->viewport()->rect().contains(found));
    EXPECT_GT(found.bottom(), grid->viewport()->height() - 2 * found.height());
    // Wrapping back up puts the row at the top.
    QTest::keyClick(grid, Qt::Key_K);
    EXPECT_EQ(form.selectedLine(), 20);
    EXPECT_EQ(grid->verticalScrollBar()->value(), 20);
}

