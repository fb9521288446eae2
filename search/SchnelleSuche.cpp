// The search run as the user sees it, with each file read once.
//
// The result list is defined pair by pair: every file of the first tree
// against every file of its size bucket in the second, from the first byte.
// Being identical is an equivalence, so this run sorts each size group into
// classes of identical content once, when the first file of that size comes
// up, and then writes exactly the lines, counters and state that the
// pairwise run writes. Only what the pairwise run would have shown in passing
// differs: which file name and position the state holds meanwhile.
//
// Threads: everything here runs on the search thread, but for
// groessen_.Nachschub, which the reader threads of vorleser_ call under its
// lock (see Groessentabelle.h). The walks' entries (TBaumEintrag) are written
// here only; the reader threads read their path and size, never the bit
// fields the search writes. vorleser_ is declared after the size table and
// so destroyed before it: no reader thread outlives what it reads.

#include "search/Suchsitzung.h"

#include "search/Baumlesen.h"
#include "search/Beschaeftigt.h"
#include "search/Groessentabelle.h"
#include "search/Inhaltsklassen.h"
#include "search/Vorleser.h"
#include "util/Speila.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <deque>
#include <unordered_map>

namespace {

constexpr uint32_t Nie = std::numeric_limits<uint32_t>::max();
constexpr uint32_t Keiner = std::numeric_limits<uint32_t>::max();
// The window handles its messages at least this often while the run compares
// (twice as often as a user notices a pause; more often costs the search
// noticeably in repainting).
constexpr auto NachrichtenAbstand = std::chrono::milliseconds(25);
// Files of a size group gathered between two polls.
constexpr size_t SammelPollAbstand = 4096;

} // namespace

class TSuchlauf {
public:
    explicit TSuchlauf(TSuchsitzung& sitzung) : f_(sitzung), stand_(sitzung.StandSchreiben()) {}

    void Ausfuehren();

private:
    // A pairwise comparison: a first-tree file and a candidate offered to it.
    struct TAufruf {
        uint32_t a = Keiner;
        uint32_t kandidat = Keiner;
    };

    TBaumEintrag& Kandidat(uint32_t k) { return groessen_.Kandidat(k); }

    void TabelleAufbauen();
    bool Zwischendurch(const TBaumEintrag& datei, int64_t position);
    void NachrichtenZwischendurch();
    bool Abbrechen() { return f_.Stopp.Halten(); }
    bool Selbst(uint32_t a, uint32_t k);
    uint32_t KandidatVonA(uint32_t a);
    bool Oeffenbar(TBaumEintrag& eintrag);
    bool Klassifizieren(int64_t groesse);
    void AndereNamenMerken(std::vector<uint32_t>::const_iterator anfang, std::vector<uint32_t>::const_iterator ende);
    void AndereNamenHerausnehmen(uint32_t a, uint32_t schritt, uint32_t stelle);
    void NamensgruppenBilden();
    uint32_t EigenerName(uint32_t a);
    void Herausnehmen(uint32_t a);
    void NamenOhneTabelleHerausnehmen(uint32_t a, const std::vector<uint32_t>& namen, uint32_t stelle);
    void LetztenVergleichMerken(uint32_t a, uint32_t schritt);
    bool DateiAuswerten(uint32_t a, uint32_t schritt, uint32_t stelle);
    void StandWieZuletzt();

    TSuchsitzung& f_;
    TSuchstand& stand_; // the session's
    bool gleich_ = false;
    TBaumdaten& daten_ = f_.FundeSchreiben().Daten(); // the lines point at the walks' entries
    // The walks of the two trees (one walk when they are one).
    uint16_t laufA_ = daten_.NeuerLauf();
    uint16_t laufB_ = laufA_;
    std::deque<TBaumEintrag>& baumA_ = daten_.laeufe[laufA_];

    // The state as it stood before the run, for the parts the pairwise run
    // would not have changed.
    int64_t groesseErste_ = -1, groesseZweite_ = -1, position_ = -1, positionVon_ = 0;

    // The size table and the read-ahead plan drawn from it.
    TGroessentabelle groessen_{daten_};
    std::vector<bool> klassifiziert_; // at a size group's start in groessen_.kandidatenNachGroesse
    // By a bucket's start in groessen_.tabelle: 1 + past its last live
    // entry. Only buckets with something to compare are looked at, mostly
    // few of all.
    std::unordered_map<uint32_t, uint32_t> lebendesEnde_;

