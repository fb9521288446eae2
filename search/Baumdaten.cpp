#include "search/Baumdaten.h"

uint16_t TBaumdaten::NeuerLauf()
{
    laeufe.emplace_back();
    return static_cast<uint16_t>(laeufe.size() - 1);
}

TBaumEintrag& TBaumdaten::Eintragen(uint16_t lauf, uint32_t verzeichnis, std::string_view name)
{
    TBaumEintrag& eintrag = laeufe[lauf].emplace_back();
    eintrag.name = speicher_.KurzAblegen(name);
    eintrag.verzeichnis = verzeichnis;
    return eintrag;
}

std::string TBaumdaten::Pfad(const TBaumEintrag& eintrag) const
{
    std::string pfad(verzeichnisse[eintrag.verzeichnis].pfad);
    pfad.append(Name(eintrag));
    return pfad;
}

size_t TBaumdaten::PfadLaenge(const TBaumEintrag& eintrag) const
{
    return verzeichnisse[eintrag.verzeichnis].pfad.size() + Name(eintrag).size();
}

plattform::TDateiKennung TBaumdaten::Kennung(const TBaumEintrag& eintrag) const
{
    plattform::TDateiKennung kennung;
    if (!eintrag.regulaer)
        return kennung; // never looked at
    if (eintrag.geraet < geraete_.size()) {
        kennung.geraet = geraete_[eintrag.geraet].geraet;
        kennung.knotenHoch = geraete_[eintrag.geraet].knotenHoch;
    }
    kennung.knoten = eintrag.knoten;
    return kennung;
}

void TBaumdaten::KennungSetzen(TBaumEintrag& eintrag, const plattform::TDateiKennung& kennung)
{
    const TGeraet geraet{kennung.geraet, kennung.knotenHoch};
    const auto [stelle, neu] = geraetNummer_.try_emplace(geraet, static_cast<uint32_t>(geraete_.size()));
    if (neu)
        geraete_.push_back(geraet);
    eintrag.geraet = stelle->second;
    eintrag.knoten = kennung.knoten;
}

void TBaumdaten::Leeren()
{
    std::vector<TBaumVerzeichnis>().swap(verzeichnisse);
    std::deque<std::deque<TBaumEintrag>>().swap(laeufe);
    speicher_.Leeren();
    std::vector<TGeraet>().swap(geraete_);
    geraetNummer_.clear();
}

bool GleicherEintrag(const TBaumEintrag& x, const TBaumEintrag& y, const TBaumdaten& daten)
{
    // The file first: different files (nearly every pair) are told apart
    // without a look at their directories.
    if (!TBaumdaten::GleicheKennung(x, y))
        return false;
    const TBaumVerzeichnis& vx = daten.verzeichnisse[x.verzeichnis];
    const TBaumVerzeichnis& vy = daten.verzeichnisse[y.verzeichnis];
    return vx.bekannt && vy.bekannt && vx.kennung == vy.kennung && TBaumdaten::Name(x) == TBaumdaten::Name(y);
}
