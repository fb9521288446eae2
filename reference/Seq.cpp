#include "reference/Seq.h"

#include "reference/Loeschen.h"
#include "util/Speicher.h"
#include "reference/Textblock.h"

#include <cstdlib>
#include <new>

namespace {

SeqGlied* NeuerKnoten()
{
    return new (CHeapHolen(sizeof(SeqGlied))) SeqGlied{nullptr, nullptr, 0};
}

} // namespace

TSequenzen::TSequenzen()
{
    // A new queue starts with one node without a string; the scan empties
    // it with Leeren before it puts its root in.
    Kopf = NeuerKnoten();
    Laenge = 1;
}

TSequenzen::~TSequenzen()
{
    Leeren();
}

void TSequenzen::Leeren()
{
    while (Kopf)
        Kopf = GliedFreigeben(Kopf);
    Laenge = 0;
}

SeqGlied* TSequenzen::Neuanlegen()
{
    // Taken before the old nodes go, so that a failure leaves the queue as it was.
    SeqGlied* neu = NeuerKnoten();
    Leeren();
    Kopf = neu;
    Laenge = 1;
    return neu;
}

SeqGlied* TSequenzen::GliedFreigeben(SeqGlied* glied)
{
    if (!glied)
        return nullptr;
    SeqGlied* nachfolger = glied->Nachfolger;
    DatenFreigeben(glied->Daten, glied->Typ);
    glied->~SeqGlied();
    std::free(glied);
    --Laenge;
    return nachfolger;
}

SeqGlied* TSequenzen::GliedAnhaengen()
{
    SeqGlied* letztes = LetztesGlied();
    if (!letztes && Laenge == 0)
        return Neuanlegen();
    SeqGlied* neu = NeuerKnoten();
    if (letztes)
        letztes->Nachfolger = neu;
    else
        Kopf = neu;
    ++Laenge;
    return neu;
}

SeqGlied* TSequenzen::LetztesGlied() const
{
    SeqGlied* g = Kopf;
    if (!g)
        return nullptr;
    while (g->Nachfolger)
        g = g->Nachfolger;
    return g;
}

SeqGlied* TSequenzen::GliedBei(uint32_t position) const
{
    if (position >= Laenge || !Kopf)
        return nullptr;
    SeqGlied* g = Kopf;
    for (uint32_t i = 0; i < position && g->Nachfolger; ++i)
        g = g->Nachfolger;
    return g;
}

bool TSequenzen::Entfernen(uint32_t position)
{
    if (position >= Laenge || !Kopf)
        return false;
    if (position == 0) {
        Kopf = GliedFreigeben(Kopf);
        return true;
    }
    SeqGlied* vorgaenger = GliedBei(position - 1);
    // GliedBei stops early on a short chain; never free the predecessor itself.
    if (!vorgaenger->Nachfolger)
        return false;
    vorgaenger->Nachfolger = GliedFreigeben(vorgaenger->Nachfolger);
    return true;
}

bool TSequenzen::Anhaengen(const std::string& s)
{
    // The block first: should the node then fail, the block is all there is
    // to give back, and the queue has not gained a node without a string.
    char* block = TextKopie(s);
    SeqGlied* neu = nullptr;
    try {
        neu = GliedAnhaengen();
    } catch (...) {
        std::free(block);
        throw;
    }
    neu->Daten = block;
    neu->Typ = 0;
    return true;
}

std::string TSequenzen::Holen()
{
    SeqGlied* erstes = GliedBei(0);
    if (!erstes)
        return {}; // an empty queue has nothing to give; nothing changes
    std::string ergebnis;
    if (erstes->Daten && erstes->Typ == 0)
        ergebnis = TextAus(static_cast<const char*>(erstes->Daten));
    Entfernen(0);
    return ergebnis;
}
