#pragma once

// The marks of the result list: one flag per line, by the line's index in
// the search's list (not by where a sort shows it), with the count and the
// bytes of the marked files kept as they change: a file that stands under
// several lines (a "+" file under each "!" file it equals) counts once, by
// a count of its marked lines. It is a plain class beside
// the view, not a Qt selection model: Qt's model holds a selection as a
// list of ranges, which a list of a million lines with every "!" line
// marked turns into hundreds of thousands of ranges, each merge and each
// look-up scanning all of them. Here a look-up is O(1), a marking command
// costs the lines it touches, and the summary under the list reads two
// numbers. The view turns clicks, drags and keys into these calls.

#include <QObject>

#include <cstdint>
#include <functional>
#include <vector>

// A line's file: its entry (the walk and the entry's number there), which
// every line naming that file shares, and its size in bytes.
struct TZeilendatei {
    uint32_t lauf = 0;
    uint32_t eintrag = 0;
    uint64_t groesse = 0;
};

class TMarkierung : public QObject {
    Q_OBJECT

public:
    // datei gives a line's file, for the marked files' count and sum.
    explicit TMarkierung(std::function<TZeilendatei(uint32_t)> datei, QObject* eltern = nullptr);

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
    // The lines are gone: so are their marks, and the memory for them.
    void Vergessen();

    // The range the user is dragging or extending with Shift, in display
    // rows from anker to bis, each row's line given by zeileVon: marked (or
    // unmarked) on top of what the lines were before it began. A new range
    // from the same anchor with the same state replaces it at the cost of
    // the rows that come or go; rows it leaves get their old state back.
    void Bereich(uint32_t anker, uint32_t bis, bool an, const std::function<uint32_t(uint32_t)>& zeileVon);
    // The range in progress becomes plain marks: nothing to give back.
    void Festschreiben();

signals:
    // The marks changed; the view repaints, the summary is written anew.
    void Geaendert();

private:
    void Bit(uint32_t zeile, bool an);
    // A line of the file changed its mark: the sums change with the file's
    // first marked line and its last unmarked one.
    void Zaehlen(uint32_t zeile, bool an);
    // The state a row of the range in progress had before it; k counts away
    // from the anchor (0 the anchor itself for unten_).
    bool Vorher(uint32_t reihe, const std::function<uint32_t(uint32_t)>& zeileVon);

    std::function<TZeilendatei(uint32_t)> datei_;
    std::vector<bool> an_; // lines past its end are unmarked
    // Per walk and entry, how many of the file's lines are marked. Dense:
    // a marking command over a million lines costs no hashing.
    std::vector<std::vector<uint32_t>> markiertJeDatei_;
    uint32_t anzahl_ = 0;
    uint64_t bytes_ = 0;

    struct TLaufend {
        bool gueltig = false;
        bool an = true;
        uint32_t anker = 0;
        uint32_t bis = 0;
        std::vector<bool> unten; // rows anker, anker + 1, … as they were
        std::vector<bool> oben;  // rows anker - 1, anker - 2, …
    } laufend_;
};
