#pragma once
// The program's icon: a folded map of land and sea with a route drawn across
// it to a marker, as one scalable SVG and as PNG pictures at the sizes the
// desktop's icon theme expects. Both are drawn from the same shapes.
#include <QImage>
#include <QString>

#include <array>

// Sizes, in pixels, of the square PNG icons installed beside the SVG.
inline constexpr std::array<int, 8> AppIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// The SVG text of the icon (a 256-unit square).
QString appIconSvg();
// The icon drawn at `pixels` x `pixels`, transparent around the map.
QImage appIconImage(int pixels);

// Writes the icon theme tree under `folder`: hicolor/scalable/apps/pelmorin.svg
// and hicolor/NxN/apps/pelmorin.png for every size. Throws std::runtime_error.
void writeAppIcons(const QString &folder);
