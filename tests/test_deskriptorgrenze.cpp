// Under a low limit of open files the normal search must still give exactly
// what the pairwise run gives: a file that could not be opened only for lack
// of descriptors is compared with fewer files side by side, never taken as
// unreadable. Its own program, so that the lowered limit touches no other test.

#include "Suchvergleich.h"
#include "Testbaum.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <filesystem>
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

} // namespace

TEST_P(DeskriptorgrenzeTest, ManyIdenticalFilesGiveThePairwiseResult)
{
    const auto [grenze, groesse, zweiBaeume] = GetParam();
    // 200 identical files and 200 others of the same size; in two trees the
    // identical ones are split between them. Small files are read whole at
    // once, larger ones compared side by side.
    TTestbaum baum;
    rlim_t limit = static_cast<rlim_t>(grenze);
    if (grenze == 0)
        for (const auto& offen : std::filesystem::directory_iterator("/proc/self/fd"))
            limit += offen.path().empty() ? 0 : 1; // (the listing's own is the first beyond)
    limit += grenze == 0 ? 1 : 0;
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
