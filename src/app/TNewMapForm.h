#pragma once
// The new-map dialog "Creer une nouvelle carte": the world map, a city or
// province map, or a map of any size, and the terrain every cell starts
// with. Created once by the main window and shown modally by the file
// commands whenever a map name has no file. It refuses, with a message in
// the dialog, the sizes a map document cannot have.
#include <QDialog>
#include <optional>

#include "app/NewMapPrompt.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TileLibrary;

class TNewMapForm : public QDialog, public NewMapPrompt {
    Q_OBJECT
public:
    // `tiles` gives the terrain pictures at the first showing; it must
    // outlive the dialog.
    explicit TNewMapForm(TileLibrary &tiles, QWidget *parent = nullptr);

    // Shows the dialog modally.
    std::optional<NewMapRequest> askNewMap(QWidget *parent) override;

    // The request the fields describe now.
    NewMapRequest request() const;
    // Why "Ok" would be refused now; empty when it would be accepted.
    QString refusal() const { return newMapRefusal(request()); }

    int selectedPreset() const;
    void selectPreset(int index);
    int selectedTerrain() const;
    void selectTerrain(int index);

    // Run at each showing and each click in the map types: the terrain
    // pictures the first time, then the numbers and greying of the preset.
    void ConsquencesChoix();

    // Components, under the dialog's own names.
    QGroupBox *RadioGroup1 = nullptr;
    QButtonGroup *presetButtons = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QLineEdit *LabeledEdit1 = nullptr; // "Largeur"
    QLineEdit *LabeledEdit2 = nullptr; // "Hauteur"
    QLineEdit *LabeledEdit3 = nullptr; // "Largeur des provinces"
    QLineEdit *LabeledEdit4 = nullptr; // "Hauteur des provinces"
    QComboBox *ComboBoxEx1 = nullptr;
    QLabel *refusalLabel = nullptr;
    QPushButton *Button1 = nullptr;    // "Ok"
    QPushButton *Button2 = nullptr;    // "Annuler"

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillTerrainPictures();

    TileLibrary &tiles_;
    bool picturesFilled_ = false;
};
