// The options dialog: the boxes it enables, what OK writes, and that Cancel or
// a bad speed writes nothing.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>

#include "app/TOptionForm.h"
#include "MainFormTestSupport.h"

namespace {

class OptionsDialog : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    TOptionForm form;
    AppSettings settings;

    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        settings.gridGap = 2;
        settings.borderColour = 0x000000FF; // red
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

TEST_F(OptionsDialog, TheColourNeedsGridAndBorderLines)
{
    form.loadSettings(settings, TOptionForm::InterfacePage);
    EXPECT_EQ(QStringList({form.Edit1->text(), form.ColorBox1->currentText()}), QStringList({"1,80", "red"}));
    EXPECT_TRUE(form.CheckBox1->isChecked() && form.ColorBox1->isEnabled());
    form.CheckBox1->click(); // grid off: border lines greyed, their tick kept
    EXPECT_FALSE(form.CheckBox5->isEnabled() || form.ColorBox1->isEnabled());
    EXPECT_TRUE(form.CheckBox5->isChecked());
    form.CheckBox5->setChecked(false);
    form.CheckBox1->click();
    EXPECT_TRUE(form.CheckBox5->isEnabled());
    EXPECT_FALSE(form.ColorBox1->isEnabled());
    form.CheckBox5->click();
    EXPECT_TRUE(form.ColorBox1->isEnabled());
    ASSERT_TRUE(form.applySettings(settings));
    EXPECT_EQ(settings.gridGap, 1);
}

TEST_F(OptionsDialog, EachBoxShowsAndWritesItsOwnSettingAndEnablesItsDependant)
{
    const struct {
        QCheckBox *TOptionForm::*box;
        bool AppSettings::*field;
        const char *caption;
        QCheckBox *TOptionForm::*dependant; // enabled exactly when the box is ticked
    } boxes[] = {
        {&TOptionForm::CheckBox2, &AppSettings::showTimes, "Afficher les temps de déplacement", &TOptionForm::CheckBox3},
        {&TOptionForm::CheckBox3, &AppSettings::timesBackground, "Masquer l'arrière plan du texte", nullptr},
        {&TOptionForm::CheckBox4, &AppSettings::highlightBorders, "Surligner les cases frontières de province", nullptr},
        {&TOptionForm::CheckBox5, &AppSettings::showBorderLines, "Afficher la limite des Provinces", nullptr},
        {&TOptionForm::CheckBox6, &AppSettings::showProvinceNames, "Afficher le Nom des Provinces", &TOptionForm::CheckBox7},
        {&TOptionForm::CheckBox7, &AppSettings::namesBackground, "Masquer l'arrière plan du texte", nullptr},
        {&TOptionForm::CheckBox8, &AppSettings::allowEmbark, "Autoriser embarquer/débarquer", &TOptionForm::CheckBox9},
        {&TOptionForm::CheckBox9, &AppSettings::allowAbandon, "Autoriser abandon de l'embarcation sur le sable", nullptr},
        {&TOptionForm::CheckBox10, &AppSettings::useWingsGift, "Utiliser le don Ailes", nullptr},
    };
    for (const auto &b : boxes) {
        SCOPED_TRACE(b.caption);
        for (bool ticked : {true, false}) {
            AppSettings current = settings;
            current.*b.field = ticked;
            form.loadSettings(current, TOptionForm::InterfacePage);
            QCheckBox *box = form.*b.box;
            EXPECT_EQ(box->text(), QString::fromUtf8(b.caption));
            EXPECT_EQ(box->isChecked(), ticked);
            // Set as a click would, also on a box that its own master greys.
            box->setChecked(!ticked);
            emit box->clicked(!ticked);
            if (b.dependant) {
                EXPECT_EQ((form.*b.dependant)->isEnabled(), !ticked);
            }
            ASSERT_TRUE(form.applySettings(current));
            AppSettings expected = settings;
            expected.*b.field = !ticked;
            expected.gridGap = 1; // the grid box writes 1 for any gap
            EXPECT_TRUE(current == expected);
        }
    }
}

TEST_F(OptionsDialog, OkAppliesTheRoutePageSpeedColourAndFontsAndAsksForARepaint)
{
    QSignalSpy applied(&form, &TOptionForm::settingsApplied);
    form.setFontChooser([](QWidget *, const FontSetting &current) {
        FontSetting bold = current;
        bold.font.setBold(true);
        return std::optional<FontSetting>(bold);
    });
    form.setColourChooser([](QWidget *, const QColor &) { return std::optional<QColor>(QColor(0x12, 0x34, 0x56)); });
    QTimer::singleShot(0, &form, [this] {
        EXPECT_EQ(form.PageControl1->tabText(form.PageControl1->currentIndex()), "Recherche de Chemin");
        form.CheckBox9->setChecked(true);
        form.Edit1->setText(QStringLiteral("2,5"));
        form.Button3->click();
        form.ColorBox1->setCurrentIndex(0);
        emit form.ColorBox1->activated(0); // the custom entry opens the colour chooser
        form.Button1->click();
    });
    EXPECT_TRUE(form.ConfigurationExecute(settings, TOptionForm::RoutePage));
    EXPECT_EQ(applied.count(), 1);
    EXPECT_TRUE(settings.allowAbandon);
    EXPECT_FLOAT_EQ(settings.scrollSpeed, 2.5f);
    EXPECT_EQ(settings.borderColour, 0x00563412u);
    EXPECT_TRUE(settings.timesFont.font.bold() && !settings.namesFont.font.bold());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(OptionsDialog, ASpeedInTheWrongFormatChangesNothingAndACancelledColourGoesBack)
{
    QSignalSpy applied(&form, &TOptionForm::settingsApplied);
    const AppSettings before = settings;
    form.loadSettings(settings, TOptionForm::InterfacePage);
    form.Edit1->setText(QStringLiteral("2.5"));
    form.CheckBox10->setChecked(true);
    EXPECT_FALSE(form.applySettings(settings));
    EXPECT_TRUE(settings == before);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.first().contains(QStringLiteral("2.5")));
    EXPECT_EQ(applied.count(), 0);

    form.setColourChooser([](QWidget *, const QColor &) { return std::optional<QColor>(); });
    form.ColorBox1->setCurrentIndex(0);
    emit form.ColorBox1->activated(0);
    EXPECT_EQ(form.ColorBox1->currentText(), QStringLiteral("red"));
}

} // namespace
