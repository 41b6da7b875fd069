#pragma once
// The map window's copy of its picture to the screen, the largest cost of a
// scrolling step on a big window. Where the painter draws straight into an
// image in memory (the window's backing store), the pixels are copied there
// without going through the processor's caches: a whole window of them would
// only push everything else out, and writing around the caches spares
// reading each line of the destination first, which makes the copy nearly
// twice as fast.
#include <QImage>
#include <QPainter>
#include <QRegion>

// Copies `picture` (32-bit, opaque) into the painter's device at the same
// positions, for the parts of `region` (in the painter's coordinates) that
// the painter may paint. False, having copied nothing, when the painter does
// not paint into a plain 32-bit image by a whole-pixel translation: the
// caller then draws the picture through the painter.
bool copyStraightToDevice(QPainter &painter, const QImage &picture, const QRegion &region);
