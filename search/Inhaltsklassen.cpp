#include "search/Inhaltsklassen.h"

#include "search/Vorleser.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <unordered_map>

namespace {

// The buffers of one side-by-side comparison together.
constexpr int64_t PufferBudget = int64_t{512} << 10;
constexpr int64_t MinBlock = 16 << 10;
constexpr int64_t MaxBlock = 64 << 10;
// What the files compared side by side ask the system to read ahead of
// them, together, and each at most.
constexpr int64_t VorausBudget = int64_t{32} << 20;
constexpr int64_t MaxVoraus = int64_t{4} << 20;
// A file of at most this size is read whole by its first and last block.
constexpr int64_t KleinGrenze = 2 * RandBlock;
// The contents of small files kept per group, to prove the next one equal
// without opening anything again.
constexpr size_t InhaltBudget = size_t{16} << 20;
// Files read between two calls of the caller's poll.
constexpr uint32_t PollAbstand = 32;
// Entries sorted into files between two calls of the caller's poll.
constexpr uint32_t VertreterPollAbstand = 4096;

constexpr uint32_t Keiner = std::numeric_limits<uint32_t>::max();

// One file (all paths of one identity) being classified.
struct TVertreter {
    uint32_t erster = 0;  // its first entry; the others follow through naechsterPfad_
    uint32_t pfade = 0;
    uint8_t seiten = 0;
    // Its names were looked at again (see NamenPruefen): whatever opens for
    // it must be this file, not one put in its name's place since.
    bool geprueft = false;
};

using TGruppe = std::vector<uint32_t>; // indices of TVertreter

// The files of a group by their identity: open addressing over a flat
// array, a few bytes per entry where a node-based map takes dozens, and a
// group can hold hundreds of thousands of entries.
class TKennungsTabelle {
public:
    explicit TKennungsTabelle(size_t eintraege)
    {
        size_t groesse = 16;
        while (groesse < 2 * eintraege)
            groesse *= 2;
        stellen_.assign(groesse, Keiner);
    }

    // The slot of the file with eintrag's identity, Keiner when none has it
    // yet (the caller fills it in). vertreter gives a file's entry.
    template <typename TVertreterEintrag>
    uint32_t& Stelle(const TBaumEintrag& eintrag, TVertreterEintrag&& vertreter)
    {
        const size_t maske = stellen_.size() - 1;
        uint64_t h = eintrag.knoten * 0x9E3779B97F4A7C15ull + eintrag.geraet;
        h ^= h >> 29;
        for (size_t i = static_cast<size_t>(h) & maske;; i = (i + 1) & maske) {
            uint32_t& stelle = stellen_[i];
            if (stelle == Keiner || TBaumdaten::GleicherStand(vertreter(stelle), eintrag))
                return stelle;
        }
    }

private:
    std::vector<uint32_t> stellen_;
};

enum class TOeffnung { Offen, Unlesbar, KeineDeskriptoren };
enum class TVerlauf { Fertig, Gestoppt, ZuWenigDeskriptoren };

class TKlassierer {
public:
    TKlassierer(std::vector<TKlassenEintrag>& eintraege, int64_t groesse, int32_t& naechsteKlasse,
                TLesestand& stand, const TZwischendurch& zwischendurch)
        : eintraege_(eintraege), groesse_(groesse), naechsteKlasse_(naechsteKlasse), stand_(stand),
          daten_(stand.daten), zwischendurch_(zwischendurch)
    {
    }

    bool Ausfuehren()
    {
        if (!VertreterBilden())
            return false;
        if (!Lohnend(vertreter_.size(), [](uint32_t v) { return v; }))
            return true;
        return groesse_ <= KleinGrenze ? KleineEinteilen() : GrosseEinteilen();
    }

private:
    // Paths of one file are read once: the entries taken in order, each new
    // identity a file, its later paths chained behind its first, so the
    // files stand in the order of their first path. A hash of the identities
    // rather than a sort: a group can hold hundreds of thousands of entries,
    // and the window is asked between them. False when stopped on request.
    bool VertreterBilden()
    {
        if (!Zusammenfassen())
            return false;
        if (std::all_of(vertreter_.begin(), vertreter_.end(), [](const TVertreter& v) { return v.pfade == 1; }))
            return true;
        NamenPruefen();
        return Zusammenfassen();
    }

