#include "search/Baumlesen.h"

#include "search/Verzeichnisleser.h"

#include <algorithm>
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
             plattform::TEintragsArt /*art*/, bool verweis, plattform::TEintragsInfo& info)
{
    // FIFOs, devices and sockets are listed, never opened; the look (which
    // opens nothing) tells their identity, so that two names of one are
    // known as such.
    if (plattform::PfadZuLang(pfad.size()))
        return false;
    return verweis ? plattform::PfadInfo(pfad, info) : liste.Info(name, info);
}

} // namespace

bool BaumLesen(const TFilter& filter, TStoppMarke& stopp, TSuchbeobachter& beobachter, const std::string& start,
               TBaumdaten& daten, uint16_t lauf)
{
    std::vector<TBaumVerzeichnis>& verzeichnisse = daten.verzeichnisse;
    // Each queued directory with whether a link was followed on the way to
    // it below start (see Ansehen). The lister lists them ahead, in the
    // same order.
    std::deque<std::pair<std::string_view, bool>> warteschlange;
    // Between entries, and while a slow listing keeps them waiting.
    const auto halten = [&] { return beobachter.UnterbrechungNachsehen() && stopp.AbbruchFragen(); };
    TVerzeichnisleser leser(Ansehen, halten);
    std::unordered_set<plattform::TDateiKennung, plattform::TDateiKennungHash> besucht;
    plattform::TDateiKennung kennung;
    const bool startBekannt = plattform::VerzeichnisKennung(start, kennung);
    if (startBekannt)
        besucht.insert(kennung);
    // Each directory is recorded as it is queued; the queue is taken in the
    // order it was filled, so the directory taken out n-th is the one
    // recorded n-th.
    auto naechstesVerzeichnis = static_cast<uint32_t>(verzeichnisse.size());
    verzeichnisse.push_back({daten.Ablegen(start), kennung, startBekannt, false, false});
    warteschlange.emplace_back(verzeichnisse.back().pfad, false);
    leser.Einreihen(verzeichnisse.back().pfad, false);

    std::string pfad;
    TGelistet eintrag;
    while (!warteschlange.empty()) {
        const auto [verzeichnis, verweisDavor] = warteschlange.front();
        warteschlange.pop_front();
        const uint32_t verzeichnisNummer = naechstesVerzeichnis++;
        const std::string_view ort = verzeichnis.substr(std::min(verzeichnis.size(), start.size()));
        while (leser.Naechster(eintrag)) {
            if (halten())
                return false;
            const plattform::TEintragsInfo& info = eintrag.info;
            if (eintrag.angesehen && info.verzeichnis) {
                if (!filter.Ausgeschlossen(ort, eintrag.name, true) && besucht.insert(info.kennung).second) {
                    pfad.assign(verzeichnis).append(eintrag.name) += plattform::Trenner;
                    warteschlange.emplace_back(daten.Ablegen(pfad), eintrag.verweis);
                    verzeichnisse.push_back({warteschlange.back().first, info.kennung, true, eintrag.verweis,
                                             verzeichnisse[verzeichnisNummer].ueberVerweis || eintrag.istVerweis});
                    leser.Einreihen(warteschlange.back().first, eintrag.verweis);
                }
                continue;
            }
            if (stopp.Halten())
                return false;
            const bool regulaer = eintrag.angesehen && info.regulaer;
            if (filter.ZuKlein(regulaer ? info.groesse : -1)
                || filter.Ausgeschlossen(ort, eintrag.name, false))
                continue;
            TBaumEintrag& datei = daten.Eintragen(lauf, verzeichnisNummer, eintrag.name);
            datei.verweis = verzeichnisse[verzeichnisNummer].ueberVerweis || eintrag.istVerweis;
            if (eintrag.angesehen) {
                datei.kennungBekannt = true;
                daten.KennungSetzen(datei, info.kennung);
            }
            if (regulaer) {
                datei.regulaer = true;
                datei.groesse = info.groesse;
                datei.zeiten = ZeitenMischen(info.geaendert, info.statusGeaendert);
            }
        }
        if (leser.Gehalten())
            return false;
        if (!leser.Grund().Leer())
            beobachter.UebersprungMelden(std::string(verzeichnis), leser.Grund());
    }
    return true;
}
