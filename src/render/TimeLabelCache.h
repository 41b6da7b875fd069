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
#include <string>
#include <unordered_map>
#include <vector>

class TimeLabelCache {
public:
    // One time's text clipped to its box: the box size, and `count` pixels of
    // the box that the text covers, as x, y pairs from the box's top-left
    // corner starting at points()[first]. Kept small and in one table, since
    // a window at small zoom looks up half a million of them per paint.
    struct Label {
        int16_t boxWidth = -1; // -1: not made yet
        int16_t boxHeight = 0;
        uint32_t first = 0;
        uint32_t count = 0;
    };

    // Makes the cache serve `font` (already at its drawn size) at `cellSize`;
    // a change of either drops every label. Measures the three reference
    // boxes "0:00", "00:00" and "000:00" once.
    void configure(const QFont &font, int cellSize);

    // The label of `minutes` (>= 0), made on first use; the reference holds
    // until the next label is made.
    const Label &label(int32_t minutes)
    {
        if (minutes >= 0 && static_cast<size_t>(minutes) < byMinute_.size()) {
            const uint16_t index = byMinute_[static_cast<size_t>(minutes)];
            if (index != NotMade)
                return labels_[index];
        }
        return makeLabel(minutes);
    }
    // The pixels of every label; valid until the next label is made.
    const uint16_t *points() const { return points_.data(); }

    // The tables as they stand, for the renderer's inner loop, which looks
    // labels up without the checks of label(); valid until a label is made.
    static constexpr uint16_t NotMade = 0xFFFF;
    struct Tables {
        const uint16_t *byMinute;
        size_t minutes;
        const Label *labels;
        const uint16_t *points;
    };
    Tables tables() const { return {byMinute_.data(), byMinute_.size(), labels_.data(), points_.data()}; }

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
    bool configured_ = false;
    int cellSize_ = 0;
    int ascent_ = 0;
    int refWidth_[3] = {0, 0, 0};
    int refHeight_[3] = {0, 0, 0};
    // Small cells give the same few labels for thousands of times: each time
    // holds the index of its label among the distinct ones, so that the table
    // a paint walks through stays in the processor's nearest cache.
    std::vector<uint16_t> byMinute_;
    std::vector<Label> labels_;
    std::unordered_map<std::string, uint16_t> distinct_;
    std::unordered_map<int32_t, Label> largeMinutes_; // times too large for byMinute_
    std::vector<uint16_t> points_;
};