    // Same directory: which step took a candidate out of the table, and
    // where KandidatVonA stands in the candidates.
    std::vector<uint32_t> entferntIn_;
    uint32_t kandidatZeiger_ = 0;
    std::vector<bool> ausListe_;
    uint32_t herausgenommen_ = 0; // taken out of the first list in the current step

    // See AndereNamenMerken: per candidate of a file with several names,
    // its group in andereNamen_.
    std::unordered_map<uint32_t, uint32_t> andereNamenVon_;
    std::vector<std::vector<uint32_t>> andereNamen_;
    // See NamensgruppenBilden: per entry of the first tree, its group in
    // namensgruppen_ (entries in walk order).
    std::unordered_map<uint32_t, uint32_t> namensgruppeVon_;
    std::vector<std::vector<uint32_t>> namensgruppen_;
    std::vector<std::vector<uint32_t>> klassenMitglieder_; // candidates per class, in table order
    int32_t naechsteKlasse_ = 0;

    uint32_t begonnene_ = 0; // groups the run has come to
    // Declared after what its threads read, so destroyed first.
    TVorleser vorleser_{daten_, [this](std::deque<TVorhaben>& plan) { return groessen_.Nachschub(plan); }};
    TLesestand lesestand_{daten_, vorleser_};

    // The last comparison the pairwise run would have made, and the last one
    // whose two files it could open.
    TAufruf letzterAufruf_;
    TAufruf letzterOffenerAufruf_;
    bool inhaltVerglichen_ = false;

    const TBaumEintrag* letzteDatei_ = nullptr;
    std::chrono::steady_clock::time_point letzteNachricht_ = std::chrono::steady_clock::now();
};

// Where a search begins: the order taken, the counters and what was
// skipped cleared, then this run (or the one a test set in its place).
void TSuchsitzung::SucheAusfuehren(const TSuchauftrag& auftrag)
{
    TBeschaeftigt beschaeftigt(*this);

    // The lines' paths begin with these, as the walks take them: "x" and
    // "x/" name one directory, whose files are x/name.
    funde_.VerzeichnisseSetzen(MitTrenner(auftrag.erstes), MitTrenner(auftrag.zweites));
    uebersprungen_.clear();
    stand_.zaehler = {};
    stand_.gezaehlt = true;
    stand_.fortschritt = 0;
    stand_.taetigkeit = TTaetigkeit::VerzeichnissePruefen;
    StandMelden();
    NachrichtenVerarbeiten();
    if (WoertlicheSuche)
        WoertlicheSuche(*this);
    else
        TSuchlauf(*this).Ausfuehren();
}

void TSuchlauf::Ausfuehren()
{
    groesseErste_ = stand_.groesseErste;
    groesseZweite_ = stand_.groesseZweite;
    position_ = stand_.position;
    positionVon_ = stand_.positionVon;
    const std::string& erstes = f_.FundeSchreiben().Verzeichnis(0);
    if (!BaumLesen(f_.Filter, f_.Stopp, f_, erstes, daten_, laufA_))
        return;
    const std::string& zweites = f_.FundeSchreiben().Verzeichnis(1);
    gleich_ = erstes == zweites;
    // One tree against itself is read once.
    if (!gleich_) {
        laufB_ = daten_.NeuerLauf();
        if (!BaumLesen(f_.Filter, f_.Stopp, f_, zweites, daten_, laufB_))
            return;
    }
    if (f_.NachDemEinlesen)
        f_.NachDemEinlesen();
    TabelleAufbauen();

    const auto anzahl = static_cast<uint32_t>(baumA_.size());
    uint32_t uebrig = anzahl;
    if (anzahl > 0)
        stand_.maximum = static_cast<int32_t>(anzahl);
    uint32_t schritt = 0;
    for (uint32_t a = 0; a < anzahl; ++a) {
        if (gleich_ && ausListe_[a])
            continue;
        stand_.fortschritt = stand_.maximum - static_cast<int32_t>(uebrig);
        f_.StandMelden();
        NachrichtenZwischendurch();
        --uebrig;
        ++schritt;
        // One tree: a link heads the group of its file only where the
        // file's own name is not searched.
        const uint32_t datei = gleich_ ? EigenerName(a) : a;
        const uint32_t selbst = gleich_ ? KandidatVonA(datei) : Keiner;
        if (selbst != Keiner)
            entferntIn_[selbst] = schritt;
        const bool fertig = DateiAuswerten(datei, schritt, a);
        uebrig -= herausgenommen_;
        herausgenommen_ = 0;
        if (!fertig)
            return;
        if (Abbrechen())
            return;
    }
    stand_.fortschritt = stand_.maximum;
    StandWieZuletzt();
}

