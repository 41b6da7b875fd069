#include "settings/AspectList.h"

QString AspectList::folderOf(const QString &name) const
{
    for (const AspectEntry &entry : entries_) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return entry.folder;
    }
    return QString();
}

QString AspectList::captionFor(const QString &name)
{
    // An "&" inside the name is shown, not taken as a second access letter.
    return QLatin1Char('&') + QString(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString AspectList::nameFromCaption(const QString &caption)
{
    return caption.mid(1).replace(QStringLiteral("&&"), QStringLiteral("&"));
}
