#include "ui/TCitiesForm.h"

#include <QAction>
#include <algorithm>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "map/CarteVarenthe.h"
#include "ui/GameServer.h"

namespace {

constexpr int GridWidth = 186;
constexpr int RowHeight = 16;
constexpr int NumberColumnWidth = 23;

} // namespace

// A tool window of the main window: the window manager keeps it above that
// window, but not above the program's dialogs nor above other programs.
TCitiesForm::TCitiesForm(QWidget *parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("TCitiesForm"));
    setWindowTitle(QStringLiteral("Liste des Villes"));
    move(887, 191);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    resize(194, 557);

    ValueListEditor1 = new QTableWidget(0, 2, this);
    ValueListEditor1->setObjectName(QStringLiteral("ValueListEditor1"));
    ValueListEditor1->setHorizontalHeaderLabels({QStringLiteral("#"), QStringLiteral("Nom")});
    // Letters must jump to a city, never open an editor.
    ValueListEditor1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ValueListEditor1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ValueListEditor1->setSelectionMode(QAbstractItemView::SingleSelection);
    ValueListEditor1->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    ValueListEditor1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ValueListEditor1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ValueListEditor1->verticalScrollBar()->setTracking(true);
    ValueListEditor1->verticalHeader()->hide();
    ValueListEditor1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ValueListEditor1->verticalHeader()->setMinimumSectionSize(RowHeight);
    ValueListEditor1->verticalHeader()->setDefaultSectionSize(RowHeight);
    ValueListEditor1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    ValueListEditor1->horizontalHeader()->setStretchLastSection(true);
    ValueListEditor1->setColumnWidth(0, NumberColumnWidth);
    ValueListEditor1->setColumnWidth(1, 146);
    ValueListEditor1->setShowGrid(false);
    ValueListEditor1->setFrameShape(QFrame::NoFrame);
    ValueListEditor1->setWordWrap(false);
    ValueListEditor1->setFont(QFont(QStringLiteral("Arial"), 8));
    ValueListEditor1->setFixedWidth(GridWidth);
    ValueListEditor1->setMinimumHeight(186);
    ValueListEditor1->setContextMenuPolicy(Qt::CustomContextMenu);
    ValueListEditor1->installEventFilter(this);

    auto *searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(2, 2, 2, 2);
    auto *searchLabel = new QLabel(QStringLiteral("Rechercher :"));
    SearchEdit = new QLineEdit;
    SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
    SearchEdit->installEventFilter(this);
    searchLabel->setBuddy(SearchEdit);
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(SearchEdit, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(searchRow);
    layout->addWidget(ValueListEditor1);
    setMinimumWidth(GridWidth);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Centrelacartesurcetteville1 = PopupMenu1->addAction(QStringLiteral("Centre la carte sur cette ville"));
    Voirlaville1 = PopupMenu1->addAction(QStringLiteral("Voir la ville"));
    PartirdecetteVille1 = PopupMenu1->addAction(QStringLiteral("Partir de cette ville"));
    AllercetteVille1 = PopupMenu1->addAction(QStringLiteral("Aller à cette ville"));
    PopupMenu1->addSeparator();
    TrierlalisteparNom1 = PopupMenu1->addAction(QStringLiteral("Trier la liste par Nom"));
    TrierlalisteparNumro1 = PopupMenu1->addAction(QStringLiteral("Trier la liste par Numéro"));
    connect(Centrelacartesurcetteville1, &QAction::triggered, this,
            &TCitiesForm::Centrelacartesurcetteville1Click);
    connect(Voirlaville1, &QAction::triggered, this, &TCitiesForm::Voirlaville1Click);
    connect(TrierlalisteparNom1, &QAction::triggered, this, &TCitiesForm::TrierlalisteparNom1Click);
    connect(TrierlalisteparNumro1, &QAction::triggered, this, &TCitiesForm::TrierlalisteparNumro1Click);
    connect(PartirdecetteVille1, &QAction::triggered, this, &TCitiesForm::PartirdecetteVille1Click);
    connect(AllercetteVille1, &QAction::triggered, this, &TCitiesForm::AllercetteVille1Click);
    connect(ValueListEditor1, &QWidget::customContextMenuRequested, this, &TCitiesForm::PopupMenu1Popup);
    connect(ValueListEditor1, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) {
                selectLine(row);
                Centrelacartesurcetteville1Click();
            });
    connect(SearchEdit, &QLineEdit::textChanged, this, &TCitiesForm::applySearch);
    connect(SearchEdit, &QLineEdit::returnPressed, this, &TCitiesForm::Centrelacartesurcetteville1Click);
}

void TCitiesForm::refreshCityList(const CarteVarenthe *map)
{
    allRows_ = map ? cityRowsFromMap(*map) : QList<CityRow>{};
    applySearch();
}

void TCitiesForm::applySearch()
{
    rows_ = filterCityRows(allRows_, SearchEdit->text());
    fillGrid();
}

