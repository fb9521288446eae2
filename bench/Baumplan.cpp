#include "bench/Baumplan.h"

#include "bench/Zufall.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <tuple>

namespace bench {
namespace {

constexpr uint64_t KiB = 1024;
constexpr uint64_t MiB = 1024 * KiB;

// About fifty files per directory, as in a source tree or a photo archive.
constexpr size_t DateienJeVerzeichnis = 50;

size_t Anzahl(double voll, double faktor)
{
    return static_cast<size_t>(std::max<long long>(1, std::llround(voll * faktor)));
}

// Builds a random tree of directories below wurzel ("" or "A/"): each new
// directory hangs below one of the earlier ones, which gives nesting a few
// levels deep with a broad top, like real trees. Returns the indices of the
// new directories in plan.verzeichnisse, the root's first.
std::vector<size_t> VerzeichnisseAnlegen(TBaumPlan& plan, TZufall& zufall, size_t anzahl,
                                         const std::string& wurzel)
{
    std::vector<size_t> indizes;
    indizes.push_back(plan.verzeichnisse.size());
    plan.verzeichnisse.push_back(wurzel);
    for (size_t j = 1; j < anzahl; ++j) {
        const std::string& eltern = plan.verzeichnisse[indizes[zufall.Bis(j)]];
        char name[32];
        std::snprintf(name, sizeof name, "d%05zu/", j);
        indizes.push_back(plan.verzeichnisse.size());
        plan.verzeichnisse.push_back(eltern + name);
    }
    return indizes;
}

// Hands out file paths in random directories of one tree, each name new.
class TNamen {
public:
    TNamen(TBaumPlan& plan, TZufall& zufall, size_t dateien, const std::string& wurzel,
           char buchstabe, size_t jeVerzeichnis = DateienJeVerzeichnis)
        : plan_(plan), zufall_(zufall), buchstabe_(buchstabe)
    {
        verzeichnisse_ = VerzeichnisseAnlegen(plan, zufall,
                                              std::max<size_t>(1, dateien / jeVerzeichnis),
                                              wurzel);
    }

