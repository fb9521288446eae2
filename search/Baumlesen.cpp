#include "search/Baumlesen.h"

#include "search/FensterLogik.h"

#include <deque>
#include <unordered_set>

namespace {

// One look at an entry, with what the search does with its whole path in
// mind: it is opened, compared, copied and moved by that path, and the
// pairwise run knows it by nothing else. A path the system will not look up
// (too long, too many links on the way) names no directory and no file for
// it: such an entry is listed as a file of the first tree that has no
// identical file, and is never a candidate. So the look goes by the whole
// path wherever it could fail there and not relative to the listing: for
// paths too long (no look at all), and for links and for everything below a
// link, which count towards the system's limit of links in one lookup.
// Anywhere else the look relative to the open listing finds the same and
// costs the system less.
bool Ansehen(const plattform::TVerzeichnisListe& liste, const std::string& name, const std::string& pfad,
             plattform::TEintragsArt art, bool verweis, plattform::TEintragsInfo& info)
{
    // FIFOs, devices and sockets need no look: they are listed, never opened.
    if (art == plattform::TEintragsArt::Anderes || plattform::PfadZuLang(pfad.size()))
        return false;
    return verweis ? plattform::PfadInfo(pfad, info) : liste.Info(name, info);
}

} // namespace

bool BaumLesen(TFensterLogik& fenster, const std::string& start, TBaumdaten& daten, uint16_t lauf)
{
    std::vector<TBaumVerzeichnis>& verzeichnisse = daten.verzeichnisse;
    // Each queued directory with whether a link was followed on the way to
    // it below start (see Ansehen).
    std::deque<std::pair<std::string_view, bool>> warteschlange;
    std::unordered_set<plattform::TDateiKennung, plattform::TDateiKennungHash> besucht;
    plattform::TDateiKennung kennung;
    const bool startBekannt = plattform::VerzeichnisKennung(start, kennung);
    if (startBekannt)
        besucht.insert(kennung);
    // Each directory is recorded as it is queued; the queue is taken in the
    // order it was filled, so the directory taken out n-th is the one
    // recorded n-th.
    auto naechstesVerzeichnis = static_cast<uint32_t>(verzeichnisse.size());
    verzeichnisse.push_back({daten.Ablegen(start), kennung, startBekannt, false});
    warteschlange.emplace_back(verzeichnisse.back().pfad, false);

    std::string name;
    std::string pfad;
    plattform::TEintragsArt art;
    plattform::TEintragsInfo info;
    while (!warteschlange.empty()) {
        const auto [verzeichnis, verweisDavor] = warteschlange.front();
        warteschlange.pop_front();
        const uint32_t verzeichnisNummer = naechstesVerzeichnis++;
        plattform::TVerzeichnisListe liste{std::string(verzeichnis)};
        while (liste.Naechster(name, art)) {
            if (fenster.UnterbrechungNachsehen() && fenster.AbbruchFragen())
                return false;
            if (name == "." || name == "..")
                continue;
            pfad.assign(verzeichnis).append(name);
            const bool verweis = verweisDavor || art == plattform::TEintragsArt::Unbekannt;
            const bool angesehen = Ansehen(liste, name, pfad, art, verweis, info);
            if (angesehen && info.verzeichnis) {
                if (besucht.insert(info.kennung).second) {
                    pfad += plattform::Trenner;
                    warteschlange.emplace_back(daten.Ablegen(pfad), verweis);
                    verzeichnisse.push_back({warteschlange.back().first, info.kennung, true, verweis});
                }
                continue;
            }
            if (fenster.AbbruchAngefordert && fenster.AbbruchFragen())
                return false;
            TBaumEintrag& eintrag = daten.Eintragen(lauf, verzeichnisNummer, name);
            if (angesehen && info.regulaer) {
                eintrag.regulaer = true;
                eintrag.groesse = info.groesse;
                daten.KennungSetzen(eintrag, info.kennung);
            }
        }
    }
    return true;
}
