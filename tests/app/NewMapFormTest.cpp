// The map maker creates a map in "Creer une nouvelle carte": presets fill
// and grey the sizes, typed sizes become numbers or defaults, and sizes a map
// cannot have are refused in the dialog.
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

    // The chosen terrain fills the new world map; the map's own filling is
    // the document's.
    click(WorldMapPreset);
    form.selectTerrain(1);
    EXPECT_EQ(form.ComboBoxEx1->currentText(), QStringLiteral("Herbe"));
    const auto map = createNewMap(form.request(), QStringLiteral("Sans titre 1"));
    EXPECT_EQ(std::make_tuple(map->width, map->provinceHeight, map->mapType, map->terrainAt(299, 168)),
              std::make_tuple(300, 13, 1, 100));
}

// Texts that are not numbers take their defaults; sizes a map cannot have
// are refused in the dialog, the largest it can have is accepted.
TEST_F(NewMapDialog, TypedSizesBecomeNumbersOrDefaultsAndImpossibleOnesAreRefused)
{
    click(CustomMapPreset);
    type("abc", " 17 ", "", "x");
    const NewMapRequest request = form.request();
    EXPECT_EQ(QList<int>({request.width, request.height, request.provinceWidth, request.provinceHeight}),
              QList<int>({20, 17, 0, 0}));
    EXPECT_EQ(newMapRequestFrom("", "", "", "", CustomMapPreset, 0).height, 13);

    const struct {
        const char *width, *height, *provinceWidth, *inRefusal;
    } cases[] = {{"0", "13", "0", "4096"}, {"-5", "13", "0", "4096"}, {"20", "4097", "0", "4096"},
                 {"20", "13", "-1", "provinces"}, {"4096", "1", "0", nullptr}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << c.provinceWidth);
        type(c.width, c.height, c.provinceWidth, "0");
        form.setResult(QDialog::Rejected);
        form.accept();
        EXPECT_EQ(form.result(), c.inRefusal ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_EQ(form.refusalLabel->isHidden(), !c.inRefusal);
        if (c.inRefusal) {
            EXPECT_TRUE(form.refusalLabel->text().contains(QString::fromUtf8(c.inRefusal)))
                << form.refusalLabel->text().toStdString();
        }
    }
}

} // namespace
