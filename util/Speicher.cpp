#include "util/Speicher.h"

#include "util/Fehler.h"

#include <cstdlib>

const char* const SpeicherFehlerText = "Zu wenig Arbeitsspeicher";

void* CHeapHolen(std::size_t bytes)
{
    void* p = std::malloc(bytes ? bytes : 1);
    if (!p)
        throw EFehler(SpeicherFehlerText);
    return p;
}

void* CHeapHolenNull(std::size_t anzahl, std::size_t groesse)
{
    void* p = std::calloc(anzahl ? anzahl : 1, groesse ? groesse : 1);
    if (!p)
        throw EFehler(SpeicherFehlerText);
    return p;
}
