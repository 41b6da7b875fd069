#include "app/TOptionForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QGridLayout>
#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

#include "app/FontChooserDialog.h"
#include "app/NamedColourBox.h"
#include "ui/UserDialogs.h"

namespace {

const QColor DefaultBorderColour = Qt::white;

// The dialog is small and fixed: groups keep their rows close together.
void compact(QBoxLayout *layout)
{
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(2);
}

QCheckBox *addCheckBox(QLayout *layout, const QString &caption, const char *name)
{
    auto *box = new QCheckBox(caption);
    box->setObjectName(QLatin1String(name));
    layout->addWidget(box);
    return box;
}

} // namespace

TOptionForm::TOptionForm(QWidget *parent)
    : QDialog(parent), fontChooser_(FontChooserDialog::choose)
{
    setObjectName(QStringLiteral("TOptionForm"));
    setWindowTitle(QStringLiteral("Configuration"));
    // The described 417 pixels, and room for the readability group.
    setFixedSize(330, 417 + 96);
    // The fixed client area is laid out for a small 8-point face.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(buildInterfacePage(), QStringLiteral("Interface"));
    PageControl1->addTab(buildRoutePage(), QStringLiteral("Recherche de Chemin"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buildButtons());

    connect(Button3, &QPushButton::clicked, this, &TOptionForm::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TOptionForm::Button4Click);
    for (QCheckBox *box : {CheckBox1, CheckBox5, CheckBox2, CheckBox6, CheckBox8, CheckBox10})
        connect(box, &QCheckBox::toggled, this, &TOptionForm::FormShow);
}

// Page "Interface": the speed, then the provinces, times and grid groups.
QWidget *TOptionForm::buildInterfacePage()
{
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto *interfaceLayout = new QVBoxLayout(TabSheet1);
    interfaceLayout->setContentsMargins(8, 6, 8, 6);
    interfaceLayout->setSpacing(4);
    auto *speedRow = new QHBoxLayout;
    Label1 = new QLabel(QStringLiteral("Vitesse de Défilement"));
    Edit1 = new QLineEdit;
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Label1->setBuddy(Edit1);
    speedRow->addWidget(Label1);
    speedRow->addWidget(Edit1);
    interfaceLayout->addLayout(speedRow);
    interfaceLayout->addWidget(buildProvincesGroup());
    interfaceLayout->addWidget(buildTimesGroup());
    interfaceLayout->addWidget(buildGridGroup());
    interfaceLayout->addWidget(buildReadabilityGroup());
    interfaceLayout->addStretch(1);
    return TabSheet1;
}

QGroupBox *TOptionForm::buildProvincesGroup()
{
    GroupBox3 = new QGroupBox(QStringLiteral("Provinces"));
    auto *provinces = new QVBoxLayout(GroupBox3);
    compact(provinces);
    CheckBox4 = addCheckBox(provinces, QStringLiteral("Surligner les cases frontières de province"), "CheckBox4");
    CheckBox6 = addCheckBox(provinces, QStringLiteral("Afficher le Nom des Provinces"), "CheckBox6");
    CheckBox7 = addCheckBox(provinces, QStringLiteral("Masquer l'arrière plan du texte"), "CheckBox7");
    Button4 = new QPushButton(QStringLiteral("Police de caractère"));
    Button4->setAutoDefault(false);
    provinces->addWidget(Button4, 0, Qt::AlignLeft);
    return GroupBox3;
}

QGroupBox *TOptionForm::buildTimesGroup()
{
    GroupBox2 = new QGroupBox(QStringLiteral("Temps de Déplacement"));
    auto *times = new QVBoxLayout(GroupBox2);
    compact(times);
    CheckBox2 = addCheckBox(times, QStringLiteral("Afficher les temps de déplacement"), "CheckBox2");
    CheckBox3 = addCheckBox(times, QStringLiteral("Masquer l'arrière plan du texte"), "CheckBox3");
    Button3 = new QPushButton(QStringLiteral("Police de caractère"));
    Button3->setAutoDefault(false);
    times->addWidget(Button3, 0, Qt::AlignLeft);
    return GroupBox2;
}

QGroupBox *TOptionForm::buildGridGroup()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Grille"));
    auto *grid = new QVBoxLayout(GroupBox1);
    compact(grid);
    CheckBox1 = addCheckBox(grid, QStringLiteral("Afficher la grille"), "CheckBox1");
    CheckBox5 = addCheckBox(grid, QStringLiteral("Afficher la limite des Provinces"), "CheckBox5");
    auto *colourRow = new QHBoxLayout;
    Label3 = new QLabel(QStringLiteral("Couleur de la Frontière :"));
    colourBox_ = new NamedColourBox(DefaultBorderColour);
    ColorBox1 = colourBox_;
    ColorBox1->setObjectName(QStringLiteral("ColorBox1"));
    Label3->setBuddy(ColorBox1);
    colourRow->addWidget(Label3);
    colourRow->addWidget(ColorBox1, 1);
    grid->addLayout(colourRow);
    return GroupBox1;
}

