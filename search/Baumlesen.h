#pragma once

// One walk of a directory tree that notes, with a single look at each entry,
// everything the search needs of a file: its size and identity.

#include "search/Baumdaten.h"
#include "search/Filter.h"
#include "search/Suchsitzung.h"

#include <cstdint>
#include <string>

// Lists every file entry below start breadth-first into daten.laeufe[lauf]
// (a walk of its own, see TBaumdaten::NeuerLauf),
// in the order the walks of the search meet them (directories entered once
// each, "." and ".." skipped, entries that cannot be looked at taken as
// files), polling for a close request before each file as they do. The
// directories listed go to the end of daten.verzeichnisse, which walks to be
// compared share. The filter leaves entries out; what cannot be listed goes
// to the observer. False when stopped on request.
bool BaumLesen(const TFilter& filter, TStoppMarke& stopp, TSuchbeobachter& beobachter, const std::string& start,
               TBaumdaten& daten, uint16_t lauf);
