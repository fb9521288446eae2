#pragma once

// A copy or move of listed files, free of any window. It gets the list,
// the lines to act on as data taken once when the command started, the
// base, the target and whether to move; what the user marks or clicks
// while it runs changes what the list shows, never what it works on.

#include "search/Fundliste.h"
#include "util/Grund.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TDateiauftrag {
    std::vector<uint32_t> zeilen; // the lines, by index into the list, in the list's order
    // Empty, or the first tree's searched directory however spelt: each
    // line's own file. Another directory: the file at the line's relative
    // path below it ("von… nach…").
    std::string basis;
    std::string ziel;             // the target directory
    bool verschieben = false;
};

// What a front end hears of a running command.
struct TDateibeobachter {
    // Before a line's file work, with its source: to show it and to let the
    // window handle its messages.
    std::function<void(const std::string& quelle)> VorDerZeile;
    // After a source's bytes were copied, before they are checked: where
    // the tests play another program writing to it.
    std::function<void(const std::string& quelle)> NachDemKopieren;
};

// Carries the order out on every line of it. Every line refused or failed,
// by its source, with the reason; empty when every line was done.
TAbgelehnt DateienAblegen(const TFundliste& funde, const TDateiauftrag& auftrag, const TDateibeobachter& beobachter);
