#include "app/MainMenus.h"

#include "ui/PlainText.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "app/CommandTable.h"

MainMenus buildMainMenus(QMainWindow &window, const CommandTable &commands)
{
    auto addMenu = [&window](const QString &caption, const QString &hint) {
        QMenu *menu = window.menuBar()->addMenu(caption);
        menu->menuAction()->setToolTip(shortHint(hint));
        menu->menuAction()->setStatusTip(longHint(hint));
        return menu;
    };
    auto add = [&commands](QMenu *menu, Command id) { menu->addAction(commands.action(id)); };
    MainMenus menus;

    QMenu *fichier = addMenu(QStringLiteral("&Fichier"), QStringLiteral("Fichier|Fonctions relatives aux fichiers"));
    add(fichier, Command::NouveauFichier);
    add(fichier, Command::OuvrirFichier);
    add(fichier, Command::FermerFichier);
    fichier->addSeparator();
    add(fichier, Command::EnregistrerFichier);
    add(fichier, Command::EnregistrerFichierSous);
    add(fichier, Command::EnregistrerBitmap);
    add(fichier, Command::EnregistrerVue);
    menus.recent = fichier->addMenu(QStringLiteral("Fichiers &récents"));
    menus.recent->setObjectName(QStringLiteral("FichiersRecents"));
    fichier->addSeparator();
    add(fichier, Command::Quitter);

    QMenu *edition = addMenu(QStringLiteral("&Edition"),
                             QStringLiteral("Edition|Annuler et rétablir les modifications de la carte"));
    add(edition, Command::Annuler);
    add(edition, Command::Retablir);

    QMenu *affichage =
        addMenu(QStringLiteral("Affic&hage"), QStringLiteral("Affichage|Fonctions relatives à l'affichage"));
    add(affichage, Command::ZommAvant);
    add(affichage, Command::ZoomArriere);
    menus.aspects = affichage->addMenu(QStringLiteral("&Aspects"));
    menus.aspects->setObjectName(QStringLiteral("SelectionAspects"));
    menus.aspects->menuAction()->setToolTip(QStringLiteral("Aspect"));
    menus.aspects->menuAction()->setStatusTip(QStringLiteral("Aspect des cartes"));
    affichage->addSeparator();
    add(affichage, Command::MontrerConfigurationAffichage);

    QMenu *recherche = addMenu(QStringLiteral("&Recherche de chemin"),
                               QStringLiteral("Recherche de chemin|Fonctions relatives à la recherche des chemins"));
    add(recherche, Command::EffacerChemins);
    add(recherche, Command::ActualiserChemins);
    add(recherche, Command::VoirToutItineraire);
    add(recherche, Command::MontrerItineraire);
    recherche->addSeparator();
    add(recherche, Command::MontrerConfigurationRecherche);

    menus.windows = addMenu(QStringLiteral("Fe&nêtres"), QStringLiteral("Fenêtres|Commandes pour les fenêtre"));
    add(menus.windows, Command::Cascade);
    add(menus.windows, Command::MosaiqueHorizontale);
    add(menus.windows, Command::MosaiqueVerticale);
    add(menus.windows, Command::MinimiserTous);
    add(menus.windows, Command::ArrangerTous);
    menus.windows->addSeparator();
    add(menus.windows, Command::MontrerVilles);
    add(menus.windows, Command::MontrerMinipelmorin);
    add(menus.windows, Command::MontrerPalette);

    QMenu *aide = addMenu(QStringLiteral("&Aide"), QStringLiteral("Aide|Aide et informations sur l'application"));
    add(aide, Command::APropos);

    // Every command belongs to the frame too, so that its keys work whatever
    // has the focus inside it.
    for (const CommandEntry &entry : commandEntries())
        window.addAction(commands.action(entry.id));
    return menus;
}

WindowListMenu::WindowListMenu(QMenu *menu, QMdiArea *area) : QObject(menu), menu_(menu), area_(area)
{
    connect(menu_, &QMenu::aboutToShow, this, &WindowListMenu::rebuild);
}

void WindowListMenu::rebuild()
{
    qDeleteAll(items_);
    items_.clear();
    const QList<QMdiSubWindow *> subs = area_->subWindowList(QMdiArea::CreationOrder);
    if (subs.isEmpty())
        return;
    items_.append(menu_->addSeparator());
    QMdiSubWindow *current = area_->currentSubWindow();
    int number = 1;
    for (QMdiSubWindow *sub : subs) {
        const QString title = sub->windowTitle();
        // Access letters for the first nine, as far as digits go.
        // The caption names a file: every "&" in it shows.
        const QString shown = plainMenuText(shownWindowTitle(title, sub->isWindowModified()));
        const QString caption = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(shown)
                                            : QStringLiteral("%1 %2").arg(number).arg(shown);
        QAction *item = menu_->addAction(caption);
        item->setCheckable(true);
        item->setChecked(sub == current);
        item->setStatusTip(shownWindowTitle(title, sub->isWindowModified()));
        connect(item, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(sub)] {
            if (!window)
                return;
            if (window->isMinimized())
                window->showNormal();
            area_->setActiveSubWindow(window);
        });
        items_.append(item);
        ++number;
    }
}
