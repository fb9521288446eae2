#include "search/Papierkorbbefehl.h"

#include "util/Plattform.h"

#include <unordered_set>

namespace {

// The line's file as it is now, when it is still the one the search read.
bool Unveraendert(const TFundliste& funde, uint32_t zeile, plattform::TDateiKennung& kennung)
{
    plattform::TQuellStand jetzt;
    if (!plattform::QuellStandLesen(funde.Pfad(zeile), jetzt) || !funde.Unveraendert(zeile, jetzt))
        return false;
    kennung = jetzt.stand.kennung;
    return true;
}

} // namespace

TPapierkorbErgebnis InDenPapierkorbLegen(const TFundliste& funde, const std::vector<uint32_t>& zeilen,
                                         const TDateibeobachter& beobachter)
{
    TPapierkorbErgebnis ergebnis;
    std::vector<bool> markiert(funde.Anzahl(), false);
    for (const uint32_t zeile : zeilen) {
        if (zeile < funde.Anzahl())
            markiert[zeile] = true;
        else
            ergebnis.abgelehnt.emplace_back(std::to_string(zeile), "keine Zeile der Liste");
    }
    // The files kept as the copy of their group: a "+" file stands under
    // every "!" file it equals, and the same file may stand as "!" and as
    // "+" where the trees overlap. Kept once, it is kept everywhere.
    std::unordered_set<plattform::TDateiKennung, plattform::TDateiKennungHash> behalten;

    uint32_t anfang = 0;
    while (anfang < funde.Anzahl()) {
        uint32_t ende = anfang + 1;
        while (ende < funde.Anzahl() && funde.Fund(ende).art == '+')
            ++ende;
        bool etwasMarkiert = false;
        for (uint32_t i = anfang; i < ende; ++i)
            etwasMarkiert = etwasMarkiert || markiert[i];
        if (!etwasMarkiert) {
            anfang = ende;
            continue;
        }

        // The member that stays, looked at now: an unmarked one still
        // there and unchanged, else the "!" file, else any marked one that
        // still is what the search read. Without one, nothing of the
        // group is known to be a copy any more, and nothing goes.
        int64_t bleibt = -1;
        plattform::TDateiKennung kennung;
        if (funde.Fund(anfang).art == '!') {
            for (uint32_t i = anfang; i < ende && bleibt < 0; ++i)
                if (!markiert[i] && Unveraendert(funde, i, kennung))
                    bleibt = i;
            for (uint32_t i = anfang; i < ende && bleibt < 0; ++i)
                if (markiert[i] && Unveraendert(funde, i, kennung))
                    bleibt = i;
        }
        if (bleibt >= 0)
            behalten.insert(kennung);

        for (uint32_t i = anfang; i < ende; ++i) {
            if (!markiert[i] || static_cast<int64_t>(i) == bleibt)
                continue;
            const std::string pfad = funde.Pfad(i);
            if (beobachter.VorDerZeile)
                beobachter.VorDerZeile(pfad);
            std::string grund;
            plattform::TDateiKennung jetzt;
            if (funde.Fund(anfang).art != '!')
                grund = "keine gleiche Datei: die einzige Kopie";
            else if (!Unveraendert(funde, i, jetzt))
                grund = "seit der Suche geändert oder nicht mehr da";
            else if (bleibt < 0 || behalten.count(jetzt))
                grund = "die letzte unveränderte Kopie";
            else if (plattform::InDenPapierkorb(pfad, grund)) {
                ++ergebnis.weggelegt;
                continue;
            }
            ergebnis.abgelehnt.emplace_back(pfad, grund);
        }
        // A marked line that stays is refused as well: the user asked for it.
        if (bleibt >= 0 && markiert[static_cast<uint32_t>(bleibt)])
            ergebnis.abgelehnt.emplace_back(funde.Pfad(static_cast<uint32_t>(bleibt)), "die letzte unveränderte Kopie");
        anfang = ende;
    }
    return ergebnis;
}
