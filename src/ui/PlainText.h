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

// What a title set through plainWindowTitle, perhaps followed by the "[*]"
// of a modified map, shows: "*" in its place when the window is modified.
inline QString shownWindowTitle(const QString &title, bool modified = false)
{
    const QString mark = QStringLiteral("[*]");
    QString shown;
    for (qsizetype i = 0; i < title.size();) {
        if (QStringView(title).mid(i, 6) == QString(mark + mark)) {
            shown += mark;
            i += 6;
        } else if (QStringView(title).mid(i, 3) == mark) {
            if (modified)
                shown += QLatin1Char('*');
            i += 3;
        } else {
            shown += title[i++];
        }
    }
    return shown;
}

// Whether a title ends with the "[*]" that marks a modified map (and not
// with a "[*]" typed in the name, which plainWindowTitle doubles).
inline bool endsWithModifiedMark(const QString &title)
{
    int marks = 0;
    for (qsizetype end = title.size(); end >= 3 && QStringView(title).mid(end - 3, 3) == u"[*]"; end -= 3)
        ++marks;
    return marks % 2 == 1;
}
