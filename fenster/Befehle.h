#pragma once

// The commands a user gives the window, and the list's pop-up menu as every
// face shows it: the same entries, in the same order, with the same texts.

#include <cstdint>
#include <vector>

enum class TBefehl : uint8_t {
    Start,                 // the Start button
    ErstesVerzeichnis,     // a double-click, Enter or F4 on the first directory field
    ZweitesVerzeichnis,    // the same on the second
    Info,                  // a double-click on a free part of the window: the about box
    PlusMarkieren,         // "alle Einträge mit + markieren"
    MinusMarkieren,        // "alle Einträge mit - markieren"
    AusrufMarkieren,       // "alle Einträge mit ! markieren"
    MarkierungenLoeschen,  // "alle Markierungen löschen"
    KopierenNach,          // "markierte Einträge kopieren nach…"
    KopierenVonNach,       // "markierte Einträge kopieren von… nach…"
    VerschiebenNach,       // "markierte Einträge verschieben nach…"
    VerschiebenVonNach,    // "markierte Einträge verschieben von… nach…"
    NichtGeleseneAnzeigen, // what the last search could not read
    DateiOeffnen,          // the current line's file, with the desktop
    OrdnerOeffnen,         // the folder holding it
    InDenPapierkorb,       // the marked lines' files into the trash
    ListeSpeichern,        // the list as CSV or JSON
    Filter,                // what the search leaves out
    NachPfadSortieren,     // the list's groups by path
    NachGroesseSortieren,  // the list's groups by size, largest first
};

// An entry of the pop-up menu; text null for a separator.
struct TMenueeintrag {
    const char* text;
    TBefehl befehl;
    bool anfangsFrei; // enabled before the first search
};

// The list's pop-up menu from top to bottom: the designed entries, then ours.
const std::vector<TMenueeintrag>& Kontextmenue();
