#pragma once
// The red line under a dialog's fields that says why "Ok" was refused. It
// may quote what the user typed, so it is shown as typed, never as markup;
// hidden until there is something to say.
#include <QLabel>

inline QLabel *newRefusalLabel()
{
    auto *label = new QLabel;
    label->setObjectName(QStringLiteral("refusalLabel"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #b00000;"));
    label->hide();
    return label;
}
