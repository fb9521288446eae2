#include "fenster/Markierung.h"

#include "fenster/Ergebnisliste.h"

#include <algorithm>

void TMarkierung::Zaehlen(uint32_t zeile, bool an)
{
    const TZeilendatei datei = liste_.Datei(zeile);
    if (markiertJeDatei_.size() <= datei.lauf)
        markiertJeDatei_.resize(static_cast<size_t>(datei.lauf) + 1);
    std::vector<uint32_t>& lauf = markiertJeDatei_[datei.lauf];
    if (lauf.size() <= datei.eintrag)
        lauf.resize(std::max<size_t>(static_cast<size_t>(datei.eintrag) + 1, lauf.size() * 2), 0);
    uint32_t& zaehler = lauf[datei.eintrag];
    if (an && zaehler++ == 0) {
        ++anzahl_;
        bytes_ += datei.groesse;
    } else if (!an && --zaehler == 0) {
        --anzahl_;
        bytes_ -= datei.groesse;
    }
}

void TMarkierung::Bit(uint32_t zeile, bool an)
{
    if (Markiert(zeile) == an)
        return;
    if (an_.size() <= zeile)
        an_.resize(static_cast<size_t>(zeile) + 1, false);
    an_[zeile] = an;
    Zaehlen(zeile, an);
}

std::vector<uint32_t> TMarkierung::Zeilen(uint32_t anzahl) const
{
    // Past the flags no line is marked: a list whose first lines only were
    // marked is not scanned to its end.
    const auto ende = static_cast<uint32_t>(std::min<size_t>(anzahl, an_.size()));
    std::vector<uint32_t> zeilen;
    zeilen.reserve(std::min(anzahl_, ende)); // at least one line per marked file
    for (uint32_t zeile = 0; zeile < ende; ++zeile)
        if (an_[zeile])
            zeilen.push_back(zeile);
    return zeilen;
}

void TMarkierung::Setzen(uint32_t erste, uint32_t ende, bool an)
{
    if (erste >= ende)
        return;
    Festschreiben();
    if (!an && erste == 0 && ende >= an_.size()) {
        // All off: no need to weigh each line ("alle Markierungen löschen").
        Leeren();
        return;
    }
    if (an_.size() < ende)
        an_.resize(ende, false);
    // The sums change by the lines whose state changes, and only those are weighed.
    for (uint32_t zeile = erste; zeile < ende; ++zeile) {
        if (an_[zeile] == an)
            continue;
        an_[zeile] = an;
        Zaehlen(zeile, an);
    }
}

void TMarkierung::Leeren()
{
    laufend_ = {};
    std::fill(an_.begin(), an_.end(), false);
    for (std::vector<uint32_t>& lauf : markiertJeDatei_)
        std::fill(lauf.begin(), lauf.end(), 0);
    anzahl_ = 0;
    bytes_ = 0;
}

void TMarkierung::Vergessen()
{
    laufend_ = {};
    anker_ = 0;
    ziehenAn_ = true;
    std::vector<bool>().swap(an_);
    std::vector<std::vector<uint32_t>>().swap(markiertJeDatei_);
    anzahl_ = 0;
    bytes_ = 0;
}

void TMarkierung::Festschreiben()
{
    // Called before every marking command: costs nothing without a range.
    if (laufend_.gueltig)
        laufend_ = {};
}

bool TMarkierung::Vorher(uint32_t reihe)
{
    // Saved the first time the range covers the row, kept while it is in
    // progress: a drag that comes back over a row finds its old state.
    std::vector<bool>& seite = reihe >= laufend_.anker ? laufend_.unten : laufend_.oben;
    const size_t k = reihe >= laufend_.anker ? reihe - laufend_.anker : laufend_.anker - 1 - reihe;
    while (seite.size() <= k) {
        const size_t neu = seite.size();
        const uint32_t r = reihe >= laufend_.anker ? laufend_.anker + static_cast<uint32_t>(neu)
                                                   : laufend_.anker - 1 - static_cast<uint32_t>(neu);
        seite.push_back(Markiert(liste_.Zeile(r)));
    }
    return seite[k];
}

void TMarkierung::Bereich(uint32_t anker, uint32_t bis, bool an)
{
    if (laufend_.gueltig && (laufend_.anker != anker || laufend_.an != an)) {
        if (laufend_.anker == anker) {
            // The same anchor, another state (Shift after a Ctrl+click that
            // unmarked): the old range is undone, as Qt's lists do.
            const uint32_t von = std::min(anker, laufend_.bis), nach = std::max(anker, laufend_.bis);
            for (uint32_t r = von; r <= nach; ++r)
                Bit(liste_.Zeile(r), Vorher(r));
        }
        laufend_ = {};
    }
    if (!laufend_.gueltig) {
        laufend_.gueltig = true;
        laufend_.an = an;
        laufend_.anker = anker;
        laufend_.bis = anker;
        Vorher(anker);
        Bit(liste_.Zeile(anker), an);
    }
    const uint32_t alteVon = std::min(anker, laufend_.bis), alteNach = std::max(anker, laufend_.bis);
    const uint32_t von = std::min(anker, bis), nach = std::max(anker, bis);
    // Rows the range leaves get their old state; rows it reaches the new one.
    for (uint32_t r = alteVon; r < von; ++r)
        Bit(liste_.Zeile(r), Vorher(r));
    for (uint32_t r = nach + 1; r <= alteNach && r > nach; ++r)
        Bit(liste_.Zeile(r), Vorher(r));
    for (uint32_t r = von; r < alteVon; ++r) {
        Vorher(r);
        Bit(liste_.Zeile(r), an);
    }
    for (uint32_t r = alteNach + 1; r <= nach && r > alteNach; ++r) {
        Vorher(r);
        Bit(liste_.Zeile(r), an);
    }
    laufend_.bis = bis;
}

void TMarkierung::Druecken(uint32_t reihe, bool umschalt, bool strg)
{
    if (umschalt) {
        // From the anchor, replacing the range drawn from it before; what
        // Ctrl+clicks marked elsewhere stays.
        ziehenAn_ = true;
    } else if (strg) {
        Festschreiben();
        anker_ = reihe;
        ziehenAn_ = !Markiert(liste_.Zeile(reihe));
    } else {
        Leeren();
        anker_ = reihe;
        ziehenAn_ = true;
    }
    Ziehen(reihe);
}

void TMarkierung::Ziehen(uint32_t reihe)
{
    const uint32_t reihen = liste_.Reihen();
    if (reihe >= reihen)
        return;
    Bereich(std::min(anker_, reihen - 1), reihe, ziehenAn_);
}

void TMarkierung::AnkerSetzen(uint32_t reihe)
{
    anker_ = reihe;
}

void TMarkierung::Neugeordnet()
{
    Festschreiben();
    anker_ = 0;
}
