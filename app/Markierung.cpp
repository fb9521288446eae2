#include "app/Markierung.h"

#include <algorithm>

TMarkierung::TMarkierung(QAbstractItemModel* modell, QObject* eltern) : QItemSelectionModel(modell, eltern) {}

bool TMarkierung::Markiert(uint32_t zeile) const
{
    bool an = zeile < an_.size() && an_[zeile];
    if (laufend_.gueltig && zeile >= laufend_.erste && zeile <= laufend_.letzte) {
        // The order in which Qt's own model weighs them.
        if (laufend_.befehl & Deselect)
            an = false;
        else if (laufend_.befehl & Toggle)
            an = !an;
        else if (laufend_.befehl & Select)
            an = true;
    }
    return an;
}

std::vector<uint32_t> TMarkierung::Zeilen(uint32_t anzahl) const
{
    // Past the flags and the range in progress no line is marked: a list
    // whose first lines only were marked is not scanned to its end.
    const size_t laufendBis = laufend_.gueltig ? size_t{laufend_.letzte} + 1 : 0;
    const auto ende = static_cast<uint32_t>(std::min<size_t>(anzahl, std::max(an_.size(), laufendBis)));
    std::vector<uint32_t> zeilen;
    for (uint32_t zeile = 0; zeile < ende; ++zeile)
        if (Markiert(zeile))
            zeilen.push_back(zeile);
    return zeilen;
}

void TMarkierung::Anwenden(uint32_t erste, uint32_t letzte, SelectionFlags befehl)
{
    if (an_.size() <= letzte)
        an_.resize(static_cast<size_t>(letzte) + 1, false);
    const auto von = an_.begin() + erste;
    const auto bis = an_.begin() + letzte + 1;
    if (befehl & Deselect)
        std::fill(von, bis, false);
    else if (befehl & Toggle)
        for (auto bit = von; bit != bis; ++bit)
            *bit = !*bit;
    else if (befehl & Select)
        std::fill(von, bis, true);
}

void TMarkierung::Festschreiben()
{
    if (laufend_.gueltig)
        Anwenden(laufend_.erste, laufend_.letzte, laufend_.befehl);
    laufend_.gueltig = false;
}

void TMarkierung::Setzen(uint32_t erste, uint32_t ende, bool an)
{
    if (erste >= ende)
        return;
    Festschreiben();
    Anwenden(erste, ende - 1, an ? Select : Deselect);
    emit Geaendert();
}

void TMarkierung::select(const QModelIndex& index, SelectionFlags befehl)
{
    select(QItemSelection(index, index), befehl);
}

void TMarkierung::select(const QItemSelection& auswahl, SelectionFlags befehl)
{
    if (befehl == NoUpdate)
        return;
    if (befehl & Clear) {
        an_.clear();
        laufend_.gueltig = false;
    }
    // A selection that does not continue the current one settles it first;
    // one that does (Shift, a drag) replaces it.
    if (befehl & Current)
        laufend_.gueltig = false;
    else
        Festschreiben();

    const SelectionFlags art = befehl & (Select | Deselect | Toggle);
    if (art != NoUpdate) {
        std::vector<std::pair<uint32_t, uint32_t>> bereiche;
        for (const QItemSelectionRange& bereich : auswahl)
            if (bereich.isValid() && bereich.model() == model())
                bereiche.emplace_back(bereich.top(), bereich.bottom());
        if (bereiche.size() == 1) {
            laufend_ = {true, bereiche[0].first, bereiche[0].second, art};
        } else {
            for (const auto& [erste, letzte] : bereiche)
                Anwenden(erste, letzte, art);
        }
    }
    emit Geaendert();
}

void TMarkierung::clear()
{
    an_.clear();
    laufend_.gueltig = false;
    QItemSelectionModel::clear();
    emit Geaendert();
}

void TMarkierung::reset()
{
    // The lines are gone: so are their marks, and the memory for them.
    std::vector<bool>().swap(an_);
    laufend_.gueltig = false;
    QItemSelectionModel::reset();
    emit Geaendert();
}
