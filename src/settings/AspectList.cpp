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
    return QLatin1Char('&') + name;
}

QString AspectList::nameFromCaption(const QString &caption)
{
    return caption.mid(1);
}
