#include "Testbaum.h"

#include "search/Dateibefehl.h"
#include "search/Papierkorbbefehl.h"
#include "util/Plattform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

struct TZeile {
    char art;
    uint8_t baum; // 0 A, 1 B
    const char* relativ;
    bool markiert;
};

// What stands below the test's root (paths with "/"): a file with its
// bytes, a directory (path ending in "/"), or nothing (nullptr).
struct TStand {
    const char* pfad;
    const char* inhalt;
};

struct TBefehlFall {
    const char* name;
    std::vector<TStand> vorher; // files only
    std::vector<TZeile> zeilen; // as a search of A against B writes them
    const char* basis;          // "" for each line's own file, else a directory below the root
    const char* ziel;
    bool verschieben;
    std::vector<TGrundArt> abgelehnt; // the refused lines' reasons, in order
    // Afterwards; a path ending in "*" is any file whose name begins so.
    std::vector<TStand> nachher;
    bool papierkorb = false;          // into the trash (D/ is the user's data directory), not basis/ziel
    const char* geaendert = nullptr;  // a file rewritten after the search
};

class Dateibefehl : public ::testing::TestWithParam<TBefehlFall> {};

using G = TGrundArt;

} // namespace

TEST_P(Dateibefehl, ActsOnTheMarkedLinesAndNeverLosesAFile)
{
    const TBefehlFall& fall = GetParam();
    TTestbaum baum;
    const auto ort = [&](const std::string& relativ) { return baum.Wurzel() + TTestbaum::Nativ(relativ); };
    for (const char* verzeichnis : {"A", "B", "V"})
        baum.Verzeichnis(verzeichnis);
    for (const TStand& datei : fall.vorher)
        baum.Datei(datei.pfad, datei.inhalt);
    // A trash made here is as private as one the command makes.
    std::error_code egal;
    std::filesystem::permissions(TTestbaum::Pfad(ort("D/Trash")), std::filesystem::perms::owner_all, egal);
    TFundliste funde;
    funde.VerzeichnisseSetzen(ort("A/"), ort("B/"));
    TDateiauftrag auftrag{{}, *fall.basis ? ort(fall.basis) : "", ort(fall.ziel), fall.verschieben};
    for (const TZeile& zeile : fall.zeilen) {
        const std::string pfad = funde.Verzeichnis(zeile.baum) + TTestbaum::Nativ(zeile.relativ);
        plattform::TQuellStand stand;
        const bool bekannt = plattform::QuellStandLesen(pfad, stand);
        if (zeile.markiert)
            auftrag.zeilen.push_back(funde.Anzahl());
        // A file under two "!" lines: the walk's one entry, twice.
        const bool wieder = zeile.art == '+' && funde.Anzahl() > 0 && funde.Pfad(funde.Anzahl() - 1) != pfad
                            && [&] {
                                   for (uint32_t i = 0; i < funde.Anzahl(); ++i)
                                       if (funde.Pfad(i) == pfad)
                                           return funde.Anhaengen(funde.Fund(i)), true;
                                   return false;
                               }();
        if (!wieder)
            funde.Anhaengen(funde.Aufnehmen(zeile.art, zeile.baum, pfad, bekannt ? &stand : nullptr));
    }

    if (fall.geaendert)
        baum.Datei(fall.geaendert, "seit der Suche neu geschrieben");

    TAbgelehnt abgelehnt;
    if (fall.papierkorb) {
#ifdef _WIN32
        GTEST_SKIP() << "the recycle bin is the user's own";
#else
        ::setenv("XDG_DATA_HOME", ort("D").c_str(), 1);
        abgelehnt = InDenPapierkorbLegen(funde, auftrag.zeilen, {}).abgelehnt;
#endif
    } else {
        abgelehnt = DateienAblegen(funde, auftrag, {});
    }
    std::vector<TGrundArt> arten;
    for (const auto& [pfad, grund] : abgelehnt)
        arten.push_back(grund.art);
    EXPECT_EQ(arten, fall.abgelehnt);
    for (const TStand& stand : fall.nachher) {
        std::string pfad = ort(stand.pfad);
        if (pfad.back() == '*') {
            namespace fs = std::filesystem;
            const fs::path muster = TTestbaum::Pfad(pfad.substr(0, pfad.size() - 1));
            pfad.clear();
            for (const auto& eintrag : fs::directory_iterator(muster.parent_path()))
                if (eintrag.path().filename().string().starts_with(muster.filename().string()))
                    pfad = TTestbaum::Text(eintrag.path());
        }
        if (!stand.inhalt)
            EXPECT_FALSE(plattform::IstDatei(pfad) || plattform::IstVerzeichnis(pfad)) << stand.pfad;
        else if (pfad.back() == plattform::Trenner)
            EXPECT_TRUE(plattform::IstVerzeichnis(pfad)) << stand.pfad;
        else
            EXPECT_EQ(TTestbaum::Lesen(pfad), stand.inhalt) << stand.pfad;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Dateibefehl,
    ::testing::Values(
        TBefehlFall{"CopyKeepsPathsRelativeToTheirTrees",
                    {{"A/sub/f", "erster"}, {"B/x/g", "zweiter"}, {"A/nicht", "n"}},
                    {{'-', 0, "sub/f", true}, {'+', 1, "x/g", true}, {'!', 0, "nicht", false}}, "A/", "T/", false, {},
                    {{"T/sub/f", "erster"}, {"T/x/g", "zweiter"}, {"A/sub/f", "erster"}, {"T/nicht", nullptr}}},
        TBefehlFall{"FromABaseTakesTheFileBelowIt", {{"V/x/g", "Basis"}, {"B/x/g", "zweiter"}},
                    {{'+', 1, "x/g", true}}, "V/", "T/", false, {}, {{"T/x/g", "Basis"}}},
        TBefehlFall{"NoBaseTakesEachLinesOwnFile", {{"V/x/g", "Basis"}, {"B/x/g", "zweiter"}},
                    {{'+', 1, "x/g", true}}, "", "T/", false, {}, {{"T/x/g", "zweiter"}}},
        TBefehlFall{"EqualTargetAcceptedEmptyFileCopied", {{"A/gleich", "g"}, {"A/leer", ""}, {"T/gleich", "g"}},
                    {{'-', 0, "gleich", true}, {'-', 0, "leer", true}}, "A/", "T/", false, {},
                    {{"T/gleich", "g"}, {"T/leer", ""}}},
        TBefehlFall{"AnotherTargetIsKept", {{"A/voll", "neu"}, {"T/voll", "alt und laenger"}},
                    {{'-', 0, "voll", true}}, "A/", "T/", true, {G::ZielAnders},
                    {{"T/voll", "alt und laenger"}, {"A/voll", "neu"}}},
        TBefehlFall{"AVanishedSourceFails", {}, {{'-', 0, "weg", true}}, "A/", "T/", true, {G::System},
                    {{"T/weg", nullptr}}},
        TBefehlFall{"TheTreeItselfIsNoFile", {}, {{'-', 0, "", true}}, "A/", "T/", false,
                    {G::KeineGewoehnlicheDatei}, {}},
        TBefehlFall{"AFileUnderTwoLinesMovesOnce", {{"A/1", "z"}, {"A/2", "z"}, {"B/s/z", "z"}},
                    {{'!', 0, "1", false}, {'+', 1, "s/z", true}, {'!', 0, "2", false}, {'+', 1, "s/z", true}}, "A/",
                    "T/", true, {G::SchonVerschoben}, {{"T/s/z", "z"}, {"B/s/z", nullptr}, {"A/1", "z"}}},
        TBefehlFall{"AMoveTakesTheEmptiedDirectoryOnly", {{"A/tief/unten/f", "f"}}, {{'-', 0, "tief/unten/f", true}},
                    "A/", "T/", true, {}, {{"T/tief/unten/f", "f"}, {"A/tief/unten/", nullptr}, {"A/tief/", ""}}},
        TBefehlFall{"CopyOntoItselfTouchesNothing", {{"A/s/f", "kostbar"}}, {{'-', 0, "s/f", true}}, "A/", "A/",
                    false, {G::ZielIstQuelle}, {{"A/s/f", "kostbar"}}},
        TBefehlFall{"MoveOntoItselfTouchesNothing", {{"A/s/f", "kostbar"}}, {{'-', 0, "s/f", true}}, "A/", "A/", true,
                    {G::ZielIstQuelle}, {{"A/s/f", "kostbar"}}},
        TBefehlFall{"AnIncompleteCopyKeepsTheSource", {{"A/s/f", "kostbar"}, {"T/s", "Datei statt Verzeichnis"}},
                    {{'-', 0, "s/f", true}}, "A/", "T/", true, {G::ZielVerweis}, {{"A/s/f", "kostbar"}}},
        TBefehlFall{"ATargetThatCannotBeMadeSaysWhy", {{"A/f", "x"}, {"T", "Datei statt Zielverzeichnis"}},
                    {{'-', 0, "f", true}}, "A/", "T/unten/", false, {G::ZielVerweis}, {{"A/f", "x"}}},
        TBefehlFall{"NothingMarkedTouchesNothing", {{"A/f", "x"}}, {{'-', 0, "f", false}}, "A/", "T/", true, {},
                    {{"A/f", "x"}, {"T/f", nullptr}}},
        TBefehlFall{"TrashKeepsTheBangFileOfAWhollyMarkedGroup", {{"A/1", "z"}, {"B/z", "z"}},
                    {{'!', 0, "1", true}, {'+', 1, "z", true}}, "", "", false, {},
                    {{"A/1", "z"}, {"B/z", nullptr}, {"D/Trash/files/z", "z"}}, true},
        TBefehlFall{"TrashRefusesAChangedFileAndTakesTheRest", {{"A/1", "z"}, {"B/z", "z"}, {"B/y", "z"}},
                    {{'!', 0, "1", false}, {'+', 1, "z", true}, {'+', 1, "y", true}}, "", "", false,
                    {G::SeitDerSucheGeaendert},
                    {{"A/1", "z"}, {"B/z", nullptr}, {"D/Trash/files/z", "z"}, {"D/Trash/files/y", nullptr}}, true,
                    "B/y"},
        TBefehlFall{"TrashKeepsALineWithoutCopies", {{"A/f", "x"}}, {{'-', 0, "f", true}}, "", "", false, {},
                    {{"A/f", "x"}, {"D/Trash/files/f", nullptr}}, true},
        TBefehlFall{"TrashKeepsAFileOneGroupStandsOnForAnother", {{"A/1", "z"}, {"A/2", "z"}, {"B/z", "z"}},
                    {{'!', 0, "1", true}, {'+', 1, "z", false}, {'!', 0, "2", true}, {'+', 1, "z", true}}, "", "",
                    false, {}, {{"A/1", nullptr}, {"A/2", "z"}, {"B/z", "z"}, {"D/Trash/files/1", "z"}}, true},
        TBefehlFall{"TrashTakesAFileUnderTwoGroupsOnce", {{"A/1", "y"}, {"A/2", "y"}, {"B/y", "y"}},
                    {{'!', 0, "1", false}, {'+', 1, "y", true}, {'!', 0, "2", false}, {'+', 1, "y", true}}, "", "",
                    false, {}, {{"A/1", "y"}, {"A/2", "y"}, {"B/y", nullptr}, {"D/Trash/files/y", "y"}}, true},
        TBefehlFall{"TrashGivesATakenNameASuffix", {{"A/1", "z"}, {"B/z", "z"}, {"D/Trash/files/z", "alt"}},
                    {{'!', 0, "1", false}, {'+', 1, "z", true}}, "", "", false, {},
                    {{"A/1", "z"}, {"B/z", nullptr}, {"D/Trash/files/z", "alt"}, {"D/Trash/files/z.*", "z"},
                     {"D/Trash/info/z.trashinfo", nullptr}}, true}),
    [](const auto& info) { return std::string(info.param.name); });
