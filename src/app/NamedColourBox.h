#pragma once
// A colour list: an entry for a custom colour that opens a colour chooser,
// an entry for the default colour, then the named colours with their names
// and a swatch. Used by the options dialog for the border colour and by the
// font chooser for the colour of a font.
#include <QColor>
#include <QComboBox>
#include <functional>
#include <optional>

class NamedColourBox : public QComboBox {
    Q_OBJECT
public:
    // Returns nothing when the user cancels.
    using ColourChooser = std::function<std::optional<QColor>(QWidget *, const QColor &)>;

    static constexpr int CustomIndex = 0;
    static constexpr int DefaultIndex = 1;
    static constexpr int FirstNamedIndex = 2;

    explicit NamedColourBox(QColor defaultColour, QWidget *parent = nullptr);

    QColor colour() const;
    // Selects the first named entry of that colour, else the custom entry
    // holding it.
    void setColour(const QColor &colour);
    void setColourChooser(ColourChooser chooser);

private:
    void entryActivated(int index);
    void setCustomColour(const QColor &colour);

    QColor defaultColour_;
    ColourChooser chooser_;
    int lastIndex_ = DefaultIndex;
};
