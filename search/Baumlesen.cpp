#include "search/Baumlesen.h"

#include "search/FensterLogik.h"

#include <algorithm>
#include <unordered_set>

std::string_view TPfadspeicher::Ablegen(std::string_view pfad)
{
    if (pfad.size() > frei_) {
        const size_t groesse = std::max(BlockGroesse, pfad.size());
        bloecke_.push_back(std::make_unique_for_overwrite<char[]>(groesse));
        frei_ = groesse;
    }
    // The last block is filled from its end down, so its fill level is all we keep.
    char* ziel = bloecke_.back().get() + (frei_ - pfad.size());
    std::copy(pfad.begin(), pfad.end(), ziel);
    frei_ -= pfad.size();
    return {ziel, pfad.size()};
}

bool BaumLesen(TFensterLogik& fenster, const std::string& start, std::deque<TBaumEintrag>& eintraege,
               TPfadspeicher& pfade)
{
    std::deque<std::string> warteschlange{start};
    std::unordered_set<plattform::TDateiKennung, plattform::TDateiKennungHash> besucht;
    plattform::TDateiKennung kennung;
    if (plattform::VerzeichnisKennung(start, kennung))
        besucht.insert(kennung);

    std::string name;
    std::string pfad;
    plattform::TEintragsArt art;
    plattform::TEintragsInfo info;
    while (!warteschlange.empty()) {
        const std::string verzeichnis = std::move(warteschlange.front());
        warteschlange.pop_front();
        plattform::TVerzeichnisListe liste(verzeichnis);
        while (liste.Naechster(name, art)) {
            if (name == "." || name == "..")
                continue;
            // FIFOs, devices and sockets need no look: they are listed, never opened.
            const bool angesehen = art != plattform::TEintragsArt::Anderes && liste.Info(name, info);
            if (angesehen && info.verzeichnis) {
                if (besucht.insert(info.kennung).second)
                    warteschlange.push_back(verzeichnis + name + plattform::Trenner);
                continue;
            }
            if (fenster.AbbruchAngefordert && fenster.AbbruchFragen())
                return false;
            TBaumEintrag& eintrag = eintraege.emplace_back();
            pfad.assign(verzeichnis).append(name);
            eintrag.pfad = pfade.Ablegen(pfad);
            if (angesehen && info.regulaer) {
                eintrag.regulaer = true;
                eintrag.groesse = info.groesse;
                eintrag.kennung = info.kennung;
            }
        }
    }
    return true;
}
