#pragma once
// Pictures of the travel-time texts of one view, made once per text, cell
// size and font and then stamped into every cell that shows that time.
// Drawing the text of every reached cell through QPainter costs far too much
// at small zoom (half a million cells in a window); a stamp gives the same
// pixels because the times are drawn without antialiasing: each pixel is
// either the text colour or left as it was (or black on a boxed time).
#include <QFont>
#include <QString>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

class TimeLabelCache {
public:
    // One time's text clipped to its box: the box size, and the pixels of the
    // box that the text covers (x, y from the box's top-left corner).
    struct Label {
        int32_t boxWidth = 0;
        int32_t boxHeight = 0;
        std::vector<uint16_t> points; // x, y pairs
    };

    // Makes the cache serve `font` (already at its drawn size) at `cellSize`;
    // a change of either drops every label. Measures the three reference
    // boxes "0:00", "00:00" and "000:00" once.
    void configure(const QFont &font, int cellSize);

    // The label of `minutes` (>= 0), made on first use.
    const Label &label(int32_t minutes)
    {
        if (minutes >= 0 && static_cast<size_t>(minutes) < byMinute_.size()) {
            const int32_t index = byMinute_[static_cast<size_t>(minutes)];
            if (index >= 0)
                return labels_[static_cast<size_t>(index)];
        }
        return makeLabel(minutes);
    }

    int ascent() const { return ascent_; }
    // The reference box of a time: "0:00" below 600 minutes, "00:00" below
    // 6000, "000:00" from 6000 on; width and height as measured.
    int referenceWidth(int32_t minutes) const { return refWidth_[referenceIndex(minutes)]; }
    int referenceHeight(int32_t minutes) const { return refHeight_[referenceIndex(minutes)]; }
    static int referenceIndex(int32_t minutes) { return minutes < 600 ? 0 : (minutes < 6000 ? 1 : 2); }
    const QFont &font() const { return font_; }

private:
    const Label &makeLabel(int32_t minutes);

    QFont font_;
    QString fontKey_;
    int cellSize_ = 0;
    int ascent_ = 0;
    int refWidth_[3] = {0, 0, 0};
    int refHeight_[3] = {0, 0, 0};
    std::deque<Label> labels_; // a deque: labels handed out stay put while others are made
    std::vector<int32_t> byMinute_;                     // index into labels_, -1 when not made
    std::unordered_map<int32_t, int32_t> largeMinutes_; // times too large for byMinute_
};
