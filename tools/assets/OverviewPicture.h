#pragma once
// The minimap's overview of the world map: 188 x 102 pixels, 8 bits per pixel
// with a palette, at 188 pixels for 310 cells across (the world's 300 columns
// and the 10-cell shift of odd province rows), the same scale down. Each pixel
// shows the terrain that covers most of its cells (rivers and towns count
// extra so that they stay visible), and the province grid is drawn darker,
// odd province rows offset by half a province.
#include <QImage>
#include <QString>

class CarteVarenthe;

inline constexpr int OverviewWidth = 188;
inline constexpr int OverviewHeight = 102;
inline constexpr int OverviewCellsAcross = 310;

QImage renderOverviewPicture(const CarteVarenthe &map);
void writeOverviewPicture(const CarteVarenthe &map, const QString &path);
