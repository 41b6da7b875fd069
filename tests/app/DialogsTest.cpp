// The program's dialog boxes on their own: the about box, "Creer une nouvelle
// carte", the options and the font chooser.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>

#include "MainFormTestSupport.h"
#include "app/FontChooserDialog.h"
#include "app/TAboutBox.h"
#include "app/TNewMapForm.h"
#include "app/TOptionForm.h"
#include "ui/GameServer.h"

class HomePageCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

namespace {

TEST(AboutBox, NamesTheProgramShowsTheFirst4096BytesOfTheNotesOnceAndOpensTheGameSite)
{
    ScratchProgram folder;
    // Windows-1252 with CR LF line breaks, and more beyond byte 4096.
    folder.writeText(QStringLiteral("notes.txt"), "Nouveaut\xe9s\r\n" + QByteArray(4096 - 12, 'x') + "FIN DU FICHIER");
    TAboutBox box(folder.path(QStringLiteral("notes.txt")), nullptr);
    const QString shown = box.notesText();
    EXPECT_TRUE(shown.startsWith(QString::fromUtf8("Nouveautés\nxx")));
    EXPECT_EQ(shown.size(), 4096 - 1); // one byte per character, CR LF became one break

    const QStringList texts = {box.windowTitle(), box.ProductName->text(), box.Version->text(),
                               box.Comments->text().left(16), box.Label1->text()};
    EXPECT_EQ(texts, QStringList({"A propos", "Carte du Pelmorin", "Version 1.3.5", "Programmation : ", "Notes :"}));
    EXPECT_EQ(box.Image1->cursor().shape(), Qt::PointingHandCursor);

    HomePageCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.Image1, Qt::LeftButton, {}, QPoint(100, 30));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    EXPECT_EQ(catcher.urls, QList<QUrl>({homePageUrl()}));
}

// "Creer une nouvelle carte": presets fill and grey the sizes, typed sizes
// become numbers or defaults, sizes a map cannot have are refused.
TEST(NewMapDialog, PresetsFillTheSizesTypedOnesBecomeNumbersOrDefaultsAndImpossibleOnesAreRefused)
{
    ScratchProgram folder;
    TileLibrary tiles;
    tiles.SelectAspectFolder(QStringLiteral(".\\img\\1\\"));
    TNewMapForm form(tiles);
    const QList<QLineEdit *> edits = {form.LabeledEdit1, form.LabeledEdit2, form.LabeledEdit3, form.LabeledEdit4};
    const auto type = [&](const QStringList &sizes) {
        for (int i = 0; i < 4; ++i)
            edits[i]->setText(sizes[i]);
    };
    const auto fields = [&] {
        QStringList texts;
        for (QLineEdit *edit : edits)
            texts << edit->text();
        return texts;
    };
    EXPECT_EQ(QStringList({form.windowTitle(), form.ComboBoxEx1->currentText()}),
              QStringList({"Creer une nouvelle carte", "Vide"}));
    EXPECT_EQ(form.selectedPreset(), CityMapPreset);

    // Fixed presets write their sizes and grey them; custom keeps the last numbers.
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

    form.presetButtons->button(CustomMapPreset)->click();
    type({"abc", " 17 ", "", "x"});
    const NewMapRequest request = form.request();
    EXPECT_EQ(QList<int>({request.width, request.height, request.provinceWidth, request.provinceHeight}),
              QList<int>({20, 17, 0, 0}));

    const std::pair<QStringList, const char *> cases[] = {
        {{"0", "13", "0", "0"}, "4096"}, {{"20", "4097", "0", "0"}, "4096"},
        {{"20", "13", "-1", "0"}, "provinces"}, {{"4096", "1", "0", "0"}, nullptr}};
    for (const auto &[sizes, inRefusal] : cases) {
        SCOPED_TRACE(sizes.join(' ').toStdString());
        type(sizes);
        form.setResult(QDialog::Rejected);
        form.accept();
        EXPECT_EQ(form.result(), inRefusal ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_EQ(form.refusalLabel->isHidden(), !inRefusal);
        EXPECT_TRUE(!inRefusal || form.refusalLabel->text().contains(QString::fromUtf8(inRefusal)));
    }
}

// The options: the boxes it enables, what OK writes, and that Cancel or a bad speed writes nothing.
struct OptionsDialog : ::testing::Test {
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

// The colour needs grid and border lines; a cancelled colour goes back, a speed
// in the wrong format changes nothing.
TEST_F(OptionsDialog, TheColourNeedsGridAndBorderLinesAndARefusedSpeedChangesNothing)
{
    QSignalSpy applied(&form, &TOptionForm::settingsApplied);
    const AppSettings before = settings;
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

    form.setColourChooser([](QWidget *, const QColor &) { return std::optional<QColor>(); });
    form.ColorBox1->setCurrentIndex(0);
    emit form.ColorBox1->activated(0);
    EXPECT_EQ(form.ColorBox1->currentText(), QStringLiteral("red"));

    form.Edit1->setText(QStringLiteral("2.5"));
    form.CheckBox10->setChecked(true);
    EXPECT_FALSE(form.applySettings(settings));
    EXPECT_TRUE(settings == before);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.first().contains(QStringLiteral("2.5")));
    EXPECT_EQ(applied.count(), 0);
}

TEST_F(OptionsDialog, EachBoxShowsAndWritesItsOwnSettingAndEnablesItsDependant)
{
    // The box, its setting, its caption, and the box it enables exactly when ticked.
    const std::tuple<QCheckBox *TOptionForm::*, bool AppSettings::*, const char *, QCheckBox *TOptionForm::*> boxes[] = {
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
    for (const auto &[box, field, caption, dependant] : boxes) {
        SCOPED_TRACE(caption);
        for (bool ticked : {true, false}) {
            AppSettings current = settings;
            current.*field = ticked;
            form.loadSettings(current, TOptionForm::InterfacePage);
            QCheckBox *shown = form.*box;
            EXPECT_EQ(shown->text(), QString::fromUtf8(caption));
            EXPECT_EQ(shown->isChecked(), ticked);
            // Set as a click would, also on a box that its own master greys.
            shown->setChecked(!ticked);
            emit shown->clicked(!ticked);
            EXPECT_TRUE(!dependant || (form.*dependant)->isEnabled() == !ticked);
            ASSERT_TRUE(form.applySettings(current));
            AppSettings expected = settings;
            expected.*field = !ticked;
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

#include "DialogsTest.moc"
