#include "search/Inhaltsklassen.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace {

// At most this many files are open and compared side by side.
constexpr size_t MaxOffen = 256;
// The buffers of one side-by-side comparison together.
constexpr int64_t PufferBudget = int64_t{512} << 10;
constexpr int64_t MinBlock = 16 << 10;
constexpr int64_t MaxBlock = 64 << 10;
constexpr int64_t EndBlock = 4096;

// One file (all paths of one identity) being classified.
struct TVertreter {
    std::vector<size_t> pfade; // indices into the entries
    uint8_t seiten = 0;
};

using TGruppe = std::vector<size_t>; // indices of TVertreter

class TKlassierer {
public:
    TKlassierer(std::vector<TKlassenEintrag>& eintraege, int64_t groesse, int32_t& naechsteKlasse,
                const TZwischendurch& zwischendurch)
        : eintraege_(eintraege), groesse_(groesse), naechsteKlasse_(naechsteKlasse), zwischendurch_(zwischendurch)
    {
    }

    bool Ausfuehren()
    {
        VertreterBilden();
        TGruppe alle(vertreter_.size());
        for (size_t i = 0; i < alle.size(); ++i)
            alle[i] = i;
        if (!Lohnend(alle))
            return true;
        return Einteilen(alle);
    }

private:
    void VertreterBilden()
    {
        std::unordered_map<uint64_t, std::vector<size_t>> nachKnoten;
        for (size_t i = 0; i < eintraege_.size(); ++i) {
            const auto& kennung = eintraege_[i].kennung;
            auto& kandidaten = nachKnoten[kennung.knoten];
            size_t gefunden = vertreter_.size();
            for (size_t v : kandidaten)
                if (eintraege_[vertreter_[v].pfade.front()].kennung == kennung)
                    gefunden = v;
            if (gefunden == vertreter_.size()) {
                vertreter_.emplace_back();
                kandidaten.push_back(gefunden);
            }
            vertreter_[gefunden].pfade.push_back(i);
            vertreter_[gefunden].seiten |= eintraege_[i].seiten;
        }
    }

    // A group is worth reading when it could still give a line: two paths,
    // one of each tree.
    bool Lohnend(const TGruppe& gruppe) const
    {
        size_t pfade = 0;
        uint8_t seiten = 0;
        for (size_t v : gruppe) {
            pfade += vertreter_[v].pfade.size();
            seiten |= vertreter_[v].seiten;
        }
        return pfade >= 2 && seiten == 3;
    }

    std::string_view Pfad(size_t v) const { return eintraege_[vertreter_[v].pfade.front()].pfad; }

    plattform::TDatei Oeffnen(size_t v) const { return plattform::TDatei::OeffnenLesen(std::string(Pfad(v))); }

    void OeffenbarSetzen(size_t v, bool oeffenbar)
    {
        for (size_t i : vertreter_[v].pfade)
            eintraege_[i].oeffenbar = oeffenbar ? 1 : 0;
    }

    void KlasseVergeben(const TGruppe& gruppe)
    {
        const int32_t klasse = naechsteKlasse_++;
        for (size_t v : gruppe)
            for (size_t i : vertreter_[v].pfade)
                eintraege_[i].klasse = klasse;
    }

    bool Einteilen(const TGruppe& gruppe)
    {
        if (gruppe.size() <= MaxOffen)
            return NebeneinanderVergleichen(gruppe);
        // Too many to compare side by side: most files of one size already
        // differ in their first or last block, so sort by those first, one
        // file open at a time.
        std::unordered_map<uint64_t, TGruppe> nachRand;
        std::vector<char> daten(static_cast<size_t>(2 * EndBlock));
        for (size_t v : gruppe) {
            if (zwischendurch_(Pfad(v), 0))
                return false;
            plattform::TDatei datei = Oeffnen(v);
            const int64_t kopf = std::min(EndBlock, groesse_);
            const int64_t ende = std::min(EndBlock, groesse_ - kopf);
            const bool ok = datei.Offen() && datei.Laenge() == groesse_
                            && datei.LesenAb(0, daten.data(), kopf) == kopf
                            && datei.LesenAb(groesse_ - ende, daten.data() + kopf, ende) == ende;
            OeffenbarSetzen(v, ok);
            if (ok)
                nachRand[Pruefsumme(daten.data(), kopf + ende, 1469598103934665603ull)].push_back(v);
        }
        for (auto& [summe, teil] : nachRand) {
            if (!Lohnend(teil))
                continue;
            if (!(teil.size() <= MaxOffen ? NebeneinanderVergleichen(teil) : GrosseGruppeEinteilen(teil)))
                return false;
        }
        return true;
    }

