#include "app/Listenmodell.h"

#include <QString>


TListenmodell::TListenmodell(std::function<std::string(uint32_t)> reihentext, QObject* eltern)
    : QAbstractListModel(eltern), reihentext_(std::move(reihentext))
{
}

int TListenmodell::rowCount(const QModelIndex& eltern) const
{
    return eltern.isValid() ? 0 : static_cast<int>(reihen_);
}

QVariant TListenmodell::data(const QModelIndex& index, int rolle) const
{
    if (rolle != Qt::DisplayRole || !index.isValid() || static_cast<uint32_t>(index.row()) >= reihen_)
        return {};
    // The core's texts are UTF-8; bytes that are not show as replacement
    // characters, while the list keeps them as they were.
    const std::string text = reihentext_(static_cast<uint32_t>(index.row()));
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void TListenmodell::Neu(uint32_t reihen)
{
    beginResetModel();
    reihen_ = reihen;
    endResetModel();
}

void TListenmodell::Angefuegt(uint32_t reihen)
{
    if (reihen <= reihen_)
        return;
    beginInsertRows(QModelIndex(), static_cast<int>(reihen_), static_cast<int>(reihen - 1));
    reihen_ = reihen;
    endInsertRows();
}

void TListenmodell::Geaendert(uint32_t reihe)
{
    if (reihe < reihen_)
        emit dataChanged(index(static_cast<int>(reihe)), index(static_cast<int>(reihe)), {Qt::DisplayRole});
}
