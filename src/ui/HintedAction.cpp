#include "ui/HintedAction.h"

#include <QAction>

QString shortHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString longHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

QAction *newHintedAction(QObject *owner, const QString &caption, const QString &hint, const QString &category)
{
    auto *action = new QAction(caption, owner);
    action->setToolTip(shortHint(hint));
    action->setStatusTip(longHint(hint));
    action->setProperty("category", category);
    return action;
}