void TSuchlauf::TabelleAufbauen()
{
    groessen_.Aufbauen(laufA_, laufB_, gleich_);
    klassifiziert_.assign(groessen_.kandidaten.size(), false);
    if (gleich_) {
        entferntIn_.assign(groessen_.kandidaten.size(), Nie);
        ausListe_.assign(baumA_.size(), false);
        NamensgruppenBilden();
    }
}

// One tree: the names of one file where the size groups do not tell them
// (they group only regular files, and only once read): names of what is no
// regular file, and every name of a file that one of its names reaches
// through a link. Most trees have neither, and cost one pass over the bits.
void TSuchlauf::NamensgruppenBilden()
{
    struct TSchluessel {
        uint64_t knoten;
        uint32_t geraet;
        bool operator==(const TSchluessel&) const = default;
    };
    struct THash {
        size_t operator()(const TSchluessel& k) const { return static_cast<size_t>(k.knoten * 0x9E3779B97F4A7C15ull + k.geraet); }
    };
    std::unordered_map<TSchluessel, uint32_t, THash> gruppeVon;
    auto aufnehmen = [&](uint32_t a, bool neu) {
        const TBaumEintrag& e = baumA_[a];
        const TSchluessel schluessel{e.knoten, uint32_t{e.geraet}};
        auto stelle = gruppeVon.find(schluessel);
        if (stelle == gruppeVon.end()) {
            if (!neu)
                return;
            stelle = gruppeVon.emplace(schluessel, static_cast<uint32_t>(namensgruppen_.size())).first;
            namensgruppen_.emplace_back();
        }
        namensgruppen_[stelle->second].push_back(a);
        namensgruppeVon_[a] = stelle->second;
    };
    bool verweise = false;
    const auto anzahl = static_cast<uint32_t>(baumA_.size());
    for (uint32_t a = 0; a < anzahl; ++a) {
        const TBaumEintrag& e = baumA_[a];
        if (e.kennungBekannt && (e.verweis || !e.regulaer)) {
            aufnehmen(a, true);
            verweise |= e.regulaer != 0;
        }
    }
    if (!verweise)
        return;
    for (uint32_t a = 0; a < anzahl; ++a) {
        const TBaumEintrag& e = baumA_[a];
        if (e.kennungBekannt && e.regulaer && !e.verweis)
            aufnehmen(a, false);
    }
    for (std::vector<uint32_t>& gruppe : namensgruppen_)
        std::sort(gruppe.begin(), gruppe.end());
}

// One tree, the run at entry a: the entry whose line heads a's file. A name
// through a link gives way to the file's own name further on in the walk,
// which is then taken out of the list; a's name goes with the file's other
// names.
uint32_t TSuchlauf::EigenerName(uint32_t a)
{
    const TBaumEintrag& e = baumA_[a];
    if (!e.verweis)
        return a;
    const auto gruppe = namensgruppeVon_.find(a);
    if (gruppe == namensgruppeVon_.end())
        return a;
    for (uint32_t o : namensgruppen_[gruppe->second]) {
        const TBaumEintrag& eigen = baumA_[o];
        if (o <= a || ausListe_[o] || eigen.verweis || eigen.regulaer != e.regulaer || !TBaumdaten::GleicheKennung(e, eigen))
            continue;
        ausListe_[a] = true; // this step's, counted as such
        Herausnehmen(o);
        return o;
    }
    return a;
}

// A first-tree entry leaves the list: no line and no step of its own.
void TSuchlauf::Herausnehmen(uint32_t a)
{
    if (ausListe_[a])
        return;
    ausListe_[a] = true;
    ++herausgenommen_;
}

