#pragma once
// The ranges of the numbers read from the settings file. The file is text
// anyone can edit: a value beyond its range is brought to the nearest end
// when it is read, so that no later arithmetic (the cell pitch, a font's
// layout, a window's size) overflows or asks for gigabytes of memory.
#include <QList>
#include <QRect>

#include <algorithm>
#include <cstdint>

inline constexpr int32_t MaxGridGap = 16;       // "Grille", pixels
inline constexpr int32_t MaxFontPoints = 144;   // "Taille Temps", "Taille Noms Provinces"
inline constexpr float MinScrollSpeed = 0.1f;   // "Vitesse Défilement"
inline constexpr float MaxScrollSpeed = 50.0f;
inline constexpr int32_t MinZoomSetting = 5;    // "Echelle" of a map window, the map window's own range
inline constexpr int32_t MaxZoomSetting = 100;
inline constexpr int32_t MinWindowSide = 150;   // "Largeur", "Hauteur" of the main window
inline constexpr int32_t MaxWindowSide = 16384;
inline constexpr int32_t MaxWindowOffset = 1 << 20; // "x", "y" of the main window, either way

inline int32_t clampSetting(int32_t value, int32_t lowest, int32_t highest)
{
    return std::clamp(value, lowest, highest);
}

// Where a main window of outer bounds `wanted` goes, given the desktop's
// screens (their areas free of task bars): no larger than the screen it
// lands on and wholly inside it. A window `placed` by the file goes to the
// screen that shows most of it, or to the first screen when none shows any;
// otherwise the system places it and only its size is fitted, to the first
// screen. With no screen known, the bounds are kept.
QRect fitWindowOnScreens(const QRect &wanted, bool placed, const QList<QRect> &screens);
