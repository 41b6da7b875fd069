#include "render/PortableCode.h"

#include <cstdlib>
#include <cstring>

bool portableCodeOnly()
{
    static const bool portable = [] {
        const char *value = std::getenv("PELMORIN_PORTABLE");
        return value && *value && std::strcmp(value, "0") != 0;
    }();
    return portable;
}
