// "Creer une nouvelle carte": presets fill and grey the sizes, typed sizes
// become numbers or defaults, sizes a map cannot have are refused.
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

    void type(const QStringList &sizes)
    {
        for (int i = 0; i < 4; ++i)
            edits()[i]->setText(sizes[i]);
    }
    QList<QLineEdit *> edits() const { return {form.LabeledEdit1, form.LabeledEdit2, form.LabeledEdit3, form.LabeledEdit4}; }
    QStringList fields() const
    {
        QStringList texts;
        for (QLineEdit *edit : edits())
            texts << edit->text();
        return texts;
    }

    ScratchProgram folder;
    TileLibrary tiles;
    TNewMapForm form;
};

TEST_F(NewMapDialog, OpensOnACityMapWithEmptyCellsAndTheOkButtonFocused)
{
    EXPECT_EQ(QStringList({form.windowTitle(), form.ComboBoxEx1->currentText()}),
              QStringList({"Creer une nouvelle carte", "Vide"}));
    EXPECT_EQ(form.selectedPreset(), CityMapPreset);
    bool sawFocus = false;
    QTimer::singleShot(0, &form, [&] {
        sawFocus = form.Button1->hasFocus() || form.focusWidget() == form.Button1;
        for (int i = 0; i < form.ComboBoxEx1->count(); ++i) // pictures once shown
            EXPECT_FALSE(form.ComboBoxEx1->itemIcon(i).isNull()) << i;
        form.reject();
    });
    EXPECT_FALSE(form.askNewMap(nullptr).has_value());
    EXPECT_TRUE(sawFocus);
}

TEST_F(NewMapDialog, FixedPresetsWriteTheirSizesAndGreyThemWhileCustomKeepsTheLastNumbers)
{
    form.presetButtons->button(WorldMapPreset)->click();
    EXPECT_EQ(fields(), QStringList({"300", "169", "20", "13"}));
    EXPECT_FALSE(form.GroupBox1->isEnabled());
    form.presetButtons->button(CustomMapPreset)->click();
    EXPECT_TRUE(form.GroupBox1->isEnabled());
    EXPECT_EQ(fields(), QStringList({"300", "169", "20", "13"}));
    form.presetButtons->button(CityMapPreset)->click();
    EXPECT_EQ(fields(), QStringList({"20", "13", "0", "0"}));
    EXPECT_EQ(form.request().mapType, 0);

    form.presetButtons->button(WorldMapPreset)->click();
    form.selectTerrain(1);
    EXPECT_EQ(form.ComboBoxEx1->currentText(), QStringLiteral("Herbe"));
    const auto map = createNewMap(form.request(), QStringLiteral("Sans titre 1"));
    EXPECT_EQ(std::make_tuple(map->width, map->provinceHeight, map->mapType, map->terrainAt(299, 168)),
              std::make_tuple(300, 13, 1, 100));
}

TEST_F(NewMapDialog, TypedSizesBecomeNumbersOrDefaultsAndImpossibleOnesAreRefused)
{
    form.presetButtons->button(CustomMapPreset)->click();
    type({"abc", " 17 ", "", "x"});
    const NewMapRequest request = form.request();
    EXPECT_EQ(QList<int>({request.width, request.height, request.provinceWidth, request.provinceHeight}),
              QList<int>({20, 17, 0, 0}));

    const struct {
        QStringList sizes;
        const char *inRefusal;
    } cases[] = {{{"0", "13", "0", "0"}, "4096"}, {{"20", "4097", "0", "0"}, "4096"},
                 {{"20", "13", "-1", "0"}, "provinces"}, {{"4096", "1", "0", "0"}, nullptr}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sizes.join(' ').toStdString());
        type(c.sizes);
        form.setResult(QDialog::Rejected);
        form.accept();
        EXPECT_EQ(form.result(), c.inRefusal ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_EQ(form.refusalLabel->isHidden(), !c.inRefusal);
        if (c.inRefusal) {
            EXPECT_TRUE(form.refusalLabel->text().contains(QString::fromUtf8(c.inRefusal)));
        }
    }
}

} // namespace
