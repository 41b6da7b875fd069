#include "ui/TItineraryForm.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "map/CarteVarenthe.h"
#include "route/TravelTime.h"
#include "ui/ProvinceNotation.h"

// A tool window of the main window: the window manager keeps it above that
// window, but not above the program's dialogs nor above other programs.
TItineraryForm::TItineraryForm(QWidget *parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("TItineraryForm"));
    setWindowTitle(QStringLiteral("Itinéraire"));
    resize(320, 360);

    StepGrid = new QTableWidget(0, 3, this);
    StepGrid->setObjectName(QStringLiteral("StepGrid"));
    StepGrid->setHorizontalHeaderLabels({QStringLiteral("Étape"), QStringLiteral("Case"), QStringLiteral("Temps")});
    StepGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StepGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    StepGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    StepGrid->verticalHeader()->hide();
    StepGrid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    StepGrid->setWordWrap(false);
    CopyButton = new QPushButton(QStringLiteral("Copier"));
    CopyButton->setObjectName(QStringLiteral("CopyButton"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(StepGrid, 1);
    layout->addWidget(CopyButton, 0, Qt::AlignRight);

    connect(StepGrid, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (row >= 0 && static_cast<size_t>(row) < steps_.size())
            emit centreRequested(steps_[static_cast<size_t>(row)].x, steps_[static_cast<size_t>(row)].y);
    });
    connect(CopyButton, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(plainText()); });
}

void TItineraryForm::refreshItinerary(const CarteVarenthe *map)
{
    steps_ = map ? buildItinerary(*map) : std::vector<ItineraryStep>{};
    lines_.clear();
    for (const ItineraryStep &step : steps_) {
        QString what = QString::fromUtf8(itineraryEventText(step.event));
        if (!step.name.empty())
            what += QStringLiteral(" : ") + QString::fromStdString(step.name);
        lines_.append({what,
                       cellDescription(*map, step.x, step.y),
                       QString::fromStdString(FormatTravelTime(step.time))});
    }
    StepGrid->clearContents();
    StepGrid->setRowCount(static_cast<int>(lines_.size()));
    for (int row = 0; row < lines_.size(); ++row)
        for (int column = 0; column < 3; ++column)
            // Names come from the map file: shown as typed, never as markup.
            StepGrid->setItem(row, column, new QTableWidgetItem(lines_[row][column]));
    StepGrid->resizeColumnToContents(1);
    StepGrid->resizeColumnToContents(2);
}

QString TItineraryForm::plainText() const
{
    QString text;
    for (const QStringList &line : lines_)
        text += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

void TItineraryForm::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}
