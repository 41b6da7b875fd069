#pragma once
// The two passes over the configuration file that fill the settings at
// start-up and keep them at exit. The main window runs them from its
// construction and destruction; everything that belongs to the window (the
// aspect menu, the two tool-window ticks, its own placement) is reached
// through SettingsHost, so the passes run and are tested without a window.
#include <QList>
#include <QRect>
#include <QString>

class AspectList;
class ConfigFile;
struct AppSettings;

// What the settings passes ask of the main window.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;

    // One radio item of the "&Aspects" submenu, caption "&" + aspect name.
    virtual void addAspectMenuItem(const QString &caption) = 0;
    // The tile folder in use (Windows form, such as ".\img\1\"), chosen
    // from the saved "Aspect" and kept at exit.
    virtual void selectAspectFolder(const QString &folder) = 0;
    virtual QString aspectFolder() const = 0;

    // Ticks of `MontrerVilles` (city list) and `MontrerMinipelmorin` (minimap).
    virtual void setCityListTicked(bool ticked) = 0;
    virtual bool cityListTicked() const = 0;
    virtual void setMinimapTicked(bool ticked) = 0;
    virtual bool minimapTicked() const = 0;

    // The main window's outer size and place; moveWindow is called only when
    // the file gives a place, otherwise the system places the window.
    virtual void resizeWindow(int width, int height) = 0;
    virtual void moveWindow(int left, int top) = 0;
    virtual void maximiseWindow() = 0;
    // Current outer bounds whatever the state (the maximised bounds when maximised).
    virtual QRect windowFrame() const = 0;
    virtual bool windowMaximised() const = 0;
    // The desktop's screens, their areas free of task bars, the primary
    // first; the window is fitted onto one of them. None when unknown.
    virtual QList<QRect> availableScreenAreas() const { return {}; }
};

class SettingsStore {
public:
    SettingsStore(ConfigFile &config, AppSettings &settings, AspectList &aspects, SettingsHost &host);

    // Writes the default "Cartes Ouvertes" (with its "Carte 0") and "Aspects"
    // sections when missing, builds the aspect menu, selects the saved aspect,
    // then reads every other setting.
    // ConfigWriteError when the defaults cannot be written.
    void LoadSettings();
    // Writes every setting; the first refused write raises ConfigWriteError
    // and the later keys are not written.
    void SaveSettings();

    // The display and route keys alone ("Affichage" from "Vitesse
    // Défilement" on, and "Recherche de Chemin"), for readers without a window.
    static void readDisplaySettings(const ConfigFile &config, AppSettings &settings);

private:
    void writeDefaultSections();
    void readAspects();
    void readWindowPlacement();

    ConfigFile &config_;
    AppSettings &settings_;
    AspectList &aspects_;
    SettingsHost &host_;
};
