#pragma once
// The parts city buildings are assembled from: walls, roofs that carry snow
// in winter, domes, spires, columns, windows and doors. Shared by the
// drawings of institutions, public and private buildings, temples and houses.
#include "TileArt.h"

#include <QPointF>
#include <QRectF>

// One of a few plaster and stone colours for walls.
QColor wallColour(int index);

// A block of wall with a shaded right side and a shadow on the ground.
void drawWalls(QPainter &painter, const QRectF &body, const QColor &wall);
// A gable roof over [left, right] with its eaves at `eaves` and its ridge
// `height` above; in winter snow covers all but the eaves' edge.
void drawPitchedRoof(QPainter &painter, double left, double right, double eaves, double height,
                     const QColor &roof, Season season);
// A flat roof edge with merlons, snow on top in winter.
void drawBattlements(QPainter &painter, double left, double right, double top, const QColor &stone, Season season);
// A dome standing on `base` (its widest line), of the given radius.
void drawDome(QPainter &painter, const QPointF &base, double radius, const QColor &colour, Season season);
// A pointed spire with its foot centred at `foot`.
void drawSpire(QPainter &painter, const QPointF &foot, double width, double height, const QColor &colour,
               Season season);
void drawColumns(QPainter &painter, const QRectF &area, int count, const QColor &stone);
void drawWindows(QPainter &painter, const QRectF &area, int columns, int rows, Season season);
void drawDoor(QPainter &painter, const QPointF &bottomCentre, double width, double height);
