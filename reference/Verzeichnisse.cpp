#include "reference/Referenzsuche.h"

#include "reference/Hashtabelle.h"
#include "reference/Kette.h"
#include "reference/Seq.h"
#include "search/Groessenschluessel.h"
#include "util/Plattform.h"
#include "util/Speila.h"
#include "reference/Textblock.h"

#include <algorithm>
#include <unordered_set>

// The size of the file an entry names, as the normal search's walk sees it
// (any regular file, readable or not), -1 for anything else; only looked
// at when a minimum size asks for it (a minimum of 0 too).
static int64_t GroesseGesehen(const TFilter& filter, const std::string& pfad)
{
    plattform::TEintragsInfo info;
    if (filter.Mindestgroesse() < 0 || plattform::PfadZuLang(pfad.size()) || !plattform::PfadInfo(pfad, info))
        return -1;
    return info.regulaer ? info.groesse : -1;
}

// Both walks: breadth-first through a queue of directories; for each file
// entry the poll, then the caller's step. False when stopped on request.
template <typename DateiSchritt>
static bool Durchlaufen(TSuchsitzung& sitzung, const std::string& start, DateiSchritt&& schritt)
{
    TSequenzen warteschlange;
    warteschlange.Leeren();
    warteschlange.Anhaengen(start);

    // Directories entered so far, so that a link leading back into the tree
    // cannot make the walk endless.
    std::unordered_set<plattform::TDateiKennung, plattform::TDateiKennungHash> besucht;
    plattform::TDateiKennung kennung;
    if (plattform::VerzeichnisKennung(start, kennung))
        besucht.insert(kennung);

    std::string name;
    plattform::TEintragsArt art;
    while (!warteschlange.IstLeer()) {
        const std::string verzeichnis = warteschlange.Holen();
        const std::string_view ort = std::string_view(verzeichnis).substr(std::min(verzeichnis.size(), start.size()));
        plattform::TVerzeichnisListe liste(verzeichnis);
        while (liste.Naechster(name, art)) {
            if (sitzung.UnterbrechungNachsehen() && sitzung.AbbruchFragen())
                return false;
            const std::string pfad = verzeichnis + name;
            // A plain file or a FIFO, device or socket as the listing
            // reports it needs no further look; anything else is looked at.
            const bool istVerzeichnis = art != plattform::TEintragsArt::Datei
                                        && art != plattform::TEintragsArt::Anderes
                                        && plattform::VerzeichnisKennung(pfad, kennung);
            if (istVerzeichnis) {
                if (name != "." && name != ".." && !sitzung.Filter.Ausgeschlossen(ort, name, true)
                    && besucht.insert(kennung).second)
                    warteschlange.Anhaengen(pfad + plattform::Trenner);
                continue;
            }
            if (sitzung.Stopp.Halten())
                return false;
            if (sitzung.Filter.ZuKlein(GroesseGesehen(sitzung.Filter, pfad))
                || sitzung.Filter.Ausgeschlossen(ort, name, false))
                continue;
            schritt(pfad);
        }
    }
    return true;
}

std::unique_ptr<TKette> TReferenzsuche::ErsteListeLesen(const std::string& verzeichnis)
{
    auto liste = std::make_unique<TKette>();
    const bool fertig = Durchlaufen(f_, verzeichnis, [&](const std::string& pfad) {
        liste->Anhaengen(TextKopie(pfad), 0);
    });
    if (!fertig)
        return nullptr;
    return liste;
}

std::unique_ptr<THashTabelle> TReferenzsuche::ZweiteTabelleLesen(const std::string& verzeichnis)
{
    auto tabelle = std::make_unique<THashTabelle>(GroessenTabellenLaenge);
    const bool fertig = Durchlaufen(f_, verzeichnis, [&](const std::string& pfad) {
        const int64_t groesse = DateiGroesse(pfad);
        if (groesse != -1)
            tabelle->Einfuegen(TextKopie(pfad), GroessenSchluessel(groesse), 0);
    });
    if (!fertig)
        return nullptr;
    return tabelle;
}
