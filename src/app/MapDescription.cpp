#include "app/MapDescription.h"

#include <QDateTime>
#include <QTimeZone>

#include "map/CarteVarenthe.h"

QString generationDateText(int32_t generatedAt)
{
    const QDate day = QDateTime::fromSecsSinceEpoch(generatedAt, QTimeZone::utc()).date();
    return day.toString(QStringLiteral("dd/MM/yyyy"));
}

QString mapDescription(const CarteVarenthe &map)
{
    QString text;
    if (map.mapType == 1)
        text = QStringLiteral("Pelmorin - ");
    if (map.generatedAt != 0)
        text += QStringLiteral("Généree le : ") + generationDateText(map.generatedAt);
    return text;
}
