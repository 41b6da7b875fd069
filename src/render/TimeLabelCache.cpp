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
    // Every paint call asks; comparing fonts costs far less than making a
    // key of one.
    if (configured_ && font == font_ && cellSize == cellSize_)
        return;
    configured_ = true;
    font_ = font;
    cellSize_ = cellSize;
    byMinute_.clear();
    labels_.clear();
    distinct_.clear();
    largeMinutes_.clear();
    points_.clear();

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
    const bool direct = minutes >= 0 && minutes < DirectTableLimit;
    if (direct) {
        if (static_cast<size_t>(minutes) >= byMinute_.size())
            byMinute_.resize(std::max<size_t>(static_cast<size_t>(minutes) + 1, byMinute_.size() * 2), NotMade);
    } else if (const auto found = largeMinutes_.find(minutes); found != largeMinutes_.end()) {
        return found->second;
    }

    const int reference = referenceIndex(minutes);
    Label label;
    label.boxWidth = static_cast<int16_t>(std::clamp(refWidth_[reference], 0, cellSize_));
    label.boxHeight = static_cast<int16_t>(std::clamp(refHeight_[reference], 0, cellSize_));
    label.first = static_cast<uint32_t>(points_.size());
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
                    points_.push_back(static_cast<uint16_t>(x));
                    points_.push_back(static_cast<uint16_t>(y));
                }
            }
        }
    }
    label.count = (static_cast<uint32_t>(points_.size()) - label.first) / 2;

    // The same box with the same pixels is one label.
    std::string key(reinterpret_cast<const char *>(&label.boxWidth), 2 * sizeof(int16_t));
    key.append(reinterpret_cast<const char *>(points_.data() + label.first), label.count * 2 * sizeof(uint16_t));
    uint16_t index = NotMade;
    if (const auto same = distinct_.find(key); same != distinct_.end()) {
        points_.resize(label.first);
        index = same->second;
        label = labels_[index];
    } else if (labels_.size() < NotMade) {
        index = static_cast<uint16_t>(labels_.size());
        distinct_.emplace(std::move(key), index);
        labels_.push_back(label);
    }
    if (direct && index != NotMade) {
        byMinute_[static_cast<size_t>(minutes)] = index;
        return labels_[index];
    }
    return largeMinutes_.emplace(minutes, label).first->second;
}
