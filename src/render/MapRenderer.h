#pragma once
// The map renderer: turns a map document, the route result stored in it and
// the display settings into pixels of any rectangle of a view. The map window
// draws into its back buffer with it, the bitmap export into bands of the
// exported picture, pelmorin-cli render likewise; all of them get the same
// picture for the same view. QImage only, so it runs without a display (a
// QGuiApplication must exist for the fonts).
#include <QImage>
#include <QRect>
#include <QSize>

#include "settings/AppSettings.h"
#include "render/MapView.h"
#include "render/ScaledTileCache.h"

class CarteVarenthe;

// Overlay opacities, of 255.
inline constexpr int RouteOverlayOpacity = 140;
inline constexpr int BorderOverlayOpacity = 90;
inline constexpr int ZoneOverlayOpacity = 110;
inline constexpr int LayerChangeOverlayOpacity = 140;
// Solid overlay tiles laid over route cells and province border cells.
inline constexpr int RouteOverlayTile = 251;
inline constexpr int BorderOverlayTile = 252;

// Draws the part of the map that falls in `rect` (canvas pixels) of `canvas`,
// seen through `view`: black background, cell tiles, the route, border-cell
// and zone overlays, province border lines in the grid gap, the two travel
// times in the corners of reached cells and the province names. Pixels
// outside `rect` are never touched, and every pixel inside depends only on
// the view and the inputs, so a picture drawn in pieces (strips, bands)
// equals the picture drawn at once. The gap used is `view.gridGap`
// (settings.gridGap is not read: the view carries the window's pitch).
// `canvas` must be Format_RGB32 (it is converted first otherwise); nothing is
// written to the document.
void RenderMap(QImage &canvas, const QRect &rect, const MapView &view, const CarteVarenthe &map,
               const AppSettings &settings, ScaledTileCache &tiles);

// Font sizes at a cell size: the configured point size shrinks by 1/8 point
// (times) or 1/4 point (names) per pixel below 32, cut toward zero, and never
// goes below 1 point. Times "Taille Temps" 7: 7 at 32, 5 at 16, 3 at 1.
int timesPointSize(int configuredPoints, int cellSize);
int namesPointSize(int configuredPoints, int cellSize);
// The font actually drawn for a point size: the face and style of `font` at
// the pixel height of that size on a 96 dpi display, so that the picture does
// not depend on the screen the program runs on (or on there being none).
QFont renderFont(const QFont &font, int points);