// One tree: a file that the table does not hold (no regular file, or one
// that cannot be opened) takes its other names still in the list out with
// it; stelle is the step's place in the walk, before which none is.
void TSuchlauf::NamenOhneTabelleHerausnehmen(uint32_t a, const std::vector<uint32_t>& namen, uint32_t stelle)
{
    const TBaumEintrag& datei = baumA_[a];
    for (uint32_t n : namen) {
        const TBaumEintrag& name = baumA_[n];
        if (n > stelle && n != a && name.regulaer == datei.regulaer && TBaumdaten::GleicheKennung(datei, name))
            Herausnehmen(n);
    }
}

void TSuchlauf::NachrichtenZwischendurch()
{
    const auto jetzt = std::chrono::steady_clock::now();
    if (jetzt - letzteNachricht_ < NachrichtenAbstand)
        return;
    letzteNachricht_ = jetzt;
    f_.NachrichtenVerarbeiten();
}

bool TSuchlauf::Zwischendurch(const TBaumEintrag& datei, int64_t position)
{
    if (&datei != letzteDatei_ || stand_.taetigkeit != TTaetigkeit::DateiLesen) {
        letzteDatei_ = &datei;
        stand_.taetigkeit = TTaetigkeit::DateiLesen;
        stand_.datei = daten_.Name(datei);
    }
    stand_.position = position;
    f_.StandMelden();
    NachrichtenZwischendurch();
    // A No leaves no request standing: the next request asks again.
    return f_.Stopp.Halten();
}

// Same directory: the candidate that is the first-tree file a, Keiner when a
// is no regular file. The run asks for the files in their order, so a
// pointer going forward through the ascending candidates finds each without
// a table of its own.
uint32_t TSuchlauf::KandidatVonA(uint32_t a)
{
    if (kandidatZeiger_ > 0 && groessen_.kandidaten[kandidatZeiger_ - 1] >= a)
        kandidatZeiger_ = static_cast<uint32_t>(std::lower_bound(groessen_.kandidaten.begin(), groessen_.kandidaten.end(), a)
                                                - groessen_.kandidaten.begin());
    while (kandidatZeiger_ < groessen_.kandidaten.size() && groessen_.kandidaten[kandidatZeiger_] < a)
        ++kandidatZeiger_;
    return kandidatZeiger_ < groessen_.kandidaten.size() && groessen_.kandidaten[kandidatZeiger_] == a ? kandidatZeiger_ : Keiner;
}

// The candidate is the first-tree file's own directory entry, met again by
// the second walk, or another name of its file, and so no candidate at all
// (the rule is set out where the pairwise run applies it).
bool TSuchlauf::Selbst(uint32_t a, uint32_t k)
{
    return (gleich_ ? groessen_.kandidaten[k] == a : GleicherEintrag(baumA_[a], Kandidat(k), daten_))
           || EineDatei(baumA_[a], Kandidat(k));
}

bool TSuchlauf::Oeffenbar(TBaumEintrag& eintrag)
{
    // Through the read-ahead, which gives back what it holds when the
    // descriptors run short: a file counts as unopenable only on its own account.
    bool keineDeskriptoren = false;
    if (eintrag.oeffenbar < 0)
        eintrag.oeffenbar = vorleser_.Oeffnen(eintrag, keineDeskriptoren).Offen() ? 1 : 0;
    return eintrag.oeffenbar == 1;
}

