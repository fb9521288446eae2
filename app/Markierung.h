#pragma once

// The marks of the result list: one flag per line, kept by the list control
// itself. Qt's selection model holds a selection as a list of ranges, which
// a list of a million lines with every "!" line marked turns into hundreds
// of thousands of ranges, each merge and each look-up scanning all of them.
// This one keeps a bit per line and the range the user is dragging or
// extending with Shift, so that a look-up is O(1) and a marking command
// costs the lines it touches. (Ranges kept in the base class would make a
// second marking command on 100,000 lines take half a minute.) The base's
// selection() and isSelected() therefore see nothing: the view and the
// window ask Markiert and Zeilen.

#include <QItemSelectionModel>

#include <cstdint>
#include <vector>

class TMarkierung : public QItemSelectionModel {
    Q_OBJECT

public:
    explicit TMarkierung(QAbstractItemModel* modell, QObject* eltern = nullptr);

    // Whether line zeile is marked.
    bool Markiert(uint32_t zeile) const;
    // Marks (or unmarks) lines erste to ende - 1 at once.
    void Setzen(uint32_t erste, uint32_t ende, bool an);
    // The marked lines below anzahl, in ascending order: what a copy or move
    // takes once at its start.
    std::vector<uint32_t> Zeilen(uint32_t anzahl) const;

    // What the view asks for as the user clicks, drags and types. Only the
    // rows count; the ranges are never stored in the base class.
    void select(const QModelIndex& index, QItemSelectionModel::SelectionFlags befehl) override;
    void select(const QItemSelection& auswahl, QItemSelectionModel::SelectionFlags befehl) override;
    void clear() override;
    void reset() override;

signals:
    // The marks changed; the view repaints.
    void Geaendert();

private:
    // Settles the range the user was selecting into the flags.
    void Festschreiben();
    void Anwenden(uint32_t erste, uint32_t letzte, QItemSelectionModel::SelectionFlags befehl);

    std::vector<bool> an_; // settled flags; lines past its end are unmarked

    // The range of the selection in progress (Shift or a drag), applied on
    // top of the flags until the next selection that does not continue it.
    struct TLaufend {
        bool gueltig = false;
        uint32_t erste = 0, letzte = 0;
        QItemSelectionModel::SelectionFlags befehl;
    } laufend_;
};