QGroupBox *TOptionForm::buildReadabilityGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Lisibilité"));
    auto *layout = new QGridLayout(group);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setVerticalSpacing(2);
    TimesShownBox = new QComboBox;
    TimesShownBox->setObjectName(QStringLiteral("TimesShownBox"));
    TimesShownBox->addItems({QStringLiteral("partout"), QStringLiteral("le long de l'itinéraire"),
                             QStringLiteral("masqués quand illisibles")});
    ProvinceNamesBox = new QComboBox;
    ProvinceNamesBox->setObjectName(QStringLiteral("ProvinceNamesBox"));
    ProvinceNamesBox->addItems({QStringLiteral("tous"), QStringLiteral("seulement ceux qui tiennent")});
    CityNamesBox = new QCheckBox(QStringLiteral("Noms des villes sur la carte"));
    CityNamesBox->setObjectName(QStringLiteral("CityNamesBox"));
    auto *timesLabel = new QLabel(QStringLiteral("Temps :"));
    timesLabel->setBuddy(TimesShownBox);
    auto *namesLabel = new QLabel(QStringLiteral("Noms des provinces :"));
    namesLabel->setBuddy(ProvinceNamesBox);
    layout->addWidget(timesLabel, 0, 0);
    layout->addWidget(TimesShownBox, 0, 1);
    layout->addWidget(namesLabel, 1, 0);
    layout->addWidget(ProvinceNamesBox, 1, 1);
    layout->addWidget(CityNamesBox, 2, 0, 1, 2);
    return group;
}

// Page "Recherche de Chemin": the three route rules.
QWidget *TOptionForm::buildRoutePage()
{
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto *routeLayout = new QVBoxLayout(TabSheet2);
    CheckBox10 = addCheckBox(routeLayout, QStringLiteral("Utiliser le don Ailes"), "CheckBox10");
    CheckBox8 = addCheckBox(routeLayout, QStringLiteral("Autoriser embarquer/débarquer"), "CheckBox8");
    CheckBox9 = addCheckBox(routeLayout, QStringLiteral("Autoriser abandon de l'embarcation sur le sable"),
                            "CheckBox9");
    routeLayout->addStretch(1);
    return TabSheet2;
}

