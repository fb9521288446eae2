// The window logic's own bookkeeping of a search: its stop question, its
// counters and what it could not read. Both search runs report here; none of
// this calls a search.

#include "search/FensterLogik.h"

TFensterLogik::TFensterLogik()
{
    Stopp.Frage = [this] { return JaNeinFrage("Soll wirklich abgerochen werden?", "Abbrechen?"); };
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
