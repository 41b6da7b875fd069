#include "settings/SettingsStore.h"

#include "settings/ConfigFile.h"
#include "settings/SettingRanges.h"
#include "settings/AppSettings.h"
#include "settings/AspectList.h"


#include <optional>

namespace {

const QString OpenMaps = QStringLiteral("Cartes Ouvertes");
const QString Aspects = QStringLiteral("Aspects");
const QString Display = QStringLiteral("Affichage");
const QString RouteSearch = QStringLiteral("Recherche de Chemin");
const QString LastSession = QStringLiteral("Derniere Situation");
const QString Window = QStringLiteral("Fenetre");
// Options beyond the described ones, in a section of their own written after
// the others, so that an older file keeps every byte it had.
const QString DisplayMore = QStringLiteral("Affichage Plus");

const QString DefaultAspectFolder = QStringLiteral(".\\img\\1\\");

// Summer and winter, the two aspects that come with the program.
QList<ConfigEntry> defaultAspects()
{
    return {{QStringLiteral("Eté"), QStringLiteral(".\\img\\1\\")},
            {QStringLiteral("Hiver"), QStringLiteral(".\\img\\4\\")}};
}
constexpr uint32_t White = 0x00FFFFFF;
constexpr int32_t SystemPlaced = -1;

// Colours are kept as signed decimal 0x00BBGGRR; only the colour bytes mean
// anything here, so a stray high byte is dropped.
uint32_t readColour(const ConfigFile &config, const QString &key, uint32_t fallback)
{
    return static_cast<uint32_t>(config.readInteger(Display, key, static_cast<int32_t>(fallback))) & 0x00FFFFFF;
}

void writeColour(ConfigFile &config, const QString &key, uint32_t colour)
{
    config.writeInteger(Display, key, static_cast<int32_t>(colour));
}

// Face, size and colour come from the file; a style chosen in the options
// dialog is not stored and stays as it is.
void readFont(const ConfigFile &config, FontSetting &font, const QString &colourKey, const QString &faceKey,
              const QString &sizeKey, const QString &defaultFace, int32_t defaultSize)
{
    font.colour = readColour(config, colourKey, White);
    font.font.setFamily(config.readString(Display, faceKey, defaultFace));
    const int32_t size = config.readInteger(Display, sizeKey, defaultSize);
    // Qt refuses a size below one point; such a font could not be drawn anyway.
    font.font.setPointSize(size > 0 ? std::min(size, MaxFontPoints) : defaultSize);
}

void writeFont(ConfigFile &config, const FontSetting &font, const QString &colourKey, const QString &faceKey,
               const QString &sizeKey)
{
    writeColour(config, colourKey, font.colour);
    config.writeString(Display, faceKey, font.font.family());
    // A font sized in pixels has no point size; 96 pixels make 72 points.
    const int points = font.font.pointSize() > 0 ? font.font.pointSize() : qMax(1, qRound(font.font.pixelSize() * 0.75));
    config.writeInteger(Display, sizeKey, points);
}

} // namespace

SettingsStore::SettingsStore(ConfigFile &config, AppSettings &settings, AspectList &aspects, SettingsHost &host)
    : config_(config)
    , settings_(settings)
    , aspects_(aspects)
    , host_(host)
{
}

void SettingsStore::LoadSettings()
{
    // A folder that refuses the defaults must not cost the user the rest of
    // the settings: the pass goes on with the defaults in memory and the
    // refusal is reported at the end.
    std::optional<ConfigWriteError> refused;
    try {
        writeDefaultSections();
    } catch (const ConfigWriteError &error) {
        refused = error;
    }
    readAspects();
    host_.selectAspectFolder(config_.readString(Display, QStringLiteral("Aspect"), DefaultAspectFolder));
    readDisplaySettings(config_, settings_);
    host_.setCityListTicked(config_.readBool(LastSession, QStringLiteral("Afficher Liste Villes"), false));
    host_.setMinimapTicked(config_.readBool(LastSession, QStringLiteral("Afficher Minipelmorin"), true));
    readWindowPlacement();
    if (refused)
        throw *refused;
}

