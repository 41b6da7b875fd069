#pragma once
// The undo history of one map document: each step wraps what an edit
// changed (an EditReport, never a copy of the map), undo and redo apply it
// backwards and forwards. The map window owns one beside its document and
// records a paint stroke, a fill or a city edit as one step; the main
// window's "&Edition" menu reaches the stack through a QUndoGroup.
//
// It also keeps the document's `modified` flag in step with the stack: the
// document is modified when the stack is away from the point of the last
// save (a map never saved stays modified), and undoing back to that point
// clears the question at close. Steps are kept within a memory bound, oldest
// dropped first; once the saved point is dropped, no undo reaches it again.
#include <QString>
#include <cstddef>
#include <functional>
#include <memory>

#include "map/EditReport.h"

class CarteVarenthe;
class QUndoStack;

// "1 case", "14 cases", "3 400 cases".
QString countOfCells(size_t cells);
// Step names: "peindre 14 cases", "remplir un rectangle de 120 cases",
// "remplir une région de 3 400 cases".
QString strokeCaption(size_t cells);
QString rectangleCaption(size_t cells);
QString regionCaption(size_t cells);

class EditHistory {
public:
    static constexpr size_t DefaultMemoryLimit = size_t{64} << 20;

    explicit EditHistory(CarteVarenthe &document);
    ~EditHistory();
    EditHistory(const EditHistory &) = delete;
    EditHistory &operator=(const EditHistory &) = delete;

    QUndoStack *stack() const { return stack_.get(); }

    // An edit already made on the document, as one step named `caption`.
    // An edit that changed nothing makes no step.
    void record(EditReport report, const QString &caption);
    // The document was just written (or read): this is the saved point.
    void markSaved();
    // Whether there are changes since the saved point that undo could take
    // back (the "*" of the title).
    bool editedSinceSave() const;

    // Bytes of EditReport::memoryBytes the steps may hold; the newest step is
    // kept whatever its size.
    void setMemoryLimit(size_t bytes);
    size_t memoryBytes() const;

    // What an undo or a redo changed (a recorded edit was already shown by
    // whoever made it).
    std::function<void(const EditReport &)> onChanged;
    // The modified state may have changed.
    std::function<void()> onModifiedChanged;

private:
    class Step;
    const Step *step(int index) const;
    void dropOldestSteps();
    void followStack();

    CarteVarenthe &document_;
    std::unique_ptr<QUndoStack> stack_;
    size_t memoryLimit_ = DefaultMemoryLimit;
    // A map created in the program is modified before any edit, until its
    // first save.
    bool neverSaved_ = false;
    bool rebuilding_ = false;
};
