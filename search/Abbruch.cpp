#include "search/FensterLogik.h"

bool TFensterLogik::AbbruchFragen()
{
    // One question per close request; afterwards every poll gets the same
    // answer, so a Yes unwinds all enclosing loops without asking again.
    if (AbbruchGefragt)
        return AbbruchAngefordert;
    AbbruchGefragt = true;
    AbbruchAngefordert = JaNeinFrage("Soll wirklich abgerochen werden?", "Abbrechen?");
    return AbbruchAngefordert;
}
