#include "ui/TPaletteForm.h"

#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include "render/TileLibrary.h"

namespace {

constexpr int FormWidth = 194;
constexpr int ScrollBarWidth = 16;
constexpr int BottomPanelHeight = 71;

QLabel *makeLabel(QWidget *parent, const QString &text, QColor colour, int x, int y)
{
    auto *label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLabel *makeImage(QWidget *parent, int x, int y)
{
    auto *image = new QLabel(parent);
    image->setGeometry(x, y, TileLibrary::TileSize, TileLibrary::TileSize);
    image->hide();
    return image;
}

void paintBlack(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

// A tool window of the main window: the window manager keeps it above that
// window, but not above the program's dialogs nor above other programs.
TPaletteForm::TPaletteForm(TileLibrary &tiles, QWidget *parent)
    : QWidget(parent, Qt::Tool), tiles_(tiles)
{
    setWindowTitle(QStringLiteral("Palette"));
    setObjectName(QStringLiteral("TPaletteForm"));
    paintBlack(this);
    // The labels of the bottom panel are placed for a small 8-point face.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    setMinimumSize(FormWidth, 100);
    setMaximumSize(FormWidth, 10000);
    resize(FormWidth, 522);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(0, 0, 185, PaletteTopPanelHeight);
    ComboBox1->setPlaceholderText(QStringLiteral("- Selectionnez la catégorie -"));
    for (int category = 0; category < PaletteCategoryCount; ++category)
        ComboBox1->addItem(paletteCategoryName(category));
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setMaxVisibleItems(PaletteCategoryCount);

    ScrollBar1 = new QScrollBar(Qt::Vertical, this);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setRange(0, 0);
    ScrollBar1->setPageStep(1);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    paintBlack(Panel2);
    Label1 = makeLabel(Panel2, QStringLiteral("Bouton gauche :"), Qt::white, 8, 12);
    Label2 = makeLabel(Panel2, QStringLiteral("Bouton droit :"), Qt::white, 8, 46);
    Image1 = makeImage(Panel2, 120, 2);
    Image2 = makeImage(Panel2, 120, 36);
    Label3 = makeLabel(Panel2, QStringLiteral("Deplacement"), Qt::blue, 104, 12);
    Label4 = makeLabel(Panel2, QStringLiteral("Recherche"), Qt::red, 108, 46);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this](int index) {
        category_ = index;
        ScrollBar1->setValue(0);
        updateScrollRange();
        update();
    });
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { update(); });
}

int TPaletteForm::SelectedTile(int button) const
{
    if (button < 0 || button > 1)
        return -1;
    return paletteSelectedTile(selections_[button]);
}

PaletteSelection TPaletteForm::selection(int button) const
{
    if (button < 0 || button > 1)
        return {};
    return selections_[button];
}

int TPaletteForm::category() const
{
    return category_;
}

void TPaletteForm::setCategory(int category)
{
    if (category < -1 || category >= PaletteCategoryCount)
        return;
    ComboBox1->setCurrentIndex(category);
}

void TPaletteForm::refreshTiles()
{
    updateButtonDisplay();
    update();
}

QRect TPaletteForm::gridArea() const
{
    // Presses and tooltips on the panels come up from their labels and
    // images; the tiles the panels cover are not there to be chosen.
    return QRect(0, PaletteTopPanelHeight, width() - ScrollBarWidth,
                 height() - BottomPanelHeight - PaletteTopPanelHeight);
}

void TPaletteForm::updateScrollRange()
{
    ScrollBar1->setMaximum(paletteScrollMaximum(category_, ScrollBar1->height()));
}

void TPaletteForm::updateButtonDisplay()
{
    const std::array<QLabel *, 2> images{Image1, Image2};
    const std::array<QLabel *, 2> labels{Label3, Label4};
    for (int button = 0; button < 2; ++button) {
        const int tile = SelectedTile(button);
        if (tile != -1) {
            images[button]->setPixmap(QPixmap::fromImage(tiles_.GetTile(tile)));
            labels[button]->hide();
            images[button]->show();
        } else {
            images[button]->clear();
            images[button]->hide();
            labels[button]->show();
        }
    }
}

bool TPaletteForm::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto *help = static_cast<QHelpEvent *>(event);
    const QPoint position = help->pos();
    const PaletteSelection place = gridArea().contains(position)
        ? paletteSelectionAt(category_, ScrollBar1->value(), position.x(), position.y())
        : PaletteSelection{};
    const QString text = palettePlaceToolTip(place.category, place.column, place.row);
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        // The tip goes when the mouse leaves the place it describes.
        QToolTip::showText(help->globalPos(), text, this,
                           palettePlaceRect(place.column, place.row, ScrollBar1->value()));
    }
    return true;
}

void TPaletteForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (category_ == -1)
        return;
    const int scroll = ScrollBar1->value();
    const int rows = paletteCategoryRows(category_);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < PaletteColumnCount; ++column) {
            const int32_t tile = paletteTileAt(category_, column, row);
            if (tile != 0)
                painter.drawImage(palettePlaceRect(column, row, scroll).topLeft(), tiles_.GetTile(tile));
        }
    }
    // The marks lie in the one-pixel gap around the chosen tile: left button
    // in blue, then right button in red.
    const std::array<QColor, 2> colours{Qt::blue, Qt::red};
    painter.setBrush(Qt::NoBrush);
    for (int button = 0; button < 2; ++button) {
        const PaletteSelection &chosen = selections_[button];
        if (chosen.category != category_)
            continue;
        const QRect place = palettePlaceRect(chosen.column, chosen.row, scroll);
        painter.setPen(QPen(colours[button], 1));
        painter.drawRect(place.adjusted(-1, -1, 0, 0));
    }
}

void TPaletteForm::mousePressEvent(QMouseEvent *event)
{
    int button = -1;
    if (event->button() == Qt::LeftButton)
        button = 0;
    else if (event->button() == Qt::RightButton)
        button = 1;
    if (button == -1)
        return;
    const QPoint position = event->position().toPoint();
    if (!gridArea().contains(position))
        return;
    const PaletteSelection chosen =
        paletteSelectionAt(category_, ScrollBar1->value(), position.x(), position.y());
    const bool changed = !(chosen == selections_[button]);
    selections_[button] = chosen;
    updateButtonDisplay();
    update();
    if (changed)
        emit selectionChanged(button);
}

void TPaletteForm::resizeEvent(QResizeEvent *)
{
    const int gridBottom = height() - BottomPanelHeight;
    Panel1->setGeometry(0, 0, width(), PaletteTopPanelHeight);
    ScrollBar1->setGeometry(width() - ScrollBarWidth, PaletteTopPanelHeight, ScrollBarWidth,
                            qMax(0, gridBottom - PaletteTopPanelHeight));
    Panel2->setGeometry(0, gridBottom, width(), BottomPanelHeight);
    updateScrollRange();
    update();
}

void TPaletteForm::wheelEvent(QWheelEvent *event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        ScrollBar1->setValue(ScrollBar1->value() - notches);
    event->accept();
}
