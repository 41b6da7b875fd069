// The map maker creates a map in "Creer une nouvelle carte": presets fill
// and grey the sizes, typed sizes become numbers or defaults, and sizes a map
// cannot have are refused in the dialog.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "MainFormTestSupport.h"
#include "app/NewMapRequest.h"
#include "app/TNewMapForm.h"
#include "map/MapErrors.h"

namespace {

struct NewMapDialog : ::testing::Test {
    NewMapDialog() : form(tiles) { tiles.SelectAspectFolder(QStringLiteral(".\\img\\1\\")); }

    void click(int preset)
    {
        form.presetButtons->button(preset)->click();
    }
    void type(const QString &width, const QString &height, const QString &provinceWidth,
              const QString &provinceHeight)
    {
        form.LabeledEdit1->setText(width);
        form.LabeledEdit2->setText(height);
        form.LabeledEdit3->setText(provinceWidth);
        form.LabeledEdit4->setText(provinceHeight);
    }
    QStringList fields() const
    {
        return {form.LabeledEdit1->text(), form.LabeledEdit2->text(), form.LabeledEdit3->text(),
                form.LabeledEdit4->text()};
    }

    ScratchProgram folder;
    TileLibrary tiles;
    TNewMapForm form;
};

TEST_F(NewMapDialog, OpensOnACityMapWithEmptyCellsAndTheOkButtonFocused)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Creer une nouvelle carte"));
    EXPECT_EQ(form.selectedPreset(), CityMapPreset);
    EXPECT_EQ(form.ComboBoxEx1->currentText(), QStringLiteral("Vide"));
    EXPECT_EQ(form.ComboBoxEx1->count(), TerrainChoiceCount);
    EXPECT_TRUE(form.Button1->isDefault());

    bool sawFocus = false;
    QTimer::singleShot(0, &form, [&] {
        sawFocus = form.Button1->hasFocus() || form.focusWidget() == form.Button1;
        // Every terrain has its picture once the dialog has been shown.
        for (int i = 0; i < form.ComboBoxEx1->count(); ++i)
            EXPECT_FALSE(form.ComboBoxEx1->itemIcon(i).isNull()) << i;
        form.reject();
    });
    EXPECT_FALSE(form.askNewMap(nullptr).has_value());
    EXPECT_TRUE(sawFocus);
}

TEST_F(NewMapDialog, FixedPresetsWriteTheirSizesAndGreyThemWhileCustomKeepsTheLastNumbers)
{
    click(WorldMapPreset);
    EXPECT_EQ(fields(), QStringList({"300", "169", "20", "13"}));
    EXPECT_FALSE(form.GroupBox1->isEnabled());
    const NewMapRequest world = form.request();
    EXPECT_EQ(world.mapType, 1);
    EXPECT_EQ(world.width, 300);
    EXPECT_EQ(world.provinceHeight, 13);

    click(CustomMapPreset);
    EXPECT_TRUE(form.GroupBox1->isEnabled());
    EXPECT_EQ(fields(), QStringList({"300", "169", "20", "13"}));
    type("45", "30", "9", "7");
    click(WorldMapPreset);
    EXPECT_EQ(fields(), QStringList({"300", "169", "20", "13"}));

    click(CityMapPreset);
    EXPECT_EQ(fields(), QStringList({"20", "13", "0", "0"}));
    EXPECT_FALSE(form.GroupBox1->isEnabled());
    EXPECT_EQ(form.request().mapType, 0);
}

TEST_F(NewMapDialog, TextsThatAreNotNumbersTakeTheirDefaults)
{
    click(CustomMapPreset);
    type("abc", " 17 ", "", "x");
    const NewMapRequest request = form.request();
    EXPECT_EQ(request.width, 20);
    EXPECT_EQ(request.height, 17);
    EXPECT_EQ(request.provinceWidth, 0);
    EXPECT_EQ(request.provinceHeight, 0);
    EXPECT_EQ(newMapRequestFrom("", "", "", "", CustomMapPreset, 0).height, 13);
}

TEST_F(NewMapDialog, SizesAMapCannotHaveAreRefusedInTheDialog)
{
    click(CustomMapPreset);
    for (const auto &[width, height] : {std::pair{"0", "13"}, std::pair{"-5", "13"}, std::pair{"20", "4097"}}) {
        type(width, height, "0", "0");
        form.setResult(QDialog::Rejected);
        form.accept();
        EXPECT_EQ(form.result(), QDialog::Rejected) << width << "x" << height;
        EXPECT_FALSE(form.refusalLabel->isHidden());
        EXPECT_TRUE(form.refusalLabel->text().contains(QStringLiteral("4096"))) << form.refusalLabel->text().toStdString();
    }
    type("20", "13", "-1", "0");
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_TRUE(form.refusalLabel->text().contains(QStringLiteral("provinces")));

    // The largest map the files can hold is accepted.
    type("4096", "1", "0", "0");
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(form.refusalLabel->isHidden());
}

TEST_F(NewMapDialog, TheChosenTerrainFillsEveryCellOfTheNewMap)
{
    click(WorldMapPreset);
    form.selectTerrain(1);
    EXPECT_EQ(form.ComboBoxEx1->currentText(), QStringLiteral("Herbe"));
    const auto map = createNewMap(form.request(), QStringLiteral("Sans titre 1"));
    EXPECT_EQ(map->width, 300);
    EXPECT_EQ(map->provinceHeight, 13);
    EXPECT_EQ(map->terrainAt(0, 0), 100);
    EXPECT_EQ(map->terrainAt(299, 168), 100);
    EXPECT_TRUE(map->untitled);
    EXPECT_TRUE(map->modified);
    EXPECT_EQ(map->fileName, "Sans titre 1");

    // A refused request never becomes a broken map.
    NewMapRequest empty;
    empty.width = 0;
    EXPECT_THROW(createNewMap(empty, QStringLiteral("x")), MapCreateError);
}

} // namespace
