// Under a low limit of open files the normal search must still give exactly
// what the pairwise run gives: a file that could not be opened only for lack
// of descriptors is compared with fewer files side by side, never taken as
// unreadable. Its own program, so that the lowered limit touches no other test.

#include "Suchvergleich.h"
#include "Testbaum.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>

#include <random>
#include <tuple>

namespace {

// Lowers the soft limit of open files for its lifetime.
class TDeskriptorgrenze {
public:
    explicit TDeskriptorgrenze(rlim_t grenze)
    {
        ::getrlimit(RLIMIT_NOFILE, &vorher_);
        rlimit neu = vorher_;
        neu.rlim_cur = grenze;
        gesetzt_ = ::setrlimit(RLIMIT_NOFILE, &neu) == 0;
    }
    ~TDeskriptorgrenze()
    {
        if (gesetzt_)
            ::setrlimit(RLIMIT_NOFILE, &vorher_);
    }
    TDeskriptorgrenze(const TDeskriptorgrenze&) = delete;
    TDeskriptorgrenze& operator=(const TDeskriptorgrenze&) = delete;

    bool Gesetzt() const { return gesetzt_; }

private:
    rlimit vorher_{};
    bool gesetzt_ = false;
};

// (limit, file size, two trees); limit 0: two descriptors beyond those open,
// fewer than the threads that list directories.
class DeskriptorgrenzeTest : public ::testing::TestWithParam<std::tuple<int, size_t, bool>> {};

// The limit that leaves exactly frei descriptors to open: it bounds their
// numbers, not how many are open (a test runner may hold some far above).
rlim_t GrenzeFuer(int frei)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    frei += 2; // the sanitizers look at memory through a pipe of their own
#endif
    int nummer = 0;
    for (; frei > 0; ++nummer)
        frei -= ::fcntl(nummer, F_GETFD) == -1 ? 1 : 0;
    return static_cast<rlim_t>(nummer);
}

// (descriptors free beyond those open, seed of the tree): as ulimit -n 4 to
// 40 leaves 1 to 37 beside stdin, stdout and stderr.
class FreieDeskriptorenTest : public ::testing::TestWithParam<std::tuple<int, unsigned>> {};

} // namespace

TEST_P(FreieDeskriptorenTest, RandomTreesGiveThePairwiseResult)
{
    const auto [frei, saat] = GetParam();
    // Sizes read whole and larger ones, three classes each (a byte changed
    // at the start, middle or end); for even seeds split between two trees.
    std::mt19937 zufall(saat);
    const size_t groessen[] = {0, 100, 8192, 8193, 9000, 20000, 70000};
    TTestbaum baum;
    for (unsigned i = 0; i < 30 + 40 * saat; ++i) {
        std::string inhalt(groessen[zufall() % 7], 'z');
        if (!inhalt.empty())
            inhalt[zufall() % 3 * (inhalt.size() - 1) / 2] = 'y';
        baum.Datei((saat % 2 == 0 && zufall() % 2 ? "B/" : "A/") + std::to_string(zufall() % 3) + "/f" + std::to_string(i),
                   inhalt);
    }
    const std::string eins = baum.Wurzel() + "A/", zwei = baum.Wurzel() + (saat % 2 == 0 ? "B/" : "A/");
    const suchvergleich::TErgebnis paarweise = suchvergleich::Suchen(eins, zwei, true);
    TDeskriptorgrenze gesetzt(GrenzeFuer(frei));
    ASSERT_TRUE(gesetzt.Gesetzt());
    suchvergleich::ErgebnisseGleich(suchvergleich::Suchen(eins, zwei, false), paarweise);
}

INSTANTIATE_TEST_SUITE_P(Grenzen, FreieDeskriptorenTest,
                         ::testing::Combine(::testing::Values(1, 2, 3, 5, 9, 17, 37), ::testing::Values(1u, 2u, 3u, 4u)));

TEST_P(DeskriptorgrenzeTest, ManyIdenticalFilesGiveThePairwiseResult)
{
    const auto [grenze, groesse, zweiBaeume] = GetParam();
    // 200 identical files and 200 others of the same size; in two trees the
    // identical ones are split between them. Small files are read whole at
    // once, larger ones compared side by side.
    TTestbaum baum;
    const rlim_t limit = grenze == 0 ? GrenzeFuer(2) : static_cast<rlim_t>(grenze);
    for (int i = 0; i < 400; ++i) {
        std::string inhalt(groesse, 'z');
        if (i % 2 == 1)
            inhalt[static_cast<size_t>(i) % groesse] = static_cast<char>(i / 2);
        const std::string baumName = zweiBaeume ? (i % 4 < 2 ? "A/" : "B/") : "T/";
        baum.Datei(baumName + "d" + std::to_string(i % 5) + "/f" + std::to_string(i), inhalt);
    }
    const std::string eins = baum.Wurzel() + (zweiBaeume ? "A/" : "T/");
    const std::string zwei = baum.Wurzel() + (zweiBaeume ? "B/" : "T/");

    const suchvergleich::TErgebnis paarweise = suchvergleich::Suchen(eins, zwei, true);
    suchvergleich::TErgebnis normal;
    {
        TDeskriptorgrenze gesetzt(limit);
        ASSERT_TRUE(gesetzt.Gesetzt());
        normal = suchvergleich::Suchen(eins, zwei, false);
    }
    suchvergleich::ErgebnisseGleich(normal, paarweise);
}

INSTANTIATE_TEST_SUITE_P(Grenzen, DeskriptorgrenzeTest,
                         ::testing::Combine(::testing::Values(0, 16, 32), ::testing::Values(size_t{100}, size_t{20000}),
                                            ::testing::Bool()));
