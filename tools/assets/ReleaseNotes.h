#pragma once
// The release notes shown in the about box: a short French text, stored as
// Windows-1252 bytes with CR LF line ends, well under the 4096 bytes the box
// reads.
#include <QString>
#include <string>

// The notes as they are stored on disk (Windows-1252, CR LF).
std::string releaseNotesBytes();
void writeReleaseNotes(const QString &path);
