#pragma once

// Addresses on the game's web server. The host lives in one place so the
// city pages (map window, city list) and the home page (about box) always
// point at the same server.

#include <QString>
#include <QUrl>

inline constexpr const char *GameServerHost = "www.varenthe-jeu.fr";

// Home page of the game's web site (path "/").
inline QUrl homePageUrl()
{
    return QUrl(QStringLiteral("http://") + QLatin1String(GameServerHost) + QStringLiteral("/"));
}

// Web page of the city with the given number in the game.
inline QUrl cityPageUrl(int number)
{
    return QUrl(QStringLiteral("http://") + QLatin1String(GameServerHost)
                + QStringLiteral("/map.php?map=1;0;") + QString::number(number));
}
