#pragma once
// Text from a map file or the settings is data, never markup: these wrap it
// for the places where Qt would otherwise read markup in it.
#include <QString>
#include <QTextDocument>

// A tooltip that shows the text as typed (Qt takes text that looks like
// markup as rich text, images and all).
inline QString plainToolTip(const QString &text)
{
    return text.isEmpty() ? text : Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap);
}

// A menu item's text with every "&" shown, none taken as an access letter.
inline QString plainMenuText(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// A window title that shows "[*]" as typed instead of taking it as the mark
// of a modified document.
inline QString plainWindowTitle(QString text)
{
    return text.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

// What a title set through plainWindowTitle shows.
inline QString shownWindowTitle(QString title)
{
    return title.replace(QStringLiteral("[*][*]"), QStringLiteral("[*]"));
}
