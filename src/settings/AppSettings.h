#pragma once
// The one record of display and route settings. Owned by the main window,
// filled from the configuration file at start-up, changed by the options
// dialog, and read by reference by every map window, the renderer, the
// export and pelmorin-cli render. The settings passes (SettingsStore) fill it
// and keep it.
#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>

// A font as the settings keep it: face, size in points and style in `font`,
// plus its colour as 0x00BBGGRR (red in the low byte).
struct FontSetting {
    QFont font;
    uint32_t colour = 0x00FFFFFF;

    bool operator==(const FontSetting &) const = default;
};

// Colours of the settings are 0x00BBGGRR; these convert to and from Qt.
inline QRgb bgrToRgb(uint32_t bgr)
{
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}
inline uint32_t rgbToBgr(QRgb rgb)
{
    return static_cast<uint32_t>(qRed(rgb)) | (static_cast<uint32_t>(qGreen(rgb)) << 8)
           | (static_cast<uint32_t>(qBlue(rgb)) << 16);
}

inline FontSetting makeFontSetting(const QString &face, int pointSize, uint32_t colour = 0x00FFFFFF)
{
    FontSetting setting;
    setting.font.setFamily(face);
    setting.font.setPointSize(pointSize > 0 ? pointSize : 1);
    setting.colour = colour;
    return setting;
}

// Which travel times the map shows.
enum class TimesShown {
    Everywhere = 0,   // every reached cell, as always
    AlongRoute = 1,   // only the cells of the traced route
    WhenReadable = 2, // every reached cell, none when the font would be under 6 pixels
};

struct AppSettings {
    float scrollSpeed = 1.8f;        // "Vitesse Défilement"
    int32_t gridGap = 1;             // "Grille"
    bool useWingsGift = false;       // "Don Ailes"
    bool allowEmbark = false;        // "Autoriser Embarquer"
    bool allowAbandon = false;       // "Autoriser Abandonner"
    bool showTimes = true;           // "Afficher Temps"
    bool timesBackground = false;    // "Fond Temps"
    bool showProvinceNames = true;   // "Afficher Noms Provinces"
    bool namesBackground = true;     // "Fonds Noms Provinces"
    bool highlightBorders = true;    // "Surligner Frontières"
    bool showBorderLines = true;     // "Afficher Lignes Frontières"
    uint32_t borderColour = 0x00FFFFFF; // "Couleur Frontières"
    FontSetting namesFont = makeFontSetting(QStringLiteral("Georgia"), 14);
    FontSetting timesFont = makeFontSetting(QStringLiteral("Arial"), 7);
    // "Affichage Plus": readability at every zoom, off by default.
    TimesShown timesShown = TimesShown::Everywhere; // "Temps"
    bool provinceNamesThatFit = false;              // "Noms Provinces": 1 = only those that fit
    bool showCityNames = false;                     // "Noms Villes"

    bool operator==(const AppSettings &) const = default;
};
