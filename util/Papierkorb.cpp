#include "util/Papierkorb.h"

#include <cstdio>

namespace {

// Our key in the info file; the trash's readers ignore keys they do not know.
constexpr std::string_view Eigenes = "X-Dubrinax=1\n";

// An extension is kept when it is short: ".txt", not half the name.
constexpr size_t EndungMax = 16;

} // namespace

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
    return "[Trash Info]\nPath=" + ProzentKodiert(pfad) + "\nDeletionDate=" + std::string(datum) + "\n"
           + std::string(Eigenes);
}

bool EigeneInfo(std::string_view text)
{
    return text.starts_with("[Trash Info]\n") && text.ends_with(Eigenes);
}

std::string PapierkorbName(std::string_view name, uint32_t zufall)
{
    if (zufall == 0 && name.size() <= PapierkorbNameMax)
        return std::string(name);
    size_t punkt = name.rfind('.');
    if (punkt == std::string_view::npos || punkt == 0 || name.size() - punkt > EndungMax)
        punkt = name.size();
    std::string_view stamm = name.substr(0, punkt);
    const std::string_view endung = name.substr(punkt);
    char anhang[10] = "";
    if (zufall != 0)
        std::snprintf(anhang, sizeof anhang, ".%08x", static_cast<unsigned>(zufall));
    const size_t platz = PapierkorbNameMax - endung.size() - std::string_view(anhang).size();
    if (stamm.size() > platz) {
        // Cut before a character's first byte, never inside one.
        size_t schnitt = platz;
        while (schnitt > 0 && (static_cast<unsigned char>(stamm[schnitt]) & 0xC0) == 0x80)
            --schnitt;
        stamm = stamm.substr(0, schnitt);
    }
    return std::string(stamm) + anhang + std::string(endung);
}
