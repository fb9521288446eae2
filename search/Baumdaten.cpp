#include "search/Baumdaten.h"

#include "util/Fehler.h"

#include <algorithm>

uint16_t TBaumdaten::NeuerLauf()
{
    laeufe.emplace_back();
    return static_cast<uint16_t>(laeufe.size() - 1);
}

TBaumEintrag& TBaumdaten::Eintragen(uint16_t lauf, uint32_t verzeichnis, std::string_view name)
{
    // Length first (two bytes), then the bytes; a name never spans two blocks.
    const size_t laenge = std::min(name.size(), NameMax);
    if (2 + laenge > namenFrei_) {
        if (namen_.size() == (size_t{1} << (32 - NamenBlockBits)))
            throw EFehler("too many file names for one search");
        namen_.push_back(std::make_unique_for_overwrite<char[]>(NamenBlock));
        namenFrei_ = NamenBlock;
    }
    const size_t stelle = NamenBlock - namenFrei_;
    char* ziel = namen_.back().get() + stelle;
    ziel[0] = static_cast<char>(laenge & 0xFF);
    ziel[1] = static_cast<char>(laenge >> 8);
    std::copy_n(name.begin(), laenge, ziel + 2);
    namenFrei_ -= 2 + laenge;

    TBaumEintrag& eintrag = laeufe[lauf].emplace_back();
    eintrag.name = static_cast<uint32_t>(((namen_.size() - 1) << NamenBlockBits) | stelle);
    eintrag.verzeichnis = verzeichnis;
    return eintrag;
}

std::string_view TBaumdaten::Name(const TBaumEintrag& eintrag) const
{
    const char* name = namen_[eintrag.name >> NamenBlockBits].get() + (eintrag.name & (NamenBlock - 1));
    const size_t laenge = static_cast<size_t>(static_cast<unsigned char>(name[0]))
                          | static_cast<size_t>(static_cast<unsigned char>(name[1])) << 8;
    return {name + 2, laenge};
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
    if (neu) {
        if (geraete_.size() == (size_t{1} << 24))
            throw EFehler("too many file systems for one search");
        geraete_.push_back(geraet);
    }
    eintrag.geraet = stelle->second;
    eintrag.knoten = kennung.knoten;
}

void TBaumdaten::Leeren()
{
    std::vector<TBaumVerzeichnis>().swap(verzeichnisse);
    std::deque<std::deque<TBaumEintrag>>().swap(laeufe);
    speicher_.Leeren();
    std::vector<std::unique_ptr<char[]>>().swap(namen_);
    namenFrei_ = 0;
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
    return vx.bekannt && vy.bekannt && vx.kennung == vy.kennung && daten.Name(x) == daten.Name(y);
}

uint64_t ZeitenMischen(int64_t geaendert, int64_t statusGeaendert)
{
    // Two rounds of a 64-bit finaliser (splitmix64): every bit of either
    // time reaches every bit of the result. Never 0, the mark of "not seen".
    auto mischen = [](uint64_t x) {
        x ^= x >> 30;
        x *= 0xBF58476D1CE4E5B9ull;
        x ^= x >> 27;
        x *= 0x94D049BB133111EBull;
        return x ^ (x >> 31);
    };
    const uint64_t wert = mischen(mischen(static_cast<uint64_t>(geaendert)) ^ static_cast<uint64_t>(statusGeaendert));
    return wert != 0 ? wert : 1;
}

std::string MitTrenner(std::string verzeichnis)
{
    // Windows takes "/" between names as well; a text that ends with one
    // names its directory already.
    if (!verzeichnis.empty() && !plattform::BeendetVerzeichnisteil(verzeichnis.back()) && verzeichnis.back() != '/')
        verzeichnis += plattform::Trenner;
    return verzeichnis;
}
