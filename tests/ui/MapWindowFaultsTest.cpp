// Faults a user met first: presses that must do nothing, names and messages shown as typed, a busy pointer.
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTableWidget>
#include <QTextDocument>
#include <QToolTip>
#include <stdexcept>

#include "MapFormTestHost.h"
#include "ui/BusyPointer.h"
#include "ui/QtUserDialogs.h"
#include "ui/TCitiesForm.h"
#include "ui/TPaletteForm.h"

namespace {

// A click delivered to the widget under the point, from which an unhandled press goes up to its parents.
void clickOn(QWidget &window, Qt::MouseButton button, QPoint at)
{
    QWidget *target = window.childAt(at) ? window.childAt(at) : &window;
    clickAt(*target, button, target->mapFrom(&window, at));
}

TEST(PaletteFaults, PressesOutsideTheVisibleGridChangeNoSelection)
{
    TileLibrary tiles;
    TPaletteForm palette(tiles);
    palette.show();
    QCoreApplication::processEvents();
    // A long category: rows of tiles lie hidden under the bottom panel.
    palette.setCategory(5);
    clickOn(palette, Qt::LeftButton, palettePlaceRect(1, 0, 0).center());
    clickOn(palette, Qt::RightButton, palettePlaceRect(2, 0, 0).center());
    const PaletteSelection left = palette.selection(0), right = palette.selection(1);
    ASSERT_NE(left.category, -1);
    ASSERT_NE(right.category, -1);
    const QPoint bottom = palette.Panel2->pos();
    for (const QPoint at : {palette.Label1->geometry().center() + bottom, palette.Image1->geometry().center() + bottom,
                            palette.Label2->geometry().center() + bottom, bottom + QPoint(60, 30),
                            QPoint(palette.ComboBox1->geometry().right() + 3, 10)})
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            SCOPED_TRACE(testing::Message() << "press at " << at.x() << "," << at.y() << " button " << button);
            clickOn(palette, button, at);
            EXPECT_EQ(palette.selection(0), left);
            EXPECT_EQ(palette.selection(1), right);
        }
    // Beside the grid, left of the scroll bar, a press still clears.
    clickOn(palette, Qt::LeftButton, QPoint(5 * PalettePitch + 4, 60));
    EXPECT_EQ(palette.selection(0).category, -1);
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
