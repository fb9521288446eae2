#include "search/FensterLogik.h"

#include "search/Beschaeftigt.h"
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
        WoertlicheSuche(*this);
    else
        SucheSchnell();
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