    // Each name stands for itself. Reading a file once for all its names is
    // right only for the names that still name it: one may have been
    // replaced since the walk (editors and rsync save by renaming a new file
    // into place) or removed, and the file read through a sibling says
    // nothing of what it names now. So every name that shared its file with
    // another is looked at again, and joins the names of whatever file it
    // names now; a name that names nothing of this size any more is one that
    // cannot be opened, on its own. A name alone needs no look: it is opened
    // by itself, and what is read through it is what it names. The times go
    // with the new identity, so that a name alone that still carries the
    // walk's look at a file since deleted is never joined to a new file
    // that was given the same number.
    void NamenPruefen()
    {
        geprueft_.assign(eintraege_.size(), false);
        for (const TVertreter& v : vertreter_) {
            if (v.pfade < 2)
                continue;
            for (uint32_t i = v.erster; i != Keiner; i = naechsterPfad_[i]) {
                TBaumEintrag& eintrag = *eintraege_[i].datei;
                // Its times too: a copy or move later checks the file against them.
                plattform::TQuellStand stand;
                if (plattform::QuellStandLesen(daten_.Pfad(eintrag), stand) && stand.stand.groesse == groesse_)
                    StandSetzen(eintrag, stand);
                else
                    eintrag.oeffenbar = 0;
                geprueft_[i] = true;
            }
        }
    }

    void StandSetzen(TBaumEintrag& eintrag, const plattform::TQuellStand& stand)
    {
        daten_.KennungSetzen(eintrag, stand.stand.kennung);
        eintrag.zeiten = ZeitenMischen(stand.stand.geaendert, stand.statusGeaendert);
    }

    // Forms the files from the entries that may still be opened.
    bool Zusammenfassen()
    {
        const auto n = static_cast<uint32_t>(eintraege_.size());
        vertreter_.clear();
        naechsterPfad_.assign(n, Keiner);
        std::vector<uint32_t> letzterPfad; // of each file, where its chain grows
        TKennungsTabelle datei(n);
        for (uint32_t i = 0; i < n; ++i) {
            const TBaumEintrag& eintrag = *eintraege_[i].datei;
            if (i % VertreterPollAbstand == 0 && zwischendurch_(eintrag, 0))
                return false;
            if (eintrag.oeffenbar == 0)
                continue;
            uint32_t& stelle = datei.Stelle(eintrag, [&](uint32_t v) -> const TBaumEintrag& { return Eintrag(v); });
            if (stelle == Keiner) {
                stelle = static_cast<uint32_t>(vertreter_.size());
                vertreter_.push_back({i, 0, 0, false});
                letzterPfad.push_back(i);
            } else {
                naechsterPfad_[letzterPfad[stelle]] = i;
                letzterPfad[stelle] = i;
            }
            TVertreter& v = vertreter_[stelle];
            v.geprueft |= !geprueft_.empty() && geprueft_[i];
            ++v.pfade;
            v.seiten |= eintraege_[i].seiten;
        }
        return true;
    }

    // The first name of a file could not be opened as that file: it counts
    // as one that cannot be opened, on its own, and the next name is tried.
    // False when it was the last: the file itself cannot be opened.
    bool NaechsterName(uint32_t v)
    {
        TVertreter& vertreter = vertreter_[v];
        if (vertreter.pfade < 2)
            return false;
        eintraege_[vertreter.erster].datei->oeffenbar = 0;
        vertreter.erster = naechsterPfad_[vertreter.erster];
        --vertreter.pfade;
        vertreter.seiten = 0;
        for (uint32_t i = vertreter.erster; i != Keiner; i = naechsterPfad_[i])
            vertreter.seiten |= eintraege_[i].seiten;
        return true;
    }

    // A group is worth reading when it could still give a line: two files
    // (not two names of one), one named in the first tree and another in
    // the second. The n files are vertreter(0) to vertreter(n - 1).
    template <typename TVon>
    bool Lohnend(size_t n, TVon&& von) const
    {
        size_t eins = 0, zwei = 0, beide = 0;
        for (size_t i = 0; i < n; ++i) {
            const uint8_t seiten = vertreter_[von(static_cast<uint32_t>(i))].seiten;
            eins += seiten & 1;
            zwei += (seiten >> 1) & 1;
            beide += seiten == 3;
        }
        return eins > 0 && zwei > 0 && !(eins == 1 && zwei == 1 && beide == 1);
    }
    bool Lohnend(const TGruppe& gruppe) const
    {
        return Lohnend(gruppe.size(), [&](uint32_t i) { return gruppe[i]; });
    }

