#pragma once

// The marks of the result list: one flag per line, by the line's index in
// the search's list (not by where a sort shows it), with the count and the
// bytes of the marked files kept as they change: a file that stands under
// several lines (a "+" file under each "!" file it equals) counts once, by
// a count of its marked lines. A list of a million lines
// with every "!" line marked would be hundreds of thousands of ranges in a
// selection kept as ranges (Qt's), each merge and each look-up scanning all
// of them. Here a look-up is O(1), a marking command costs the lines it
// touches, and the summary under the list reads two numbers.
//
// Besides the flags, the marking a user does with the mouse and keys, as a
// list with extended selection behaves: a press marks one row, Ctrl adds or
// removes, Shift marks from the anchor, a drag marks what it passes. A face
// turns its clicks and keys into these calls, by row.

#include <cstdint>
#include <vector>

class TErgebnisliste;

class TMarkierung {
public:
    // liste gives the rows' lines and the lines' files; it outlives us.
    explicit TMarkierung(const TErgebnisliste& liste) : liste_(liste) {}

    // Whether line zeile is marked.
    bool Markiert(uint32_t zeile) const { return zeile < an_.size() && an_[zeile]; }
    // Marks (or unmarks) lines erste to ende - 1 at once.
    void Setzen(uint32_t erste, uint32_t ende, bool an);
    // The marked lines below anzahl, in ascending order: what a copy or move
    // takes once at its start.
    std::vector<uint32_t> Zeilen(uint32_t anzahl) const;
    // How many files are marked (each once, however many of its lines),
    // and their bytes.
    uint32_t Anzahl() const { return anzahl_; }
    uint64_t Bytes() const { return bytes_; }

    // Every mark off (a plain click starts from nothing).
    void Leeren();

    // A press on row reihe, by mouse or keyboard, with Shift or Ctrl held:
    // without either it marks the row alone and makes it the anchor; Ctrl
    // turns it (and what a drag from it passes) and makes it the anchor;
    // Shift marks from the anchor to it, replacing the range drawn from the
    // anchor before, keeping what Ctrl marked elsewhere.
    void Druecken(uint32_t reihe, bool umschalt, bool strg);
    // The pressed button moved to row reihe: the range from the anchor.
    void Ziehen(uint32_t reihe);
    // The current row moved alone (Ctrl with an arrow): it becomes the anchor.
    void AnkerSetzen(uint32_t reihe);

    // The rows were reordered (a sort): the marks stay with their lines,
    // a range in progress becomes plain marks and the anchor the first row.
    void Neugeordnet();
    // The lines are gone: so are their marks, and the memory for them.
    void Vergessen();

private:
    void Bit(uint32_t zeile, bool an);
    // A line of the file changed its mark: the sums change with the file's
    // first marked line and its last unmarked one.
    void Zaehlen(uint32_t zeile, bool an);
    // The range the user is dragging or extending with Shift, in rows from
    // anker to bis: marked (or unmarked) on top of what the lines were
    // before it began. A new range from the same anchor with the same state
    // replaces it at the cost of the rows that come or go; rows it leaves
    // get their old state back.
    void Bereich(uint32_t anker, uint32_t bis, bool an);
    // The range in progress becomes plain marks: nothing to give back.
    void Festschreiben();
    // The state a row of the range in progress had before it.
    bool Vorher(uint32_t reihe);

    const TErgebnisliste& liste_; // non-owning
    std::vector<bool> an_;        // lines past its end are unmarked
    // Per walk and entry, how many of the file's lines are marked. Dense:
    // a marking command over a million lines costs no hashing.
    std::vector<std::vector<uint32_t>> markiertJeDatei_;
    uint32_t anzahl_ = 0;
    uint64_t bytes_ = 0;
    uint32_t anker_ = 0;   // the row a Shift range starts from
    bool ziehenAn_ = true; // what a drag does to the rows it passes

    struct TLaufend {
        bool gueltig = false;
        bool an = true;
        uint32_t anker = 0;
        uint32_t bis = 0;
        std::vector<bool> unten; // rows anker, anker + 1, … as they were
        std::vector<bool> oben;  // rows anker - 1, anker - 2, …
    } laufend_;
};
