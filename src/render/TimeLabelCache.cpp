#include "render/TimeLabelCache.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "route/TravelTime.h"

namespace {

// Times are whole minutes; a map's longest routes stay far below this, and
// larger (damaged) values go to the map instead of growing the table.
constexpr int32_t DirectTableLimit = 1 << 20;

} // namespace

void TimeLabelCache::configure(const QFont &font, int cellSize)
{
    const QString key = font.key();
    if (key == fontKey_ && cellSize == cellSize_)
        return;
    font_ = font;
    fontKey_ = key;
    cellSize_ = cellSize;
    labels_.clear();
    byMinute_.clear();
    largeMinutes_.clear();

    const QFontMetrics metrics(font_);
    ascent_ = metrics.ascent();
    const QString references[3] = {QStringLiteral("0:00"), QStringLiteral("00:00"),
                                   QStringLiteral("000:00")};
    for (int i = 0; i < 3; ++i) {
        refWidth_[i] = metrics.horizontalAdvance(references[i]);
        refHeight_[i] = metrics.height();
    }
}

const TimeLabelCache::Label &TimeLabelCache::makeLabel(int32_t minutes)
{
    if (minutes >= 0 && minutes < DirectTableLimit) {
        if (static_cast<size_t>(minutes) >= byMinute_.size())
            byMinute_.resize(std::max<size_t>(static_cast<size_t>(minutes) + 1, byMinute_.size() * 2), -1);
    } else if (const auto found = largeMinutes_.find(minutes); found != largeMinutes_.end()) {
        return labels_[static_cast<size_t>(found->second)];
    }

    const int reference = referenceIndex(minutes);
    Label label;
    label.boxWidth = std::min(refWidth_[reference], cellSize_);
    label.boxHeight = std::min(refHeight_[reference], cellSize_);
    if (label.boxWidth > 0 && label.boxHeight > 0) {
        // The text's top-left corner is the box's; the picture is the box, so
        // the text comes out clipped to it as in a cell.
        QImage picture(label.boxWidth, label.boxHeight, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        {
            QPainter painter(&picture);
            painter.setFont(font_);
            painter.setPen(Qt::white);
            painter.drawText(QPoint(0, ascent_), QString::fromStdString(FormatTravelTime(minutes)));
        }
        for (int y = 0; y < label.boxHeight; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
            for (int x = 0; x < label.boxWidth; ++x) {
                if (qAlpha(line[x]) != 0) {
                    label.points.push_back(static_cast<uint16_t>(x));
                    label.points.push_back(static_cast<uint16_t>(y));
                }
            }
        }
    }

    const int32_t index = static_cast<int32_t>(labels_.size());
    labels_.push_back(std::move(label));
    if (minutes >= 0 && minutes < DirectTableLimit)
        byMinute_[static_cast<size_t>(minutes)] = index;
    else
        largeMinutes_.emplace(minutes, index);
    return labels_.back();
}
