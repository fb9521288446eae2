#pragma once

// The places one copy or move command must not write to. A target that is
// one of the files the result list names (or a source of the command), or
// that the command has written or emptied itself, would be lost or would
// make a later line act on the wrong file; an unrelated file at a target is
// replaced as always.

#include "util/Plattform.h"

#include <functional>
#include <string>
#include <unordered_set>
#include <utility>

class TZielschutz {
public:
    // fuellen names the files to keep, through DateiSchuetzen. It runs once,
    // and only when a target exists already: a command into a fresh
    // directory has nothing at stake and need not look at every line.
    explicit TZielschutz(std::function<void(TZielschutz&)> fuellen) : fuellen_(std::move(fuellen)) {}
    // One per command, filled by that command's lines: not copied.
    TZielschutz(const TZielschutz&) = delete;
    TZielschutz& operator=(const TZielschutz&) = delete;

    // Keeps the file the path names now, by identity; nothing when there
    // is none. Only its identity counts: another name of the same file is
    // the same file.
    void DateiSchuetzen(const std::string& pfad);

    // Keeps a target the command wrote: its path, and the file written.
    void Geschrieben(const std::string& pfad, const plattform::TDateiKennung& kennung);

    // Keeps the place of a source the command moved away.
    void Weggenommen(const std::string& pfad);

    // True when ziel must not be written: its path is one kept, or the file
    // that stands there now (after following links) is one kept.
    bool Geschuetzt(const std::string& ziel);

private:
    std::function<void(TZielschutz&)> fuellen_;
    bool gefuellt_ = false;
    std::unordered_set<std::string> pfade_;
    std::unordered_set<plattform::TDateiKennung, plattform::TDateiKennungHash> kennungen_;
};
