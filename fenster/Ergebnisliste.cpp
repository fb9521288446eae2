#include "fenster/Ergebnisliste.h"

#include "util/Groessenangabe.h"
#include "search/Fundliste.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

// Whether the text x1 + x2 sorts before y1 + y2, byte by byte, without
// putting either together: a path is its directory's text and its own name.
bool VorVerkettet(std::string_view x1, std::string_view x2, std::string_view y1, std::string_view y2)
{
    std::string_view x[] = {x1, x2}, y[] = {y1, y2};
    size_t ix = 0, iy = 0;
    while (true) {
        while (ix < 2 && x[ix].empty())
            ++ix;
        while (iy < 2 && y[iy].empty())
            ++iy;
        if (ix == 2 || iy == 2)
            return ix == 2 && iy < 2; // the shorter text, when one begins the other
        const size_t n = std::min(x[ix].size(), y[iy].size());
        const int vergleich = std::memcmp(x[ix].data(), y[iy].data(), n);
        if (vergleich != 0)
            return vergleich < 0;
        x[ix].remove_prefix(n);
        y[iy].remove_prefix(n);
    }
}

} // namespace

std::string TErgebnisliste::Zeilentext(uint32_t zeile) const
{
    return zeile < funde_.Anzahl() ? funde_.Text(zeile) : std::string();
}

uint64_t TErgebnisliste::Groesse(uint32_t zeile) const
{
    return zeile < funde_.Anzahl() ? static_cast<uint64_t>(std::max<int64_t>(0, funde_.Eintrag(zeile).groesse)) : 0;
}

TZeilendatei TErgebnisliste::Datei(uint32_t zeile) const
{
    if (zeile >= funde_.Anzahl())
        return {};
    const TFund& fund = funde_.Fund(zeile);
    return {fund.lauf, fund.eintrag, Groesse(zeile)};
}

std::string TErgebnisliste::Groessenspalte(uint32_t reihe) const
{
    const uint32_t zeile = Zeile(reihe);
    if (zeile >= funde_.Anzahl() || funde_.Fund(zeile).art == '+' || funde_.Eintrag(zeile).groesse < 0)
        return {};
    return Groessenangabe(Groesse(zeile));
}

void TErgebnisliste::Sortieren(TOrdnung ordnung)
{
    std::vector<uint32_t>().swap(ordnung_);
    const uint32_t anzahl = gezeigt_;
    if (ordnung != TOrdnung::Lauf && anzahl > 0) {
        // A group is a "! " line with the "+" lines under it, or a "- " line
        // alone; it moves as a whole, headed by its first line.
        std::vector<uint32_t> koepfe;
        for (uint32_t zeile = 0; zeile < anzahl; ++zeile)
            if (zeile == 0 || funde_.Fund(zeile).art != '+')
                koepfe.push_back(zeile);
        // The keys are taken out once: a comparison that went to the walks'
        // entries for them each time made a sort of a million lines take seconds.
        const TBaumdaten& daten = funde_.Daten();
        if (ordnung == TOrdnung::Pfad) {
            struct TPfad {
                std::string_view verzeichnis, name;
                uint32_t kopf;
            };
            std::vector<TPfad> pfade;
            pfade.reserve(koepfe.size());
            for (const uint32_t kopf : koepfe) {
                const TBaumEintrag& eintrag = funde_.Eintrag(kopf);
                pfade.push_back({daten.verzeichnisse[eintrag.verzeichnis].pfad, daten.Name(eintrag), kopf});
            }
            std::stable_sort(pfade.begin(), pfade.end(), [](const TPfad& x, const TPfad& y) {
                // A directory's text is kept once: the same text, the same place.
                if (x.verzeichnis.data() == y.verzeichnis.data())
                    return x.name < y.name;
                return VorVerkettet(x.verzeichnis, x.name, y.verzeichnis, y.name);
            });
            for (size_t i = 0; i < pfade.size(); ++i)
                koepfe[i] = pfade[i].kopf;
        } else {
            std::vector<std::pair<uint64_t, uint32_t>> groessen;
            groessen.reserve(koepfe.size());
            for (const uint32_t kopf : koepfe)
                groessen.emplace_back(Groesse(kopf), kopf);
            std::stable_sort(groessen.begin(), groessen.end(),
                             [](const auto& x, const auto& y) { return x.first > y.first; });
            for (size_t i = 0; i < groessen.size(); ++i)
                koepfe[i] = groessen[i].second;
        }
        ordnung_.reserve(anzahl);
        for (const uint32_t kopf : koepfe) {
            ordnung_.push_back(kopf);
            for (uint32_t zeile = kopf + 1; zeile < anzahl && funde_.Fund(zeile).art == '+'; ++zeile)
                ordnung_.push_back(zeile);
        }
    }
}

void TErgebnisliste::Messen(uint32_t zeile)
{
    const auto laenge = static_cast<uint32_t>(funde_.TextLaenge(zeile));
    if (laenge > laengste_) {
        laengste_ = laenge;
        laengsteIndex_ = zeile;
    }
}

std::pair<uint32_t, uint32_t> TErgebnisliste::Geaendert(uint32_t zeile)
{
    if (zeile >= gezeigt_)
        return {0, 0};
    Messen(zeile);
    // Sorted lists are whole lists; a change there is rare enough to draw
    // every row again rather than keep the order's inverse.
    return ordnung_.empty() ? std::pair{zeile, zeile + 1} : std::pair{0u, gezeigt_};
}

void TErgebnisliste::Geleert()
{
    gezeigt_ = 0;
    laengste_ = 0;
    laengsteIndex_ = 0;
    plusBytes_ = 0;
    std::vector<std::vector<bool>>().swap(plusGezaehlt_);
    std::vector<uint32_t>().swap(ordnung_);
}

bool TErgebnisliste::Zeigen()
{
    const uint32_t anzahl = funde_.Anzahl();
    if (anzahl == gezeigt_)
        return false;
    for (uint32_t zeile = gezeigt_; zeile < anzahl; ++zeile) {
        // The "+" lines' sum grows with them (a "+" line keeps its kind), by
        // each file the first time a "+" line names it.
        const TFund& fund = funde_.Fund(zeile);
        if (fund.art == '+') {
            if (plusGezaehlt_.size() <= fund.lauf)
                plusGezaehlt_.resize(static_cast<size_t>(fund.lauf) + 1);
            std::vector<bool>& lauf = plusGezaehlt_[fund.lauf];
            if (lauf.size() <= fund.eintrag)
                lauf.resize(std::max<size_t>(static_cast<size_t>(fund.eintrag) + 1, lauf.size() * 2), false);
            if (!lauf[fund.eintrag]) {
                lauf[fund.eintrag] = true;
                plusBytes_ += Groesse(zeile);
            }
        }
        Messen(zeile);
        // Lines found after a sort come at its end, in the walk's order.
        if (!ordnung_.empty())
            ordnung_.push_back(zeile);
    }
    gezeigt_ = anzahl;
    return true;
}
