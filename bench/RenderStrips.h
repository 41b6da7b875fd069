#pragma once
// What one tick of the map window renders after a move: the two strips that
// came into view around the still-valid rectangle `valid`.
#include "render/MapRenderer.h"
#include "ui/MapViewRing.h"

inline void renderExposedStrips(QImage &picture, QSize client, const QRect &valid, const MapView &view,
                                const CarteVarenthe &map, const AppSettings &settings, ScaledTileCache &tiles)
{
    const ExposedStrips strips = exposedStrips(client, valid);
    for (const QRect &strip : {strips.stripA, strips.stripB})
        if (!strip.isEmpty())
            RenderMap(picture, strip, view, map, settings, tiles);
}
