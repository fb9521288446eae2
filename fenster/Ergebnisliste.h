#pragma once

// The rows of the result list over the lines the search wrote into the
// core's TFundliste. A command appends lines as fast as it finds them; the
// rows show them from the next dispatch on, all at once (Zeigen), so that a
// face announces one insertion per dispatch, not one per line.
//
// The rows show the lines in the walk's order, or sorted by path or size
// with each group kept whole: the order is a table of line indices, one
// per row. Everything else (marks, commands, export) goes by line index.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class TFundliste;

// A line's file: its entry (the walk and the entry's number there), which
// every line naming that file shares, and its size in bytes.
struct TZeilendatei {
    uint32_t lauf = 0;
    uint32_t eintrag = 0;
    uint64_t groesse = 0;
};

class TErgebnisliste {
public:
    enum class TOrdnung { Lauf, Pfad, Groesse };

    // funde: the session's list, which outlives us.
    explicit TErgebnisliste(const TFundliste& funde) : funde_(funde) {}

    // The rows shown; the lines after them wait for Zeigen.
    uint32_t Reihen() const { return gezeigt_; }
    // The line shown in row reihe (a row below Reihen()).
    uint32_t Zeile(uint32_t reihe) const { return ordnung_.empty() ? reihe : ordnung_[reihe]; }
    // A line's text as the list shows it (by line, not by row).
    std::string Zeilentext(uint32_t zeile) const;
    // A line's file size in bytes (0 where the search could not tell).
    uint64_t Groesse(uint32_t zeile) const;
    // A line's file: its entry, shared by every line that names it, and its size.
    TZeilendatei Datei(uint32_t zeile) const;
    // The size column of a row: on a group's first line and on a line
    // alone, empty on the "+" lines under it.
    std::string Groessenspalte(uint32_t reihe) const;
    // The bytes the files of the shown "+" lines take, each file once
    // however many "+" lines name it: what removing them would free.
    uint64_t PlusBytes() const { return plusBytes_; }

    // Shows the lines in the walk's order, or sorted with their groups whole:
    // by the path of a group's first line, or by size, largest first (equal
    // ones keep their order).
    void Sortieren(TOrdnung ordnung);

    // A line's kind changed: the rows to draw again, [first, end), empty
    // when it is not shown.
    std::pair<uint32_t, uint32_t> Geaendert(uint32_t zeile);
    // The list was emptied: so are the rows, and the order is the walk's again.
    void Geleert();
    // Shows the lines appended since the last call; false when there were none.
    bool Zeigen();
    // The number of bytes of the longest shown line, and that line, for a
    // face's width.
    uint32_t LaengsteZeile() const { return laengste_; }
    uint32_t LaengsteZeileIndex() const { return laengsteIndex_; }

private:
    void Messen(uint32_t zeile);

    const TFundliste& funde_; // non-owning, the session owns it
    uint32_t gezeigt_ = 0;    // lines shown as rows
    uint32_t laengste_ = 0;
    uint32_t laengsteIndex_ = 0;
    uint64_t plusBytes_ = 0;
    // Per walk and entry, whether the file was counted in plusBytes_.
    std::vector<std::vector<bool>> plusGezaehlt_;
    std::vector<uint32_t> ordnung_; // row -> line; empty for the walk's order
};