    // A file's first name that may still be opened.
    TBaumEintrag& Eintrag(uint32_t v) const { return *eintraege_[vertreter_[v].erster].datei; }

    void OeffenbarSetzen(uint32_t v, bool oeffenbar)
    {
        for (uint32_t i = vertreter_[v].erster; i != Keiner; i = naechsterPfad_[i])
            eintraege_[i].datei->oeffenbar = oeffenbar ? 1 : 0;
    }

    void KlasseVergeben(const TGruppe& gruppe)
    {
        const int32_t klasse = naechsteKlasse_++;
        for (uint32_t v : gruppe)
            for (uint32_t i = vertreter_[v].erster; i != Keiner; i = naechsterPfad_[i])
                eintraege_[i].datei->klasse = klasse;
    }

    bool Poll(uint32_t v, uint32_t zaehler, int64_t position)
    {
        return zaehler % PollAbstand == 0 && zwischendurch_(Eintrag(v), position);
    }

    // Opens a file of the group by its first name; a file whose length
    // changed since the walk cannot be compared and counts as one that
    // cannot be opened. When a name fails, the file's next name is tried: a
    // name that cannot be opened (too long, a link too many on the way, a
    // directory of its own that is locked) says nothing of the others.
    // With rand, the first look at the group's files in their order: the
    // file comes from the read-ahead, with its first and last block when
    // they were read there already.
    TOeffnung Oeffnen(uint32_t v, plattform::TDatei& datei, TRand* rand = nullptr)
    {
        for (;;) {
            bool keineDeskriptoren = false;
            if (rand)
                datei = stand_.vorleser.Nehmen(Eintrag(v), vertreter_[v].erster, keineDeskriptoren, *rand);
            else
                datei = stand_.vorleser.Oeffnen(Eintrag(v), keineDeskriptoren);
            if (datei.Offen() && !DieDatei(v, datei)) {
                // Opened ahead before its name was replaced: ask the name again.
                datei = plattform::TDatei::OeffnenLesen(daten_.Pfad(Eintrag(v)), keineDeskriptoren);
                if (rand)
                    *rand = {};
                if (datei.Offen() && !DieDatei(v, datei))
                    datei = plattform::TDatei();
            }
            if (datei.Offen() && datei.Laenge() == groesse_)
                return TOeffnung::Offen;
            datei = plattform::TDatei();
            if (keineDeskriptoren) {
                stand_.keineDeskriptoren = true;
                return TOeffnung::KeineDeskriptoren;
            }
            if (!NaechsterName(v))
                return TOeffnung::Unlesbar;
        }
    }

    // Whether an open file is the one whose names were checked. A name
    // alone was opened as whatever it names now: its entry takes that
    // file's identity, so that it is never taken for another file's name.
    // Either way the entry keeps the times the file had when it was opened,
    // so that the caller can tell whether it changed while it was read.
    bool DieDatei(uint32_t v, const plattform::TDatei& datei)
    {
        plattform::TQuellStand stand;
        if (!datei.Stand(stand))
            return false;
        TBaumEintrag& eintrag = Eintrag(v);
        if (stand.stand.kennung != daten_.Kennung(eintrag) && vertreter_[v].geprueft)
            return false;
        StandSetzen(eintrag, stand);
        return true;
    }

    // Opens a file, giving back the files kept open for later when the
    // descriptors ran out. KeineDeskriptoren only when nothing is left to give.
    TOeffnung OeffnenNotfalls(uint32_t v, plattform::TDatei& datei, TRand* rand = nullptr)
    {
        TOeffnung ergebnis = Oeffnen(v, datei, rand);
        if (ergebnis == TOeffnung::KeineDeskriptoren && BehalteneSchliessen())
            ergebnis = Oeffnen(v, datei);
        return ergebnis;
    }

    // Closes the files kept from the first pass; true when there were any.
    bool BehalteneSchliessen()
    {
        size_t gehalten = 0;
        for (const plattform::TDatei& d : behalten_)
            gehalten += d.Offen() ? 1 : 0;
        behalten_.clear();
        if (gehalten > 0)
            stand_.maxOffen = std::max<size_t>(2, std::min(stand_.maxOffen, gehalten / 2));
        return gehalten > 0;
    }

