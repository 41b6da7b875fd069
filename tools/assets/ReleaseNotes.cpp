#include "ReleaseNotes.h"

#include "map/Windows1252.h"

#include <QFile>
#include <stdexcept>

namespace {

constexpr const char *NoteLines[] = {
    "Carte du Pelmorin, version 1.3.5",
    "",
    "Nouveautés :",
    "- Une carte du monde d'exemple et deux aspects, « Eté » et « Hiver », entièrement redessinés.",
    "- Les routes peintes se raccordent d'elles-mêmes à leurs voisines.",
    "- L'export bitmap travaille par bandes : les très grandes cartes s'enregistrent sans épuiser la mémoire.",
    "- Une carte ou la configuration n'est plus jamais laissée à moitié écrite.",
    "- pelmorin-cli décrit une carte et en fait une image, sans écran.",
    "",
    "Bon voyage sur les routes de Varenthe !",
};

} // namespace

std::string releaseNotesBytes()
{
    std::string text;
    for (const char *line : NoteLines)
        text += utf8ToCp1252(line) + "\r\n";
    return text;
}

void writeReleaseNotes(const QString &path)
{
    QFile file(path);
    const std::string bytes = releaseNotesBytes();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        throw std::runtime_error("Impossible d'écrire " + path.toStdString());
}
