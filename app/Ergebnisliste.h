#pragma once

// The model of the result list: a view of the lines the search wrote into
// the core's TFundliste, announced to the view in batches. A command
// appends lines as fast as it finds them; the view learns of them at the
// next message dispatch, all at once, with one row insertion at the end
// (never a reset, which would leave the view without rows until it laid
// them out again).

#include <QAbstractListModel>

#include <cstdint>

class TFundliste;

class TErgebnisliste : public QAbstractListModel {
    Q_OBJECT

public:
    // funde: the window's own list, which outlives this model.
    explicit TErgebnisliste(const TFundliste& funde, QObject* eltern = nullptr);

    // The lines the view shows; the rest wait for Zeigen.
    int rowCount(const QModelIndex& eltern = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;

    // A line was appended at index; the view sees it at the next Zeigen.
    void Angehaengt(uint32_t index);
    // A line's kind changed; a shown one is repainted.
    void Geaendert(uint32_t index);
    // The list was emptied: so is the view, at once.
    void Geleert();
    // Announces the lines appended since the last call, in one insertion.
    void Zeigen();
    // The number of bytes of the longest line so far, for the view's width.
    uint32_t LaengsteZeile() const { return laengste_; }
    uint32_t LaengsteZeileIndex() const { return laengsteIndex_; }

private:
    void Messen(uint32_t index);

    const TFundliste& funde_; // non-owning, the window owns it
    uint32_t gezeigt_ = 0;    // lines the view knows of
    uint32_t laengste_ = 0;
    uint32_t laengsteIndex_ = 0;
};
