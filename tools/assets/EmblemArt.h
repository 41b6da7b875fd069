#pragma once
// Small signs painted on buildings and flags (stars, crosses, crowns,
// crescents...), and the colour set they are chosen from. A building's number
// picks its emblem and colours, which is what makes two buildings of the same
// kind different at a glance.
#include <QColor>
#include <QPainter>
#include <QRectF>

inline constexpr int EmblemCount = 16;
inline constexpr int HueCount = 12;

// One of EmblemCount signs, filling `box`, in `colour`.
void drawEmblem(QPainter &painter, int emblem, const QRectF &box, const QColor &colour);
// One of HueCount strong, well separated colours.
QColor hue(int index);
