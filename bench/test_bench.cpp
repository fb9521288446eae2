// The benchmark's own pieces: a tree plan must be the same for the same
// seed and hold what its kind promises, the twin list must name exactly the
// files with an identical twin, and a measured run must report its end,
// its time limit and its memory truthfully.

#include "bench/Baumplan.h"
#include "bench/Prozess.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <unistd.h>

namespace {

using bench::BaumPlanen;
using bench::TBaumPlan;
using bench::TDateiPlan;

bool Gleich(const TDateiPlan& a, const TDateiPlan& b)
{
    return a.pfad == b.pfad && a.groesse == b.groesse && a.inhalt == b.inhalt &&
           a.letztesGekippt == b.letztesGekippt;
}

struct TArtFall {
    const char* art;
    double faktor;
    size_t dateien;
};

class BaumArt : public ::testing::TestWithParam<TArtFall> {};

TEST_P(BaumArt, SameSeedGivesSamePlanAndOtherSeedAnother)
{
    const TArtFall fall = GetParam();
    const TBaumPlan a = BaumPlanen(fall.art, fall.faktor, 7);
    const TBaumPlan b = BaumPlanen(fall.art, fall.faktor, 7);
    const TBaumPlan c = BaumPlanen(fall.art, fall.faktor, 8);
    ASSERT_EQ(a.dateien.size(), b.dateien.size());
    EXPECT_EQ(a.verzeichnisse, b.verzeichnisse);
    for (size_t i = 0; i < a.dateien.size(); ++i)
        EXPECT_TRUE(Gleich(a.dateien[i], b.dateien[i])) << i;
    bool anders = a.dateien.size() != c.dateien.size();
    for (size_t i = 0; !anders && i < a.dateien.size(); ++i)
        anders = !Gleich(a.dateien[i], c.dateien[i]);
    EXPECT_TRUE(anders);
}

TEST_P(BaumArt, HoldsTheScaledNumberOfFilesInItsOwnDirectoriesUnderDistinctPaths)
{
    const TArtFall fall = GetParam();
    const TBaumPlan plan = BaumPlanen(fall.art, fall.faktor, 1);
    EXPECT_EQ(plan.dateien.size(), fall.dateien);
    const std::set<std::string> verzeichnisse(plan.verzeichnisse.begin(), plan.verzeichnisse.end());
    EXPECT_EQ(verzeichnisse.size(), plan.verzeichnisse.size());
    std::set<std::string> pfade;
    for (const TDateiPlan& d : plan.dateien) {
        EXPECT_TRUE(pfade.insert(d.pfad).second) << d.pfad;
        const std::string verzeichnis = d.pfad.substr(0, d.pfad.rfind('/') + 1);
        EXPECT_EQ(verzeichnisse.count(verzeichnis), 1u) << d.pfad;
        EXPECT_GT(d.groesse, 0u);
    }
    // Parents come before their children, so they can be made in order.
    std::set<std::string> gesehen{""};
    for (const std::string& v : plan.verzeichnisse) {
        const std::string ohne = v.substr(0, v.size() - 1);
        const std::string eltern = ohne.substr(0, ohne.rfind('/') + 1);
        EXPECT_TRUE(ohne.find('/') == std::string::npos || gesehen.count(eltern)) << v;
        gesehen.insert(v);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arten, BaumArt,
    ::testing::Values(TArtFall{"klein", 0.02, 2'000}, TArtFall{"gleichgross", 0.1, 600},
                      TArtFall{"gross", 0.01, 24}, TArtFall{"gemischt", 0.05, 1'000},
                      TArtFall{"zwei", 0.02, 1'200}, TArtFall{"million", 0.002, 2'000}),
    [](const auto& info) { return std::string(info.param.art); });

TEST(BaumPlan, UnknownKindOrNonPositiveFactorIsRefused)
{
    EXPECT_THROW(BaumPlanen("riesig", 1.0, 1), std::invalid_argument);
    EXPECT_THROW(BaumPlanen("klein", 0.0, 1), std::invalid_argument);
    EXPECT_THROW(BaumPlanen("klein", -1.0, 1), std::invalid_argument);
}

TEST(BaumPlan, MillionTreeSharesAFewHundredSizesInDirectoriesOfAThousand)
{
    const TBaumPlan plan = BaumPlanen("million", 0.01, 5);
    std::set<uint64_t> groessen;
    for (const TDateiPlan& d : plan.dateien) {
        EXPECT_LE(d.groesse, 16u * 1024);
        groessen.insert(d.groesse);
    }
    EXPECT_GT(groessen.size(), 100u);
    EXPECT_LE(groessen.size(), 300u);
    EXPECT_EQ(plan.verzeichnisse.size(), 10u);
}

TEST(BaumPlan, SmallFilesHaveSizesUpTo256KiBMostlySmall)
{
    const TBaumPlan plan = BaumPlanen("klein", 0.05, 3);
    size_t unter12 = 0, winzig = 0;
    for (const TDateiPlan& d : plan.dateien) {
        EXPECT_LE(d.groesse, 256u * 1024);
        unter12 += d.groesse <= 12 * 1024 ? 1 : 0;
        winzig += d.groesse <= 8 ? 1 : 0;
    }
    // Median near 12 KiB; only about 1 % tiny files that may agree by chance.
    EXPECT_GT(unter12, plan.dateien.size() * 45 / 100);
    EXPECT_LT(unter12, plan.dateien.size() * 55 / 100);
    EXPECT_LT(winzig, plan.dateien.size() * 3 / 100);
}

TEST(BaumPlan, SameSizeTreeHasNearTwinsThatDifferOnlyInTheLastByte)
{
    const TBaumPlan plan = BaumPlanen("gleichgross", 1.0, 1);
    ASSERT_EQ(plan.dateien.size(), 6'000u);
    std::map<std::pair<uint64_t, uint64_t>, int> ungekippt;
    size_t gekippt = 0;
    for (const TDateiPlan& d : plan.dateien) {
        EXPECT_TRUE(d.groesse == 4096 || d.groesse == 1048576) << d.groesse;
        if (d.letztesGekippt)
            ++gekippt;
        else
            ++ungekippt[{d.groesse, d.inhalt}];
    }
    EXPECT_EQ(gekippt, 1'000u);
    for (const TDateiPlan& d : plan.dateien) {
        if (d.letztesGekippt) {
            EXPECT_EQ((ungekippt[{d.groesse, d.inhalt}]), 1) << d.pfad;
        }
    }
    EXPECT_EQ(bench::Zwillinge(plan).size(), 60u); // thirty copies of thirty originals
}

TEST(BaumPlan, LargeTreeIsEightGroupsOfThreeOfTheScaledSize)
{
    const TBaumPlan plan = BaumPlanen("gross", 0.5, 1);
    ASSERT_EQ(plan.dateien.size(), 24u);
    std::map<uint64_t, int> gruppen;
    for (const TDateiPlan& d : plan.dateien) {
        EXPECT_EQ(d.groesse, 64u * 1024 * 1024);
        ++gruppen[d.inhalt];
    }
    EXPECT_EQ(gruppen.size(), 8u);
    for (const auto& [inhalt, anzahl] : gruppen)
        EXPECT_EQ(anzahl, 3);
}

TEST(BaumPlan, TwoTreesShareManyFilesAcrossAandB)
{
    const TBaumPlan plan = BaumPlanen("zwei", 0.1, 1);
    std::set<std::pair<uint64_t, uint64_t>> inA;
    size_t a = 0, b = 0, kreuz = 0;
    for (const TDateiPlan& d : plan.dateien) {
        if (d.pfad.rfind("A/", 0) == 0) {
            ++a;
            inA.insert({d.groesse, d.inhalt});
        }
    }
    for (const TDateiPlan& d : plan.dateien) {
        if (d.pfad.rfind("B/", 0) == 0) {
            ++b;
            kreuz += inA.count({d.groesse, d.inhalt});
        }
    }
    EXPECT_EQ(a, 3'000u);
    EXPECT_EQ(b, 3'000u);
    EXPECT_GT(kreuz, b / 4);
    EXPECT_LT(kreuz, b * 2 / 5);
}

TEST(Zwillinge, NamesExactlyTheFilesWithAnIdenticalTwin)
{
    TBaumPlan plan;
    plan.dateien = {
        {"a", 100, 1, false}, {"b", 100, 1, false},  // copies
        {"c", 100, 1, true},                          // near twin of both: no twin of its own
        {"d", 101, 1, false},                         // same seed, other size
        {"e", 100, 2, false},                         // other seed
        {"f", 100, 2, true},  {"g", 100, 2, true},    // two equal near twins are twins
    };
    EXPECT_EQ(bench::Zwillinge(plan), (std::vector<size_t>{0, 1, 5, 6}));
}

TEST(Zwillinge, ShortFilesAreComparedByTheirBytesNotTheirSeeds)
{
    // One-byte files: some of 600 seeds must agree by chance (256 values).
    TBaumPlan plan;
    std::map<uint64_t, int> werte;
    for (uint64_t seed = 1; seed <= 600; ++seed) {
        plan.dateien.push_back({std::to_string(seed), 1, seed, false});
        ++werte[bench::Anfangswort(plan.dateien.back())];
    }
    size_t erwartet = 0;
    for (const auto& [wert, anzahl] : werte)
        erwartet += anzahl > 1 ? static_cast<size_t>(anzahl) : 0;
    ASSERT_GT(erwartet, 0u);
    EXPECT_EQ(bench::Zwillinge(plan).size(), erwartet);
    for (const auto& [wert, anzahl] : werte)
        EXPECT_LT(wert, 256u);
}

TEST(Anfangswort, FlippedLastByteDiffersOnlyThere)
{
    for (uint64_t groesse = 1; groesse <= 9; ++groesse) {
        const TDateiPlan gerade{"x", groesse, 42, false};
        const TDateiPlan gekippt{"y", groesse, 42, true};
        const uint64_t unterschied = bench::Anfangswort(gerade) ^ bench::Anfangswort(gekippt);
        const uint64_t erwartet = groesse <= 8 ? uint64_t{0xFF} << (8 * (groesse - 1)) : 0;
        EXPECT_EQ(unterschied, erwartet) << groesse;
    }
}

class Messung : public ::testing::Test {
protected:
    static void SetUpTestSuite() { bench::ProzesseVorbereiten(); }

    bench::TMessung Lauf(const std::string& befehl, double limit)
    {
        return bench::Messen({"sh", "-c", befehl}, "/tmp", "/dev/null", "/dev/null", limit);
    }
};

TEST_F(Messung, ReportsExitCodeAndWallTime)
{
    const bench::TMessung m = Lauf("sleep 0.2; exit 3", 10);
    EXPECT_TRUE(m.gestartet);
    EXPECT_FALSE(m.zuLang);
    EXPECT_EQ(m.exitCode, 3);
    EXPECT_GE(m.sekunden, 0.2);
    EXPECT_LT(m.sekunden, 2.0);
}

TEST_F(Messung, KillsARunPastItsLimitWithWhatItStarted)
{
    char muster[] = "/tmp/test_bench.XXXXXX";
    ASSERT_NE(::mkdtemp(muster), nullptr);
    const std::string pidDatei = std::string(muster) + "/pid";
    const bench::TMessung m = Lauf("sleep 30 & echo $! > " + pidDatei + "; wait", 0.3);
    EXPECT_TRUE(m.zuLang);
    EXPECT_EQ(m.signal, SIGKILL);
    EXPECT_GE(m.sekunden, 0.3);
    EXPECT_LT(m.sekunden, 5.0);

    std::ifstream ein(pidDatei);
    pid_t hintergrund = 0;
    ASSERT_TRUE(ein >> hintergrund);
    // Dead means gone or a zombie: not every init reaps orphans at once.
    bool weg = false;
    for (int i = 0; i < 100 && !weg; ++i) {
        std::ifstream stat("/proc/" + std::to_string(hintergrund) + "/stat");
        std::string pid, name, zustand;
        weg = !(stat >> pid >> name >> zustand) || zustand == "Z";
        if (!weg)
            ::usleep(10'000);
    }
    EXPECT_TRUE(weg);
    std::remove(pidDatei.c_str());
    ::rmdir(muster);
}

TEST_F(Messung, PeakIsTheChildsOwnMemory)
{
    // head -c reads into a pipe; a shell variable of 64 MiB is resident.
    const bench::TMessung gross =
        Lauf("x=$(head -c 67108864 /dev/zero | tr '\\0' a); echo ${#x} >/dev/null", 30);
    const bench::TMessung klein = Lauf("true", 10);
    EXPECT_EQ(gross.exitCode, 0);
    EXPECT_GT(gross.spitzeKiB, 64 * 1024);
    EXPECT_LT(klein.spitzeKiB, 16 * 1024);
}

TEST_F(Messung, UnknownProgramIsNotStarted)
{
    const bench::TMessung m =
        bench::Messen({"/nonexistent/program"}, "/tmp", "/dev/null", "/dev/null", 10);
    EXPECT_FALSE(m.gestartet);
    EXPECT_TRUE(bench::ProgrammFinden("/nonexistent/program").empty());
    EXPECT_FALSE(bench::ProgrammFinden("sh").empty());
}

} // namespace
