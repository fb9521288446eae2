#include "Testdaten.h"

#include "search/Inhaltsklassen.h"
#include "search/Vorleser.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct TKlassenFall {
    const char* name;
    // Per file: its tree ('a' first, 'b' second, '2' both) and its bytes, all of one size.
    std::vector<std::pair<char, std::string>> dateien;
    // Per file: its class as the letter of the class's first file, '-' for none.
    const char* klassen;
    bool halten = false; // the search is stopped between blocks
};

class Inhaltsklassen : public ::testing::TestWithParam<TKlassenFall> {};

// Bytes of length laenge that differ from Gleich(laenge) at stelle only.
std::string Gleich(size_t laenge, size_t stelle = SIZE_MAX)
{
    std::string text(laenge, 'g');
    if (stelle < laenge)
        text[stelle] = 'u';
    return text;
}

} // namespace

TEST_P(Inhaltsklassen, FilesOfOneSizeFallIntoClassesOfEqualBytesAcrossBothTrees)
{
    TTestbaum baum;
    TBaumdaten daten;
    const uint16_t lauf = daten.NeuerLauf();
    std::vector<TKlassenEintrag> eintraege;
    for (const auto& [seite, inhalt] : GetParam().dateien) {
        TBaumEintrag& datei = DateiEintragen(daten, baum, lauf, std::to_string(eintraege.size()), inhalt);
        eintraege.push_back({&datei, static_cast<uint8_t>(seite == 'a' ? 1 : seite == 'b' ? 2 : 3)});
    }
    TVorleser vorleser(daten, [](std::deque<TVorhaben>&) { return false; });
    TLesestand stand{daten, vorleser};
    int32_t naechste = 7;
    const bool halten = GetParam().halten;
    ASSERT_EQ(KlassenBilden(eintraege, eintraege[0].datei->groesse, naechste, stand,
                            [&](const TBaumEintrag&, int64_t) { return halten; }),
              !halten);
    std::map<int32_t, char> buchstaben;
    std::string klassen;
    for (const TKlassenEintrag& eintrag : eintraege) {
        const int32_t klasse = eintrag.datei->klasse;
        if (klasse >= 0 && !buchstaben.count(klasse))
            buchstaben[klasse] = static_cast<char>('x' + buchstaben.size());
        klassen += klasse < 0 ? '-' : buchstaben[klasse];
    }
    EXPECT_EQ(klassen, GetParam().klassen);
    EXPECT_EQ(naechste, 7 + static_cast<int32_t>(buchstaben.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Inhaltsklassen,
    ::testing::Values(
        TKlassenFall{"TwinsAcrossTrees", {{'a', "1234"}, {'b', "1234"}}, "xx"},
        TKlassenFall{"LastByteDiffers", {{'a', "1234"}, {'b', "1235"}}, "--"},
        TKlassenFall{"TwoClassesInterleaved", {{'a', "aaaa"}, {'a', "bbbb"}, {'b', "bbbb"}, {'b', "aaaa"}}, "xyyx"},
        TKlassenFall{"CopiesInOneTreeOnly", {{'a', "zzzz"}, {'a', "zzzz"}, {'b', "qqqq"}}, "---"},
        TKlassenFall{"ThreeEqualOneOdd", {{'a', "kkkk"}, {'b', "kkkk"}, {'b', "kkkq"}, {'a', "kkkk"}}, "xx-x"},
        TKlassenFall{"BothTreesNameOneFileAndItsCopy", {{'2', "ssss"}, {'b', "ssss"}}, "xx"},
        TKlassenFall{"DifferBetweenTheEdgeBlocks", {{'a', Gleich(40000, 20000)}, {'b', Gleich(40000)}}, "--"},
        TKlassenFall{"EqualPastSeveralBlocks", {{'a', Gleich(40000)}, {'b', Gleich(40000)}}, "xx"},
        TKlassenFall{"AStopBetweenBlocksEndsWithoutClasses", {{'a', Gleich(1 << 20)}, {'b', Gleich(1 << 20)}}, "--", true}),
    [](const auto& info) { return std::string(info.param.name); });