    // The first and the last block, or the whole file when it is small:
    // as read ahead, or read now.
    bool RandLesen(plattform::TDatei& datei, const TRand& rand, char* ziel) const
    {
        if (!rand.gelesen)
            return TRand::Lesen(datei, groesse_, ziel);
        if (rand.ok)
            std::copy_n(rand.bytes.get(), TRand::Laenge(groesse_), ziel);
        return rand.ok;
    }

    // Small files: each is opened once and read whole. Its bytes go to the
    // class of identical content at once, proven against the kept bytes of
    // the class's first file; only beyond the budget for kept bytes is a
    // file opened again, to prove it against that first file.
    bool KleineEinteilen()
    {
        struct TKlasse {
            uint64_t summe;
            int64_t inhalt;              // where its first file's bytes are kept, -1 when not kept
            uint32_t naechsteGleicheSumme;
            TGruppe mitglieder;
        };
        const size_t menge = static_cast<size_t>(groesse_);
        std::vector<TKlasse> klassen;
        std::unordered_map<uint64_t, uint32_t> ersteMitSumme;
        std::vector<char> inhalte;
        inhalte.reserve(std::min(InhaltBudget, menge * vertreter_.size()));
        std::vector<std::pair<uint32_t, uint32_t>> spaeter; // (file, first class of its checksum)
        std::vector<char> daten(std::max<size_t>(menge, 1));

        auto neueKlasse = [&](uint32_t v, uint64_t summe, bool behalten) {
            const auto k = static_cast<uint32_t>(klassen.size());
            int64_t inhalt = -1;
            if (behalten && inhalte.size() + menge <= InhaltBudget) {
                inhalt = static_cast<int64_t>(inhalte.size());
                inhalte.insert(inhalte.end(), daten.begin(), daten.begin() + static_cast<std::ptrdiff_t>(menge));
            }
            klassen.push_back({summe, inhalt, Keiner, {v}});
            auto [erste, neu] = ersteMitSumme.try_emplace(summe, k);
            if (!neu) {
                uint32_t letzte = erste->second;
                while (klassen[letzte].naechsteGleicheSumme != Keiner)
                    letzte = klassen[letzte].naechsteGleicheSumme;
                klassen[letzte].naechsteGleicheSumme = k;
            }
        };

        for (uint32_t v = 0; v < vertreter_.size(); ++v) {
            if (Poll(v, v, 0))
                return false;
            plattform::TDatei datei;
            TRand rand;
            const bool ok = Oeffnen(v, datei, &rand) == TOeffnung::Offen && RandLesen(datei, rand, daten.data());
            OeffenbarSetzen(v, ok);
            if (!ok)
                continue;
            datei = plattform::TDatei();
            const uint64_t summe = stand_.pruefsumme.Bilden(daten.data(), groesse_);
            const auto erste = ersteMitSumme.find(summe);
            if (erste == ersteMitSumme.end()) {
                neueKlasse(v, summe, true);
                continue;
            }
            bool untergebracht = false;
            bool ohneInhalt = false;
            for (uint32_t k = erste->second; k != Keiner && !untergebracht; k = klassen[k].naechsteGleicheSumme) {
                if (klassen[k].inhalt < 0) {
                    ohneInhalt = true;
                } else if (menge == 0 || std::memcmp(inhalte.data() + klassen[k].inhalt, daten.data(), menge) == 0) {
                    // (Empty files are all alike, and kept no bytes to compare.)
                    klassen[k].mitglieder.push_back(v);
                    untergebracht = true;
                }
            }
            if (untergebracht)
                continue;
            if (ohneInhalt)
                spaeter.emplace_back(v, erste->second);
            else
                neueKlasse(v, summe, true);
        }

        for (const auto& [v, erste] : spaeter) {
            bool untergebracht = false;
            for (uint32_t k = erste; k != Keiner && !untergebracht; k = klassen[k].naechsteGleicheSumme) {
                if (klassen[k].inhalt >= 0)
                    continue; // proven unequal in the first pass
                bool identisch = false;
                if (!PaarGleich(klassen[k].mitglieder.front(), v, identisch))
                    return false;
                if (identisch) {
                    klassen[k].mitglieder.push_back(v);
                    untergebracht = true;
                }
            }
            if (!untergebracht)
                neueKlasse(v, klassen[erste].summe, false);
        }
        for (const TKlasse& klasse : klassen)
            if (Lohnend(klasse.mitglieder))
                KlasseVergeben(klasse.mitglieder);
        return true;
    }

