#include "search/Fundliste.h"

#include <algorithm>

void TFundliste::VerzeichnisseSetzen(std::string erstes, std::string zweites)
{
    verzeichnisse_[0] = std::move(erstes);
    verzeichnisse_[1] = std::move(zweites);
}

TFund TFundliste::Aufnehmen(char art, uint8_t baum, std::string_view pfad, const plattform::TQuellStand* stand)
{
    size_t namensAnfang = pfad.size();
    while (namensAnfang > 0 && !plattform::BeendetVerzeichnisteil(pfad[namensAnfang - 1]))
        --namensAnfang;
    // The directory the tree was searched from is part of the directory,
    // however it ends (a "/" given on Windows ends no directory there).
    const std::string& basis = Verzeichnis(baum);
    if (pfad.starts_with(basis))
        namensAnfang = std::max(namensAnfang, basis.size());
    // A text longer than any name the system gives keeps the rest with its directory part.
    namensAnfang = std::max(namensAnfang, pfad.size() - std::min(pfad.size(), TBaumdaten::NameMax));
    const std::string verzeichnis(pfad.substr(0, namensAnfang));
    const auto [stelle, neu] =
        aufgenommeneVerzeichnisse_.try_emplace(verzeichnis, static_cast<uint32_t>(daten_.verzeichnisse.size()));
    if (neu)
        daten_.verzeichnisse.push_back({daten_.Ablegen(verzeichnis), {}, false, true});
    if (aufnahmeLauf_ < 0)
        aufnahmeLauf_ = daten_.NeuerLauf();
    const auto lauf = static_cast<uint16_t>(aufnahmeLauf_);
    TBaumEintrag& eintrag = daten_.Eintragen(lauf, stelle->second, pfad.substr(namensAnfang));
    if (stand) {
        eintrag.regulaer = true;
        eintrag.groesse = stand->stand.groesse;
        eintrag.zeiten = ZeitenMischen(stand->stand.geaendert, stand->statusGeaendert);
        daten_.KennungSetzen(eintrag, stand->stand.kennung);
    }
    return {static_cast<uint32_t>(daten_.laeufe[lauf].size() - 1), lauf, baum, art};
}

std::string TFundliste::Relativ(uint32_t index) const
{
    const TBaumEintrag& eintrag = Eintrag(index);
    std::string_view verzeichnis = daten_.verzeichnisse[eintrag.verzeichnis].pfad;
    const std::string& basis = Verzeichnis(funde_[index].baum);
    if (verzeichnis.starts_with(basis))
        verzeichnis.remove_prefix(basis.size());
    std::string relativ(verzeichnis);
    relativ.append(daten_.Name(eintrag));
    return relativ;
}

bool TFundliste::Kennung(uint32_t index, plattform::TDateiKennung& kennung) const
{
    const TBaumEintrag& eintrag = Eintrag(index);
    kennung = daten_.Kennung(eintrag);
    return eintrag.regulaer;
}

bool TFundliste::Unveraendert(uint32_t index, const plattform::TQuellStand& jetzt) const
{
    const TBaumEintrag& eintrag = Eintrag(index);
    if (!eintrag.regulaer || daten_.Kennung(eintrag) != jetzt.stand.kennung)
        return false;
    if (eintrag.groesse >= 0 && eintrag.groesse != jetzt.stand.groesse)
        return false;
    return eintrag.zeiten == 0 || eintrag.zeiten == ZeitenMischen(jetzt.stand.geaendert, jetzt.statusGeaendert);
}

std::string_view TFundliste::Praefix(char art)
{
    // A plus sign and five blanks: the file stands under its "! " line.
    return art == '+' ? std::string_view("+     ") : art == '!' ? std::string_view("! ") : std::string_view("- ");
}

std::string TFundliste::Text(uint32_t index) const
{
    const TBaumEintrag& eintrag = Eintrag(index);
    std::string text(Praefix(funde_[index].art));
    text.append(daten_.verzeichnisse[eintrag.verzeichnis].pfad);
    text.append(daten_.Name(eintrag));
    return text;
}

size_t TFundliste::TextLaenge(uint32_t index) const
{
    return Praefix(funde_[index].art).size() + daten_.PfadLaenge(Eintrag(index));
}

void TFundliste::Leeren()
{
    std::deque<TFund>().swap(funde_);
    daten_.Leeren();
    aufgenommeneVerzeichnisse_.clear();
    aufnahmeLauf_ = -1;
}

std::vector<std::pair<uint32_t, uint32_t>> TFundliste::Bereiche(char art) const
{
    std::vector<std::pair<uint32_t, uint32_t>> bereiche;
    const uint32_t anzahl = Anzahl();
    for (uint32_t i = 0; i < anzahl; ++i) {
        if (funde_[i].art != art)
            continue;
        uint32_t ende = i + 1;
        while (ende < anzahl && funde_[ende].art == art)
            ++ende;
        bereiche.emplace_back(i, ende);
        i = ende;
    }
    return bereiche;
}
