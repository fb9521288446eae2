#include "search/Groessentabelle.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

// Sizes of the files of each tree in walk order (-1: no regular file); the
// files are named a0, a1, ... and b0, b1, ...
struct GroessenFall {
    std::vector<int64_t> a;
    std::vector<int64_t> b; // empty: tree a searched against itself
    const char* folge;      // the groups worth reading, by size
    const char* plan;       // what the read-ahead is given: group:file
};

class Groessentabelle : public ::testing::TestWithParam<GroessenFall> {};

uint16_t Lauf(TBaumdaten& daten, const std::vector<int64_t>& groessen, char baum)
{
    const uint16_t lauf = daten.NeuerLauf();
    for (size_t i = 0; i < groessen.size(); ++i) {
        TBaumEintrag& eintrag = daten.Eintragen(lauf, 0, baum + std::to_string(i));
        eintrag.regulaer = groessen[i] >= 0;
        eintrag.groesse = groessen[i];
    }
    return lauf;
}

TEST_P(Groessentabelle, PlansTheGroupsInTheOrderTheSearchTakesThem)
{
    const GroessenFall& fall = GetParam();
    TBaumdaten daten;
    daten.verzeichnisse.push_back({daten.Ablegen("/d/"), {}, false, false});
    const uint16_t laufA = Lauf(daten, fall.a, 'a');
    const uint16_t laufB = fall.b.empty() ? laufA : Lauf(daten, fall.b, 'b');
    TGroessentabelle tabelle(daten);
    tabelle.Aufbauen(laufA, laufB, fall.b.empty());

    std::string folge;
    for (int64_t groesse : tabelle.gruppenfolge)
        folge += (folge.empty() ? "" : " ") + std::to_string(groesse);
    EXPECT_EQ(folge, fall.folge);
    std::deque<TVorhaben> vorhaben;
    while (tabelle.Nachschub(vorhaben)) {
    }
    std::string plan;
    for (const TVorhaben& v : vorhaben) {
        EXPECT_EQ(v.groesse, v.datei->groesse);
        plan += (plan.empty() ? "" : " ") + std::to_string(v.gruppe) + ":" + std::string(daten.Name(*v.datei));
    }
    EXPECT_EQ(plan, fall.plan);
}

INSTANTIATE_TEST_SUITE_P(Faelle, Groessentabelle,
                         ::testing::Values(GroessenFall{{5, 7, 5, 9}, {7, 5, 5, 3}, "5 7", "0:a0 0:a2 0:b1 0:b2 1:a1 1:b0"},
                                           GroessenFall{{5, 7, 5, -1, 7, 3}, {}, "5 7", "0:a0 0:a2 1:a1 1:a4"},
                                           GroessenFall{{-1, 4}, {4, -1}, "4", "0:a1 0:b0"},
                                           GroessenFall{{1, 2}, {3}, "", ""}));

} // namespace