    // Larger files: a first pass opens each once and sorts them by their
    // first and last blocks (most files of one size already differ there);
    // files alike in those are then compared whole. When the whole group may
    // be open at once, the first pass keeps its files open for that.
    bool GrosseEinteilen()
    {
        const auto n = static_cast<uint32_t>(vertreter_.size());
        if (n <= stand_.maxOffen)
            behalten_.resize(n);
        std::vector<std::pair<uint64_t, uint32_t>> summen;
        summen.reserve(n);
        std::vector<char> daten(static_cast<size_t>(2 * RandBlock));
        for (uint32_t v = 0; v < n; ++v) {
            if (Poll(v, v, 0))
                return false;
            plattform::TDatei datei;
            TRand rand;
            const bool ok = OeffnenNotfalls(v, datei, &rand) == TOeffnung::Offen && RandLesen(datei, rand, daten.data());
            OeffenbarSetzen(v, ok);
            if (!ok)
                continue;
            summen.emplace_back(stand_.pruefsumme.Bilden(daten.data(), 2 * RandBlock), v);
            if (!behalten_.empty())
                behalten_[v] = std::move(datei);
        }
        std::sort(summen.begin(), summen.end());
        TGruppe teil;
        for (size_t i = 0; i < summen.size();) {
            size_t j = i;
            teil.clear();
            for (; j < summen.size() && summen[j].first == summen[i].first; ++j)
                teil.push_back(summen[j].second);
            i = j;
            if (Lohnend(teil) && !Einteilen(teil))
                return false;
        }
        return true;
    }

    // Side by side when the descriptors allow, else one file at a time;
    // when they run short on the way, with fewer side by side.
    bool Einteilen(const TGruppe& gruppe)
    {
        for (;;) {
            if (gruppe.size() > stand_.maxOffen)
                return GanzPruefsummen(gruppe);
            const TVerlauf verlauf = NebeneinanderVergleichen(gruppe);
            if (verlauf != TVerlauf::ZuWenigDeskriptoren)
                return verlauf == TVerlauf::Fertig;
        }
    }

    // Opens the group's files and reads all of them block by block in step,
    // splitting at every difference. The first and the last block were read
    // already; the blocks grow while the files stay alike.
    TVerlauf NebeneinanderVergleichen(const TGruppe& gruppe)
    {
        const size_t m = gruppe.size();
        std::vector<plattform::TDatei> dateien(m);
        std::vector<uint32_t> offen; // indices into gruppe
        for (uint32_t i = 0; i < m; ++i) {
            const uint32_t v = gruppe[i];
            if (v < behalten_.size() && behalten_[v].Offen()) {
                dateien[i] = std::move(behalten_[v]);
                offen.push_back(i);
                continue;
            }
            const TOeffnung ergebnis = OeffnenNotfalls(v, dateien[i]);
            if (ergebnis == TOeffnung::KeineDeskriptoren && !offen.empty()) {
                // These many could be open at once: compare no more side by
                // side. With one alone, the files are read in turns.
                stand_.maxOffen = std::min(stand_.maxOffen, offen.size());
                return TVerlauf::ZuWenigDeskriptoren;
            }
            // Not a single descriptor: the file cannot be compared, and the
            // caller names it with that reason.
            const bool ok = ergebnis == TOeffnung::Offen;
            OeffenbarSetzen(v, ok);
            if (ok)
                offen.push_back(i);
        }
        TGruppe offeneVertreter;
        for (uint32_t i : offen)
            offeneVertreter.push_back(gruppe[i]);
        if (!Lohnend(offeneVertreter))
            return TVerlauf::Fertig;

        const int64_t block = std::clamp<int64_t>(PufferBudget / static_cast<int64_t>(offen.size()) / RandBlock * RandBlock,
                                                  MinBlock, MaxBlock);
        std::vector<std::unique_ptr<char[]>> puffer(m);
        for (uint32_t i : offen)
            puffer[i] = std::make_unique_for_overwrite<char[]>(static_cast<size_t>(block));

        // Files alike in their first and last blocks are mostly alike whole:
        // ask for a good stretch ahead of each, anew when less than a block
        // of it is left, so that the disk reads them all while we compare.
        const int64_t voraus = std::clamp<int64_t>(VorausBudget / static_cast<int64_t>(offen.size()), block, MaxVoraus);
        std::vector<int64_t> angefordert(m, 0); // per file: asked for up to here
        std::vector<TGruppe> gruppen{offen};
        int64_t menge = RandBlock;
        int64_t position = 0;
        while (position < groesse_ && !gruppen.empty()) {
            if (zwischendurch_(Eintrag(gruppe[gruppen.front().front()]), position))
                return TVerlauf::Gestoppt;
            menge = std::min(menge, groesse_ - position);
            for (const TGruppe& g : gruppen) {
                for (uint32_t i : g) {
                    if (angefordert[i] >= std::min(groesse_, position + menge + block))
                        continue;
                    const int64_t von = std::max(angefordert[i], position);
                    angefordert[i] = std::min(groesse_, von + voraus);
                    dateien[i].VorausLesen(von, angefordert[i] - von);
                }
            }
            gruppen = Aufteilen(gruppe, gruppen, dateien, puffer, position, menge);
            position += menge;
            menge = std::min(menge * 4, block);
        }
        for (const TGruppe& fertig : gruppen) {
            TGruppe klasse;
            for (uint32_t i : fertig)
                klasse.push_back(gruppe[i]);
            KlasseVergeben(klasse);
        }
        return TVerlauf::Fertig;
    }

