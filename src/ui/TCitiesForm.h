#pragma once
// The city list tool window: the named elements of the active map, sortable
// by name or number, with a jump by first letter, centring of the active map
// window on a city and the city's web page. Created once by the main window,
// refilled whenever a map window is activated or closed.
#include <QList>
#include <QWidget>

#include "ui/CityList.h"

class CarteVarenthe;
class QAction;
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
    // Returns true when the key was a letter or digit (handled here).
    bool ValueListEditor1KeyDown(int key);

    QTableWidget *ValueListEditor1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *Centrelacartesurcetteville1 = nullptr;
    QAction *Voirlaville1 = nullptr;
    QAction *TrierlalisteparNom1 = nullptr;
    QAction *TrierlalisteparNumro1 = nullptr;

signals:
    // Centre the active map window on this cell (`centreOnCell`).
    void centreRequested(int x, int y);
    // The close box was used: the main window clears `MontrerVilles`.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillGrid();
    void sortRows(CitySortMode mode);
    void PopupMenu1Popup(const QPoint &position);

    QList<CityRow> rows_;
    CitySortMode sortMode_ = SortByName;
};
