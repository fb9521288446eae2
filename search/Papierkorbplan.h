#pragma once

// What the trash does with marked lines, decided before a file is touched:
// which files go, which stay and why. The question before the command and
// the command itself make the same plan, so that what the user is asked
// about is what the command does (with a fresh look at the files each time).
//
// It never takes the last copy of a content: each group (a "!" line with
// its "+" lines) keeps one member that is still there and unchanged, an
// unmarked one where there is one, else the "!" line's file; a file kept
// for one group is kept wherever else it is listed, and a file that goes
// for one group is never kept for another. A "- " line has no copy
// anywhere: it stays. What the plan keeps is no error; a directory entry
// it lists twice (a "+" file under two "!" files) goes once. A symbolic
// link is no file to trash: it stays, refused.

#include "search/Fundliste.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TPlanArt : uint8_t {
    Geht,        // its file goes into the trash
    SchonDabei,  // its entry goes already, for an earlier line
    Bleibt,      // its file is the copy its group keeps
    Einzig,      // a "- " line: the only copy of its content
    Geaendert,   // its file is gone or no longer what the search read
    KeineZeile,  // no line of the list
    Verweis,     // a symbolic link: not the file itself
};

struct TPlanzeile {
    uint32_t zeile = 0;
    TPlanArt art = TPlanArt::Geht;
    // For a line that goes: the line whose file its group keeps, looked at
    // again right before the file goes.
    uint32_t bleibt = 0;
};

// The plan for the marked lines zeilen (indices into funde, in its order):
// one entry per line, in the list's order (lines past its end first).
std::vector<TPlanzeile> PapierkorbPlanen(const TFundliste& funde, const std::vector<uint32_t>& zeilen);

// True while the line's file, as it is now, is the one the search read.
bool ZeileUnveraendert(const TFundliste& funde, uint32_t zeile);

// What a plan comes to, each file counted once.
struct TPlanSumme {
    uint32_t gehen = 0;       // files that go
    uint64_t bytes = 0;       // their size
    uint32_t bleiben = 0;     // marked files kept as the last copy of their content
    uint32_t geaendert = 0;   // marked lines whose file changed or is gone
    uint32_t verweise = 0;    // marked symbolic links
};
TPlanSumme PlanZusammenfassen(const TFundliste& funde, const std::vector<TPlanzeile>& plan);

// The question the window asks before the command, in German, with the
// size as its list writes sizes: "2 Dateien (39,1 KB) in den Papierkorb
// verschieben?" and what stays. Without a file to go, the message instead.
std::string PapierkorbFrage(const TPlanSumme& summe);
