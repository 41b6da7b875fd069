#include "render/ProvinceNames.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QStaticText>
#include <limits>

#include "map/CarteVarenthe.h"
#include "render/MapRenderer.h"

namespace {

constexpr QRgb OpaqueBlack = 0xFF000000u;

// Measuring and laying out a name costs more than drawing a strip of
// cells, and a scrolling window asks for the same names at every step: each
// name's width and laid-out text are kept per font, on the thread that
// draws.
class NameTexts {
public:
    struct Text {
        int width;
        QStaticText text;
    };

    static NameTexts &forFont(const QFont &font)
    {
        thread_local NameTexts cache;
        if (cache.font_ != font || cache.texts_.size() > MaxNames) {
            cache.font_ = font;
            cache.metrics_ = QFontMetrics(font);
            cache.height_ = cache.metrics_.height();
            cache.maxWidth_ = cache.metrics_.maxWidth();
            cache.texts_.clear();
        }
        return cache;
    }

    const Text &text(const QString &name)
    {
        auto found = texts_.constFind(name);
        if (found == texts_.constEnd()) {
            QStaticText text(name);
            text.setTextFormat(Qt::PlainText);
            text.setPerformanceHint(QStaticText::AggressiveCaching);
            text.prepare(QTransform(), font_);
            found = texts_.insert(name, Text{metrics_.horizontalAdvance(name), text});
        }
        return *found;
    }

    int height() const { return height_; }
    int maxWidth() const { return maxWidth_; }

private:
    static constexpr qsizetype MaxNames = 20000;

    QFont font_;
    QFontMetrics metrics_{QFont()};
    int height_ = 0;
    int maxWidth_ = 0;
    QHash<QString, Text> texts_;
};

// Right and bottom exclusive.
struct Area {
    int left;
    int top;
    int right;
    int bottom;
};

} // namespace

void drawProvinceNames(QImage &canvas, const QRect &clip, const MapView &view, const CarteVarenthe &map,
                       const AppSettings &settings)
{
    if (!settings.showProvinceNames || clip.isEmpty())
        return;
    const Area area{clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1};
    const int64_t provinceWidth = map.provinceWidth;
    const int64_t provinceHeight = map.provinceHeight;
    if (provinceWidth <= 0 || provinceHeight <= 0 || map.provinceNames.empty())
        return;
    const int64_t p = view.pitch();
    const int64_t perRow = map.provincesPerRow();
    const int64_t rows = map.provinceRows();

    const QFont font = renderFont(settings.namesFont.font, namesPointSize(settings.namesFont.font.pointSize(),
                                                                          view.cell()));
    NameTexts &texts = NameTexts::forFont(font);
    const int height = texts.height();
    // Glyphs may reach a little beyond their advance box (italics, overhangs);
    // the margin only decides which names are worth measuring.
    const int margin = height + texts.maxWidth();
    const int64_t widestCharacter = int64_t(texts.maxWidth()) + height;
    const QRgb colour = bgrToRgb(settings.namesFont.colour) | OpaqueBlack;

    // Every name that reaches into the area is drawn, clipped to it, in
    // province order, including names that start left of or above the area:
    // a picture drawn in strips or bands then equals the one drawn at once.
    // With "only those that fit", a name is left out when it would start
    // before the end of the last name drawn in its row or run past the map's
    // right edge; that depends on every earlier name of the row, so those
    // are all measured, wherever the area lies.
    const bool onlyThoseThatFit = settings.provinceNamesThatFit;
    const int64_t mapRight = view.mapPixelWidth(map.width) - view.scrollX;
    QPainter painter;
    for (int64_t r = 0; r < rows; ++r) {
        const int64_t yp = provinceHeight * r * p - view.scrollY;
        if (yp - margin >= area.bottom)
            break;
        if (yp + height + margin <= area.top)
            continue;
        const int64_t shift = (r % 2 == 1) ? ProvinceShift : 0;
        int64_t lastEnd = std::numeric_limits<int64_t>::min();
        for (int64_t k = 0; k < perRow; ++k) {
            const int64_t index = r * perRow + k;
            if (index >= static_cast<int64_t>(map.provinceNames.size()))
                break;
            const int64_t xp = (provinceWidth * k + shift) * p - view.scrollX;
            if (xp - margin >= area.right)
                break;
            const std::string &utf8 = map.provinceNames[static_cast<size_t>(index)];
            if (utf8.empty())
                continue;
            // Measuring text is slow, and a thin strip at the right of the
            // window meets every name of its rows that starts further left.
            // No character is wider than the font's widest plus a line
            // height (room for a glyph from a fallback font), and a name has
            // no more characters than bytes: names that end left of the area
            // even at that width are passed over unmeasured.
            if (!onlyThoseThatFit && xp + static_cast<int64_t>(utf8.size()) * widestCharacter + margin <= area.left)
                continue;
            const QString name = QString::fromStdString(utf8);
            const NameTexts::Text &text = texts.text(name);
            const int width = text.width;
            if (onlyThoseThatFit) {
                if (xp < lastEnd || xp + width > mapRight)
                    continue;
                lastEnd = xp + width;
            }
            if (xp + width + margin <= area.left)
                continue;
            if (!painter.isActive()) {
                painter.begin(&canvas);
                painter.setClipRect(QRect(area.left, area.top, area.right - area.left, area.bottom - area.top));
                painter.setFont(font);
                painter.setPen(QColor::fromRgb(colour));
            }
            const int x = static_cast<int>(xp);
            const int y = static_cast<int>(yp);
            if (settings.namesBackground)
                painter.fillRect(QRect(x, y, width, height), Qt::black);
            painter.drawStaticText(QPoint(x, y), text.text);
        }
    }
}

