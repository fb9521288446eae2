#include "Testdaten.h"

#include "search/Vorleser.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

struct TVorleseFall {
    const char* name;
    std::vector<uint32_t> gruppen; // files per size group, in the search's order
    int64_t groesse;               // of every file; each file's bytes are its own
    uint32_t schritt;              // the search takes every schritt-th file of a group
};

class Vorleser : public ::testing::TestWithParam<TVorleseFall> {};

// The file's number at its start and its end, and a letter of its own between.
std::string Inhalt(size_t nummer, int64_t groesse)
{
    std::string text(static_cast<size_t>(groesse), static_cast<char>('a' + nummer % 26));
    const std::string marke = std::to_string(nummer);
    text.replace(0, marke.size(), marke);
    text.replace(text.size() - marke.size(), marke.size(), marke);
    return text;
}

} // namespace

TEST_P(Vorleser, TheSearchGetsEachFileItAsksForWithItsEdgesReadAhead)
{
    const TVorleseFall& fall = GetParam();
    TTestbaum baum;
    TBaumdaten daten;
    const uint16_t lauf = daten.NeuerLauf();
    std::vector<std::vector<const TBaumEintrag*>> gruppen;
    std::vector<std::string> inhalte;
    for (uint32_t anzahl : fall.gruppen) {
        gruppen.emplace_back();
        for (uint32_t i = 0; i < anzahl; ++i) {
            inhalte.push_back(Inhalt(inhalte.size(), fall.groesse));
            gruppen.back().push_back(&DateiEintragen(daten, baum, lauf, std::to_string(inhalte.size()), inhalte.back()));
        }
    }
    uint32_t geplant = 0;
    TVorleser vorleser(daten, [&](std::deque<TVorhaben>& plan) {
        if (geplant == gruppen.size())
            return false;
        for (uint32_t stelle = 0; stelle < gruppen[geplant].size(); ++stelle)
            plan.push_back({gruppen[geplant][stelle], fall.groesse, geplant, stelle});
        ++geplant;
        return true;
    });

    size_t nummer = 0;
    for (uint32_t gruppe = 0; gruppe < gruppen.size(); ++gruppe) {
        vorleser.GruppeBeginnt(gruppe);
        for (uint32_t stelle = 0; stelle < gruppen[gruppe].size(); ++stelle, ++nummer) {
            if (stelle % fall.schritt != 0)
                continue;
            bool keineDeskriptoren = false;
            TRand rand;
            plattform::TDatei datei = vorleser.Nehmen(*gruppen[gruppe][stelle], stelle, keineDeskriptoren, rand);
            ASSERT_TRUE(datei.Offen()) << nummer;
            if (!rand.gelesen)
                rand = TRand::Gelesen(datei, fall.groesse);
            ASSERT_TRUE(rand.ok) << nummer;
            const std::string& inhalt = inhalte[nummer];
            const size_t laenge = static_cast<size_t>(TRand::Laenge(fall.groesse));
            const std::string erwartet = inhalt.size() <= laenge ? inhalt
                                                                  : inhalt.substr(0, RandBlock)
                                                                        + inhalt.substr(inhalt.size() - RandBlock);
            EXPECT_EQ(std::string(rand.bytes.get(), laenge), erwartet) << nummer;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Faelle, Vorleser,
                         ::testing::Values(TVorleseFall{"OneSmallGroup", {3}, 100, 1},
                                           TVorleseFall{"GroupsLargerThanABundle", {40, 5, 70}, 100, 1},
                                           TVorleseFall{"EdgesOfLargeFiles", {4, 4}, 3 * RandBlock + 17, 1},
                                           TVorleseFall{"FilesPassedOverAreLetGo", {50, 9}, 9000, 3},
                                           // Stopped with much planned and one file taken: the threads end.
                                           TVorleseFall{"EndsWithAPlanNotTaken", {300}, 5000, 300}),
                         [](const auto& info) { return std::string(info.param.name); });
