#pragma once

// Marked lines' files into the desktop's trash, free of any window. As a
// copy or move it gets the list and the lines, taken once when the command
// started, and acts on each line's own file only while it is the file the
// search read. It never takes the last copy of a content: each group (a
// "!" line with its "+" lines) keeps one member that is still there and
// unchanged, an unmarked one where there is one, else the "!" line's file;
// that file is then refused wherever else it is listed. A "- " line has
// no copy anywhere, so it is refused too.

#include "search/Dateibefehl.h"
#include "search/Fundliste.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// What the command did: the files trashed and the lines refused or failed.
struct TPapierkorbErgebnis {
    uint32_t weggelegt = 0;
    // Each line not done: its path and why, in the list's order.
    std::vector<std::pair<std::string, std::string>> abgelehnt;
};

// Moves the files of the lines zeilen (indices into funde, in its order)
// into the trash. The observer hears of each line before its file work.
TPapierkorbErgebnis InDenPapierkorbLegen(const TFundliste& funde, const std::vector<uint32_t>& zeilen,
                                         const TDateibeobachter& beobachter);