    // A quick checksum, eight bytes at a time: enough to tell most different
    // files apart, and never trusted to call two files alike.
    static uint64_t Pruefsumme(const char* daten, int64_t menge, uint64_t summe)
    {
        int64_t i = 0;
        for (; i + 8 <= menge; i += 8) {
            uint64_t wort;
            std::memcpy(&wort, daten + i, sizeof wort);
            summe = (summe ^ wort) * 0x9E3779B97F4A7C15ull;
            summe ^= summe >> 29;
        }
        for (; i < menge; ++i)
            summe = (summe ^ static_cast<unsigned char>(daten[i])) * 1099511628211ull;
        return summe;
    }

    // Opens the group's files, splits them by their last bytes (files that
    // differ only at the end are told apart without reading them whole), then
    // reads all of them block by block in step, splitting at every difference.
    bool NebeneinanderVergleichen(const TGruppe& gruppe)
    {
        std::vector<plattform::TDatei> dateien(vertreter_.size());
        TGruppe offen;
        for (size_t v : gruppe) {
            dateien[v] = Oeffnen(v);
            const bool ok = dateien[v].Offen() && dateien[v].Laenge() == groesse_;
            OeffenbarSetzen(v, ok);
            if (ok)
                offen.push_back(v);
        }
        if (!Lohnend(offen))
            return true;
        // Empty files are all alike, and a file is alike to itself under
        // every name it has: nothing to read.
        if (groesse_ == 0 || offen.size() == 1) {
            KlasseVergeben(offen);
            return true;
        }

        const int64_t block = std::clamp<int64_t>(PufferBudget / static_cast<int64_t>(offen.size()) / EndBlock * EndBlock,
                                                  MinBlock, MaxBlock);
        std::vector<std::unique_ptr<char[]>> puffer(vertreter_.size());
        for (size_t v : offen)
            puffer[v] = std::make_unique_for_overwrite<char[]>(static_cast<size_t>(block));

        // Most files of one size differ in their first bytes, some only at
        // the end: look at the first and the last block before reading the
        // rest, and let the blocks grow while the files stay alike.
        std::vector<TGruppe> gruppen{offen};
        int64_t menge = std::min(EndBlock, groesse_);
        int64_t position = 0;
        bool endeGeprueft = groesse_ <= 2 * EndBlock;
        while (position < groesse_ && !gruppen.empty()) {
            if (zwischendurch_(Pfad(gruppen.front().front()), position))
                return false;
            menge = std::min(menge, groesse_ - position);
            gruppen = Aufteilen(gruppen, dateien, puffer, position, menge, false);
            position += menge;
            if (!endeGeprueft && !gruppen.empty()) {
                gruppen = Aufteilen(gruppen, dateien, puffer, groesse_ - EndBlock, EndBlock, true);
                endeGeprueft = true;
            }
            menge = std::min(menge * 4, block);
        }
        for (const TGruppe& fertig : gruppen)
            KlasseVergeben(fertig);
        return true;
    }

