#include "Testbaum.h"

#include "search/Papierkorbplan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

struct TZeile {
    char art;
    const char* pfad; // below the root; a "+" path met before is that line's file again
    bool markiert;
    const char* verweisAuf = nullptr; // the path is a symbolic link to this one
};

struct TPlanFall {
    const char* name;
    std::vector<TZeile> zeilen;
    const char* geaendert; // rewritten after the search, or nullptr
    const char* plan;      // per plan entry: Geht, SchonDabei, Bleibt, Einzig, Geaendert
    const char* frage;
};

class Papierkorbplan : public ::testing::TestWithParam<TPlanFall> {};

} // namespace

TEST_P(Papierkorbplan, KeepsOneCopyTakesEachFileOnceAndAsksAboutThat)
{
    TTestbaum baum;
    TFundliste funde;
    funde.VerzeichnisseSetzen(baum.Verzeichnis("A"), baum.Verzeichnis("B"));
    std::vector<uint32_t> markiert;
    for (const TZeile& z : GetParam().zeilen) {
        const std::string pfad = baum.Wurzel() + z.pfad;
        if (z.verweisAuf) {
            std::error_code fehler;
            std::filesystem::create_symlink(baum.Wurzel() + z.verweisAuf, pfad, fehler);
            if (fehler)
                GTEST_SKIP() << "symbolic links cannot be made here";
        } else if (!plattform::IstDatei(pfad)) {
            baum.Datei(z.pfad, "zz");
        }
        if (z.markiert)
            markiert.push_back(funde.Anzahl());
        uint32_t frueher = 0;
        while (frueher < funde.Anzahl() && funde.Pfad(frueher) != pfad)
            ++frueher;
        plattform::TQuellStand stand;
        plattform::QuellStandLesen(pfad, stand);
        funde.Anhaengen(frueher < funde.Anzahl() ? funde.Fund(frueher) : funde.Aufnehmen(z.art, z.art == '+', pfad, &stand));
        funde.ArtSetzen(funde.Anzahl() - 1, z.art);
    }
    if (GetParam().geaendert)
        baum.Datei(GetParam().geaendert, "neu");

    const std::vector<TPlanzeile> plan = PapierkorbPlanen(funde, markiert);
    std::string arten;
    for (const TPlanzeile& p : plan)
        arten += "GSBEA?V"[static_cast<int>(p.art)];
    EXPECT_EQ(arten, GetParam().plan);
    EXPECT_EQ(PapierkorbFrage(PlanZusammenfassen(funde, plan)), GetParam().frage);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Papierkorbplan,
    ::testing::Values(
        TPlanFall{"AFileUnderTwoGroupsGoesOnce",
                  {{'!', "A/1", false}, {'+', "B/y", true}, {'!', "A/2", false}, {'+', "B/y", true}}, nullptr, "GS",
                  "1 Datei (2 Bytes) in den Papierkorb verschieben?"},
        TPlanFall{"AWhollyMarkedGroupKeepsOne", {{'!', "A/1", true}, {'+', "B/z", true}, {'+', "B/y", true}}, nullptr,
                  "BGG", "2 Dateien (4 Bytes) in den Papierkorb verschieben?\n1 Datei bleibt als letzte Kopie."},
        TPlanFall{"ALineWithoutCopiesStays", {{'-', "A/s", true}}, nullptr, "E",
                  "Keine der markierten Dateien kann in den Papierkorb.\n1 Datei bleibt als letzte Kopie."},
        TPlanFall{"AChangedFileIsSaid", {{'!', "A/1", false}, {'+', "B/r", true}, {'+', "B/q", true}}, "B/r", "AG",
                  "1 Datei (2 Bytes) in den Papierkorb verschieben?\n"
                  "1 Datei ist seit der Suche geändert oder nicht mehr da."},
        TPlanFall{"ALinkStaysItsFileGoes", {{'!', "A/1", false}, {'+', "B/z", true}, {'+', "B/l", true, "B/z"}},
                  nullptr, "GV",
                  "1 Datei (2 Bytes) in den Papierkorb verschieben?\n1 Verweis bleibt: nur Dateien gehen in den Papierkorb."}),
    [](const auto& info) { return std::string(info.param.name); });
