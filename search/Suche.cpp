#include "search/FensterLogik.h"

#include "containers/Hashtabelle.h"
#include "containers/Kette.h"
#include "search/Beschaeftigt.h"
#include "search/Groessenschluessel.h"
#include "util/Speila.h"
#include "util/Stringsbearbeiten.h"

void TFensterLogik::SucheAusfuehren(const TSuchauftrag& auftrag)
{
    TBeschaeftigt beschaeftigt(*this);

    // The lines' paths begin with these, as the walks take them: "x" and
    // "x/" name one directory, whose files are x/name.
    funde_.VerzeichnisseSetzen(MitTrenner(auftrag.erstes), MitTrenner(auftrag.zweites));
    uebersprungen_.clear();
    zaehler_ = {};
    for (TZaehler zaehler : {TZaehler::Plus, TZaehler::Ohne, TZaehler::Mit})
        ZaehlerGeaendert(zaehler);
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
    std::unique_ptr<TKette> liste = ErsteListeLesen(funde_.Verzeichnis(0));
    if (!liste)
        return;
    std::unique_ptr<THashTabelle> tabelle = ZweiteTabelleLesen(funde_.Verzeichnis(1));
    if (!tabelle)
        return;
    if (NachDemEinlesen)
        NachDemEinlesen();

    const bool gleichesVerzeichnis = funde_.Verzeichnis(0) == funde_.Verzeichnis(1);
    GaugeSetMaxValue(static_cast<int32_t>(liste->Anzahl()));

    while (!liste->IstLeer()) {
        GaugeSetProgress(GaugeMaxValue() - static_cast<int32_t>(liste->Anzahl()));
        NachrichtenVerarbeiten();
        const std::string pfad = liste->Entnehmen(0).Text();
        if (gleichesVerzeichnis)
            tabelle->EntfernenText(pfad, GroessenSchluessel(DateiGroesse(pfad)));
        DateiAuswerten(pfad, *liste, gleichesVerzeichnis, *tabelle);
        if (Stopp.Halten())
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
    plattform::TDateiStand stand;
    const bool bekannt = plattform::StandLesen(pfad, stand);
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
        // writes no field, gives no "+" line and raises no counter, and the
        // file's line and counter rest on the other candidates alone ("- "
        // and Edit8 when none is identical). The gauge counts the file as
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
            ZaehlerErhoehen(TZaehler::Plus);
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
        if (Stopp.Halten())
            return;
    }

    if (gefunden) {
        ZaehlerErhoehen(TZaehler::Mit);
        FundArtSetzen(zeile, '!');
    } else {
        ZaehlerErhoehen(TZaehler::Ohne);
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

void TFensterLogik::ZaehlerErhoehen(TZaehler zaehler)
{
    ::ZaehlerErhoehen(zaehler_, zaehler);
    ZaehlerGeaendert(zaehler);
}

void TFensterLogik::UebersprungMelden(std::string pfad, std::string grund)
{
    uebersprungen_.push_back({std::move(pfad), std::move(grund)});
    UebersprungGemeldet(uebersprungen_.back());
}
