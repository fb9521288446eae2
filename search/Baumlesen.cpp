#include "search/Baumlesen.h"

#include "search/FensterLogik.h"

#include <deque>
#include <unordered_set>

namespace {

struct TKennungHash {
    size_t operator()(const plattform::TDateiKennung& k) const { return std::hash<uint64_t>()(k.knoten * 31 + k.geraet); }
};

} // namespace

bool BaumLesen(TFensterLogik& fenster, const std::string& start, std::vector<TBaumEintrag>& eintraege)
{
    std::deque<std::string> warteschlange{start};
    std::unordered_set<plattform::TDateiKennung, TKennungHash> besucht;
    plattform::TDateiKennung kennung;
    if (plattform::VerzeichnisKennung(start, kennung))
        besucht.insert(kennung);

    std::string name;
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
            eintrag.pfad = verzeichnis + name;
            if (angesehen && info.regulaer) {
                eintrag.regulaer = true;
                eintrag.groesse = info.groesse;
                eintrag.kennung = info.kennung;
            }
        }
    }
    return true;
}
