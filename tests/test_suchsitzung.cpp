#include "search/Suchsitzung.h"
#include "util/Fehler.h"

#include <gtest/gtest.h>

#include <deque>
#include <limits>
#include <string>

namespace {

struct StoppFall {
    const char* schritte;       // A: a request, P: a poll
    std::deque<bool> antworten; // what the question answers, in turn
    bool mitFrage;
    const char* halten;         // per poll: 1 stops
    int fragen;
};

class Stoppmarke : public ::testing::TestWithParam<StoppFall> {};

TEST_P(Stoppmarke, AsksOncePerRequestAndKeepsTheAnswer)
{
    const StoppFall& fall = GetParam();
    std::deque<bool> antworten = fall.antworten;
    int fragen = 0;
    TStoppMarke stopp;
    if (fall.mitFrage)
        stopp.Frage = [&] {
            ++fragen;
            const bool antwort = antworten.front();
            antworten.pop_front();
            return antwort;
        };
    std::string halten;
    for (const char* s = fall.schritte; *s; ++s) {
        if (*s == 'A')
            stopp.Anfordern();
        else
            halten += stopp.Halten() ? '1' : '0';
    }
    EXPECT_EQ(halten, fall.halten);
    EXPECT_EQ(fragen, fall.fragen);
}

INSTANTIATE_TEST_SUITE_P(Faelle, Stoppmarke,
                         ::testing::Values(StoppFall{"PP", {}, true, "00", 0}, StoppFall{"APPP", {true}, true, "111", 1},
                                           StoppFall{"APP", {false}, true, "00", 1},
                                           StoppFall{"APAP", {false, true}, true, "01", 2},
                                           StoppFall{"AP", {}, false, "1", 0}));

TEST(Zaehler, StepsUntilTheOneAfterPassingTheLargest32BitValue)
{
    constexpr int64_t Groesster = std::numeric_limits<int32_t>::max();
    TZaehlerstand stand;
    ZaehlerErhoehen(stand, TZaehler::Ohne);
    EXPECT_EQ(stand.ohne, 1);
    EXPECT_EQ(stand.plus + stand.mit, 0);
    stand.mit = Groesster;
    ZaehlerErhoehen(stand, TZaehler::Mit);
    EXPECT_EQ(stand.mit, Groesster + 1);
    try {
        ZaehlerErhoehen(stand, TZaehler::Mit);
        FAIL() << "no conversion error";
    } catch (const EFehler& fehler) {
        EXPECT_STREQ(fehler.what(), "'2147483648' ist kein gültiger Integerwert");
    }
    EXPECT_EQ(stand.mit, Groesster + 1);
}

} // namespace
