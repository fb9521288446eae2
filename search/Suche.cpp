#include "search/FensterLogik.h"

#include "containers/Hashtabelle.h"
#include "containers/Kette.h"
#include "search/Beschaeftigt.h"
#include "search/Groessenschluessel.h"
#include "util/Speila.h"
#include "util/Stringsbearbeiten.h"

void TFensterLogik::SucheAusfuehren()
{
    TBeschaeftigt beschaeftigt(*this);

    // The lines' paths begin with these, as the walks take them.
    funde_.VerzeichnisseSetzen(FeldText(TFeld::Edit1), FeldText(TFeld::Edit3));
    GaugeSetProgress(0);
    FeldSetzen(TFeld::Edit5, "Überprüfe Verzeichnisse");
    NachrichtenVerarbeiten();
    if (WoertlicheSuche)
        SucheWoertlich();
    else
        SucheSchnell();
}

void TFensterLogik::SucheWoertlich()
{
    std::unique_ptr<TKette> liste = ErsteListeLesen(FeldText(TFeld::Edit1));
    if (!liste)
        return;
    std::unique_ptr<THashTabelle> tabelle = ZweiteTabelleLesen(FeldText(TFeld::Edit3));
    if (!tabelle)
        return;
    if (NachDemEinlesen)
        NachDemEinlesen();

    const bool gleichesVerzeichnis = FeldText(TFeld::Edit1) == FeldText(TFeld::Edit3);
    GaugeSetMaxValue(static_cast<int32_t>(liste->Anzahl()));

    while (!liste->IstLeer()) {
        GaugeSetProgress(GaugeMaxValue() - static_cast<int32_t>(liste->Anzahl()));
        NachrichtenVerarbeiten();
        const std::string pfad = liste->Entnehmen(0).Text();
        if (gleichesVerzeichnis)
            tabelle->EntfernenText(pfad, GroessenSchluessel(DateiGroesse(pfad)));
        DateiAuswerten(pfad, *liste, gleichesVerzeichnis, *tabelle);
        if (AbbruchAngefordert && AbbruchFragen())
            return;
    }
    GaugeSetProgress(GaugeMaxValue());
}

void TFensterLogik::DateiAuswerten(const std::string& pfad, TKette& liste, bool gleichesVerzeichnis,
                                   THashTabelle& tabelle)
{
    const uint32_t zeile = ListeAnzahl();
    FundAufnehmen('-', 0, pfad);

    bool gefunden = false;
    const uint64_t schluessel = GroessenSchluessel(DateiGroesse(pfad));
    for (uint32_t i = 0; i < tabelle.AnzahlBei(schluessel); ++i) {
        const std::string kandidat = TextAus(static_cast<const char*>(tabelle.ElementBei(i, schluessel)));
        // No file is its own duplicate. Where the trees overlap (the second
        // inside the first, or one tree under two spellings) the second walk
        // meets the file's own directory entry again: the same name in the
        // same directory. That is no candidate at all: it is passed over
        // before any comparison, so it writes no field, gives no "+" line and
        // raises no counter, and the file's line and counter rest on the
        // other candidates alone ("- " and Edit8 when none is identical).
        // The gauge counts the file as done like any other, and the entry
        // stays in the table for the other files. Other names of the file
        // (hard links, links to it) are entries of their own and are listed.
        if (!GleicherEintrag(pfad, kandidat) && PaarPruefen(pfad, kandidat) == 0) {
            FundAufnehmen('+', 1, kandidat);
            ZaehlerErhoehen(TFeld::Edit7);
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
        if (AbbruchAngefordert && AbbruchFragen())
            return;
    }

    if (gefunden) {
        ZaehlerErhoehen(TFeld::Edit9);
        FundArtSetzen(zeile, '!');
    } else {
        ZaehlerErhoehen(TFeld::Edit8);
    }
}

void TFensterLogik::FundAufnehmen(char art, uint8_t baum, const std::string& pfad)
{
    // This walk kept its paths in its own containers, and looked at no
    // file's identity: both are taken now.
    plattform::TQuellStand stand;
    const bool bekannt = plattform::QuellStandLesen(pfad, stand);
    FundAnhaengen(funde_.Aufnehmen(art, baum, pfad, bekannt ? &stand : nullptr));
}

void TFensterLogik::ZaehlerErhoehen(TFeld feld)
{
    FeldSetzen(feld, std::to_string(ZahlLesen(FeldText(feld)) + 1));
}
