#include "app/TNewMapForm.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "render/TileLibrary.h"
#include "ui/RefusalLabel.h"

namespace {

QLineEdit *addLabelledEdit(QGridLayout *grid, int row, int column, const QString &label)
{
    auto *edit = new QLineEdit;
    edit->setFixedWidth(48);
    auto *caption = new QLabel(label);
    caption->setBuddy(edit);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(caption, row, column);
    grid->addWidget(edit, row, column + 1);
    return edit;
}

} // namespace

TNewMapForm::TNewMapForm(TileLibrary &tiles, QWidget *parent) : QDialog(parent), tiles_(tiles)
{
    setObjectName(QStringLiteral("NewMapForm"));
    setWindowTitle(QStringLiteral("Creer une nouvelle carte"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    RadioGroup1 = new QGroupBox(QStringLiteral("Type de Carte"));
    presetButtons = new QButtonGroup(this);
    auto *presetLayout = new QVBoxLayout(RadioGroup1);
    for (int i = 0; i < MapPresetCount; ++i) {
        auto *button = new QRadioButton(mapPresetCaption(i));
        presetButtons->addButton(button, i);
        presetLayout->addWidget(button);
    }
    // A click, not a programmatic change, is what rewrites the numbers.
    connect(presetButtons, &QButtonGroup::idClicked, this, [this] { ConsquencesChoix(); });

    GroupBox1 = new QGroupBox(QStringLiteral("Personnaliser"));
    auto *grid = new QGridLayout(GroupBox1);
    LabeledEdit1 = addLabelledEdit(grid, 0, 0, QStringLiteral("Largeur"));
    LabeledEdit2 = addLabelledEdit(grid, 1, 0, QStringLiteral("Hauteur"));
    LabeledEdit3 = addLabelledEdit(grid, 0, 2, QStringLiteral("Largeur des provinces"));
    LabeledEdit4 = addLabelledEdit(grid, 1, 2, QStringLiteral("Hauteur des provinces"));
    grid->setColumnMinimumWidth(2, 20);

    ComboBoxEx1 = new QComboBox;
    ComboBoxEx1->setIconSize(QSize(TileLibrary::TileSize, TileLibrary::TileSize));
    ComboBoxEx1->setMaxVisibleItems(8);
    ComboBoxEx1->setEditable(false);
    for (int i = 0; i < TerrainChoiceCount; ++i)
        ComboBoxEx1->addItem(terrainCaption(i), terrainChoice(i).tile);

    refusalLabel = newRefusalLabel();

    Button1 = new QPushButton(QStringLiteral("Ok"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Annuler"));
    connect(Button1, &QPushButton::clicked, this, &TNewMapForm::accept);
    connect(Button2, &QPushButton::clicked, this, &TNewMapForm::reject);
    // Typing again takes the last refusal away.
    for (QLineEdit *edit : {LabeledEdit1, LabeledEdit2, LabeledEdit3, LabeledEdit4})
        connect(edit, &QLineEdit::textEdited, refusalLabel, &QLabel::hide);

    auto *terrainRow = new QHBoxLayout;
    terrainRow->addWidget(ComboBoxEx1);
    terrainRow->addStretch(1);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(Button1);
    buttonRow->addWidget(Button2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addWidget(GroupBox1);
    layout->addLayout(terrainRow);
    layout->addWidget(refusalLabel);
    layout->addStretch(1);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    selectPreset(CityMapPreset);
    selectTerrain(0);
    // The numbers of the preset are there before the first showing too.
    const MapPreset &preset = mapPreset(CityMapPreset);
    LabeledEdit1->setText(QString::number(preset.width));
    LabeledEdit2->setText(QString::number(preset.height));
    LabeledEdit3->setText(QString::number(preset.provinceWidth));
    LabeledEdit4->setText(QString::number(preset.provinceHeight));
    GroupBox1->setEnabled(false);
}

std::optional<NewMapRequest> TNewMapForm::askNewMap(QWidget *parent)
{
    // Created with the main window as its parent; a parent given here only
    // matters for a dialog made without one.
    if (parent && !parentWidget())
        setParent(parent, windowFlags());
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return request();
}

NewMapRequest TNewMapForm::request() const
{
    return newMapRequestFrom(LabeledEdit1->text(), LabeledEdit2->text(), LabeledEdit3->text(), LabeledEdit4->text(),
                             selectedPreset(), selectedTerrain());
}

int TNewMapForm::selectedPreset() const
{
    return presetButtons->checkedId();
}

void TNewMapForm::selectPreset(int index)
{
    if (QAbstractButton *button = presetButtons->button(index))
        button->setChecked(true);
}

int TNewMapForm::selectedTerrain() const
{
    return ComboBoxEx1->currentIndex();
}

void TNewMapForm::selectTerrain(int index)
{
    ComboBoxEx1->setCurrentIndex(index);
}

void TNewMapForm::ConsquencesChoix()
{
    if (!picturesFilled_)
        fillTerrainPictures();
    const int index = selectedPreset();
    if (index < 0)
        return;
    const MapPreset &preset = mapPreset(index);
    if (preset.fixed) {
        LabeledEdit1->setText(QString::number(preset.width));
        LabeledEdit2->setText(QString::number(preset.height));
        LabeledEdit3->setText(QString::number(preset.provinceWidth));
        LabeledEdit4->setText(QString::number(preset.provinceHeight));
        GroupBox1->setEnabled(false);
    } else {
        GroupBox1->setEnabled(true);
    }
    refusalLabel->hide();
}

void TNewMapForm::accept()
{
    const QString why = refusal();
    if (!why.isEmpty()) {
        refusalLabel->setText(why);
        refusalLabel->show();
        return;
    }
    refusalLabel->hide();
    QDialog::accept();
}

void TNewMapForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    ConsquencesChoix();
    Button1->setFocus();
    if (parentWidget()) {
        const QRect owner = parentWidget()->window()->frameGeometry();
        move(owner.center() - rect().center());
    }
}

void TNewMapForm::fillTerrainPictures()
{
    // The pictures of the aspect in use at the first showing; they stay as
    // they are after an aspect change.
    for (int i = 0; i < TerrainChoiceCount; ++i) {
        const QImage &tile = tiles_.GetTile(terrainChoice(i).tile);
        const QImage picture = tile.size() == QSize(TileLibrary::TileSize, TileLibrary::TileSize)
                                   ? tile
                                   : tile.scaled(TileLibrary::TileSize, TileLibrary::TileSize);
        ComboBoxEx1->setItemIcon(i, QIcon(QPixmap::fromImage(picture)));
    }
    picturesFilled_ = true;
}