    // Reads menge bytes at position of every file of every group (indices
    // into nebeneinander, the files side by side) and splits each group by the bytes read.
    // Groups that are no longer worth it are dropped; a file that cannot be
    // read drops out on its own.
    std::vector<TGruppe> Aufteilen(const TGruppe& nebeneinander, const std::vector<TGruppe>& gruppen,
                                   std::vector<plattform::TDatei>& dateien,
                                   std::vector<std::unique_ptr<char[]>>& puffer, int64_t position, int64_t menge)
    {
        std::vector<TGruppe> neu;
        TGruppe vertreter;
        for (const TGruppe& gruppe : gruppen) {
            std::vector<TGruppe> teile;
            for (uint32_t i : gruppe) {
                char* daten = puffer[i].get();
                if (dateien[i].LesenAb(position, daten, menge) != menge) {
                    dateien[i] = plattform::TDatei();
                    continue;
                }
                auto teil = std::find_if(teile.begin(), teile.end(), [&](const TGruppe& t) {
                    return std::memcmp(puffer[t.front()].get(), daten, static_cast<size_t>(menge)) == 0;
                });
                if (teil == teile.end())
                    teile.push_back({i});
                else
                    teil->push_back(i);
            }
            for (TGruppe& teil : teile) {
                vertreter.clear();
                for (uint32_t i : teil)
                    vertreter.push_back(nebeneinander[i]);
                if (Lohnend(vertreter)) {
                    neu.push_back(std::move(teil));
                } else {
                    for (uint32_t i : teil)
                        dateien[i] = plattform::TDatei(); // done with it: close early
                }
            }
        }
        return neu;
    }

