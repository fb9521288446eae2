#include "util/Groessenangabe.h"

#include <iterator>

std::string Groessenangabe(uint64_t bytes)
{
    if (bytes == 1)
        return "1 Byte";
    if (bytes < 1024)
        return std::to_string(bytes) + " Bytes";
    static const char* const einheiten[] = {"KB", "MB", "GB", "TB", "PB"};
    // The next unit as soon as the tenths would round up to 1024,0, so that
    // no size shows as "1024,0 KB" beside one of "1,0 MB".
    uint64_t teiler = 1024;
    size_t einheit = 0;
    while (einheit + 1 < std::size(einheiten) && bytes >= teiler * 1024 - teiler / 20) {
        teiler *= 1024;
        ++einheit;
    }
    // Tenths of the unit, rounded, in integers that cannot overflow.
    const uint64_t zehntel = bytes / teiler * 10 + (bytes % teiler * 10 + teiler / 2) / teiler;
    return std::to_string(zehntel / 10) + "," + std::to_string(zehntel % 10) + " " + einheiten[einheit];
}
