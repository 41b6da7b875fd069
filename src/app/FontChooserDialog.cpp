#include "app/FontChooserDialog.h"

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/NamedColourBox.h"

FontChooserDialog::FontChooserDialog(const FontSetting &initial, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Police de caractère"));

    // The font dialog is used as a plain widget inside this one, so that the
    // colour sits beside the face and the effects, and one OK takes both.
    fonts_ = new QFontDialog(initial.font, this);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setWindowFlags(Qt::Widget);
    // Enter and Escape would end the embedded dialog on its own, which only
    // hides it (or, in its fields, do nothing): they end this one instead.
    connect(fonts_, &QDialog::accepted, this, &QDialog::accept);
    connect(fonts_, &QDialog::rejected, this, &QDialog::reject);
    fonts_->installEventFilter(this);

    colours_ = new NamedColourBox(QColor::fromRgb(bgrToRgb(0x00FFFFFF)), this);
    colours_->setColour(QColor::fromRgb(bgrToRgb(initial.colour)));
    auto *colourLabel = new QLabel(QStringLiteral("Couleur :"), this);
    colourLabel->setBuddy(colours_);
    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(colours_, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fonts_, 1);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
}

bool FontChooserDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == fonts_ && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            accept();
            return true;
        }
        if (key->matches(QKeySequence::Cancel)) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

FontSetting FontChooserDialog::fontSetting() const
{
    FontSetting chosen;
    chosen.font = fonts_->currentFont();
    chosen.colour = rgbToBgr(colours_->colour().rgb());
    return chosen;
}

std::optional<FontSetting> FontChooserDialog::choose(QWidget *parent, const FontSetting &initial)
{
    FontChooserDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.fontSetting();
}
