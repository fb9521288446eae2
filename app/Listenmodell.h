#pragma once

// The rows of the result list as Qt's views take them: a model over the
// window's logic, which holds the lines, their order and their texts
// (TFensterlogik::Reihentext gives a row's). It
// announces what the logic says: new rows in one insertion per dispatch
// (never a reset, which would leave the view without rows until it laid
// them out again), a reset when the rows are new, a changed row.

#include <QAbstractListModel>

#include <cstdint>
#include <functional>
#include <string>

class TListenmodell : public QAbstractListModel {
    Q_OBJECT

public:
    // reihentext gives a row's text, bytes as the core keeps them.
    explicit TListenmodell(std::function<std::string(uint32_t reihe)> reihentext, QObject* eltern = nullptr);

    int rowCount(const QModelIndex& eltern = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;

    // The rows are new: emptied or reordered; reihen of them are shown.
    void Neu(uint32_t reihen);
    // Rows were appended: reihen are shown.
    void Angefuegt(uint32_t reihen);
    // A row's text changed.
    void Geaendert(uint32_t reihe);

private:
    std::function<std::string(uint32_t)> reihentext_;
    uint32_t reihen_ = 0; // the rows the views know of
};
