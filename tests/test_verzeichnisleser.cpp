#include "Testbaum.h"

#include "search/Verzeichnisleser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

bool Ansehen(const plattform::TVerzeichnisListe& liste, const std::string& name, const std::string&,
             plattform::TEintragsArt, bool, plattform::TEintragsInfo& info)
{
    return liste.Info(name, info);
}

struct TListenFall {
    const char* name;
    std::vector<std::string> dateien; // made below the tree's root
    std::vector<std::string> folge;   // the directories named to the lister, in order
    // What the walk takes: per directory its names, sorted, with a
    // directory's name ending in '/', and "?" where it could not be listed.
    const char* erwartet;
};

class Verzeichnisleser : public ::testing::TestWithParam<TListenFall> {};

} // namespace

TEST_P(Verzeichnisleser, TheWalkTakesEachDirectorysEntriesInTheOrderItNamedThem)
{
    TTestbaum baum;
    for (const std::string& datei : GetParam().dateien)
        baum.Datei(datei, "x");
    std::string gesehen;
    TVerzeichnisleser leser(&Ansehen);
    for (const std::string& verzeichnis : GetParam().folge)
        leser.Einreihen(baum.Wurzel() + TTestbaum::Nativ(verzeichnis), false);
    for (size_t i = 0; i < GetParam().folge.size(); ++i) {
        std::vector<std::string> namen;
        TGelistet eintrag;
        while (leser.Naechster(eintrag))
            namen.push_back(eintrag.name + (eintrag.angesehen && eintrag.info.verzeichnis ? "/" : ""));
        std::sort(namen.begin(), namen.end());
        for (const std::string& name : namen)
            gesehen += name + ",";
        gesehen += leser.Grund().Leer() ? "|" : "?|";
    }
    EXPECT_EQ(gesehen, GetParam().erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Verzeichnisleser,
    ::testing::Values(TListenFall{"OneDirectory", {"a", "b", "u/c"}, {""}, "a,b,u/,|"},
                      TListenFall{"ChildrenAfterTheirParent", {"a", "u/c", "u/v/d", "w/e"}, {"", "u/", "w/", "u/v/"},
                                  "a,u/,w/,|c,v/,|e,|d,|"},
                      TListenFall{"AMissingDirectorySaysWhy", {"u/c"}, {"fehlt/", "u/"}, "?|c,|"},
                      TListenFall{"ADirectoryNamedTwice", {"u/c"}, {"u/", "leer/", "u/"}, "c,|?|c,|"}),
    [](const auto& info) { return std::string(info.param.name); });

// The walk stops half way: what was named and not taken is let go.
TEST(Verzeichnisleser, EndsWithDirectoriesNotTakenYet)
{
    TTestbaum baum;
    for (int i = 0; i < 200; ++i)
        baum.Datei("d" + std::to_string(i % 20) + "/f" + std::to_string(i), "x");
    {
        TVerzeichnisleser leser(&Ansehen);
        for (int i = 0; i < 20; ++i)
            leser.Einreihen(baum.Wurzel() + "d" + std::to_string(i) + plattform::Trenner, false);
        TGelistet eintrag;
        ASSERT_TRUE(leser.Naechster(eintrag));
        EXPECT_EQ(eintrag.name.substr(0, 1), "f");
    }
}
