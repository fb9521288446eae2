#include "util/Papierkorb.h"

std::string ProzentKodiert(std::string_view pfad)
{
    static constexpr char Ziffern[] = "0123456789ABCDEF";
    std::string aus;
    aus.reserve(pfad.size());
    for (const char c : pfad) {
        const auto b = static_cast<unsigned char>(c);
        const bool frei = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '/' ||
                          b == '-' || b == '_' || b == '.' || b == '~';
        if (frei) {
            aus += c;
        } else {
            aus += '%';
            aus += Ziffern[b >> 4];
            aus += Ziffern[b & 15];
        }
    }
    return aus;
}

std::string PapierkorbInfo(std::string_view pfad, std::string_view datum)
{
    return "[Trash Info]\nPath=" + ProzentKodiert(pfad) + "\nDeletionDate=" + std::string(datum) + "\n";
}
