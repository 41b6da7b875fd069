#include "app/EditCommands.h"

#include <QAction>
#include <QUndoGroup>
#include <QUndoStack>

#include "ui/PlainText.h"

QString editCommandCaption(const QString &command, const QString &step)
{
    return step.isEmpty() ? command : command + QStringLiteral(" : ") + plainMenuText(step);
}

EditCommands::EditCommands(QAction *undo, QAction *redo, QObject *parent)
    : QObject(parent), group_(new QUndoGroup(this))
{
    const QString undoCaption = undo->text();
    const QString redoCaption = redo->text();
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(group_, &QUndoGroup::canUndoChanged, undo, &QAction::setEnabled);
    connect(group_, &QUndoGroup::canRedoChanged, redo, &QAction::setEnabled);
    connect(group_, &QUndoGroup::undoTextChanged, undo,
            [undo, undoCaption](const QString &step) { undo->setText(editCommandCaption(undoCaption, step)); });
    connect(group_, &QUndoGroup::redoTextChanged, redo,
            [redo, redoCaption](const QString &step) { redo->setText(editCommandCaption(redoCaption, step)); });
    connect(undo, &QAction::triggered, this, [this] {
        if (beforeStep)
            beforeStep();
        group_->undo();
    });
    connect(redo, &QAction::triggered, this, [this] {
        if (beforeStep)
            beforeStep();
        group_->redo();
    });
}

void EditCommands::addStack(QUndoStack *stack)
{
    group_->addStack(stack);
}

void EditCommands::setActiveStack(QUndoStack *stack)
{
    group_->setActiveStack(stack);
}
