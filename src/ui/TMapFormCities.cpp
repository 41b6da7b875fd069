// The map window's city commands: a city placed, changed or removed by hand
// on the cell the pop-up menu was opened on.
#include <QAction>
#include <QMenu>

#include "map/CityEdits.h"
#include "ui/CellHover.h"
#include "ui/HintedAction.h"
#include "ui/MapWindowHost.h"
#include "ui/TCityDialog.h"
#include "ui/TMapForm.h"

void TMapForm::addCityActions()
{
    PlacerVille = newHintedAction(this, QStringLiteral("Placer une ville ici…"),
                             QStringLiteral("Placer une ville ici|Placer sur la case ciblée une ville, avec son nom "
                                            "et son numéro"),
                             QStringLiteral("Edition"));
    ModifierVille = newHintedAction(this, QStringLiteral("Modifier la ville…"),
                               QStringLiteral("Modifier la ville|Changer le nom ou le numéro de la ville de la "
                                              "case ciblée"),
                               QStringLiteral("Edition"));
    SupprimerVille = newHintedAction(this, QStringLiteral("Supprimer la ville"),
                                QStringLiteral("Supprimer la ville|Retirer la ville de la case ciblée"),
                                QStringLiteral("Edition"));
    connect(PlacerVille, &QAction::triggered, this, &TMapForm::PlacerVilleExecute);
    connect(ModifierVille, &QAction::triggered, this, &TMapForm::ModifierVilleExecute);
    connect(SupprimerVille, &QAction::triggered, this, &TMapForm::SupprimerVilleExecute);
    PopupMenu->addSeparator();
    PopupMenu->addActions({PlacerVille, ModifierVille, SupprimerVille});
    connect(PopupMenu, &QMenu::aboutToShow, this, &TMapForm::showCityActions);
}

void TMapForm::showCityActions()
{
    const QPoint cell = targetedCell();
    const CityEntries entries = cityEntriesOn(*document_, cell.x(), cell.y());
    PlacerVille->setVisible(entries.place);
    PlacerVille->setEnabled(entries.placeEnabled);
    ModifierVille->setVisible(entries.changeOrRemove);
    SupprimerVille->setVisible(entries.changeOrRemove);
}

void TMapForm::PlacerVilleExecute()
{
    openCityDialog(targetedCell(), true);
}

void TMapForm::ModifierVilleExecute()
{
    openCityDialog(targetedCell(), false);
}

void TMapForm::SupprimerVilleExecute()
{
    const QPoint cell = targetedCell();
    const Element *city = cityAt(*document_, cell.x(), cell.y());
    if (!city)
        return;
    const QString name = QString::fromStdString(city->name);
    recordEdit(removeCity(*document_, cell.x(), cell.y()), QStringLiteral("supprimer la ville ") + name);
}

void TMapForm::openCityDialog(QPoint cell, bool placing)
{
    const Element *city = cityAt(*document_, cell.x(), cell.y());
    if (placing ? city != nullptr || !document_->contains(cell.x(), cell.y()) : city == nullptr)
        return;
    auto *dialog = placing ? new TCityDialog(QString(), nextFreeCityNumber(*document_), this)
                           : new TCityDialog(QString::fromStdString(city->name), city->number, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The map stays as it is while the dialog is open (it blocks the main
    // window), so the cell still holds what it held when it was opened.
    connect(dialog, &QDialog::accepted, this, [this, dialog, cell, placing] {
        const QString name = dialog->cityName();
        std::string text = name.toStdString();
        if (placing)
            recordEdit(placeCity(*document_, cell.x(), cell.y(), dialog->cityNumber(), std::move(text)),
                           QStringLiteral("placer la ville ") + name);
        else
            recordEdit(modifyCity(*document_, cell.x(), cell.y(), dialog->cityNumber(), std::move(text)),
                           QStringLiteral("modifier la ville ") + name);
    });
    dialog->open();
}
