#pragma once

// What a benchmark tree holds, before a byte of it is written: every
// directory, and every file with its size and the seed of its content.
// Two files with the same size and content seed (and the same last-byte
// flag) are the same bytes; that is all the writer and the twin list need.

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct TDateiPlan {
    std::string pfad;         // relative to the tree's root
    uint64_t groesse = 0;
    uint64_t inhalt = 0;      // seed of the byte stream
    bool letztesGekippt = false; // last byte inverted: differs from its twin only there
};

struct TBaumPlan {
    std::vector<std::string> verzeichnisse; // relative, each ending in '/', parents first
    std::vector<TDateiPlan> dateien;
};

// The tree kinds: "klein", "gleichgross", "gross", "gemischt", "zwei", "million".
// faktor scales the number of files (for "gross": their size); 1.0 is the
// full size. Throws std::invalid_argument for an unknown kind or a factor
// that is not positive.
TBaumPlan BaumPlanen(const std::string& art, double faktor, uint64_t seed);

// Whether art names a kind that BaumPlanen knows.
bool ArtBekannt(const std::string& art);

// The indices of the files that have at least one byte-identical twin in
// the plan, in plan order.
std::vector<size_t> Zwillinge(const TBaumPlan& plan);

// The first min(groesse, 8) bytes of a file's content, as a little-endian
// word (the stream's first word, last byte inverted where the plan says).
uint64_t Anfangswort(const TDateiPlan& datei);

} // namespace bench
