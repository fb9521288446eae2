#pragma once

// Sorting files of one size into classes of identical content, reading each
// file once. Identical means byte for byte: files are split as soon as a
// block differs and are never joined on anything less than all their bytes.

#include "search/Pruefsumme.h"
#include "util/Plattform.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One path of a size group.
struct TKlassenEintrag {
    std::string_view pfad;              // non-owning
    plattform::TDateiKennung kennung;   // paths of one file are read once
    uint8_t seiten = 0;                 // bit 0: first tree, bit 1: second tree
    // Results:
    int8_t oeffenbar = -1;              // 1 opened, 0 could not be opened, -1 not tried
    int32_t klasse = -1;                // class of identical content, -1 for none
};

// Called between blocks with the file being read and the amount done; true
// means stop.
using TZwischendurch = std::function<bool(std::string_view pfad, int64_t position)>;

class TVorleser;

// What the classification keeps from one size group to the next.
struct TLesestand {
    TVorleser& vorleser;   // non-owning: opens the files, some of them ahead
    size_t maxOffen = 256; // files compared side by side at most; shrinks when descriptors run short
    TPruefsumme pruefsumme{}; // keyed afresh for every search
};

// Sorts the entries (all of the given size) into classes. Only groups with
// at least two paths covering both trees are followed; every path of such a
// group gets a new class number from naechsteKlasse. Each file is opened
// once where the descriptors allow. False when stopped.
bool KlassenBilden(std::vector<TKlassenEintrag>& eintraege, int64_t groesse, int32_t& naechsteKlasse,
                   TLesestand& stand, const TZwischendurch& zwischendurch);