void drawCityNames(QImage &canvas, const QRect &clip, const MapView &view, const CarteVarenthe &map,
                   const AppSettings &settings)
{
    // Below 8 pixels a cell is too small for a name to say which it is.
    constexpr int SmallestNamedCell = 8;
    if (!settings.showCityNames || clip.isEmpty() || view.cell() < SmallestNamedCell)
        return;
    const QFont font = renderFont(settings.namesFont.font, namesPointSize(settings.namesFont.font.pointSize(),
                                                                          view.cell()));
    NameTexts &texts = NameTexts::forFont(font);
    const int height = texts.height();
    const int margin = height + texts.maxWidth();
    const int64_t p = view.pitch();
    const int64_t c = view.cell();
    const QRgb colour = bgrToRgb(settings.namesFont.colour) | OpaqueBlack;
    QPainter painter;
    // In element order, each centred over its cell with its baseline box
    // ending at the cell's top edge, clipped as the province names are.
    for (const Element &element : map.elements) {
        if (element.kind != ElementCity || element.name.empty() || !map.contains(element.x, element.y))
            continue;
        const int64_t cellX = element.x * p - view.scrollX;
        const int64_t top = element.y * p - view.scrollY - height;
        if (top - margin >= clip.bottom() + 1 || top + height + margin <= clip.top())
            continue;
        if (cellX - int64_t(element.name.size()) * (texts.maxWidth() + height) - margin > clip.right() + 1
            || cellX + int64_t(element.name.size()) * (texts.maxWidth() + height) + margin < clip.left())
            continue;
        const NameTexts::Text &text = texts.text(QString::fromStdString(element.name));
        const int64_t left = cellX + c / 2 - text.width / 2;
        if (left - margin > clip.right() + 1 || left + text.width + margin < clip.left())
            continue;
        if (!painter.isActive()) {
            painter.begin(&canvas);
            painter.setClipRect(clip);
            painter.setFont(font);
            painter.setPen(QColor::fromRgb(colour));
        }
        if (settings.namesBackground)
            painter.fillRect(QRect(int(left), int(top), text.width, height), Qt::black);
        painter.drawStaticText(QPoint(int(left), int(top)), text.text);
    }
}
