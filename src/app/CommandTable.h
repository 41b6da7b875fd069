#pragma once
// The main window's commands: one QAction per command with its caption and
// access letter, its two-part hint (short part as tooltip, long part for the
// status bar), shortcuts and icon. The table is data so that menus, tests and
// the window itself all read the same texts.
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>
#include <array>

#include "app/AppIcons.h"
#include "ui/HintedAction.h"

class QAction;

enum class Command {
    NouveauFichier,
    OuvrirFichier,
    FermerFichier,
    EnregistrerFichier,
    EnregistrerFichierSous,
    EnregistrerBitmap,
    EnregistrerVue,
    Quitter,
    Annuler,
    Retablir,
    ZommAvant,
    ZoomArriere,
    MontrerConfigurationAffichage,
    EffacerChemins,
    ActualiserChemins,
    VoirToutItineraire,
    MontrerItineraire,
    MontrerConfigurationRecherche,
    Cascade,
    MosaiqueHorizontale,
    MosaiqueVerticale,
    MinimiserTous,
    ArrangerTous,
    MontrerVilles,
    MontrerMinipelmorin,
    MontrerPalette,
    APropos,
};
inline constexpr int CommandCount = static_cast<int>(Command::APropos) + 1;

struct CommandEntry {
    Command id;
    const char *name;      // the command's own name, also the QAction's objectName
    QString category;
    QString caption;       // with "&" before the access letter
    QString hint;          // "short|long"
    QList<QKeySequence> shortcuts;
    AppIcon icon;
    bool tick;             // shows a tick mark that toggles on each run
};

// Every command, in the order of the table above.
const std::array<CommandEntry, CommandCount> &commandEntries();
const CommandEntry &commandEntry(Command id);


// The QActions of the table, owned by `owner` (the main window, so that the
// hints of every menu reach its status bar).
class CommandTable {
public:
    explicit CommandTable(QObject *owner);

    QAction *action(Command id) const { return actions_[static_cast<size_t>(id)]; }
    QAction *operator[](Command id) const { return action(id); }
    // The action with that command name, or null.
    QAction *action(const QString &name) const;

private:
    std::array<QAction *, CommandCount> actions_{};
};
