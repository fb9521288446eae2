#pragma once

// The model of the result list: the lines in a compact store, announced to
// the view in batches. A command appends lines as fast as it finds them;
// the view learns of them at the next message dispatch, all at once, with
// one row insertion at the end (never a reset, which would leave the view
// without rows until it laid them out again).

#include "app/Zeilenspeicher.h"

#include <QAbstractListModel>

#include <cstdint>
#include <string>
#include <string_view>

class TErgebnisliste : public QAbstractListModel {
    Q_OBJECT

public:
    explicit TErgebnisliste(QObject* eltern = nullptr);

    // The lines the view shows; the rest wait for Zeigen.
    int rowCount(const QModelIndex& eltern = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;

    // Every line, shown or not.
    uint32_t Anzahl() const { return speicher_.Anzahl(); }
    std::string_view Zeile(uint32_t index) const { return speicher_.Zeile(index); }
    // The line's bytes, empty past the end.
    std::string ZeileKopie(uint32_t index) const;

    // Appends a line; the view sees it at the next Zeigen.
    void Anhaengen(std::string_view zeile);
    // Replaces a line; a shown one is repainted.
    void Setzen(uint32_t index, std::string_view zeile);
    // Empties the list and the view at once.
    void Leeren();
    // Announces the lines appended since the last call, in one insertion.
    void Zeigen();
    // The number of bytes of the longest line so far, for the view's width.
    uint32_t LaengsteZeile() const { return laengste_; }
    uint32_t LaengsteZeileIndex() const { return laengsteIndex_; }

private:
    TZeilenspeicher speicher_;
    uint32_t gezeigt_ = 0; // lines the view knows of
    uint32_t laengste_ = 0;
    uint32_t laengsteIndex_ = 0;
};
