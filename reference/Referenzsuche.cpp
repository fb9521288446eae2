// The pairwise search from the first byte, as the list was always defined:
// every file of the first tree against every file of its size bucket in the
// second. The normal search gives the same lines, counters and state by
// reading each file once; the tests and the bench check it against this run.

#include "reference/Referenzsuche.h"

#include "reference/Hashtabelle.h"
#include "reference/Kette.h"
#include "reference/Textblock.h"
#include "search/Groessenschluessel.h"
#include "util/Speila.h"

void ReferenzWaehlen(TSuchsitzung& sitzung, bool woertlich)
{
    if (woertlich)
        sitzung.WoertlicheSuche = [](TSuchsitzung& s) { TReferenzsuche(s).Ausfuehren(); };
    else
        sitzung.WoertlicheSuche = nullptr;
}

void TReferenzsuche::Ausfuehren()
{
    std::unique_ptr<TKette> liste = ErsteListeLesen(f_.FundeSchreiben().Verzeichnis(0));
    if (!liste)
        return;
    std::unique_ptr<THashTabelle> tabelle = ZweiteTabelleLesen(f_.FundeSchreiben().Verzeichnis(1));
    if (!tabelle)
        return;
    if (f_.NachDemEinlesen)
        f_.NachDemEinlesen();

    const bool gleichesVerzeichnis = f_.FundeSchreiben().Verzeichnis(0) == f_.FundeSchreiben().Verzeichnis(1);
    TSuchstand& stand = f_.StandSchreiben();
    if (liste->Anzahl() > 0)
        stand.maximum = static_cast<int32_t>(liste->Anzahl());

    while (!liste->IstLeer()) {
        stand.fortschritt = stand.maximum - static_cast<int32_t>(liste->Anzahl());
        f_.StandMelden();
        f_.NachrichtenVerarbeiten();
        std::string pfad = liste->Entnehmen(0).Text();
        if (gleichesVerzeichnis)
            pfad = EigenerName(pfad, *liste);
        if (gleichesVerzeichnis)
            tabelle->EntfernenText(pfad, GroessenSchluessel(DateiGroesse(pfad)));
        DateiAuswerten(pfad, *liste, gleichesVerzeichnis, *tabelle);
        if (f_.Stopp.Halten())
            return;
    }
    stand.fortschritt = stand.maximum;
    f_.StandMelden();
}

namespace {

// Whether a symbolic link stands on the path below the searched directory
// start (the path's own name included): then it is not the file's own name.
bool UeberVerweis(const std::string& start, const std::string& pfad)
{
    for (size_t i = start.size() + 1; i <= pfad.size(); ++i)
        if ((i == pfad.size() || pfad[i] == plattform::Trenner) && plattform::IstVerweis(pfad.substr(0, i)))
            return true;
    return false;
}

} // namespace

std::string TReferenzsuche::EigenerName(const std::string& pfad, TKette& liste)
{
    const std::string& start = f_.FundeSchreiben().Verzeichnis(0);
    plattform::TDateiKennung kennung;
    if (!UeberVerweis(start, pfad) || !plattform::KennungLesen(pfad, kennung))
        return pfad;
    for (uint32_t i = 0; i < liste.Anzahl(); ++i) {
        const std::string name = TextAus(static_cast<const char*>(liste.Element(i)));
        plattform::TDateiKennung andere;
        if (plattform::KennungLesen(name, andere) && andere == kennung && !UeberVerweis(start, name)) {
            liste.Entfernen(i);
            return name;
        }
    }
    return pfad;
}

void TReferenzsuche::DateiAuswerten(const std::string& pfad, TKette& liste, bool gleichesVerzeichnis,
                                   THashTabelle& tabelle)
{
    const uint32_t zeile = f_.Funde().Anzahl();
    FundAufnehmen('-', 0, pfad);

    bool gefunden = false;
    const int64_t groesse = DateiGroesse(pfad);
    const uint64_t schluessel = GroessenSchluessel(groesse);
    plattform::TDateiStand stand;
    const bool bekannt = plattform::StandLesen(pfad, stand);
    // In one tree every name of a file is the file's line. The table holds
    // only files that can be opened; the other names of one it does not
    // hold (no regular file, or one that cannot be opened) are taken out
    // of the list here.
    plattform::TDateiKennung kennung;
    if (gleichesVerzeichnis && groesse == -1 && plattform::KennungLesen(pfad, kennung)) {
        for (uint32_t i = 0; i < liste.Anzahl(); ++i) {
            plattform::TDateiKennung andere;
            if (plattform::KennungLesen(TextAus(static_cast<const char*>(liste.Element(i))), andere) && andere == kennung)
                liste.Entfernen(i--);
        }
    }
    for (uint32_t i = 0; i < tabelle.AnzahlBei(schluessel); ++i) {
        const std::string kandidat = TextAus(static_cast<const char*>(tabelle.ElementBei(i, schluessel)));
        // No file is its own duplicate, under whatever name. Where the trees
        // overlap (the second inside the first, or one tree under two
        // spellings) the second walk meets the file's own directory entry
        // again: the same name in the same directory. Other names of the
        // file (hard links, a link to it, the file reached through a link to
        // its directory) are the same file too: moving such a "copy" away
        // would take the file itself and leave a dangling link. Neither is
        // a candidate at all: it is passed over before any comparison, so it
        // changes no state, gives no "+" line and raises no counter, and the
        // file's line and counter rest on the other candidates alone ("- "
        // and the "-" counter when none is identical). The gauge counts the file as
        // done like any other. The entry itself stays in the table for the
        // other files; in one tree another name of the file belongs to the
        // file's own line and is taken out as a "+" line would be, without
        // a line, so that each file is listed once.
        plattform::TDateiStand standK;
        const bool andererName = !GleicherEintrag(pfad, kandidat) && bekannt
                                 && plattform::StandLesen(kandidat, standK) && standK.kennung == stand.kennung;
        if (andererName && gleichesVerzeichnis) {
            tabelle.EntfernenBei(i, schluessel);
            liste.EntfernenText(kandidat);
            --i;
        } else if (!andererName && !GleicherEintrag(pfad, kandidat) && PaarPruefen(pfad, kandidat) == 0) {
            FundAufnehmen('+', 1, kandidat);
            f_.ZaehlerErhoehen(TZaehler::Plus);
            gefunden = true;
            if (gleichesVerzeichnis) {
                // The candidate belongs to this group alone: out of both
                // containers, and look at index i again, where the next
                // element has moved.
                tabelle.EntfernenBei(i, schluessel);
                liste.EntfernenText(kandidat);
                --i;
            }
        }
        if (f_.Stopp.Halten())
            return;
    }

    if (gefunden) {
        f_.ZaehlerErhoehen(TZaehler::Mit);
        f_.FundArtSetzen(zeile, '!');
    } else {
        f_.ZaehlerErhoehen(TZaehler::Ohne);
    }
}

void TReferenzsuche::FundAufnehmen(char art, uint8_t baum, const std::string& pfad)
{
    // This walk kept its paths in its own containers, and looked at no
    // file's identity: both are taken now.
    plattform::TQuellStand stand;
    const bool bekannt = plattform::QuellStandLesen(pfad, stand);
    f_.FundAnhaengen(f_.FundeSchreiben().Aufnehmen(art, baum, pfad, bekannt ? &stand : nullptr));
}

