#include "ui/MapViewRing.h"

#include <algorithm>

namespace {

int wrapped(long long value, int size)
{
    const long long rest = value % size;
    return static_cast<int>(rest < 0 ? rest + size : rest);
}

struct Span {
    int windowStart;
    int bufferStart;
    int length;
};

// One axis: at most two spans, split where the buffer wraps.
int splitAxis(int start, int length, int origin, int size, Span spans[2])
{
    const int bufferStart = wrapped(static_cast<long long>(start) + origin, size);
    const int first = std::min(length, size - bufferStart);
    spans[0] = {start, bufferStart, first};
    if (first == length)
        return 1;
    spans[1] = {start + first, 0, length - first};
    return 2;
}

} // namespace

RingPieces ringPieces(const QRect &windowRect, QPoint origin, QSize bufferSize)
{
    RingPieces result;
    if (windowRect.isEmpty() || bufferSize.isEmpty())
        return result;
    const int width = std::min(windowRect.width(), bufferSize.width());
    const int height = std::min(windowRect.height(), bufferSize.height());
    Span columns[2];
    Span rows[2];
    const int columnCount = splitAxis(windowRect.left(), width, origin.x(), bufferSize.width(), columns);
    const int rowCount = splitAxis(windowRect.top(), height, origin.y(), bufferSize.height(), rows);
    for (int r = 0; r < rowCount; ++r) {
        for (int c = 0; c < columnCount; ++c) {
            RingPiece &piece = result.pieces[static_cast<size_t>(result.count++)];
            piece.window = QRect(columns[c].windowStart, rows[r].windowStart, columns[c].length, rows[r].length);
            piece.buffer = QRect(columns[c].bufferStart, rows[r].bufferStart, columns[c].length, rows[r].length);
        }
    }
    return result;
}

QRect retainedArea(QSize clientSize, int dx, int dy)
{
    const int width = clientSize.width();
    const int height = clientSize.height();
    const int left = std::clamp(-dx, 0, width);
    const int right = std::clamp(width - dx, 0, width);
    const int top = std::clamp(-dy, 0, height);
    const int bottom = std::clamp(height - dy, 0, height);
    return QRect(left, top, right - left, bottom - top);
}
