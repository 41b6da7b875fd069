#include "map/PaletteEdit.h"

#include "map/CarteVarenthe.h"

std::string zoneName(int32_t tile)
{
    switch (tile) {
    case 253:
        return "Zone habitable";
    case 254:
        return "Zone religieuse";
    case 255:
        return "Zone commerciale";
    default:
        return {};
    }
}

void ApplyPaletteTile(CarteVarenthe &document, int32_t x, int32_t y, int32_t tile, EditReport *report)
{
    if (tile >= FirstZoneTile && tile <= LastZoneTile) {
        document.SetCellElement(x, y, Element{ElementZone, zoneName(tile), x, y, tile}, report);
    } else if (tile == ZoneEraserTile) {
        // The eraser leaves an empty record on the cell: elements are never
        // removed, so that the cells naming later ones stay right.
        document.SetCellElement(x, y, Element{ElementNone, {}, x, y, 0}, report);
    } else {
        document.SetCellTile(x, y, tile, report);
    }
}