bool TSuchlauf::Klassifizieren(int64_t groesse)
{
    // The files of this size, found in the sorted sizes lying side by side.
    auto bereich = [&](const std::vector<uint32_t>& indizes, const std::vector<int64_t>& groessen) {
        const auto [anfang, ende] = std::equal_range(groessen.begin(), groessen.end(), groesse);
        return std::make_pair(indizes.begin() + (anfang - groessen.begin()), indizes.begin() + (ende - groessen.begin()));
    };
    const auto [kAnfang, kEnde] = bereich(groessen_.kandidatenNachGroesse, groessen_.kandidatenGroessen);
    if (kAnfang == kEnde)
        return true;
    const auto gruppe = static_cast<size_t>(kAnfang - groessen_.kandidatenNachGroesse.begin());
    if (klassifiziert_[gruppe])
        return true;
    klassifiziert_[gruppe] = true;
    const auto [aAnfang, aEnde] = bereich(groessen_.ersteNachGroesse, groessen_.ersteGroessen);
    if (gleich_ ? kEnde - kAnfang < 2 : aAnfang == aEnde)
        return true; // nothing of this size to compare

    // A group can hold hundreds of thousands of files: the window is asked
    // in between while they are gathered, too.
    std::vector<TKlassenEintrag> eintraege;
    eintraege.reserve(static_cast<size_t>((aEnde - aAnfang) + (kEnde - kAnfang)));
    auto sammeln = [&](TBaumEintrag& eintrag, uint8_t seiten) {
        if (eintraege.size() % SammelPollAbstand == 0 && Zwischendurch(eintrag, 0))
            return false;
        // What an earlier look found out is found out again, as the
        // classification sees it.
        eintrag.oeffenbar = -1;
        eintrag.klasse = -1;
        eintraege.push_back({&eintrag, seiten});
        return true;
    };
    for (auto a = aAnfang; a != aEnde; ++a)
        if (!sammeln(baumA_[*a], 1))
            return false;
    for (auto k = kAnfang; k != kEnde; ++k)
        if (!sammeln(Kandidat(*k), static_cast<uint8_t>(gleich_ ? 3 : 2)))
            return false;

    stand_.groesseErste = groesse;
    stand_.groesseZweite = groesse;
    stand_.positionVon = groesse;
    f_.StandMelden();
    if (begonnene_ < groessen_.gruppenfolge.size() && groessen_.gruppenfolge[begonnene_] == groesse)
        vorleser_.GruppeBeginnt(begonnene_++);
    const bool fertig = KlassenBilden(eintraege, groesse, naechsteKlasse_, lesestand_,
                                      [this](const TBaumEintrag& datei, int64_t position) {
                                          return Zwischendurch(datei, position);
                                      });
    stand_.position = -1;
    f_.StandMelden();
    if (!fertig)
        return false;
    // A file is listed by its path: what was read must be what the path
    // names once it was read. A file whose path names another file now (its
    // directory moved away meanwhile) or that changed while it was read is
    // taken out of its class, as one that could not be read whole.
    for (const TKlassenEintrag& eintrag : eintraege) {
        TBaumEintrag& datei = *eintrag.datei;
        if (datei.klasse < 0)
            continue;
        plattform::TQuellStand stand;
        if (!plattform::QuellStandLesen(daten_.Pfad(datei), stand) || stand.stand.kennung != daten_.Kennung(datei)
            || ZeitenMischen(stand.stand.geaendert, stand.statusGeaendert) != datei.zeiten) {
            datei.klasse = -1;
            f_.UebersprungMelden(daten_.Pfad(datei), TGrund::Eigen(TGrundArt::BeimLesenGeaendert));
        }
    }
    // What could not be read leaves the list as defined (such a file has
    // no identical file), but the user learns that it may know less.
    for (const TKlassenEintrag& eintrag : eintraege)
        if (eintrag.datei->oeffenbar == 0)
            f_.UebersprungMelden(daten_.Pfad(*eintrag.datei), TGrund::Eigen(lesestand_.keineDeskriptoren
                                                                                ? TGrundArt::ZuWenigDeskriptoren
                                                                                : TGrundArt::NichtLesbar));
    lesestand_.keineDeskriptoren = false;
    if (gleich_)
        AndereNamenMerken(kAnfang, kEnde);

    // A name of a shared file that was replaced since the walk names the
    // file now read: its entry, and so its line, carries that identity now.
    bool ersteOffen = false;
    for (auto a = aAnfang; a != aEnde; ++a)
        ersteOffen |= baumA_[*a].oeffenbar == 1;
    klassenMitglieder_.resize(static_cast<size_t>(naechsteKlasse_));
    for (auto k = kAnfang; k != kEnde; ++k) {
        const TBaumEintrag& kandidat = Kandidat(*k);
        if (kandidat.klasse >= 0)
            klassenMitglieder_[static_cast<size_t>(kandidat.klasse)].push_back(*k);
    }
    // Whether the pairwise run would have compared contents of this size:
    // a readable file of the first tree met a readable candidate of its size
    // that is another file. Among two readable files every file has one.
    uint32_t einer = Keiner;
    bool zweiDateien = false;
    for (auto k = kAnfang; k != kEnde && !zweiDateien; ++k) {
        if (Kandidat(*k).oeffenbar != 1)
            continue;
        if (einer == Keiner)
            einer = *k;
        else
            zweiDateien = !EineDatei(Kandidat(einer), Kandidat(*k));
    }
    bool verglichen = zweiDateien && (gleich_ || ersteOffen);
    if (!gleich_ && ersteOffen && einer != Keiner && !zweiDateien)
        verglichen = std::any_of(aAnfang, aEnde, [&](uint32_t a) { return baumA_[a].oeffenbar == 1 && !Selbst(a, einer); });
    inhaltVerglichen_ |= verglichen;
    return true;
}

