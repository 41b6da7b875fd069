#pragma once
// Province names, drawn by the renderer over everything else: each name at
// its province's top-left corner (shifted provinces of odd rows included),
// in the names font scaled to the cell size, on a black box or not.
#include <QImage>
#include <QRect>

#include "settings/AppSettings.h"
#include "render/MapView.h"

class CarteVarenthe;

// Draws, clipped to `clip`, every name that reaches into it, in province
// order, including names that start left of or above it: a picture drawn in
// strips or bands then equals the one drawn at once. Nothing when names are
// hidden or the map has no provinces.
void drawProvinceNames(QImage &canvas, const QRect &clip, const MapView &view, const CarteVarenthe &map,
                       const AppSettings &settings);

// The cities' names when "Noms des villes sur la carte" is on: each centred
// just above its cell, in the province names' font, box and colour, clipped
// the same way; none where cells are under 8 pixels.
void drawCityNames(QImage &canvas, const QRect &clip, const MapView &view, const CarteVarenthe &map,
                   const AppSettings &settings);
