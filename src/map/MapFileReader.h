#pragma once
// Reading a map file of any generation (headerless, versions 1, 2, 3 and
// later) from its bytes in memory, for the fuzz target and the tests.
// `CarteVarenthe::load` reads a file through the same parser, taking its
// cells from the file piece by piece.
#include <string>
#include <string_view>

class CarteVarenthe;

// Fills `document` from the bytes of a whole map file and names it `path`.
// Throws MapFileError (MapTextIndexError for a short text section) with a
// French message; on failure `document` is left exactly as it was, so nothing
// of a refused file survives. On success the document holds the file and
// nothing else: no route, `modified` and `untitled` false. The route options
// are the user's settings, not the file's, and are kept.
void readMapFile(CarteVarenthe &document, std::string_view bytes, const std::string &path);
