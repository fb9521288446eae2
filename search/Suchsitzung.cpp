#include "search/Suchsitzung.h"

#include "util/Fehler.h"

#include <limits>

bool TStoppMarke::AbbruchFragen()
{
    if (gefragt_)
        return angefordert_;
    gefragt_ = true;
    angefordert_ = !Frage || Frage();
    return angefordert_;
}

void ZaehlerErhoehen(TZaehlerstand& stand, TZaehler zaehler)
{
    int64_t& wert = stand[zaehler];
    if (wert > std::numeric_limits<int32_t>::max())
        throw EFehler("'" + std::to_string(wert) + "' ist kein gültiger Integerwert");
    ++wert;
}
