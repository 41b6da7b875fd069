#pragma once
// The palette's table of tiles: twelve categories, each a grid of 22 rows by
// 5 columns of tile numbers (0 = empty place), and the arithmetic that turns
// a click in the palette window into a chosen place. Plain data and
// functions, so the palette window and the tests share them.
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>

inline constexpr int PaletteCategoryCount = 12;
inline constexpr int PaletteRowCount = 22;
inline constexpr int PaletteColumnCount = 5;
// Tiles sit on a 33-pixel pitch with a one-pixel gap, below the 21-pixel
// panel that holds the category list.
inline constexpr int PalettePitch = 33;
inline constexpr int PaletteTopPanelHeight = 21;

using PaletteGrid = std::array<std::array<int32_t, PaletteColumnCount>, PaletteRowCount>;

// The chosen place of one mouse button; all -1 when the button has no tile.
struct PaletteSelection {
    int column = -1;
    int row = -1;
    int category = -1;
    bool operator==(const PaletteSelection &) const = default;
};

const std::array<PaletteGrid, PaletteCategoryCount> &paletteCategoryTable();
// Category names in combo-box order.
QString paletteCategoryName(int category);
// Leading rows whose first place holds a tile; 0 for an unknown category.
int paletteCategoryRows(int category);
// Tile number of a place, 0 for an empty place or a place outside the table.
int32_t paletteTileAt(int category, int column, int row);
// Tile of a selection, -1 when the selection is empty.
int32_t paletteSelectedTile(const PaletteSelection &selection);
// What a place's tooltip says: "Tuile 2511 — Villes - Institutions
// nationales"; empty for an empty place.
QString palettePlaceToolTip(int category, int column, int row);

// Rectangle of the 32 x 32 tile of place (column, row) with the grid
// scrolled to first row `scroll`, in the palette window's coordinates.
QRect palettePlaceRect(int column, int row, int scroll);
// The selection a press at (mx, my) makes while `category` is shown and the
// grid starts at row `scroll`: the place under the mouse when it holds a
// tile, otherwise the empty selection.
PaletteSelection paletteSelectionAt(int category, int scroll, int mx, int my);
// Largest first row the scroll bar offers for a grid `gridHeight` pixels high.
int paletteScrollMaximum(int category, int gridHeight);