void TCitiesForm::fillGrid()
{
    ValueListEditor1->clearContents();
    ValueListEditor1->setRowCount(static_cast<int>(rows_.size()));
    for (int line = 0; line < rows_.size(); ++line) {
        ValueListEditor1->setItem(line, 0, new QTableWidgetItem(rows_.at(line).key));
        ValueListEditor1->setItem(line, 1, new QTableWidgetItem(rows_.at(line).name));
    }
    // Numbers of three digits and more would be cut in the narrow "#"
    // column: it widens to the longest number, never below its usual width.
    ValueListEditor1->resizeColumnToContents(0);
    if (ValueListEditor1->columnWidth(0) < NumberColumnWidth)
        ValueListEditor1->setColumnWidth(0, NumberColumnWidth);
    if (!rows_.isEmpty())
        selectLine(0);
}

int TCitiesForm::selectedLine() const
{
    const int line = ValueListEditor1->currentRow();
    return line >= 0 && line < rows_.size() ? line : -1;
}

void TCitiesForm::selectLine(int line)
{
    if (line < 0 || line >= rows_.size())
        return;
    ValueListEditor1->setCurrentCell(line, ValueListEditor1->currentColumn() >= 0 ? ValueListEditor1->currentColumn() : 0);
    ValueListEditor1->selectRow(line);
}

void TCitiesForm::sortRows(CitySortMode mode)
{
    sortMode_ = mode;
    sortCityRows(allRows_, mode);
    applySearch();
}

void TCitiesForm::TrierlalisteparNom1Click()
{
    sortRows(SortByName);
}

void TCitiesForm::TrierlalisteparNumro1Click()
{
    sortRows(SortByNumber);
}

void TCitiesForm::Centrelacartesurcetteville1Click()
{
    // Each row remembers the cell of the element it was made from, so the
    // key is never used as an index into the element list.
    const int line = selectedLine();
    if (line < 0 || !rows_.at(line).hasCell())
        return;
    emit centreRequested(rows_.at(line).x, rows_.at(line).y);
}

void TCitiesForm::Voirlaville1Click()
{
    // A zone marker's number is a zone code, not a city of the game.
    const int line = selectedLine();
    if (line < 0 || rows_.at(line).zone)
        return;
    QDesktopServices::openUrl(cityPageUrl(cityKeyNumber(rows_.at(line).key, 0)));
}

void TCitiesForm::PartirdecetteVille1Click()
{
    const int line = selectedLine();
    if (line >= 0 && rows_.at(line).hasCell())
        emit routeStartRequested(rows_.at(line).x, rows_.at(line).y);
}

void TCitiesForm::AllercetteVille1Click()
{
    const int line = selectedLine();
    if (line >= 0 && rows_.at(line).hasCell())
        emit routeEndRequested(rows_.at(line).x, rows_.at(line).y);
}

bool TCitiesForm::ValueListEditor1KeyDown(int key)
{
    const bool letterOrDigit = (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
    if (!letterOrDigit)
        return false;
    const int previous = selectedLine();
    const int target = cityLetterJump(rows_, previous, key);
    if (target < 0)
        return true;
    QScrollBar *scrollBar = ValueListEditor1->verticalScrollBar();
    const int top = scrollBar->value();
    const int rowHeight = qMax(1, ValueListEditor1->rowHeight(target));
    const int visible = qMax(1, ValueListEditor1->viewport()->height() / rowHeight);
    const int newTop = cityJumpScrollTop(target, previous, top, visible);
    selectLine(target);
    scrollBar->setValue(newTop);
    return true;
}

void TCitiesForm::PopupMenu1Popup(const QPoint &position)
{
    const int line = ValueListEditor1->rowAt(position.y());
    if (line >= 0)
        selectLine(line);
    const int selected = selectedLine();
    const bool onRow = selected >= 0;
    Centrelacartesurcetteville1->setEnabled(onRow);
    Voirlaville1->setEnabled(onRow && !rows_.at(selected).zone);
    PartirdecetteVille1->setEnabled(onRow && rows_.at(selected).hasCell());
    AllercetteVille1->setEnabled(onRow && rows_.at(selected).hasCell());
    PopupMenu1->popup(ValueListEditor1->viewport()->mapToGlobal(position));
}

bool TCitiesForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == SearchEdit && event->type() == QEvent::KeyPress) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        if (keyEvent->key() == Qt::Key_Escape && !SearchEdit->text().isEmpty()) {
            SearchEdit->clear();
            return true;
        }
        // Up and down move in the rows the search kept.
        if (keyEvent->key() == Qt::Key_Down || keyEvent->key() == Qt::Key_Up) {
            const int line = selectedLine() + (keyEvent->key() == Qt::Key_Down ? 1 : -1);
            selectLine(std::clamp(line, 0, static_cast<int>(rows_.size()) - 1));
            return true;
        }
    }
    if (watched == ValueListEditor1 && event->type() == QEvent::KeyPress) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        // Letters and digits are ours (the grid's own keyboard search depends
        // on timing and on the current column); arrows and the rest go on to
        // the grid as usual.
        if (keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return QWidget::eventFilter(watched, event);
        if (ValueListEditor1KeyDown(keyEvent->key()))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TCitiesForm::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}
