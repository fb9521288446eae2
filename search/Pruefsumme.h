#pragma once

// The checksum that sorts the files of a size group into likely classes.
// It may prove two files different, never equal. Its key is drawn afresh
// for every search: whoever puts files on a disk cannot know it, and so
// cannot make thousands of different files share one checksum, which would
// turn the sorting into comparing every file with every other.

#include <cstdint>
#include <memory>

class TPruefsumme {
public:
    // Draws a new random key.
    TPruefsumme();

    // The checksum of menge bytes, going on from summe (0 to begin): a file
    // read in pieces gets the sum of its pieces in their order. Sums of
    // inputs of the same length, each taken in the same pieces, are comparable.
    uint64_t Bilden(const char* daten, int64_t menge, uint64_t summe = 0) const;

private:
    // Bytes taken at once: two blocks of the search, its whole small file.
    static constexpr int64_t Stueck = 8192;
    static constexpr size_t Worte = Stueck / 8 + 2;

    uint64_t Stueckwert(const char* daten, int64_t menge) const;

    std::unique_ptr<uint64_t[]> schluessel_; // Worte random words
};