// Notes the pair that the pairwise run compares last in this step: the last
// entry of the file's bucket that is still in the table, not the file's own
// entry. A file that cannot be opened is looked up under the key of size -1,
// and the table never held candidates that cannot be opened.
void TSuchlauf::LetztenVergleichMerken(uint32_t a, uint32_t schritt)
{
    TBaumEintrag& datei = baumA_[a];
    if (!datei.regulaer)
        return; // not a file: the pair is dismissed unseen
    const uint32_t selbst = gleich_ ? KandidatVonA(a) : Keiner;

    auto bereich = [&](uint32_t bucket) {
        return std::equal_range(groessen_.tabelle.begin(), groessen_.tabelle.end(), std::make_pair(bucket, 0u),
                                [](const auto& x, const auto& y) { return x.first < y.first; });
    };
    auto [anfang, ende] = bereich(Bucket(GroessenSchluessel(datei.groesse)));
    const auto [anfangOhne, endeOhne] = bereich(Bucket(GroessenSchluessel(-1)));
    const bool kandidatenDa = (ende - anfang) > (selbst != Keiner ? 1 : 0) || endeOhne != anfangOhne;
    if (!kandidatenDa)
        return;
    const bool offen = Oeffenbar(datei);
    if (!offen) {
        anfang = anfangOhne;
        ende = endeOhne;
    }
    if (anfang == ende)
        return;

    const auto anfangIndex = static_cast<uint32_t>(anfang - groessen_.tabelle.begin());
    uint32_t& gemerkt = lebendesEnde_[anfangIndex];
    if (gemerkt == 0)
        gemerkt = static_cast<uint32_t>(ende - groessen_.tabelle.begin()) + 1;
    for (uint32_t i = gemerkt - 1; i > anfangIndex; --i) {
        const uint32_t k = groessen_.tabelle[i - 1].second;
        const bool frueherEntfernt = gleich_ && entferntIn_[k] < schritt;
        if (frueherEntfernt || !Oeffenbar(Kandidat(k))) {
            // Gone for good: later steps need not look at it again.
            if (i + 1 == gemerkt)
                --gemerkt;
            continue;
        }
        if (Selbst(a, k))
            continue;
        letzterAufruf_ = {a, k};
        if (offen)
            letzterOffenerAufruf_ = {a, k};
        return;
    }
}

// One tree: the other names of each file of this size with more than one
// name, by the candidate that is its first name in the walk's order (and so
// the first the run comes to). After the group was read: names read as
// another file than the walk saw carry that file's identity now.
void TSuchlauf::AndereNamenMerken(std::vector<uint32_t>::const_iterator anfang,
                                  std::vector<uint32_t>::const_iterator ende)
{
    std::vector<std::pair<std::pair<uint32_t, uint64_t>, uint32_t>> nachDatei; // ((device, number), candidate)
    for (auto k = anfang; k != ende; ++k)
        nachDatei.push_back({{uint32_t{Kandidat(*k).geraet}, Kandidat(*k).knoten}, *k});
    std::sort(nachDatei.begin(), nachDatei.end());
    for (size_t i = 0; i < nachDatei.size();) {
        size_t j = i + 1;
        while (j < nachDatei.size() && nachDatei[j].first == nachDatei[i].first)
            ++j;
        if (j - i > 1) {
            const auto gruppe = static_cast<uint32_t>(andereNamen_.size());
            std::vector<uint32_t>& namen = andereNamen_.emplace_back();
            for (size_t n = i; n < j; ++n) {
                namen.push_back(nachDatei[n].second);
                andereNamenVon_[nachDatei[n].second] = gruppe;
            }
        }
        i = j;
    }
}

