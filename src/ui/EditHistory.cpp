#include "ui/EditHistory.h"

#include <QLocale>
#include <QUndoCommand>
#include <QUndoStack>
#include <utility>
#include <vector>

#include "map/CarteVarenthe.h"

QString countOfCells(size_t cells)
{
    // French groups thousands with a (narrow, unbreakable) space.
    const QString number = QLocale(QLocale::French, QLocale::France).toString(static_cast<qulonglong>(cells));
    return cells > 1 ? QStringLiteral("%1 cases").arg(number) : QStringLiteral("%1 case").arg(number);
}

QString strokeCaption(size_t cells)
{
    return QStringLiteral("peindre %1").arg(countOfCells(cells));
}

QString rectangleCaption(size_t cells)
{
    return QStringLiteral("remplir un rectangle de %1").arg(countOfCells(cells));
}

QString regionCaption(size_t cells)
{
    return QStringLiteral("remplir une région de %1").arg(countOfCells(cells));
}

// One step: the report shared, so that dropping old steps can rebuild the
// stack around the same reports without copying them.
class EditHistory::Step : public QUndoCommand {
public:
    Step(EditHistory &history, std::shared_ptr<const EditReport> report, const QString &caption)
        : QUndoCommand(caption), history_(history), report_(std::move(report)), bytes_(report_->memoryBytes())
    {
    }
    // Pushed after the edit was made: the stack's first redo has nothing
    // to do.
    void redo() override
    {
        if (std::exchange(pending_, false))
            return;
        report_->redo(history_.document_);
        if (history_.onChanged)
            history_.onChanged(*report_);
    }
    void undo() override
    {
        report_->undo(history_.document_);
        if (history_.onChanged)
            history_.onChanged(*report_);
    }
    const std::shared_ptr<const EditReport> &report() const { return report_; }
    size_t bytes() const { return bytes_; }

private:
    EditHistory &history_;
    std::shared_ptr<const EditReport> report_;
    size_t bytes_;
    bool pending_ = true;
};

EditHistory::EditHistory(CarteVarenthe &document)
    : document_(document), stack_(std::make_unique<QUndoStack>()), neverSaved_(document.modified)
{
    QObject::connect(stack_.get(), &QUndoStack::indexChanged, stack_.get(), [this] {
        if (!rebuilding_)
            followStack();
    });
}

EditHistory::~EditHistory() = default;

const EditHistory::Step *EditHistory::step(int index) const
{
    return static_cast<const Step *>(stack_->command(index));
}

void EditHistory::record(EditReport report, const QString &caption)
{
    if (report.empty())
        return;
    report.shrinkToFit();
    stack_->push(new Step(*this, std::make_shared<const EditReport>(std::move(report)), caption));
    dropOldestSteps();
}

void EditHistory::markSaved()
{
    neverSaved_ = false;
    stack_->setClean();
    followStack();
}

bool EditHistory::editedSinceSave() const
{
    return !stack_->isClean();
}

void EditHistory::setMemoryLimit(size_t bytes)
{
    memoryLimit_ = bytes;
    dropOldestSteps();
}

size_t EditHistory::memoryBytes() const
{
    size_t bytes = 0;
    for (int i = 0; i < stack_->count(); ++i)
        bytes += step(i)->bytes();
    return bytes;
}

void EditHistory::followStack()
{
    document_.modified = neverSaved_ || !stack_->isClean();
    if (onModifiedChanged)
        onModifiedChanged();
}

void EditHistory::dropOldestSteps()
{
    // The steps kept: the newest ones that fit, at least the last.
    const int count = stack_->count();
    int keepFrom = count;
    size_t kept = 0;
    while (keepFrom > 0) {
        const size_t bytes = step(keepFrom - 1)->bytes();
        if (keepFrom < count && kept + bytes > memoryLimit_)
            break;
        kept += bytes;
        --keepFrom;
    }
    if (keepFrom == 0)
        return;

    // QUndoStack drops old commands only by a count fixed while it is empty,
    // so the stack is built again from the kept reports. Every step is done
    // here (this follows a push), so each goes back as already applied.
    struct Kept {
        std::shared_ptr<const EditReport> report;
        QString caption;
    };
    std::vector<Kept> steps;
    for (int i = keepFrom; i < count; ++i)
        steps.push_back({step(i)->report(), step(i)->text()});
    const int savedAt = stack_->cleanIndex() - keepFrom;
    rebuilding_ = true;
    stack_->clear();
    if (savedAt < 0)
        stack_->resetClean();
    for (size_t i = 0; i < steps.size(); ++i) {
        if (savedAt == static_cast<int>(i))
            stack_->setClean();
        stack_->push(new Step(*this, std::move(steps[i].report), steps[i].caption));
    }
    if (savedAt == static_cast<int>(steps.size()))
        stack_->setClean();
    rebuilding_ = false;
    followStack();
}