void SettingsStore::writeDefaultSections()
{
    if (!config_.sectionExists(OpenMaps)) {
        const QString firstMap = QStringLiteral("Carte 0");
        config_.writeString(OpenMaps, firstMap, QStringLiteral("pelmorin.vr"));
        // The sample world map opens maximised, at full zoom, on its middle.
        config_.writeInteger(firstMap, QStringLiteral("x"), 169);
        config_.writeInteger(firstMap, QStringLiteral("y"), 58);
        config_.writeInteger(firstMap, QStringLiteral("Echelle"), 100);
        config_.writeInteger(firstMap, QStringLiteral("Etat Fenetre"), 2);
    }
    if (!config_.sectionExists(Aspects)) {
        for (const ConfigEntry &entry : defaultAspects())
            config_.writeString(Aspects, entry.key, entry.value);
    }
}

void SettingsStore::readAspects()
{
    QList<ConfigEntry> entries = config_.readSection(Aspects);
    if (!config_.sectionExists(Aspects))
        entries = defaultAspects(); // only when the defaults could not be written
    aspects_.clear();
    for (const ConfigEntry &entry : entries) {
        aspects_.append(entry.key, entry.value);
        host_.addAspectMenuItem(AspectList::captionFor(entry.key));
    }
}

void SettingsStore::readDisplaySettings(const ConfigFile &config, AppSettings &settings)
{
    const double speed = config.readFloat(Display, QStringLiteral("Vitesse Défilement"), 1.8);
    settings.scrollSpeed = static_cast<float>(std::clamp<double>(speed, MinScrollSpeed, MaxScrollSpeed));
    settings.gridGap = clampSetting(config.readInteger(Display, QStringLiteral("Grille"), 1), 0, MaxGridGap);
    settings.showTimes = config.readBool(Display, QStringLiteral("Afficher Temps"), true);
    settings.timesBackground = config.readBool(Display, QStringLiteral("Fond Temps"), false);
    settings.highlightBorders = config.readBool(Display, QStringLiteral("Surligner Frontières"), true);
    settings.showBorderLines = config.readBool(Display, QStringLiteral("Afficher Lignes Frontières"), true);
    settings.borderColour = readColour(config, QStringLiteral("Couleur Frontières"), White);
    settings.showProvinceNames = config.readBool(Display, QStringLiteral("Afficher Noms Provinces"), true);
    settings.namesBackground = config.readBool(Display, QStringLiteral("Fonds Noms Provinces"), true);
    readFont(config, settings.timesFont, QStringLiteral("Couleur Temps"), QStringLiteral("Police Temps"),
             QStringLiteral("Taille Temps"), QStringLiteral("Arial"), 7);
    readFont(config, settings.namesFont, QStringLiteral("Couleur Noms Provinces"),
             QStringLiteral("Police Noms Provinces"), QStringLiteral("Taille Noms Provinces"), QStringLiteral("Georgia"),
             14);

    settings.useWingsGift = config.readBool(RouteSearch, QStringLiteral("Don Ailes"), false);
    settings.allowEmbark = config.readBool(RouteSearch, QStringLiteral("Autoriser Embarquer"), false);
    settings.allowAbandon = config.readBool(RouteSearch, QStringLiteral("Autoriser Abandonner"), false);

    settings.timesShown = static_cast<TimesShown>(
        clampSetting(config.readInteger(DisplayMore, QStringLiteral("Temps"), 0), 0, 2));
    settings.provinceNamesThatFit = config.readInteger(DisplayMore, QStringLiteral("Noms Provinces"), 0) == 1;
    settings.showCityNames = config.readBool(DisplayMore, QStringLiteral("Noms Villes"), false);
}

