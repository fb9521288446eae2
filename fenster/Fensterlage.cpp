#include "fenster/Fensterlage.h"

#include <algorithm>

namespace {

// The screen the rectangle covers most; the primary one when it covers none.
const TRechteck& Hauptschirm(const TRechteck& rahmen, const std::vector<TRechteck>& schirme)
{
    const TRechteck* bester = &schirme.front();
    int64_t groesste = 0;
    for (const TRechteck& schirm : schirme) {
        const TRechteck teil = rahmen.Schnitt(schirm);
        const int64_t flaeche = teil.Leer() ? 0 : int64_t{teil.breite} * teil.hoehe;
        if (flaeche > groesste) {
            groesste = flaeche;
            bester = &schirm;
        }
    }
    return *bester;
}

// The title bar lies wholly on the screen, and a third of the width with it:
// the user can take it there and pull the window wherever he wants it.
bool Erreichbar(const TRechteck& rahmen, const TRechteck& schirm, int32_t titel)
{
    const TRechteck leiste{rahmen.links, rahmen.oben, rahmen.breite, std::max(1, titel)};
    const TRechteck sichtbar = leiste.Schnitt(schirm);
    return !sichtbar.Leer() && sichtbar.hoehe == leiste.hoehe && int64_t{sichtbar.breite} * 3 >= rahmen.breite;
}

} // namespace

TRechteck TRechteck::Schnitt(const TRechteck& anderes) const
{
    // In 64 bits: a stored width of 32767 at a large position must not wrap.
    const int64_t l = std::max(links, anderes.links);
    const int64_t o = std::max(oben, anderes.oben);
    const int64_t r = std::min(int64_t{links} + breite, int64_t{anderes.links} + anderes.breite);
    const int64_t u = std::min(int64_t{oben} + hoehe, int64_t{anderes.oben} + anderes.hoehe);
    if (r <= l || u <= o)
        return {};
    return {static_cast<int32_t>(l), static_cast<int32_t>(o), static_cast<int32_t>(r - l), static_cast<int32_t>(u - o)};
}

TRechteck FensterlageAufSchirm(TRechteck rahmen, const std::vector<TRechteck>& schirme, int32_t titel)
{
    if (schirme.empty())
        return rahmen;
    rahmen.breite = std::min(rahmen.breite, Hauptschirm(rahmen, schirme).breite);
    for (const TRechteck& schirm : schirme)
        if (Erreichbar(rahmen, schirm, titel))
            return rahmen;
    const TRechteck& primaer = schirme.front();
    rahmen.breite = std::min(rahmen.breite, primaer.breite);
    rahmen.links = primaer.links + (primaer.breite - rahmen.breite) / 2;
    rahmen.oben = primaer.oben + (primaer.hoehe - rahmen.hoehe) / 2;
    return rahmen;
}