    // More files than may be open at once: a checksum of each file's whole
    // content (one at a time) sorts them into likely classes, and each likely
    // class is then proven byte for byte against one of its members.
    bool GanzPruefsummen(const TGruppe& gruppe)
    {
        std::unordered_map<uint64_t, TGruppe> nachSumme;
        std::vector<char> daten(static_cast<size_t>(MaxBlock));
        for (uint32_t v : gruppe) {
            plattform::TDatei datei;
            bool ok = OeffnenNotfalls(v, datei) == TOeffnung::Offen;
            if (ok)
                datei.VorausLesen(0, groesse_);
            uint64_t summe = 0;
            for (int64_t position = 0; ok && position < groesse_;) {
                if (zwischendurch_(Eintrag(v), position))
                    return false;
                const int64_t menge = std::min<int64_t>(MaxBlock, groesse_ - position);
                ok = datei.LesenAb(position, daten.data(), menge) == menge;
                if (ok)
                    summe = stand_.pruefsumme.Bilden(daten.data(), menge, summe);
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

    // Two files compared whole, two descriptors at a time, or in turns
    // where only one is to be had. A pair that cannot be opened is not
    // proven alike; a file that got no descriptor at all, not even with
    // every kept file given back, is one that could not be read, and the
    // caller names it.
    bool PaarGleich(uint32_t a, uint32_t b, bool& identisch)
    {
        identisch = false;
        plattform::TDatei dateiA;
        plattform::TDatei dateiB;
        if (!PaarTeilOeffnen(a, dateiA))
            return true;
        const TOeffnung zweite = OeffnenNotfalls(b, dateiB);
        if (zweite == TOeffnung::KeineDeskriptoren) {
            dateiA = plattform::TDatei();
            return AbwechselndGleich(a, b, identisch);
        }
        if (zweite != TOeffnung::Offen)
            return true;
        std::vector<char> pufferA(static_cast<size_t>(MaxBlock)), pufferB(static_cast<size_t>(MaxBlock));
        for (int64_t position = 0; position < groesse_;) {
            if (zwischendurch_(Eintrag(a), position))
                return false;
            const int64_t menge = std::min<int64_t>(MaxBlock, groesse_ - position);
            if (dateiA.LesenAb(position, pufferA.data(), menge) != menge
                || dateiB.LesenAb(position, pufferB.data(), menge) != menge
                || std::memcmp(pufferA.data(), pufferB.data(), static_cast<size_t>(menge)) != 0)
                return true;
            position += menge;
        }
        identisch = true;
        return true;
    }

    // Opens one file of a pair; without any descriptor it counts as one that
    // could not be read, so that it is never silently taken for unique.
    bool PaarTeilOeffnen(uint32_t v, plattform::TDatei& datei)
    {
        const TOeffnung ergebnis = OeffnenNotfalls(v, datei);
        if (ergebnis == TOeffnung::KeineDeskriptoren)
            OeffenbarSetzen(v, false);
        return ergebnis == TOeffnung::Offen;
    }

    // One descriptor for two files: each block is read from one, the file
    // closed, then from the other. Each is opened anew for every block and
    // counts only while it is the very file its first open found (identity,
    // length and both times): one replaced or written in between cannot be
    // read whole, and is named as such.
    bool AbwechselndGleich(uint32_t a, uint32_t b, bool& identisch)
    {
        std::vector<char> pufferA(static_cast<size_t>(MaxBlock)), pufferB(static_cast<size_t>(MaxBlock));
        plattform::TQuellStand standA, standB;
        for (int64_t position = 0; position < groesse_;) {
            if (zwischendurch_(Eintrag(a), position))
                return false;
            const int64_t menge = std::min<int64_t>(MaxBlock, groesse_ - position);
            if (!BlockLesen(a, standA, position, menge, pufferA.data())
                || !BlockLesen(b, standB, position, menge, pufferB.data())
                || std::memcmp(pufferA.data(), pufferB.data(), static_cast<size_t>(menge)) != 0)
                return true;
            position += menge;
        }
        identisch = true;
        return true;
    }

    // A block of a file opened for it alone; stand holds what the first
    // open found (an empty stand before it).
    bool BlockLesen(uint32_t v, plattform::TQuellStand& stand, int64_t position, int64_t menge, char* ziel)
    {
        plattform::TDatei datei;
        if (!PaarTeilOeffnen(v, datei))
            return false;
        plattform::TQuellStand jetzt;
        if (!datei.Stand(jetzt) || (position > 0 && !(jetzt == stand))) {
            OeffenbarSetzen(v, false);
            return false;
        }
        stand = jetzt;
        return datei.LesenAb(position, ziel, menge) == menge;
    }

    std::vector<TKlassenEintrag>& eintraege_;
    int64_t groesse_;
    int32_t& naechsteKlasse_;
    TLesestand& stand_;
    TBaumdaten& daten_;
    const TZwischendurch& zwischendurch_;
    std::vector<TVertreter> vertreter_;
    // Per entry: looked at again by its name; files opened for it are checked.
    std::vector<bool> geprueft_;
    std::vector<uint32_t> naechsterPfad_;         // per entry: the next entry of the same file
    std::vector<plattform::TDatei> behalten_;     // per file: kept open from the first pass
};

} // namespace

bool KlassenBilden(std::vector<TKlassenEintrag>& eintraege, int64_t groesse, int32_t& naechsteKlasse,
                   TLesestand& stand, const TZwischendurch& zwischendurch)
{
    return TKlassierer(eintraege, groesse, naechsteKlasse, stand, zwischendurch).Ausfuehren();
}