void SettingsStore::readWindowPlacement()
{
    const int32_t width = clampSetting(config_.readInteger(Window, QStringLiteral("Largeur"), 800), MinWindowSide,
                                       MaxWindowSide);
    const int32_t height = clampSetting(config_.readInteger(Window, QStringLiteral("Hauteur"), 600), MinWindowSide,
                                        MaxWindowSide);
    const bool maximised = config_.readBool(Window, QStringLiteral("Maximisee"), false);
    const int32_t left = config_.readInteger(Window, QStringLiteral("x"), SystemPlaced);
    const int32_t top = config_.readInteger(Window, QStringLiteral("y"), SystemPlaced);
    const bool placed = left != SystemPlaced && top != SystemPlaced;
    // A window off every screen, or larger than its screen, would be kept so
    // at exit and come back so at every start.
    const QRect wanted(clampSetting(left, -MaxWindowOffset, MaxWindowOffset),
                       clampSetting(top, -MaxWindowOffset, MaxWindowOffset), width, height);
    const QRect fitted = fitWindowOnScreens(wanted, placed, host_.availableScreenAreas());
    host_.resizeWindow(fitted.width(), fitted.height());
    if (placed)
        host_.moveWindow(fitted.left(), fitted.top());
    if (maximised)
        host_.maximiseWindow();
}

void SettingsStore::SaveSettings()
{
    config_.writeString(Display, QStringLiteral("Aspect"), host_.aspectFolder());
    config_.writeFloat(Display, QStringLiteral("Vitesse Défilement"), static_cast<double>(settings_.scrollSpeed));
    config_.writeInteger(Display, QStringLiteral("Grille"), settings_.gridGap);
    config_.writeBool(Display, QStringLiteral("Afficher Temps"), settings_.showTimes);
    config_.writeBool(Display, QStringLiteral("Fond Temps"), settings_.timesBackground);
    config_.writeBool(Display, QStringLiteral("Surligner Frontières"), settings_.highlightBorders);
    config_.writeBool(Display, QStringLiteral("Afficher Lignes Frontières"), settings_.showBorderLines);
    writeColour(config_, QStringLiteral("Couleur Frontières"), settings_.borderColour);
    config_.writeBool(Display, QStringLiteral("Afficher Noms Provinces"), settings_.showProvinceNames);
    config_.writeBool(Display, QStringLiteral("Fonds Noms Provinces"), settings_.namesBackground);
    writeFont(config_, settings_.timesFont, QStringLiteral("Couleur Temps"), QStringLiteral("Police Temps"),
              QStringLiteral("Taille Temps"));
    writeFont(config_, settings_.namesFont, QStringLiteral("Couleur Noms Provinces"),
              QStringLiteral("Police Noms Provinces"), QStringLiteral("Taille Noms Provinces"));

    config_.writeBool(RouteSearch, QStringLiteral("Don Ailes"), settings_.useWingsGift);
    config_.writeBool(RouteSearch, QStringLiteral("Autoriser Embarquer"), settings_.allowEmbark);
    config_.writeBool(RouteSearch, QStringLiteral("Autoriser Abandonner"), settings_.allowAbandon);

    const QRect frame = host_.windowFrame();
    config_.writeInteger(Window, QStringLiteral("Largeur"), frame.width());
    config_.writeInteger(Window, QStringLiteral("Hauteur"), frame.height());
    config_.writeBool(Window, QStringLiteral("Maximisee"), host_.windowMaximised());
    config_.writeInteger(Window, QStringLiteral("x"), frame.left());
    config_.writeInteger(Window, QStringLiteral("y"), frame.top());

    config_.writeBool(LastSession, QStringLiteral("Afficher Liste Villes"), host_.cityListTicked());
    config_.writeBool(LastSession, QStringLiteral("Afficher Minipelmorin"), host_.minimapTicked());

    config_.writeInteger(DisplayMore, QStringLiteral("Temps"), static_cast<int32_t>(settings_.timesShown));
    config_.writeInteger(DisplayMore, QStringLiteral("Noms Provinces"), settings_.provinceNamesThatFit ? 1 : 0);
    config_.writeBool(DisplayMore, QStringLiteral("Noms Villes"), settings_.showCityNames);
}
