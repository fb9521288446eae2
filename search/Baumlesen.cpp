#include "search/Baumlesen.h"

#include "search/FensterLogik.h"

#include <algorithm>
#include <unordered_set>

bool GleicherEintrag(const TBaumEintrag& x, const TBaumEintrag& y, const std::vector<TBaumVerzeichnis>& verzeichnisse)
{
    // The file first: different files (nearly every pair) are told apart
    // without a look at their directories.
    if (x.kennung != y.kennung)
        return false;
    const TBaumVerzeichnis& vx = verzeichnisse[x.verzeichnis];
    const TBaumVerzeichnis& vy = verzeichnisse[y.verzeichnis];
    return vx.bekannt && vy.bekannt && vx.kennung == vy.kennung
           && x.pfad.substr(vx.laenge) == y.pfad.substr(vy.laenge);
}

bool BaumLesen(TFensterLogik& fenster, const std::string& start, std::deque<TBaumEintrag>& eintraege,
               TPfadspeicher& pfade, std::vector<TBaumVerzeichnis>& verzeichnisse)
{
    std::deque<std::string> warteschlange{start};
    std::unordered_set<plattform::TDateiKennung, plattform::TDateiKennungHash> besucht;
    plattform::TDateiKennung kennung;
    const bool startBekannt = plattform::VerzeichnisKennung(start, kennung);
    if (startBekannt)
        besucht.insert(kennung);
    // Each directory is recorded as it is queued; the queue is taken in the
    // order it was filled, so the directory taken out n-th is the one
    // recorded n-th.
    auto naechstesVerzeichnis = static_cast<uint32_t>(verzeichnisse.size());
    verzeichnisse.push_back({kennung, startBekannt, static_cast<uint32_t>(start.size())});

    std::string name;
    std::string pfad;
    plattform::TEintragsArt art;
    plattform::TEintragsInfo info;
    while (!warteschlange.empty()) {
        const std::string verzeichnis = std::move(warteschlange.front());
        warteschlange.pop_front();
        const uint32_t verzeichnisNummer = naechstesVerzeichnis++;
        plattform::TVerzeichnisListe liste(verzeichnis);
        while (liste.Naechster(name, art)) {
            if (name == "." || name == "..")
                continue;
            // FIFOs, devices and sockets need no look: they are listed, never opened.
            const bool angesehen = art != plattform::TEintragsArt::Anderes && liste.Info(name, info);
            if (angesehen && info.verzeichnis) {
                if (besucht.insert(info.kennung).second) {
                    warteschlange.push_back(verzeichnis + name + plattform::Trenner);
                    verzeichnisse.push_back({info.kennung, true, static_cast<uint32_t>(warteschlange.back().size())});
                }
                continue;
            }
            if (fenster.AbbruchAngefordert && fenster.AbbruchFragen())
                return false;
            TBaumEintrag& eintrag = eintraege.emplace_back();
            pfad.assign(verzeichnis).append(name);
            eintrag.pfad = pfade.Ablegen(pfad);
            eintrag.verzeichnis = verzeichnisNummer;
            if (angesehen && info.regulaer) {
                eintrag.regulaer = true;
                eintrag.groesse = info.groesse;
                eintrag.kennung = info.kennung;
            }
        }
    }
    return true;
}
