#pragma once

// The size table of a search and the read-ahead plan drawn from it.
//
// Threads: Aufbauen runs on the search thread before the reader threads
// start (TVorleser starts them at its first GruppeBeginnt); from then on
// every table below is only read, by both. Nachschub runs on the search
// thread or on a reader thread, always with TVorleser's mutex held (it is
// TVorleser's TNachschub): the plan cursor (naechsteGeplante_,
// geplantInGruppe_) is written there and nowhere else, under that lock.
// Nachschub hands out the entries of the walks, which the search thread
// writes meanwhile; the reader threads read only their path and size.
// Destruction: the TVorleser that calls Nachschub goes first.

#include "search/Baumdaten.h"
#include "search/Groessenschluessel.h"
#include "search/Vorleser.h"

#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

// A size's bucket of the table.
inline uint32_t Bucket(uint64_t schluessel)
{
    return static_cast<uint32_t>(schluessel % GroessenTabellenLaenge);
}

class TGroessentabelle {
public:
    explicit TGroessentabelle(TBaumdaten& daten) : daten_(daten) {}

    // Builds every table of the walks laufA and laufB, which are one walk
    // when the search compares one tree with itself (gleich).
    void Aufbauen(uint16_t laufA, uint16_t laufB, bool gleich);

    // Appends the files of the next group worth reading to plan, a large
    // group in pieces; false when none are left.
    bool Nachschub(std::deque<TVorhaben>& plan);

    TBaumEintrag& Kandidat(uint32_t k) { return daten_.laeufe[laufB_][kandidaten[k]]; }

    // The second tree's regular files ("candidates", in walk order), as
    // indices into its walk.
    std::vector<uint32_t> kandidaten;
    // (bucket, candidate), sorted: the candidates grouped by bucket.
    std::vector<std::pair<uint32_t, uint32_t>> tabelle;
    // The candidates by exact size, equal sizes in walk order, and their
    // sizes side by side.
    std::vector<uint32_t> kandidatenNachGroesse;
    std::vector<int64_t> kandidatenGroessen;
    // Two trees: the first tree's regular files by size, and their sizes.
    std::vector<uint32_t> ersteNachGroesse;
    std::vector<int64_t> ersteGroessen;
    // The sizes of the groups worth reading, in the order the search comes
    // to them: the first file of each size in the first tree's order, and
    // only sizes with something to compare.
    std::vector<int64_t> gruppenfolge;

private:
    void GruppenfolgePlanen();

    TBaumdaten& daten_; // non-owning
    uint16_t laufA_ = 0;
    uint16_t laufB_ = 0;
    bool gleich_ = false;
    uint32_t naechsteGeplante_ = 0; // next group for the read-ahead plan
    uint32_t geplantInGruppe_ = 0;  // its files planned so far
};
