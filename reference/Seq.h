#pragma once

#include <cstdint>
#include <string>

// One node of a TSequenzen: a raw block from the C heap.
struct SeqGlied {
    void* Daten;           // the node's string as a C-heap block; null for none
    SeqGlied* Nachfolger;  // null for the last node
    uint8_t Typ;           // release rule of Daten; the queue makes only 0
};

// A singly linked first-in, first-out queue of strings. A new queue holds one
// node without a string; callers empty it with Leeren before use. Not copyable.
// Nodes and blocks come from the C heap; running out of it throws EFehler
// (constructor, Neuanlegen, GliedAnhaengen, Anhaengen) and leaves the queue
// as it was.
class TSequenzen {
public:
    TSequenzen();
    ~TSequenzen();
    TSequenzen(const TSequenzen&) = delete;
    TSequenzen& operator=(const TSequenzen&) = delete;

    void Leeren();
    SeqGlied* Neuanlegen();
    bool IstLeer() const { return Kopf == nullptr; }
    SeqGlied* GliedFreigeben(SeqGlied* glied);
    SeqGlied* GliedAnhaengen();
    SeqGlied* LetztesGlied() const;
    SeqGlied* GliedBei(uint32_t position) const;
    bool Entfernen(uint32_t position);
    bool Anhaengen(const std::string& s);
    // Takes the first node's string out and removes the node; the empty string
    // for a node without one. On an empty queue: the empty string, no change.
    std::string Holen();
    uint32_t Anzahl() const { return Laenge; }

private:
    SeqGlied* Kopf = nullptr;
    uint32_t Laenge = 0;
};
