#pragma once
// The city list tool window: the named elements of the active map, sortable
// by name or number, with a search field that keeps the names containing
// what is typed, a jump by first letter, centring of the active map window on
// a city, the city's web page, and the route's ends set on a city. Created once by the main window,
// refilled whenever a map window is activated or closed.
#include <QList>
#include <QWidget>

#include "ui/CityList.h"

class CarteVarenthe;
class QAction;
class QLineEdit;
class QMenu;
class QTableWidget;

class TCitiesForm : public QWidget {
    Q_OBJECT
public:
    explicit TCitiesForm(QWidget *parent = nullptr);

    // Replaces the rows by the named elements of `map`; with no map (null)
    // the list is emptied. The document is not kept.
    void refreshCityList(const CarteVarenthe *map);
    CitySortMode sortMode() const { return sortMode_; }
    const QList<CityRow> &rows() const { return rows_; }
    // Selected line (0 = first line), -1 when none.
    int selectedLine() const;
    void selectLine(int line);

    // Handlers of the pop-up menu and the key handler.
    void Centrelacartesurcetteville1Click();
    void Voirlaville1Click();
    void TrierlalisteparNom1Click();
    void TrierlalisteparNumro1Click();
    void PartirdecetteVille1Click();
    void AllercetteVille1Click();
    // Returns true when the key was a letter or digit (handled here).
    bool ValueListEditor1KeyDown(int key);

    // "Rechercher :": typing keeps the rows whose name contains the text;
    // Enter centres the map on the selected row, Escape clears the field.
    QLineEdit *SearchEdit = nullptr;
    QTableWidget *ValueListEditor1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *Centrelacartesurcetteville1 = nullptr;
    QAction *Voirlaville1 = nullptr;
    QAction *TrierlalisteparNom1 = nullptr;
    QAction *TrierlalisteparNumro1 = nullptr;
    QAction *PartirdecetteVille1 = nullptr;
    QAction *AllercetteVille1 = nullptr;

signals:
    // Centre the active map window on this cell (`centreOnCell`).
    void centreRequested(int x, int y);
    // Set the active map window's route start or end on this cell, as its
    // own pop-up menu does.
    void routeStartRequested(int x, int y);
    void routeEndRequested(int x, int y);
    // The close box was used: the main window clears `MontrerVilles`.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillGrid();
    void applySearch();
    void sortRows(CitySortMode mode);
    void PopupMenu1Popup(const QPoint &position);

    QList<CityRow> allRows_; // every named element, in the chosen order
    QList<CityRow> rows_;    // those the search keeps, as shown
    CitySortMode sortMode_ = SortByName;
};
