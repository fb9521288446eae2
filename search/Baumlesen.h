#pragma once

// One walk of a directory tree that notes, with a single look at each entry,
// everything the search needs of a file: its size and identity.

#include "util/Bytespeicher.h"
#include "util/Plattform.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TFensterLogik;

// The walk's paths are kept where the result list's lines will point to them.
using TPfadspeicher = TBytespeicher;

// A directory a walk listed, as much of it as tells its entries apart from
// those of another walk.
struct TBaumVerzeichnis {
    plattform::TDateiKennung kennung; // after following links
    bool bekannt = false;             // kennung could be read
    uint32_t laenge = 0;              // of its path, with which its entries' paths begin
};

struct TBaumEintrag {
    std::string_view pfad;            // in the walk's TPfadspeicher
    int64_t groesse = -1;             // of a regular file
    plattform::TDateiKennung kennung;
    uint32_t verzeichnis = 0;         // the one it was listed in, index into the walks' TBaumVerzeichnis list
    int32_t klasse = -1;              // class of identical content, -1 for none (filled in later)
    bool regulaer = false;            // an existing regular file
    int8_t oeffenbar = -1;            // 1 can be opened, 0 cannot, -1 not known yet (filled in later)
};

// Lists every file entry below start breadth-first, in the order the walks
// of the search meet them (directories entered once each, "." and ".."
// skipped, entries that cannot be looked at taken as files), polling for a
// close request before each file as they do. The directories listed go to
// the end of verzeichnisse, which walks to be compared share. False when
// stopped on request.
bool BaumLesen(TFensterLogik& fenster, const std::string& start, std::deque<TBaumEintrag>& eintraege,
               TPfadspeicher& pfade, std::vector<TBaumVerzeichnis>& verzeichnisse);

// True when two entries of walks that shared their directory list are one
// and the same directory entry: the same name in the same directory, however
// the walks spelt that directory. Hard links are entries of their own.
bool GleicherEintrag(const TBaumEintrag& x, const TBaumEintrag& y, const std::vector<TBaumVerzeichnis>& verzeichnisse);
