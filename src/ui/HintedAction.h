#pragma once
// Every command carries a two-part hint, "short|long" (a hint without "|" is
// both): the short part is its tooltip, the long part goes to the status
// bar's first panel.
#include <QString>

class QAction;
class QObject;

QString shortHint(const QString &hint);
QString longHint(const QString &hint);

// An action with its caption, its hint and its category.
QAction *newHintedAction(QObject *owner, const QString &caption, const QString &hint, const QString &category);
