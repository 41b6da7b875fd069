#pragma once
// The tool window "Itinéraire": the steps of the active map window's route,
// each with its cell and the time it is reached; a click on a step centres
// the map on it, and "Copier" puts the list on the clipboard as plain text.
// Refilled by the main window whenever the active map or its route changes.
#include <QList>
#include <QWidget>

#include "route/Itinerary.h"

class CarteVarenthe;
class QPushButton;
class QTableWidget;

class TItineraryForm : public QWidget {
    Q_OBJECT
public:
    explicit TItineraryForm(QWidget *parent = nullptr);

    // Replaces the steps by those of `map`'s route; none without a map or route.
    void refreshItinerary(const CarteVarenthe *map);
    const std::vector<ItineraryStep> &steps() const { return steps_; }
    // The list as the clipboard gets it: one line a step.
    QString plainText() const;

    QTableWidget *StepGrid = nullptr;
    QPushButton *CopyButton = nullptr;

signals:
    void centreRequested(int x, int y);
    // The close box was used: the main window clears the menu's tick.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::vector<ItineraryStep> steps_;
    QList<QStringList> lines_;
};
