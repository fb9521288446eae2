#pragma once

// Marked lines' files into the desktop's trash, free of any window. As a
// copy or move it gets the list and the lines, taken once when the command
// started, and acts on each line's own file only while it is the file the
// search read. What goes and what stays is the plan's (see
// search/Papierkorbplan.h): the copy each group keeps, a "- " line's only
// copy and a file named twice are no errors; a changed file is.

#include "search/Dateibefehl.h"
#include "search/Fundliste.h"
#include "util/Grund.h"

#include <cstdint>
#include <vector>

// What the command did: the files trashed, the marked files it kept as the
// last copy, and the lines refused or failed.
struct TPapierkorbErgebnis {
    uint32_t weggelegt = 0;
    uint32_t behalten = 0;
    // Each line not done, by its path, with the reason.
    TAbgelehnt abgelehnt;
};

// Moves the files of the lines zeilen (indices into funde, in its order)
// into the trash. The observer hears of each file before it goes.
TPapierkorbErgebnis InDenPapierkorbLegen(const TFundliste& funde, const std::vector<uint32_t>& zeilen,
                                         const TDateibeobachter& beobachter);
