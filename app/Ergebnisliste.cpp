#include "app/Ergebnisliste.h"

#include "search/Fundliste.h"

#include <QString>

TErgebnisliste::TErgebnisliste(const TFundliste& funde, QObject* eltern) : QAbstractListModel(eltern), funde_(funde) {}

int TErgebnisliste::rowCount(const QModelIndex& eltern) const
{
    return eltern.isValid() ? 0 : static_cast<int>(gezeigt_);
}

QVariant TErgebnisliste::data(const QModelIndex& index, int rolle) const
{
    if (rolle != Qt::DisplayRole || !index.isValid() || static_cast<uint32_t>(index.row()) >= gezeigt_
        || static_cast<uint32_t>(index.row()) >= funde_.Anzahl())
        return {};
    // The core's texts are UTF-8; bytes that are not show as replacement
    // characters, while the list keeps them as they were.
    const std::string zeile = funde_.Text(static_cast<uint32_t>(index.row()));
    return QString::fromUtf8(zeile.data(), static_cast<qsizetype>(zeile.size()));
}

void TErgebnisliste::Messen(uint32_t index)
{
    const auto laenge = static_cast<uint32_t>(funde_.TextLaenge(index));
    if (laenge > laengste_) {
        laengste_ = laenge;
        laengsteIndex_ = index;
    }
}

void TErgebnisliste::Angehaengt(uint32_t index)
{
    Messen(index);
}

void TErgebnisliste::Geaendert(uint32_t index)
{
    if (index >= funde_.Anzahl())
        return;
    Messen(index);
    if (index < gezeigt_) {
        const QModelIndex stelle = createIndex(static_cast<int>(index), 0);
        emit dataChanged(stelle, stelle, {Qt::DisplayRole});
    }
}

void TErgebnisliste::Geleert()
{
    beginResetModel();
    gezeigt_ = 0;
    laengste_ = 0;
    laengsteIndex_ = 0;
    endResetModel();
}

void TErgebnisliste::Zeigen()
{
    const uint32_t anzahl = funde_.Anzahl();
    if (anzahl == gezeigt_)
        return;
    beginInsertRows(QModelIndex(), static_cast<int>(gezeigt_), static_cast<int>(anzahl - 1));
    gezeigt_ = anzahl;
    endInsertRows();
}
