// Where a search begins: the order taken, the counters and what was skipped
// cleared, then the normal run (or the one a test set in its place).

#include "search/FensterLogik.h"

#include "search/Beschaeftigt.h"

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
