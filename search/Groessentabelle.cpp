#include "search/Groessentabelle.h"

#include <algorithm>

namespace {

// Files of a size group planned for the read-ahead at once.
constexpr uint32_t PlanStueck = 1024;

// Sorts indizes by the size of what they name, equal sizes in the order they
// stand, and gives those sizes side by side. Each size is read once into a
// flat array: a sort that compared through the walk's entries would look
// each of them up again and again.
template <typename TGroesseVon>
void NachGroesseOrdnen(std::vector<uint32_t>& indizes, std::vector<int64_t>& groessen, TGroesseVon&& groesseVon)
{
    const size_t n = indizes.size();
    std::vector<int64_t> groesse(n);
    for (size_t i = 0; i < n; ++i)
        groesse[i] = groesseVon(indizes[i]);
    std::vector<uint32_t> reihenfolge(n);
    for (size_t i = 0; i < n; ++i)
        reihenfolge[i] = static_cast<uint32_t>(i);
    std::sort(reihenfolge.begin(), reihenfolge.end(), [&](uint32_t x, uint32_t y) {
        return groesse[x] != groesse[y] ? groesse[x] < groesse[y] : x < y;
    });
    std::vector<uint32_t> geordnet(n);
    groessen.resize(n);
    for (size_t i = 0; i < n; ++i) {
        geordnet[i] = indizes[reihenfolge[i]];
        groessen[i] = groesse[reihenfolge[i]];
    }
    indizes.swap(geordnet);
}

} // namespace

void TGroessentabelle::Aufbauen(uint16_t laufA, uint16_t laufB, bool gleich)
{
    laufA_ = laufA;
    laufB_ = laufB;
    gleich_ = gleich;
    const std::deque<TBaumEintrag>& baumA = daten_.laeufe[laufA_];
    const std::deque<TBaumEintrag>& zweiter = daten_.laeufe[laufB_];
    for (uint32_t i = 0; i < zweiter.size(); ++i)
        if (zweiter[i].regulaer)
            kandidaten.push_back(i);

    tabelle.reserve(kandidaten.size());
    for (uint32_t k = 0; k < kandidaten.size(); ++k)
        tabelle.emplace_back(Bucket(GroessenSchluessel(Kandidat(k).groesse)), k);
    std::sort(tabelle.begin(), tabelle.end());

    kandidatenNachGroesse.resize(kandidaten.size());
    for (uint32_t k = 0; k < kandidaten.size(); ++k)
        kandidatenNachGroesse[k] = k;
    NachGroesseOrdnen(kandidatenNachGroesse, kandidatenGroessen, [&](uint32_t k) { return Kandidat(k).groesse; });

    if (!gleich_) {
        for (uint32_t a = 0; a < baumA.size(); ++a)
            if (baumA[a].regulaer)
                ersteNachGroesse.push_back(a);
        NachGroesseOrdnen(ersteNachGroesse, ersteGroessen, [&](uint32_t a) { return baumA[a].groesse; });
    }
    GruppenfolgePlanen();
}

void TGroessentabelle::GruppenfolgePlanen()
{
    // As Klassifizieren meets them: the first file of each size, in the
    // order of the first tree, and only sizes with something to compare.
    std::vector<bool> gesehen(kandidaten.size(), false);
    for (const TBaumEintrag& datei : daten_.laeufe[laufA_]) {
        if (!datei.regulaer)
            continue;
        const auto [anfang, ende] = std::equal_range(kandidatenGroessen.begin(), kandidatenGroessen.end(), datei.groesse);
        const auto gruppe = static_cast<size_t>(anfang - kandidatenGroessen.begin());
        if (anfang == ende || gesehen[gruppe])
            continue;
        gesehen[gruppe] = true;
        if (!gleich_ || ende - anfang >= 2)
            gruppenfolge.push_back(datei.groesse);
    }
}

bool TGroessentabelle::Nachschub(std::deque<TVorhaben>& plan)
{
    if (naechsteGeplante_ >= gruppenfolge.size())
        return false;
    // In the order Klassifizieren hands them on, so that a file's place is
    // its place there: first tree, then candidates; a large group in pieces.
    // This runs in the read-ahead's threads too, under its lock (see the
    // top of Groessentabelle.h).
    const int64_t groesse = gruppenfolge[naechsteGeplante_];
    const auto [aAnfang, aEnde] = std::equal_range(ersteGroessen.begin(), ersteGroessen.end(), groesse);
    const auto [kAnfang, kEnde] = std::equal_range(kandidatenGroessen.begin(), kandidatenGroessen.end(), groesse);
    const auto erste = static_cast<uint32_t>(aEnde - aAnfang);
    const auto alle = erste + static_cast<uint32_t>(kEnde - kAnfang);
    const uint32_t bis = std::min(alle, geplantInGruppe_ + PlanStueck);
    for (uint32_t stelle = geplantInGruppe_; stelle < bis; ++stelle) {
        TBaumEintrag& eintrag =
            stelle < erste ? daten_.laeufe[laufA_][ersteNachGroesse[static_cast<size_t>(aAnfang - ersteGroessen.begin()) + stelle]]
                           : Kandidat(kandidatenNachGroesse[static_cast<size_t>(kAnfang - kandidatenGroessen.begin())
                                                             + (stelle - erste)]);
        plan.push_back({&eintrag, groesse, naechsteGeplante_, stelle});
    }
    geplantInGruppe_ = bis;
    if (bis == alle) {
        ++naechsteGeplante_;
        geplantInGruppe_ = 0;
    }
    return true;
}
