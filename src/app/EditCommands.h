#pragma once
// The "&Edition" menu's two commands, "&Annuler" and "&Rétablir", acting on
// the undo history of the active map window. Each map window's stack joins
// one QUndoGroup; the captions name the step they would take back or do
// again ("&Annuler : peindre 14 cases") and the commands are disabled when
// there is none.
#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QUndoGroup;
class QUndoStack;

class EditCommands : public QObject {
public:
    EditCommands(QAction *undo, QAction *redo, QObject *parent);

    void addStack(QUndoStack *stack);
    // The stack of the active map window, or none.
    void setActiveStack(QUndoStack *stack);
    QUndoGroup *group() const { return group_; }

    // Run before each undo or redo: a stroke still being painted becomes a
    // step first.
    std::function<void()> beforeStep;

private:
    QUndoGroup *group_;
};

// "&Annuler" alone, or followed by the step's name shown as typed.
QString editCommandCaption(const QString &command, const QString &step);
