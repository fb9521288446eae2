#pragma once

// What a search found, as data: per line of the result list its kind, its
// tree and the file it names, an entry of the walks (its directory, its own
// name, its identity). The search writes it; the window's list, the
// terminal output and the copy and move commands read it. The text of a
// line is made from it for display and never read back.

#include "search/Baumdaten.h"
#include "util/Plattform.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

struct TFund {
    uint32_t eintrag = 0; // in the walk's entries, Daten().laeufe[lauf]
    uint16_t lauf = 0;    // the walk that met the file
    uint8_t baum = 0;     // 0 the first tree, 1 the second (one walk serves both when they are one)
    char art = '-';       // '-', '!' or '+', the line's first character
};

class TFundliste {
public:
    TFundliste() = default;
    // Lines point into the data it owns: neither copied nor moved.
    TFundliste(const TFundliste&) = delete;
    TFundliste& operator=(const TFundliste&) = delete;

    // Where the walks keep what they found, so that a line is the number
    // of its file's entry and costs no copy of its path.
    TBaumdaten& Daten() { return daten_; }
    const TBaumdaten& Daten() const { return daten_; }

    // The directories the two trees were searched from, as the search took them.
    void VerzeichnisseSetzen(std::string erstes, std::string zweites);
    const std::string& Verzeichnis(uint8_t baum) const { return verzeichnisse_[baum != 0]; }

    uint32_t Anzahl() const { return static_cast<uint32_t>(funde_.size()); }
    const TFund& Fund(uint32_t index) const { return funde_[index]; }
    const TBaumEintrag& Eintrag(uint32_t index) const { return daten_.laeufe[funde_[index].lauf][funde_[index].eintrag]; }

    // Appends a line for an entry of Daten().
    void Anhaengen(const TFund& fund) { funde_.push_back(fund); }
    // A line for a path that no walk into Daten() met: an entry is made for
    // it. stand null when it could not be looked at.
    TFund Aufnehmen(char art, uint8_t baum, std::string_view pfad, const plattform::TQuellStand* stand);
    // The lines of a kind, as ranges [first, end) of neighbouring lines.
    std::vector<std::pair<uint32_t, uint32_t>> Bereiche(char art) const;
    // Turns a "- " line into a "! " line.
    void ArtSetzen(uint32_t index, char art) { funde_[index].art = art; }

    // The line's file: its whole path, its path below the directory its
    // tree was searched from, and its identity as the search last read it
    // (false when the search could not look at it).
    std::string Pfad(uint32_t index) const { return daten_.Pfad(Eintrag(index)); }
    std::string Relativ(uint32_t index) const;
    bool Kennung(uint32_t index, plattform::TDateiKennung& kennung) const;
    // True while the line's file, as it is now, is the one the search read:
    // the same identity, length, modification and status change time. (A
    // line whose times were never looked at goes by identity and length.)
    bool Unveraendert(uint32_t index, const plattform::TQuellStand& jetzt) const;

    // The line as the list shows it: its prefix, then the path.
    std::string Text(uint32_t index) const;
    // The length of that text, without making it.
    size_t TextLaenge(uint32_t index) const;
    static std::string_view Praefix(char art);

    // Every line and every entry gone, the memory given back.
    void Leeren();

private:
    TBaumdaten daten_;
    std::deque<TFund> funde_; // grows without moving what it holds: no second copy at its peak
    std::string verzeichnisse_[2];
    // For Aufnehmen: its entries' walk and directories by path.
    int32_t aufnahmeLauf_ = -1;
    std::unordered_map<std::string, uint32_t> aufgenommeneVerzeichnisse_;
};