    std::string Neu()
    {
        const std::string& verzeichnis =
            plan_.verzeichnisse[verzeichnisse_[zufall_.Bis(verzeichnisse_.size())]];
        char name[32];
        std::snprintf(name, sizeof name, "%c%07zu.dat", buchstabe_, zaehler_++);
        return verzeichnis + name;
    }

private:
    TBaumPlan& plan_;
    TZufall& zufall_;
    char buchstabe_;
    size_t zaehler_ = 0;
    std::vector<size_t> verzeichnisse_;
};

// 1 byte to 256 KiB, most of them small: log-scaled, skewed further
// towards the small end, median about 12 KiB, mean about 45 KiB; about 1 %
// are 8 bytes or less (and some of those agree by chance, as tiny files
// do). Empty files are left out on purpose: the tools disagree on whether
// they are duplicates.
uint64_t KleineGroesse(TZufall& zufall)
{
    const double hoch = std::pow(zufall.Einheit(), 0.4);
    const uint64_t g = static_cast<uint64_t>(std::pow(256.0 * KiB, hoch));
    return std::min<uint64_t>(std::max<uint64_t>(g, 1), 256 * KiB);
}

// 1 KiB to 8 MiB, log-scaled and skewed small: median about 5 KiB, mean
// about 400 KiB.
uint64_t GemischteGroesse(TZufall& zufall)
{
    const double u = zufall.Einheit();
    const double hoch = std::pow(u, 2.5);
    const uint64_t g = static_cast<uint64_t>(KiB * std::pow(8192.0, hoch));
    return std::min<uint64_t>(std::max<uint64_t>(g, KiB), 8 * MiB);
}

// Fills one tree with n files of fresh content; with probability
// gruppenAnteil an original gets 1 to 3 copies under other paths (groups of
// 2 to 4). Copies count towards n.
template <typename Groesse>
void MitKopienFuellen(TBaumPlan& plan, TZufall& zufall, TNamen& namen, size_t n,
                      double gruppenAnteil, Groesse groesse)
{
    size_t erzeugt = 0;
    while (erzeugt < n) {
        TDateiPlan original{namen.Neu(), groesse(zufall), zufall.Naechste(), false};
        plan.dateien.push_back(original);
        ++erzeugt;
        if (!zufall.Wahr(gruppenAnteil))
            continue;
        const size_t kopien = 1 + zufall.Bis(3);
        for (size_t k = 0; k < kopien && erzeugt < n; ++k, ++erzeugt) {
            TDateiPlan kopie = original;
            kopie.pfad = namen.Neu();
            plan.dateien.push_back(kopie);
        }
    }
}

void Klein(TBaumPlan& plan, TZufall& zufall, double faktor)
{
    const size_t n = Anzahl(100'000, faktor);
    TNamen namen(plan, zufall, n, "", 'f');
    MitKopienFuellen(plan, zufall, namen, n, 0.015, KleineGroesse);
}

// Half the files 4 KiB, half 1 MiB. A thousand are near twins: the same
// bytes as another file but for the last one. Thirty are true copies.
void Gleichgross(TBaumPlan& plan, TZufall& zufall, double faktor)
{
    const size_t n = Anzahl(6'000, faktor);
    // At most a quarter each, so that every twin and copy has an original of its own.
    const size_t nah = std::min(n / 4, static_cast<size_t>(std::llround(1'000 * faktor)));
    const size_t kopien = std::min(n / 4, static_cast<size_t>(std::max<long long>(1, std::llround(30 * faktor))));
    const size_t originale = n - nah - kopien;
    TNamen namen(plan, zufall, n, "", 'f');
    for (size_t i = 0; i < originale; ++i) {
        const uint64_t groesse = zufall.Wahr(0.5) ? 4 * KiB : MiB;
        plan.dateien.push_back({namen.Neu(), groesse, zufall.Naechste(), false});
    }
    for (size_t i = 0; i < nah; ++i) {
        TDateiPlan zwilling = plan.dateien[i];
        zwilling.pfad = namen.Neu();
        zwilling.letztesGekippt = true;
        plan.dateien.push_back(zwilling);
    }
    for (size_t i = 0; i < kopien; ++i) {
        TDateiPlan kopie = plan.dateien[nah + i];
        kopie.pfad = namen.Neu();
        plan.dateien.push_back(kopie);
    }
}

// 24 files of 128 MiB (scaled), eight contents three times each.
void Gross(TBaumPlan& plan, TZufall& zufall, double faktor)
{
    const double voll = 128.0 * MiB * faktor;
    const uint64_t groesse = std::max<uint64_t>(4 * KiB, std::llround(voll / 4096) * 4096);
    TNamen namen(plan, zufall, 4 * DateienJeVerzeichnis, "", 'g');
    for (int gruppe = 0; gruppe < 8; ++gruppe) {
        const uint64_t inhalt = zufall.Naechste();
        for (int k = 0; k < 3; ++k)
            plan.dateien.push_back({namen.Neu(), groesse, inhalt, false});
    }
}

void Gemischt(TBaumPlan& plan, TZufall& zufall, double faktor)
{
    const size_t n = Anzahl(20'000, faktor);
    TNamen namen(plan, zufall, n, "", 'm');
    MitKopienFuellen(plan, zufall, namen, n, 0.02, GemischteGroesse);
}

// Two trees A and B of the same size. A has a few copies within itself; a
// third of B's files are copies of files of A under other paths, the rest
// is new, with a few copies within B.
void Zwei(TBaumPlan& plan, TZufall& zufall, double faktor)
{
    const size_t n = Anzahl(30'000, faktor);
    TNamen namenA(plan, zufall, n, "A/", 'a');
    MitKopienFuellen(plan, zufall, namenA, n, 0.01, KleineGroesse);
    const size_t inA = plan.dateien.size();

    TNamen namenB(plan, zufall, n, "B/", 'b');
    size_t erzeugt = 0;
    while (erzeugt < n) {
        if (zufall.Wahr(0.3)) {
            TDateiPlan kopie = plan.dateien[zufall.Bis(inA)];
            kopie.pfad = namenB.Neu();
            plan.dateien.push_back(kopie);
            ++erzeugt;
            continue;
        }
        const TDateiPlan original{namenB.Neu(), KleineGroesse(zufall), zufall.Naechste(), false};
        plan.dateien.push_back(original);
        ++erzeugt;
        if (zufall.Wahr(0.01) && erzeugt < n) {
            TDateiPlan kopie = original;
            kopie.pfad = namenB.Neu();
            plan.dateien.push_back(kopie);
            ++erzeugt;
        }
    }
}

// A home directory at scale: a million small files (1 B to 16 KiB, mean
// about 2 KiB) in a thousand directories, all of them of one of 300 sizes,
// so that thousands of files share each size. Copies as in "klein".
void Million(TBaumPlan& plan, TZufall& zufall, double faktor)
{
    const size_t n = Anzahl(1'000'000, faktor);
    std::vector<uint64_t> groessen(300);
    for (uint64_t& g : groessen)
        g = std::min<uint64_t>(KleineGroesse(zufall), 16 * KiB);
    TNamen namen(plan, zufall, n, "", 'h', 1'000);
    MitKopienFuellen(plan, zufall, namen, n, 0.015,
                     [&groessen](TZufall& z) { return groessen[z.Bis(groessen.size())]; });
}

struct TArt {
    const char* name;
    void (*planen)(TBaumPlan&, TZufall&, double);
};

constexpr TArt Arten[] = {
    {"klein", Klein},         {"gleichgross", Gleichgross}, {"gross", Gross},
    {"gemischt", Gemischt},   {"zwei", Zwei},               {"million", Million},
};

} // namespace

bool ArtBekannt(const std::string& art)
{
    for (const TArt& a : Arten)
        if (art == a.name)
            return true;
    return false;
}

TBaumPlan BaumPlanen(const std::string& art, double faktor, uint64_t seed)
{
    if (!(faktor > 0))
        throw std::invalid_argument("the size factor must be positive");
    for (size_t i = 0; i < std::size(Arten); ++i) {
        if (art != Arten[i].name)
            continue;
        // Each kind draws from its own stream, so one seed gives unrelated trees.
        TZufall zufall(Mischen(seed) ^ Mischen(i + 1));
        TBaumPlan plan;
        Arten[i].planen(plan, zufall, faktor);
        return plan;
    }
    throw std::invalid_argument("unknown tree kind '" + art + "'");
}

uint64_t Anfangswort(const TDateiPlan& datei)
{
    TZufall strom(datei.inhalt);
    uint64_t wort = strom.Naechste();
    if (datei.groesse < 8)
        wort &= (uint64_t{1} << (8 * datei.groesse)) - 1;
    if (datei.letztesGekippt && datei.groesse <= 8 && datei.groesse > 0)
        wort ^= uint64_t{0xFF} << (8 * (datei.groesse - 1));
    return wort;
}

std::vector<size_t> Zwillinge(const TBaumPlan& plan)
{
    // Files of 8 bytes or more with different seeds differ in their first
    // word (with certainty for all practical purposes); shorter files can
    // agree by chance, so they are keyed by their actual bytes.
    using TSchluessel = std::tuple<uint64_t, uint64_t, bool>;
    std::map<TSchluessel, size_t> anzahl;
    std::vector<TSchluessel> schluessel;
    schluessel.reserve(plan.dateien.size());
    for (const TDateiPlan& d : plan.dateien) {
        const TSchluessel s = d.groesse <= 8 ? TSchluessel{d.groesse, Anfangswort(d), false}
                                             : TSchluessel{d.groesse, d.inhalt, d.letztesGekippt};
        schluessel.push_back(s);
        ++anzahl[s];
    }
    std::vector<size_t> ergebnis;
    for (size_t i = 0; i < schluessel.size(); ++i)
        if (anzahl[schluessel[i]] > 1)
            ergebnis.push_back(i);
    return ergebnis;
}

} // namespace bench
