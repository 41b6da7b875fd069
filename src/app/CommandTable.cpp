#include "app/CommandTable.h"

#include <QAction>

namespace {

using Keys = QList<QKeySequence>;

QString fichier() { return QStringLiteral("Fichier"); }
QString edition() { return QStringLiteral("Edition"); }
QString affichage() { return QStringLiteral("Affichage"); }
QString recherche() { return QStringLiteral("Recherche de chemin"); }
QString fenetre() { return QStringLiteral("Fenêtre"); }

std::array<CommandEntry, CommandCount> buildEntries()
{
    const QString optionsHint = QStringLiteral("Options d'affichage|Permet de configurer tous les paramètres d'affichage");
    const QString villesHint = QStringLiteral("Liste des villes|Montrer la liste des villes");
    return {{
        {Command::NouveauFichier, "NouveauFichier", fichier(), QStringLiteral("&Nouveau"),
         QStringLiteral("Nouveau|Creer une nouvelle carte"), Keys{QKeySequence(Qt::CTRL | Qt::Key_N)},
         AppIcon::NewMap, false},
        {Command::OuvrirFichier, "OuvrirFichier", fichier(), QStringLiteral("&Ouvrir"),
         QStringLiteral("Ouvrir|Ouvre une carte existante"), Keys{QKeySequence(Qt::CTRL | Qt::Key_O)},
         AppIcon::OpenMap, false},
        {Command::FermerFichier, "FermerFichier", fichier(), QStringLiteral("&Fermer"),
         QStringLiteral("Fermer|Ferme la carte actuelle"), Keys{}, AppIcon::None, false},
        {Command::EnregistrerFichier, "EnregistrerFichier", fichier(), QStringLiteral("&Enregistrer"),
         QStringLiteral("Enregistrer|Enregistre la carte actuelle"), Keys{QKeySequence(Qt::CTRL | Qt::Key_S)},
         AppIcon::SaveMap, false},
        {Command::EnregistrerFichierSous, "EnregistrerFichierSous", fichier(), QStringLiteral("Enregistrer &sous ..."),
         QStringLiteral("Enregistrer Sous|Enregistrer la carte dans un nouveau fichier"),
         Keys{QKeySequence(Qt::Key_F12)}, AppIcon::None, false},
        {Command::EnregistrerBitmap, "EnregistrerBitmap", fichier(), QStringLiteral("Enregistrer bitmap"),
         QStringLiteral("Enregistrer Bitmap|Permet d'enregistrer votre carte sous forme d'une image bitmap"),
         Keys{QKeySequence(Qt::CTRL | Qt::Key_F12)}, AppIcon::None, false},
        {Command::EnregistrerVue, "EnregistrerVue", fichier(), QStringLiteral("Enregistrer la vue"),
         QStringLiteral("Enregistrer la vue|Permet d'enregistrer sous forme d'image la partie de la carte visible "
                        "dans la fenêtre"),
         Keys{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F12)}, AppIcon::None, false},
        {Command::Quitter, "Quitter", fichier(), QStringLiteral("E&xit"), QStringLiteral("Quitter|Ferme l'application"),
         Keys{}, AppIcon::None, false},
        // The captions name the step once there is one ("&Annuler : peindre
        // 14 cases"); these are the captions with nothing to take back.
        {Command::Annuler, "Annuler", edition(), QStringLiteral("&Annuler"),
         QStringLiteral("Annuler|Annule la dernière modification de la carte"),
         Keys{QKeySequence(Qt::CTRL | Qt::Key_Z)}, AppIcon::None, false},
        {Command::Retablir, "Retablir", edition(), QStringLiteral("&Rétablir"),
         QStringLiteral("Rétablir|Refait la dernière modification annulée"),
         Keys{QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, AppIcon::None,
         false},
        {Command::ZommAvant, "ZommAvant", affichage(), QStringLiteral("Zomm avant"),
         QStringLiteral("Zomm avant|Zoom avant sur la carte active"),
         Keys{QKeySequence(Qt::Key_F3), QKeySequence(Qt::Key_Plus)}, AppIcon::None, false},
        {Command::ZoomArriere, "ZoomArriere", affichage(), QStringLiteral("Zomm arrière"),
         QStringLiteral("Zomm arrière|Zoom arrière sur la carte active"), Keys{QKeySequence(Qt::Key_F4)},
         AppIcon::None, false},
        {Command::MontrerConfigurationAffichage, "MontrerConfigurationAffichage", affichage(),
         QStringLiteral("Options d'affichage..."), optionsHint, Keys{}, AppIcon::None, false},
        {Command::EffacerChemins, "EffacerChemins", recherche(), QStringLiteral("Effacer"),
         QStringLiteral("Effacer|Effacer les informations sur les chemins trouvés"), Keys{QKeySequence(Qt::Key_F1)},
         AppIcon::None, false},
        {Command::ActualiserChemins, "ActualiserChemins", recherche(), QStringLiteral("Actualiser"),
         QStringLiteral("Actualiser|Recherche une nouvelle fois les chemins"), Keys{QKeySequence(Qt::Key_F5)},
         AppIcon::None, false},
        {Command::VoirToutItineraire, "VoirToutItineraire", recherche(), QStringLiteral("Voir tout l'itinéraire"),
         QStringLiteral("Voir tout l'itinéraire|Montre le départ et l'arrivée de l'itinéraire dans la fenêtre"),
         Keys{}, AppIcon::None, false},
        {Command::MontrerItineraire, "MontrerItineraire", recherche(), QStringLiteral("&Itinéraire"),
         QStringLiteral("Itinéraire|Montre les étapes de l'itinéraire : bateaux, villes, provinces et temps"),
         Keys{QKeySequence(Qt::Key_F6)}, AppIcon::None, true},
        {Command::MontrerConfigurationRecherche, "MontrerConfigurationRecherche", recherche(),
         QStringLiteral("Options de recherche..."), optionsHint, Keys{}, AppIcon::None, false},
        {Command::Cascade, "Cascade", fenetre(), QStringLiteral("&Cascade"),
         QStringLiteral("Cascade|Afficher les cartes en cascade"), Keys{}, AppIcon::Cascade, false},
        {Command::MosaiqueHorizontale, "MosaiqueHorizontale", fenetre(), QStringLiteral("Mosaïque &horizontale"),
         QStringLiteral("Mosaïque horizontale|Afficher les cartes en mosaïque horizontale, sans chevauchement"), Keys{},
         AppIcon::TileHorizontally, false},
        {Command::MosaiqueVerticale, "MosaiqueVerticale", fenetre(), QStringLiteral("Mosaïque &verticale"),
         QStringLiteral("Mosaïque verticale|Afficher les cartes en mosaïque verticale, sans chevauchement"), Keys{},
         AppIcon::TileVertically, false},
        {Command::MinimiserTous, "MinimiserTous", fenetre(), QStringLiteral("&Minimiser tous"),
         QStringLiteral("Minimiser tous|Minimiser toutes les cartes"), Keys{}, AppIcon::None, false},
        {Command::ArrangerTous, "ArrangerTous", fenetre(), QStringLiteral("&Arranger tous"),
         QStringLiteral("Arranger tous|Arranger toutes les cartes minimisées"), Keys{}, AppIcon::None, false},
        {Command::MontrerVilles, "MontrerVilles", fenetre(), QStringLiteral("&Liste des villes"), villesHint,
         Keys{QKeySequence(Qt::Key_F9)}, AppIcon::None, true},
        {Command::MontrerMinipelmorin, "MontrerMinipelmorin", fenetre(), QStringLiteral("&Minipelmorin"), villesHint,
         Keys{QKeySequence(Qt::Key_F10)}, AppIcon::None, true},
        {Command::MontrerPalette, "MontrerPalette", fenetre(), QStringLiteral("&Palette"),
         QStringLiteral("Palette|Montrer la palette pour modifier la carte"), Keys{QKeySequence(Qt::Key_F11)},
         AppIcon::None, true},
        {Command::APropos, "APropos", QStringLiteral("Aide"), QStringLiteral("&A propos..."),
         QStringLiteral("A propos|Afficher les informations générales concernant le logiciel"), Keys{},
         AppIcon::None, false},
    }};
}

} // namespace

const std::array<CommandEntry, CommandCount> &commandEntries()
{
    static const std::array<CommandEntry, CommandCount> entries = buildEntries();
    return entries;
}

const CommandEntry &commandEntry(Command id)
{
    return commandEntries()[static_cast<size_t>(id)];
}

CommandTable::CommandTable(QObject *owner)
{
    for (const CommandEntry &entry : commandEntries()) {
        auto *action = new QAction(entry.caption, owner);
        action->setObjectName(QString::fromLatin1(entry.name));
        action->setToolTip(shortHint(entry.hint));
        action->setStatusTip(longHint(entry.hint));
        action->setShortcuts(entry.shortcuts);
        // The keys work from the tool windows too (F9 to F11 above all), but
        // not past a modal dialog.
        action->setShortcutContext(Qt::ApplicationShortcut);
        action->setCheckable(entry.tick);
        if (entry.icon != AppIcon::None)
            action->setIcon(appIcon(entry.icon));
        action->setProperty("category", entry.category);
        actions_[static_cast<size_t>(entry.id)] = action;
    }
}

QAction *CommandTable::action(const QString &name) const
{
    for (QAction *candidate : actions_) {
        if (candidate->objectName() == name)
            return candidate;
    }
    return nullptr;
}
