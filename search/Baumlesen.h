#pragma once

// One walk of a directory tree that notes, with a single look at each entry,
// everything the search needs of a file: its size and identity.

#include "util/Plattform.h"

#include <cstdint>
#include <string>
#include <vector>

class TFensterLogik;

struct TBaumEintrag {
    std::string pfad;
    bool regulaer = false;            // an existing regular file
    int64_t groesse = -1;             // of a regular file
    plattform::TDateiKennung kennung;
    // Filled in as the search learns them:
    int8_t oeffenbar = -1;            // 1 can be opened, 0 cannot, -1 not known yet
    int32_t klasse = -1;              // class of identical content, -1 for none
};

// Lists every file entry below start breadth-first, in the order the walks
// of the search meet them (directories entered once each, "." and ".."
// skipped, entries that cannot be looked at taken as files), polling for a
// close request before each file as they do. False when stopped on request.
bool BaumLesen(TFensterLogik& fenster, const std::string& start, std::vector<TBaumEintrag>& eintraege);
