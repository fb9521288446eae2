#pragma once

// Sorting files of one size into classes of identical content, reading each
// file once. Identical means byte for byte: files are split as soon as a
// block differs and are never joined on anything less than all their bytes.

#include "search/Baumdaten.h"
#include "search/Pruefsumme.h"
#include "util/Plattform.h"

#include <cstdint>
#include <functional>
#include <vector>

// One name of a size group: an entry of the walks. The results go into
// the entry: oeffenbar (1 opened, 0 could not be opened, -1 not tried),
// klasse (of identical content, -1 for none) and, for a name that names
// another file than the walk saw, that file's identity. Paths of one file
// are read once.
struct TKlassenEintrag {
    TBaumEintrag* datei = nullptr; // non-owning
    uint8_t seiten = 0;            // bit 0: first tree, bit 1: second tree
};

// Called between blocks with the file being read and the amount done; true
// means stop.
using TZwischendurch = std::function<bool(const TBaumEintrag& datei, int64_t position)>;

class TVorleser;

// What the classification keeps from one size group to the next.
struct TLesestand {
    TBaumdaten& daten;     // non-owning: where the entries' paths and identities are
    TVorleser& vorleser;   // non-owning: opens the files, some of them ahead
    size_t maxOffen = 256; // files compared side by side at most; shrinks when descriptors run short
    TPruefsumme pruefsumme{}; // keyed afresh for every search
    // A file was not opened for want of descriptors since the caller last
    // cleared this: the caller tells why files could not be read.
    bool keineDeskriptoren = false;
};

// Sorts the entries (all of the given size, their results reset) into
// classes. Only groups with two files (names of one file count once), one
// named in each tree, are followed; every path of such a group gets a new class number from
// naechsteKlasse. Each file is opened
// once where the descriptors allow. False when stopped.
bool KlassenBilden(std::vector<TKlassenEintrag>& eintraege, int64_t groesse, int32_t& naechsteKlasse,
                   TLesestand& stand, const TZwischendurch& zwischendurch);
