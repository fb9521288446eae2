#include "reference/Loeschen.h"

#include "reference/Kette.h"

#include <cstdlib>

void ElementLoeschen(void* daten, uint8_t typ)
{
    if (!daten)
        return;
    switch (typ) {
    case 1:
    case 4: {
        auto* satz = static_cast<TBlockSatz*>(daten);
        delete[] satz->Block;
        delete satz;
        break;
    }
    case 2: {
        auto* satz = static_cast<TKettenSatz*>(daten);
        delete satz->Kette; // its elements go by their own Typ
        delete satz;
        break;
    }
    case 3: {
        auto* satz = static_cast<TGemischterSatz*>(daten);
        delete[] satz->Block;
        delete satz->Kette;
        // Fremd belongs to someone else and is left alone.
        delete satz;
        break;
    }
    default:
        delete[] static_cast<char*>(daten);
        break;
    }
}

void DatenFreigeben(void* daten, uint8_t typ)
{
    if (!daten)
        return;
    if (typ == 0)
        std::free(daten);
    else
        ElementLoeschen(daten, typ);
}
