#pragma once

// The model of the result list: a view of the lines the search wrote into
// the core's TFundliste, announced to the view in batches. A command
// appends lines as fast as it finds them; the view learns of them at the
// next message dispatch, all at once, with one row insertion at the end
// (never a reset, which would leave the view without rows until it laid
// them out again).
//
// The rows show the lines in the walk's order, or sorted by path or size
// with each group kept whole: the order is a table of line indices, one
// per row. Everything else (marks, commands, export) goes by line index.

#include "app/Markierung.h"

#include <QAbstractListModel>

#include <cstdint>
#include <vector>

class TFundliste;

class TErgebnisliste : public QAbstractListModel {
    Q_OBJECT

public:
    enum class TOrdnung { Lauf, Pfad, Groesse };

    // funde: the window's own list, which outlives this model.
    explicit TErgebnisliste(const TFundliste& funde, QObject* eltern = nullptr);

    // The lines the view shows; the rest wait for Zeigen.
    int rowCount(const QModelIndex& eltern = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;

    // The line shown in row reihe (a row below rowCount).
    uint32_t Zeile(uint32_t reihe) const { return ordnung_.empty() ? reihe : ordnung_[reihe]; }
    // A line's text as the list shows it (by line, not by row).
    QString Zeilentext(uint32_t zeile) const;
    // A line's file size in bytes (0 where the search could not tell).
    uint64_t Groesse(uint32_t zeile) const;
    // A line's file: its entry, shared by every line that names it, and its size.
    TZeilendatei Datei(uint32_t zeile) const;
    // The size for the row's second column: on a group's first line and on
    // a line alone, empty on the "+" lines under it.
    QString Groessenspalte(uint32_t reihe) const;
    // The bytes the files of the shown "+" lines take, each file once
    // however many "+" lines name it: what removing them would free.
    uint64_t PlusBytes() const { return plusBytes_; }

    // Shows the lines in the walk's order, or sorted with their groups whole:
    // by the path of a group's first line, or by size, largest first (equal
    // ones keep their order).
    void Sortieren(TOrdnung ordnung);

    // A line was appended at index; the view sees it at the next Zeigen.
    void Angehaengt(uint32_t index);
    // A line's kind changed; a shown one is repainted.
    void Geaendert(uint32_t index);
    // The list was emptied: so is the view, at once, and the order is the walk's again.
    void Geleert();
    // Announces the lines appended since the last call, in one insertion.
    void Zeigen();
    // The number of bytes of the longest line so far, for the view's width.
    uint32_t LaengsteZeile() const { return laengste_; }
    uint32_t LaengsteZeileIndex() const { return laengsteIndex_; }

signals:
    // New lines are shown; the sum of the "+" lines may have changed.
    void Gezeigt();

private:
    void Messen(uint32_t index);

    const TFundliste& funde_; // non-owning, the window owns it
    uint32_t gezeigt_ = 0;    // lines the view knows of
    uint32_t laengste_ = 0;
    uint32_t laengsteIndex_ = 0;
    uint64_t plusBytes_ = 0;
    // Per walk and entry, whether the file was counted in plusBytes_.
    std::vector<std::vector<bool>> plusGezaehlt_;
    std::vector<uint32_t> ordnung_; // row -> line; empty for the walk's order
};
