#pragma once
// The palette tool window: the player picks a tile for the left and/or the
// right mouse button, which the map windows then paint with while the
// palette is visible. Created once by the main window and hidden, not
// destroyed, when closed; the selections survive hiding.
#include <QWidget>
#include <array>

#include "ui/PaletteTable.h"

class QComboBox;
class QLabel;
class QScrollBar;
class TileLibrary;

class TPaletteForm : public QWidget {
    Q_OBJECT
public:
    // `tiles` is the main window's tile library; it must outlive the form.
    explicit TPaletteForm(TileLibrary &tiles, QWidget *parent = nullptr);

    // Tile chosen for a mouse button (0 left, 1 right), or -1 when that
    // button keeps its normal meaning in the map windows.
    int SelectedTile(int button) const;
    PaletteSelection selection(int button) const;
    // Category shown, -1 before the first choice.
    int category() const;
    void setCategory(int category);
    // Re-reads the tiles after the aspect changed.
    void refreshTiles();

    // Components, as the window definition names them.
    QWidget *Panel1 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QScrollBar *ScrollBar1 = nullptr;
    QWidget *Panel2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;

signals:
    // A button's tile changed (chosen or cleared).
    void selectionChanged(int button);

protected:
    // Tooltips: each place names its tile number and category.
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // The part of the window where the places are.
    QRect gridArea() const;
    void updateScrollRange();
    void updateButtonDisplay();

    TileLibrary &tiles_;
    int category_ = -1;
    std::array<PaletteSelection, 2> selections_;
};
