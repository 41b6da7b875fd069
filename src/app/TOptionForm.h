#pragma once
// The options dialog "Configuration": display and route-search settings on
// two pages. It edits copies; only OK writes them into AppSettings, in a
// fixed order, and the caller then repaints every map window. Created once
// at start-up by the main window.
#include <QDialog>
#include <QFont>
#include <QColor>
#include <functional>
#include <optional>

#include "settings/AppSettings.h"

class NamedColourBox;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class TOptionForm : public QDialog {
    Q_OBJECT
public:
    // Page shown first: "Interface" for "Options d'affichage...",
    // "Recherche de Chemin" for "Options de recherche...".
    enum Page { InterfacePage = 0, RoutePage = 1 };

    // The choosers behind "Police de caractère" and the custom colour entry;
    // they return nothing when the user cancels. Tests replace them.
    using FontChooser = std::function<std::optional<FontSetting>(QWidget *, const FontSetting &)>;
    using ColourChooser = std::function<std::optional<QColor>(QWidget *, const QColor &)>;

    explicit TOptionForm(QWidget *parent = nullptr);

    // Fills the controls from `settings`, shows the dialog modally and, when
    // it is closed with OK and the speed is a valid number, applies it to
    // `settings` and emits settingsApplied. Returns true when the settings
    // were changed (the caller then repaints every map window).
    bool ConfigurationExecute(AppSettings &settings, Page page);

    // The three steps of ConfigurationExecute, for callers and tests that
    // drive the dialog themselves.
    void loadSettings(const AppSettings &settings, Page page);
    // Applies the controls to `settings` in the order speed, grid, check
    // boxes, colour, fonts. An invalid speed shows an error and changes
    // nothing; returns false then.
    bool applySettings(AppSettings &settings);
    // Enabled state of the dependent controls; also runs on every click of
    // the check boxes they depend on.
    void FormShow();

    void setFontChooser(FontChooser chooser);
    void setColourChooser(ColourChooser chooser);
    // Colour selected in the colour list.
    QColor selectedBorderColour() const;
    // Selects `colour` in the colour list (a named entry, or the custom one).
    void selectBorderColour(const QColor &colour);
    // The fonts the dialog holds while open.
    const FontSetting &timesFont() const { return timesFont_; }
    const FontSetting &namesFont() const { return namesFont_; }

    QTabWidget *PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QGroupBox *GroupBox3 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QCheckBox *CheckBox3 = nullptr;
    QCheckBox *CheckBox4 = nullptr;
    QCheckBox *CheckBox5 = nullptr;
    QCheckBox *CheckBox6 = nullptr;
    QCheckBox *CheckBox7 = nullptr;
    QCheckBox *CheckBox8 = nullptr;
    QCheckBox *CheckBox9 = nullptr;
    // "Lisibilité": which times and province names show, and city names.
    QComboBox *TimesShownBox = nullptr;
    QComboBox *ProvinceNamesBox = nullptr;
    QCheckBox *CityNamesBox = nullptr;
    QCheckBox *CheckBox10 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button4 = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *ColorBox1 = nullptr;

signals:
    // OK applied new settings: every map window should repaint.
    void settingsApplied();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildInterfacePage();
    QGroupBox *buildProvincesGroup();
    QGroupBox *buildTimesGroup();
    QGroupBox *buildGridGroup();
    QGroupBox *buildReadabilityGroup();
    QWidget *buildRoutePage();
    QHBoxLayout *buildButtons();
    void Button3Click();
    void Button4Click();

    FontSetting timesFont_;
    FontSetting namesFont_;
    FontChooser fontChooser_;
    NamedColourBox *colourBox_ = nullptr;
};
