#include "app/Ergebnisliste.h"

#include <QString>

TErgebnisliste::TErgebnisliste(QObject* eltern) : QAbstractListModel(eltern) {}

int TErgebnisliste::rowCount(const QModelIndex& eltern) const
{
    return eltern.isValid() ? 0 : static_cast<int>(gezeigt_);
}

QVariant TErgebnisliste::data(const QModelIndex& index, int rolle) const
{
    if (rolle != Qt::DisplayRole || !index.isValid() || static_cast<uint32_t>(index.row()) >= gezeigt_)
        return {};
    // The core's texts are UTF-8; bytes that are not show as replacement
    // characters, while the store keeps them as they were.
    const std::string_view zeile = speicher_.Zeile(static_cast<uint32_t>(index.row()));
    return QString::fromUtf8(zeile.data(), static_cast<qsizetype>(zeile.size()));
}

std::string TErgebnisliste::ZeileKopie(uint32_t index) const
{
    return index < speicher_.Anzahl() ? std::string(speicher_.Zeile(index)) : std::string();
}

void TErgebnisliste::Anhaengen(std::string_view zeile)
{
    if (zeile.size() > laengste_) {
        laengste_ = static_cast<uint32_t>(zeile.size());
        laengsteIndex_ = speicher_.Anzahl();
    }
    speicher_.Anhaengen(zeile);
}

void TErgebnisliste::Setzen(uint32_t index, std::string_view zeile)
{
    if (index >= speicher_.Anzahl())
        return;
    speicher_.Setzen(index, zeile);
    if (zeile.size() > laengste_) {
        laengste_ = static_cast<uint32_t>(zeile.size());
        laengsteIndex_ = index;
    }
    if (index < gezeigt_) {
        const QModelIndex stelle = createIndex(static_cast<int>(index), 0);
        emit dataChanged(stelle, stelle, {Qt::DisplayRole});
    }
}

void TErgebnisliste::Leeren()
{
    beginResetModel();
    speicher_.Leeren();
    gezeigt_ = 0;
    laengste_ = 0;
    laengsteIndex_ = 0;
    endResetModel();
}

void TErgebnisliste::Zeigen()
{
    const uint32_t anzahl = speicher_.Anzahl();
    if (anzahl == gezeigt_)
        return;
    beginInsertRows(QModelIndex(), static_cast<int>(gezeigt_), static_cast<int>(anzahl - 1));
    gezeigt_ = anzahl;
    endInsertRows();
}
