#include "app/NamedColourBox.h"

#include <QColorDialog>
#include <QIcon>
#include <QPixmap>

namespace {

QIcon swatch(const QColor &colour)
{
    QPixmap picture(16, 12);
    picture.fill(colour.isValid() ? colour : QColor(Qt::transparent));
    return QIcon(picture);
}

std::optional<QColor> chooseWithQt(QWidget *parent, const QColor &current)
{
    const QColor colour = QColorDialog::getColor(current, parent, QStringLiteral("Couleur personnalisée"));
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

} // namespace

NamedColourBox::NamedColourBox(QColor defaultColour, QWidget *parent)
    : QComboBox(parent), defaultColour_(defaultColour), chooser_(chooseWithQt)
{
    addItem(swatch(QColor()), QStringLiteral("Personnalisée..."), QColor());
    addItem(swatch(defaultColour_), QStringLiteral("Par défaut"), defaultColour_);
    for (const QString &name : QColor::colorNames()) {
        const QColor named = QColor::fromString(name);
        addItem(swatch(named), name, named);
    }
    setMaxVisibleItems(16);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(10);
    setCurrentIndex(DefaultIndex);
    connect(this, &QComboBox::activated, this, &NamedColourBox::entryActivated);
}

QColor NamedColourBox::colour() const
{
    const QColor chosen = currentData().value<QColor>();
    return chosen.isValid() ? chosen : defaultColour_;
}

void NamedColourBox::setColour(const QColor &colour)
{
    const QRgb wanted = colour.rgb();
    for (int index = FirstNamedIndex; index < count(); ++index) {
        if (itemData(index).value<QColor>().rgb() == wanted) {
            setCurrentIndex(index);
            lastIndex_ = index;
            return;
        }
    }
    setCustomColour(QColor::fromRgb(wanted));
    setCurrentIndex(CustomIndex);
    lastIndex_ = CustomIndex;
}

void NamedColourBox::setColourChooser(ColourChooser chooser)
{
    chooser_ = std::move(chooser);
}

void NamedColourBox::setCustomColour(const QColor &colour)
{
    setItemData(CustomIndex, colour);
    setItemIcon(CustomIndex, swatch(colour));
}

void NamedColourBox::entryActivated(int index)
{
    if (index != CustomIndex) {
        lastIndex_ = index;
        return;
    }
    const QColor before = itemData(lastIndex_).value<QColor>();
    const std::optional<QColor> chosen = chooser_(this, before.isValid() ? before : defaultColour_);
    if (!chosen) {
        // Cancelling the chooser keeps the colour chosen before.
        setCurrentIndex(lastIndex_);
        return;
    }
    setCustomColour(*chosen);
    lastIndex_ = CustomIndex;
}