// "Ok" accepts, "Annuler" cancels; Enter presses "Ok".
QHBoxLayout *TOptionForm::buildButtons()
{
    Button1 = new QPushButton(QStringLiteral("Ok"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Annuler"));
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    return buttons;
}

void TOptionForm::setFontChooser(FontChooser chooser)
{
    fontChooser_ = std::move(chooser);
}

void TOptionForm::setColourChooser(ColourChooser chooser)
{
    colourBox_->setColourChooser(std::move(chooser));
}

bool TOptionForm::ConfigurationExecute(AppSettings &settings, Page page)
{
    loadSettings(settings, page);
    if (exec() != QDialog::Accepted)
        return false;
    return applySettings(settings);
}

void TOptionForm::loadSettings(const AppSettings &settings, Page page)
{
    Edit1->setText(QLocale().toString(static_cast<double>(settings.scrollSpeed), 'f', 2));
    CheckBox1->setChecked(settings.gridGap != 0);
    CheckBox2->setChecked(settings.showTimes);
    CheckBox3->setChecked(settings.timesBackground);
    CheckBox4->setChecked(settings.highlightBorders);
    CheckBox5->setChecked(settings.showBorderLines);
    CheckBox6->setChecked(settings.showProvinceNames);
    CheckBox7->setChecked(settings.namesBackground);
    CheckBox8->setChecked(settings.allowEmbark);
    CheckBox9->setChecked(settings.allowAbandon);
    CheckBox10->setChecked(settings.useWingsGift);
    selectBorderColour(QColor::fromRgb(bgrToRgb(settings.borderColour)));
    timesFont_ = settings.timesFont;
    namesFont_ = settings.namesFont;
    TimesShownBox->setCurrentIndex(static_cast<int>(settings.timesShown));
    ProvinceNamesBox->setCurrentIndex(settings.provinceNamesThatFit ? 1 : 0);
    CityNamesBox->setChecked(settings.showCityNames);
    PageControl1->setCurrentIndex(page == InterfacePage ? 0 : 1);
    FormShow();
}

bool TOptionForm::applySettings(AppSettings &settings)
{
    // The speed comes first: when it is not a number nothing else is applied.
    bool ok = false;
    const double speed = QLocale().toDouble(Edit1->text().trimmed(), &ok);
    const auto speed32 = static_cast<float>(speed);
    if (!ok || !std::isfinite(speed32)) {
        userDialogs().showError(this, QStringLiteral("Configuration"),
                                QStringLiteral("« %1 » n'est pas un nombre valide pour la vitesse de défilement.")
                                    .arg(Edit1->text()));
        return false;
    }
    settings.scrollSpeed = speed32;
    settings.gridGap = CheckBox1->isChecked() ? 1 : 0;
    settings.showTimes = CheckBox2->isChecked();
    settings.timesBackground = CheckBox3->isChecked();
    settings.highlightBorders = CheckBox4->isChecked();
    settings.showBorderLines = CheckBox5->isChecked();
    settings.showProvinceNames = CheckBox6->isChecked();
    settings.namesBackground = CheckBox7->isChecked();
    settings.allowEmbark = CheckBox8->isChecked();
    settings.allowAbandon = CheckBox9->isChecked();
    settings.useWingsGift = CheckBox10->isChecked();
    settings.borderColour = rgbToBgr(selectedBorderColour().rgb());
    settings.timesFont = timesFont_;
    settings.namesFont = namesFont_;
    settings.timesShown = static_cast<TimesShown>(std::clamp(TimesShownBox->currentIndex(), 0, 2));
    settings.provinceNamesThatFit = ProvinceNamesBox->currentIndex() == 1;
    settings.showCityNames = CityNamesBox->isChecked();
    emit settingsApplied();
    return true;
}

void TOptionForm::FormShow()
{
    CheckBox3->setEnabled(CheckBox2->isChecked());
    CheckBox5->setEnabled(CheckBox1->isChecked());
    CheckBox7->setEnabled(CheckBox6->isChecked());
    CheckBox9->setEnabled(CheckBox8->isChecked());
    const bool colours = CheckBox5->isChecked() && CheckBox1->isChecked();
    ColorBox1->setEnabled(colours);
    Label3->setEnabled(colours);
}

void TOptionForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
    Button1->setFocus();
}

void TOptionForm::Button3Click()
{
    if (const std::optional<FontSetting> chosen = fontChooser_(this, timesFont_))
        timesFont_ = *chosen;
}

void TOptionForm::Button4Click()
{
    if (const std::optional<FontSetting> chosen = fontChooser_(this, namesFont_))
        namesFont_ = *chosen;
}

QColor TOptionForm::selectedBorderColour() const
{
    return colourBox_->colour();
}

void TOptionForm::selectBorderColour(const QColor &colour)
{
    colourBox_->setColour(colour);
}
