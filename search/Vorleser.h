#pragma once

// Opens the files the search is about to read a little ahead of it and asks
// the system to fetch their first and last blocks, so that a cold disk
// serves many requests at once instead of one file after the other. What is
// read and compared does not change: the search takes a file opened here
// when it is next in line, and opens it itself when it is not.

#include "search/Baumdaten.h"
#include "util/Plattform.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>

// The first and the last block of a file are what the search reads of it
// first; a file of at most two such blocks is read whole at once.
inline constexpr int64_t RandBlock = 4096;

// A file the search will open, in the order it will open them.
struct TVorhaben {
    const TBaumEintrag* datei = nullptr; // non-owning: the walk's entry
    int64_t groesse = 0;
    uint32_t gruppe = 0;   // the size group, numbered in the order the search takes them
};

class TVorleser {
public:
    // Appends the files of the next group to plan; false when none are left.
    using TNachschub = std::function<bool(std::deque<TVorhaben>& plan)>;

    TVorleser(const TBaumdaten& daten, TNachschub nachschub) : daten_(daten), nachschub_(std::move(nachschub)) {}
    TVorleser(const TVorleser&) = delete;
    TVorleser& operator=(const TVorleser&) = delete;

    // The search turns to this group: what was planned for earlier ones is let go.
    void GruppeBeginnt(uint32_t gruppe);

    // Opens the entry's file for reading: the one opened ahead when it is at
    // hand, else anew. Short of descriptors it gives back its own and tries once more;
    // keineDeskriptoren as for plattform::TDatei::OeffnenLesen.
    plattform::TDatei Oeffnen(const TBaumEintrag& datei, bool& keineDeskriptoren);

    // Closes every file held ahead and holds at most half as many from now
    // on: the descriptors are needed for comparing.
    void Freigeben();

private:
    struct TOffen {
        TVorhaben vorhaben;
        plattform::TDatei datei;
    };

    void Auffuellen();

    const TBaumdaten& daten_;
    TNachschub nachschub_;
    std::deque<TVorhaben> plan_;  // not opened yet
    std::deque<TOffen> offen_;    // opened ahead, in the order of the plan
    size_t fenster_ = 128;        // files held ahead at most
    bool planZuEnde_ = false;
};