    // Reads menge bytes of every file of every group (at a position, or on
    // from the current one) and splits each group by the bytes read. Groups
    // that are no longer worth it are dropped; a file that cannot be read
    // drops out on its own.
    std::vector<TGruppe> Aufteilen(const std::vector<TGruppe>& gruppen, std::vector<plattform::TDatei>& dateien,
                                   std::vector<std::unique_ptr<char[]>>& puffer, int64_t position, int64_t menge,
                                   bool abPosition)
    {
        std::vector<TGruppe> neu;
        for (const TGruppe& gruppe : gruppen) {
            std::vector<TGruppe> teile;
            for (size_t v : gruppe) {
                char* daten = puffer[v].get();
                const int64_t gelesen = abPosition ? dateien[v].LesenAb(position, daten, menge)
                                                   : dateien[v].Lesen(daten, menge);
                if (gelesen != menge) {
                    dateien[v] = plattform::TDatei();
                    continue;
                }
                auto teil = std::find_if(teile.begin(), teile.end(), [&](const TGruppe& t) {
                    return std::memcmp(puffer[t.front()].get(), daten, static_cast<size_t>(menge)) == 0;
                });
                if (teil == teile.end())
                    teile.push_back({v});
                else
                    teil->push_back(v);
            }
            for (TGruppe& teil : teile) {
                if (Lohnend(teil)) {
                    neu.push_back(std::move(teil));
                } else {
                    for (size_t v : teil)
                        dateien[v] = plattform::TDatei(); // done with it: close early
                }
            }
        }
        return neu;
    }

    // More files than may be open at once: a checksum of each file's whole
    // content (one at a time) sorts them into likely classes, and each likely
    // class is then proven byte for byte against one of its members.
    bool GrosseGruppeEinteilen(const TGruppe& gruppe)
    {
        std::unordered_map<uint64_t, TGruppe> nachSumme;
        std::vector<char> daten(static_cast<size_t>(MaxBlock));
        for (size_t v : gruppe) {
            plattform::TDatei datei = Oeffnen(v);
            bool ok = datei.Offen() && datei.Laenge() == groesse_;
            uint64_t summe = 1469598103934665603ull;
            for (int64_t position = 0; ok && position < groesse_;) {
                if (zwischendurch_(Pfad(v), position))
                    return false;
                const int64_t menge = std::min<int64_t>(MaxBlock, groesse_ - position);
                ok = datei.Lesen(daten.data(), menge) == menge;
                if (ok)
                    summe = Pruefsumme(daten.data(), menge, summe);
                position += menge;
            }
            OeffenbarSetzen(v, ok);
            if (ok)
                nachSumme[summe].push_back(v);
        }
        for (auto& [summe, kandidaten] : nachSumme) {
            while (Lohnend(kandidaten)) {
                // Prove each member against the first; those that differ try again among themselves.
                TGruppe gleich{kandidaten.front()};
                TGruppe uebrig;
                for (size_t i = 1; i < kandidaten.size(); ++i) {
                    bool identisch = false;
                    if (!PaarGleich(kandidaten.front(), kandidaten[i], identisch))
                        return false;
                    (identisch ? gleich : uebrig).push_back(kandidaten[i]);
                }
                if (Lohnend(gleich))
                    KlasseVergeben(gleich);
                kandidaten = std::move(uebrig);
            }
        }
        return true;
    }

    bool PaarGleich(size_t a, size_t b, bool& identisch)
    {
        plattform::TDatei dateiA = Oeffnen(a);
        plattform::TDatei dateiB = Oeffnen(b);
        identisch = false;
        if (!dateiA.Offen() || !dateiB.Offen())
            return true;
        std::vector<char> pufferA(static_cast<size_t>(MaxBlock)), pufferB(static_cast<size_t>(MaxBlock));
        for (int64_t position = 0; position < groesse_;) {
            if (zwischendurch_(Pfad(a), position))
                return false;
            const int64_t menge = std::min<int64_t>(MaxBlock, groesse_ - position);
            if (dateiA.Lesen(pufferA.data(), menge) != menge || dateiB.Lesen(pufferB.data(), menge) != menge
                || std::memcmp(pufferA.data(), pufferB.data(), static_cast<size_t>(menge)) != 0)
                return true;
            position += menge;
        }
        identisch = true;
        return true;
    }

    std::vector<TKlassenEintrag>& eintraege_;
    int64_t groesse_;
    int32_t& naechsteKlasse_;
    const TZwischendurch& zwischendurch_;
    std::vector<TVertreter> vertreter_;
};

} // namespace

bool KlassenBilden(std::vector<TKlassenEintrag>& eintraege, int64_t groesse, int32_t& naechsteKlasse,
                   const TZwischendurch& zwischendurch)
{
    return TKlassierer(eintraege, groesse, naechsteKlasse, zwischendurch).Ausfuehren();
}