// One tree: the other names of the file a's line names are that line's,
// and get no line of their own, as "+" lines of its group would not. As the
// pairwise run meets them: of a readable file its readable names still in
// the table; of one that cannot be opened, which the table never holds,
// its names still in the list (after stelle, the step's place in the walk).
void TSuchlauf::AndereNamenHerausnehmen(uint32_t a, uint32_t schritt, uint32_t stelle)
{
    const uint32_t selbst = KandidatVonA(a);
    const auto gruppe = selbst == Keiner ? andereNamenVon_.end() : andereNamenVon_.find(selbst);
    if (gruppe == andereNamenVon_.end())
        return;
    const std::vector<uint32_t>& andere = andereNamen_[gruppe->second];
    andereNamenVon_.erase(gruppe);
    if (!Oeffenbar(baumA_[a])) {
        std::vector<uint32_t> namen;
        for (uint32_t k : andere)
            namen.push_back(groessen_.kandidaten[k]);
        NamenOhneTabelleHerausnehmen(a, namen, stelle);
        return;
    }
    for (uint32_t k : andere) {
        if (k == selbst || entferntIn_[k] < schritt || !Oeffenbar(Kandidat(k)) || !EineDatei(baumA_[a], Kandidat(k)))
            continue;
        entferntIn_[k] = schritt;
        Herausnehmen(groessen_.kandidaten[k]);
    }
}

bool TSuchlauf::DateiAuswerten(uint32_t a, uint32_t schritt, uint32_t stelle)
{
    const uint32_t zeile = f_.Funde().Anzahl();
    TBaumEintrag& datei = baumA_[a];
    f_.FundAnhaengen({a, laufA_, 0, '-'});

    if (gleich_ && !datei.regulaer) {
        const auto gruppe = namensgruppeVon_.find(a);
        if (gruppe != namensgruppeVon_.end())
            NamenOhneTabelleHerausnehmen(a, namensgruppen_[gruppe->second], stelle);
    }
    bool gefunden = false;
    if (datei.regulaer) {
        // The line went up before its size group was read; a name replaced
        // since the walk was read as the file it names now, and a copy or
        // move of the line takes that file from the entry, not refuses it.
        if (!Klassifizieren(datei.groesse))
            return false;
        LetztenVergleichMerken(a, schritt);
        if (gleich_)
            AndereNamenHerausnehmen(a, schritt, stelle);
        if (datei.oeffenbar == 1 && datei.klasse >= 0) {
            for (uint32_t k : klassenMitglieder_[static_cast<size_t>(datei.klasse)]) {
                if (Selbst(a, k) || (gleich_ && entferntIn_[k] < schritt))
                    continue;
                f_.FundAnhaengen({groessen_.kandidaten[k], laufB_, 1, '+'});
                f_.ZaehlerErhoehen(TZaehler::Plus);
                gefunden = true;
                if (gleich_) {
                    // The candidate belongs to this group alone.
                    entferntIn_[k] = schritt;
                    Herausnehmen(groessen_.kandidaten[k]);
                }
                if (Abbrechen())
                    return false;
            }
        }
    }
    if (gefunden) {
        f_.ZaehlerErhoehen(TZaehler::Mit);
        f_.FundArtSetzen(zeile, '!');
    } else {
        f_.ZaehlerErhoehen(TZaehler::Ohne);
    }
    return true;
}

// The state ends as the pairwise run leaves it: the file and the sizes tell
// of its last comparison (the sizes of the last one that could open both
// files), and no position is left once any contents were compared.
void TSuchlauf::StandWieZuletzt()
{
    stand_.taetigkeit = TTaetigkeit::VerzeichnissePruefen;
    stand_.datei.clear();
    if (letzterAufruf_.a != Keiner) {
        const TBaumEintrag& datei = baumA_[letzterAufruf_.a];
        stand_.taetigkeit = datei.oeffenbar == 1 ? TTaetigkeit::Verglichen : TTaetigkeit::DateiNichtOffen;
        if (datei.oeffenbar != 1)
            stand_.datei = daten_.Pfad(datei);
    }
    stand_.groesseErste = groesseErste_;
    stand_.groesseZweite = groesseZweite_;
    if (letzterOffenerAufruf_.a != Keiner) {
        stand_.groesseErste = baumA_[letzterOffenerAufruf_.a].groesse;
        stand_.groesseZweite = Kandidat(letzterOffenerAufruf_.kandidat).groesse;
    }
    if (inhaltVerglichen_) {
        stand_.position = -1;
    } else {
        stand_.position = position_;
        stand_.positionVon = positionVon_;
    }
    f_.StandMelden();
}
