#include "search/Papierkorbplan.h"

#include "util/Groessenangabe.h"
#include "util/Plattform.h"

#include <algorithm>
#include <set>
#include <unordered_set>
#include <utility>

namespace {

using TKennungen = std::unordered_set<plattform::TDateiKennung, plattform::TDateiKennungHash>;

// The line's file as it is now, when it is still the one the search read.
bool Unveraendert(const TFundliste& funde, uint32_t zeile, plattform::TDateiKennung& kennung)
{
    plattform::TQuellStand jetzt;
    if (!plattform::QuellStandLesen(funde.Pfad(zeile), jetzt) || !funde.Unveraendert(zeile, jetzt))
        return false;
    kennung = jetzt.stand.kennung;
    return true;
}

std::string Dateien(uint32_t anzahl)
{
    return std::to_string(anzahl) + (anzahl == 1 ? " Datei" : " Dateien");
}

// The directory entry a line names, whichever walk met it and however its
// directory was spelt: the directory's identity and the entry's own name.
std::string Eintrag(const TFundliste& funde, uint32_t zeile)
{
    const TBaumEintrag& eintrag = funde.Eintrag(zeile);
    const TBaumVerzeichnis& verzeichnis = funde.Daten().verzeichnisse[eintrag.verzeichnis];
    if (!verzeichnis.bekannt)
        return funde.Pfad(zeile);
    const plattform::TDateiKennung& k = verzeichnis.kennung;
    return std::to_string(k.geraet) + ':' + std::to_string(k.knoten) + ':' + std::to_string(k.knotenHoch) + '/'
           + std::string(funde.Daten().Name(eintrag));
}

} // namespace

bool ZeileUnveraendert(const TFundliste& funde, uint32_t zeile)
{
    plattform::TDateiKennung kennung;
    return zeile < funde.Anzahl() && Unveraendert(funde, zeile, kennung);
}

std::vector<TPlanzeile> PapierkorbPlanen(const TFundliste& funde, const std::vector<uint32_t>& zeilen)
{
    std::vector<TPlanzeile> plan;
    std::vector<bool> markiert(funde.Anzahl(), false);
    for (const uint32_t zeile : zeilen) {
        if (zeile < funde.Anzahl())
            markiert[zeile] = true;
        else
            plan.push_back({zeile, TPlanArt::KeineZeile});
    }
    // A "+" file stands under every "!" file it equals, and the same file
    // may stand as "!" and as "+" where the trees overlap: what is kept
    // for one group is kept everywhere, and a file that goes for one group
    // (by any of its names: a link to it would lead nowhere) stays for
    // none. An entry goes once, however many lines name it; another name
    // of its file (a hard link) is an entry of its own.
    TKennungen behalten, weg;
    std::unordered_set<std::string> wegEintraege;

    uint32_t anfang = 0;
    while (anfang < funde.Anzahl()) {
        uint32_t ende = anfang + 1;
        while (ende < funde.Anzahl() && funde.Fund(ende).art == '+')
            ++ende;
        if (std::none_of(markiert.begin() + anfang, markiert.begin() + ende, [](bool m) { return m; })) {
            anfang = ende;
            continue;
        }
        if (funde.Fund(anfang).art != '!') {
            for (uint32_t i = anfang; i < ende; ++i)
                if (markiert[i])
                    plan.push_back({i, TPlanArt::Einzig});
            anfang = ende;
            continue;
        }

        // The member that stays, looked at now: an unmarked one still
        // there and unchanged, else the "!" file, else any marked one that
        // still is what the search read; never one that goes for another
        // group. Without one, nothing of the group is known to be a copy
        // any more, and nothing goes.
        int64_t bleibt = -1;
        plattform::TDateiKennung kennung;
        const auto taugt = [&](uint32_t i) { return Unveraendert(funde, i, kennung) && weg.count(kennung) == 0; };
        for (uint32_t i = anfang; i < ende && bleibt < 0; ++i)
            if (!markiert[i] && taugt(i))
                bleibt = i;
        for (uint32_t i = anfang; i < ende && bleibt < 0; ++i)
            if (markiert[i] && taugt(i))
                bleibt = i;
        if (bleibt >= 0)
            behalten.insert(kennung);

        for (uint32_t i = anfang; i < ende; ++i) {
            if (!markiert[i])
                continue;
            plattform::TDateiKennung jetzt;
            std::string eintrag = Eintrag(funde, i);
            TPlanArt art = TPlanArt::Geht;
            if (static_cast<int64_t>(i) == bleibt)
                art = TPlanArt::Bleibt;
            else if (wegEintraege.count(eintrag) != 0)
                art = TPlanArt::SchonDabei;
            else if (!Unveraendert(funde, i, jetzt))
                art = TPlanArt::Geaendert;
            else if (bleibt < 0 || behalten.count(jetzt) != 0)
                art = TPlanArt::Bleibt;
            else if (plattform::IstVerweis(funde.Pfad(i)))
                art = TPlanArt::Verweis;
            else {
                weg.insert(jetzt);
                wegEintraege.insert(std::move(eintrag));
            }
            plan.push_back({i, art, static_cast<uint32_t>(std::max<int64_t>(bleibt, 0))});
        }
        anfang = ende;
    }
    return plan;
}

TPlanSumme PlanZusammenfassen(const TFundliste& funde, const std::vector<TPlanzeile>& plan)
{
    TPlanSumme summe;
    // Each entry is counted once, under however many lines it stands.
    std::set<std::pair<TPlanArt, std::pair<uint16_t, uint32_t>>> gezaehlt;
    for (const TPlanzeile& p : plan) {
        if (p.art == TPlanArt::KeineZeile) {
            ++summe.geaendert;
            continue;
        }
        const TPlanArt art = p.art == TPlanArt::Einzig ? TPlanArt::Bleibt : p.art;
        if (!gezaehlt.insert({art, {funde.Fund(p.zeile).lauf, funde.Fund(p.zeile).eintrag}}).second)
            continue;
        switch (art) {
        case TPlanArt::Geht:
            ++summe.gehen;
            summe.bytes += static_cast<uint64_t>(std::max<int64_t>(0, funde.Eintrag(p.zeile).groesse));
            break;
        case TPlanArt::Bleibt: ++summe.bleiben; break;
        case TPlanArt::Geaendert: ++summe.geaendert; break;
        case TPlanArt::Verweis: ++summe.verweise; break;
        default: break;
        }
    }
    return summe;
}

std::string PapierkorbFrage(const TPlanSumme& summe)
{
    std::string text = summe.gehen > 0 ? Dateien(summe.gehen) + " (" + Groessenangabe(summe.bytes)
                                             + ") in den Papierkorb verschieben?"
                                       : std::string("Keine der markierten Dateien kann in den Papierkorb.");
    if (summe.bleiben > 0)
        text += "\n" + Dateien(summe.bleiben) + (summe.bleiben == 1 ? " bleibt" : " bleiben") + " als letzte Kopie.";
    if (summe.geaendert > 0)
        text += "\n" + Dateien(summe.geaendert) + (summe.geaendert == 1 ? " ist" : " sind")
                + " seit der Suche geändert oder nicht mehr da.";
    if (summe.verweise > 0)
        text += "\n" + std::to_string(summe.verweise) + (summe.verweise == 1 ? " Verweis bleibt" : " Verweise bleiben")
                + ": nur Dateien gehen in den Papierkorb.";
    return text;
}
