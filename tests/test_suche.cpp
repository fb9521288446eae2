#include "FensterAttrappe.h"
#include "Testbaum.h"
#include "Testsystem.h"

#include "reference/Hashtabelle.h"
#include "reference/Kette.h"
#include "reference/Referenzsuche.h"
#include "util/Plattform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <filesystem>
#include <set>

#ifndef _WIN32
#include <grp.h>
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

// The file names of a directory in the order the file system lists them.
std::vector<std::string> Reihenfolge(const std::string& verzeichnis)
{
    std::vector<std::string> namen;
    plattform::TVerzeichnisListe liste(verzeichnis);
    std::string name;
    plattform::TEintragsArt art;
    while (liste.Naechster(name, art))
        if (name != "." && name != ".." && !plattform::IstVerzeichnis(verzeichnis + name))
            namen.push_back(name);
    return namen;
}

class SucheTest : public ::testing::Test {
protected:
    void Suchen(const std::string& eins, const std::string& zwei)
    {
        fenster.Feld(TFeld::Edit1) = eins;
        fenster.Feld(TFeld::Edit3) = zwei;
        for (TFeld zaehler : {TFeld::Edit7, TFeld::Edit8, TFeld::Edit9})
            fenster.Feld(zaehler) = "0";
        fenster.SucheAusfuehren({eins, zwei});
    }
    std::string Zaehler() const
    {
        auto& f = fenster.felder;
        return f[7] + "/" + f[8] + "/" + f[9];
    }

    TTestbaum baum;
    TFensterAttrappe fenster;
};

} // namespace

TEST_F(SucheTest, WorkedExampleLineByLine)
{
    const std::string a = baum.Verzeichnis("A"), b = baum.Verzeichnis("B");
    baum.Datei("A/x.txt", "abc");
    baum.Datei("A/y.txt", "abd");
    baum.Datei("B/z.txt", "abc");

    Suchen(a, b);

    std::vector<std::string> erwartet;
    for (const std::string& name : Reihenfolge(a)) {
        if (name == "x.txt") {
            erwartet.push_back("! " + a + "x.txt");
            erwartet.push_back("+     " + b + "z.txt");
        } else {
            erwartet.push_back("- " + a + name);
        }
    }
    EXPECT_EQ(fenster.Zeilen(), erwartet);
    EXPECT_EQ(Zaehler(), "1/1/1");
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), "");
    EXPECT_EQ(fenster.Feld(TFeld::Edit6), "");
    EXPECT_EQ(fenster.gaugeProgress, 2);
    EXPECT_EQ(fenster.gaugeMax, 2);
    EXPECT_TRUE(fenster.fragen.empty());
}

TEST_F(SucheTest, EmptyFirstTreeEndsWithGaugeAtMaximum)
{
    const std::string a = baum.Verzeichnis("A"), b = baum.Verzeichnis("B");
    baum.Datei("B/z.txt", "abc");
    fenster.sitzung.StandSchreiben().maximum = 37;
    Suchen(a, b);
    EXPECT_TRUE(fenster.liste.empty());
    EXPECT_EQ(Zaehler(), "0/0/0");
    EXPECT_EQ(fenster.gaugeProgress, 37);
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), "Überprüfe Verzeichnisse");
}

TEST_F(SucheTest, EmptySecondTreeGivesOnlyMinusLines)
{
    const std::string a = baum.Verzeichnis("A"), b = baum.Verzeichnis("B");
    baum.Datei("A/1", "x");
    baum.Datei("A/s/2", "y");
    baum.Datei("A/s/t/3", "");
    Suchen(a, b);
    ASSERT_EQ(fenster.liste.size(), 3u);
    // Breadth-first: the start directory's files, then one level deeper, and so on.
    EXPECT_EQ(fenster.liste[0].text, "- " + a + "1");
    EXPECT_EQ(fenster.liste[1].text, "- " + a + TTestbaum::Nativ("s/2"));
    EXPECT_EQ(fenster.liste[2].text, "- " + a + TTestbaum::Nativ("s/t/3"));
    EXPECT_EQ(Zaehler(), "0/3/0");
}

TEST_F(SucheTest, SameDirectoryListsAGroupOnceFromItsFirstMember)
{
    const std::string a = baum.Verzeichnis("A");
    for (const char* name : {"A/p", "A/q", "A/r"})
        baum.Datei(name, "gleich");
    Suchen(a, a);
    const std::vector<std::string> namen = Reihenfolge(a);
    ASSERT_EQ(fenster.liste.size(), 3u);
    EXPECT_EQ(fenster.liste[0].text, "! " + a + namen[0]);
    EXPECT_EQ(fenster.liste[1].text, "+     " + a + namen[1]);
    EXPECT_EQ(fenster.liste[2].text, "+     " + a + namen[2]);
    EXPECT_EQ(Zaehler(), "2/0/1");
}

TEST_F(SucheTest, SameDirectoryWithGroupsInterleavedInOneBucket)
{
    // Six files of one size, two contents, alternating in name; the listing
    // order mixes them further. Each group must come out as one "! " line
    // with all its other members under it.
    const std::string a = baum.Verzeichnis("A");
    std::map<std::string, std::string> inhalt;
    for (int i = 0; i < 9; ++i) {
        const std::string name = "f" + std::to_string(i);
        inhalt[a + name] = std::string(i % 3 == 0 ? "AAAA" : (i % 3 == 1 ? "BBBB" : "CCCC"));
        baum.Datei("A/" + name, inhalt[a + name]);
    }
    Suchen(a, a);

    EXPECT_EQ(Zaehler(), "6/0/3");
    ASSERT_EQ(fenster.liste.size(), 9u);
    std::string gruppe;
    std::set<std::string> gesehen;
    for (const auto& zeile : fenster.liste) {
        if (zeile.text.rfind("! ", 0) == 0) {
            gruppe = inhalt.at(zeile.text.substr(2));
            gesehen.insert(zeile.text.substr(2));
        } else {
            ASSERT_EQ(zeile.text.rfind("+     ", 0), 0u) << zeile.text;
            EXPECT_EQ(inhalt.at(zeile.text.substr(6)), gruppe) << zeile.text;
            gesehen.insert(zeile.text.substr(6));
        }
    }
    EXPECT_EQ(gesehen.size(), 9u);
}

// No file is its own duplicate: where the trees overlap, a file is never
// listed under its own entry, however the second tree spells the directory,
// nor under another name of it (the hard link l of k). Both runs.

struct UeberlappungsFall {
    const char* name;
    const char* zweites; // the second tree below the root; "L/" is a link to A/sub
    // A file below A/ and its identical files below the second tree; the others stay "- ".
    std::map<std::string, std::multiset<std::string>> gleich;
};

void PrintTo(const UeberlappungsFall& fall, std::ostream* aus)
{
    *aus << fall.name;
}

class UeberlappungTest : public SucheTest,
                         public ::testing::WithParamInterface<std::tuple<UeberlappungsFall, bool>> {};

TEST_P(UeberlappungTest, NoFileIsListedUnderItself)
{
    const auto& [fall, woertlich] = GetParam();
    const std::vector<std::string> dateien{"y", "sub/x", "sub/y", "sub/k", "sub/l"};
    baum.Datei("A/y", "zwei");
    baum.Datei("A/sub/x", "allein");
    baum.Datei("A/sub/y", "zwei");
    const std::string k = baum.Datei("A/sub/k", "verlinkt");
    std::error_code fehler;
    std::filesystem::create_hard_link(TTestbaum::Pfad(k), TTestbaum::Pfad(baum.Wurzel() + TTestbaum::Nativ("A/sub/l")), fehler);
    if (fehler)
        GTEST_SKIP() << "hard links cannot be made here";
    if (std::string(fall.zweites) == "L/") {
        std::filesystem::create_directory_symlink(TTestbaum::Pfad(baum.Wurzel() + "A" + plattform::Trenner + "sub"),
                                                  TTestbaum::Pfad(baum.Wurzel() + "L"), fehler);
        if (fehler)
            GTEST_SKIP() << "symbolic links cannot be made here";
    }
    const std::string eins = baum.Wurzel() + TTestbaum::Nativ("A/"), zwei = baum.Wurzel() + TTestbaum::Nativ(fall.zweites);
    ReferenzWaehlen(fenster.sitzung, woertlich);
    Suchen(eins, zwei);

    // Each file's line with the "+" lines under it.
    std::map<std::string, std::multiset<std::string>> gruppen, erwartet;
    std::string dateiZeile;
    for (const auto& zeile : fenster.liste)
        if (zeile.text[0] == '+')
            gruppen[dateiZeile].insert(zeile.text);
        else
            gruppen[dateiZeile = zeile.text];
    int plus = 0, ausruf = 0;
    for (const std::string& datei : dateien) {
        const auto gefunden = fall.gleich.find(datei);
        auto& unter = erwartet[(gefunden == fall.gleich.end() ? "- " : "! ") + eins + TTestbaum::Nativ(datei)];
        if (gefunden == fall.gleich.end())
            continue;
        ++ausruf;
        for (const std::string& gleich : gefunden->second)
            unter.insert("+     " + zwei + TTestbaum::Nativ(gleich));
        plus += static_cast<int>(gefunden->second.size());
    }
    EXPECT_EQ(gruppen, erwartet);
    EXPECT_EQ(Zaehler(), std::to_string(plus) + "/" + std::to_string(5 - ausruf) + "/" + std::to_string(ausruf));
    EXPECT_EQ(fenster.gaugeProgress, 5);
}

const std::map<std::string, std::multiset<std::string>> ImUnterverzeichnis{{"y", {"y"}}};

INSTANTIATE_TEST_SUITE_P(
    Schreibweisen, UeberlappungTest,
    ::testing::Combine(::testing::Values(UeberlappungsFall{"Unterverzeichnis", "A/sub/", ImUnterverzeichnis},
                                         UeberlappungsFall{"MitPunkt", "A/./sub/", ImUnterverzeichnis},
                                         UeberlappungsFall{"UeberLink", "L/", ImUnterverzeichnis},
                                         UeberlappungsFall{"GanzerBaum", "A/./",
                                                           {{"y", {"sub/y"}}, {"sub/y", {"y"}}}}),
                       ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "_paarweise" : "_normal");
    });

// Names of one file are never copies of each other, in either mode and in
// both runs: a link and its target, hard links, one tree through a link to
// its directory. A file whose only other names are its own is "- ", in one
// tree listed once, under its own name where the tree holds it, readable or
// not, and so is what is no file. Lines relative to the trees' root, "/"
// for the separator.
struct NamensFall {
    const char* name;
    const char* eins;
    const char* zwei;
    // name, content ("@x": hard link to x, ">x": link to x, ">/x" outside
    // the trees, "|": a FIFO)
    std::vector<std::pair<const char*, const char*>> dateien;
    std::vector<std::string> zeilen;
    int64_t mindestgroesse = -1; // none
    bool gesperrt = false;       // the first file may not be read: searched as nobody
};

class NamenEinerDateiTest : public SucheTest,
                            public ::testing::WithParamInterface<std::tuple<NamensFall, bool>> {};

TEST_P(NamenEinerDateiTest, AreNeverEachOthersCopy)
{
    const auto& [fall, woertlich] = GetParam();
    for (const auto& [name, inhalt] : fall.dateien) {
        const std::string z = inhalt + 1;
        const auto ziel = TTestbaum::Pfad(z[0] == '/' ? z : baum.Wurzel() + TTestbaum::Nativ(z));
        const auto pfad = TTestbaum::Pfad(baum.Wurzel() + TTestbaum::Nativ(name));
        std::error_code fehler;
        std::filesystem::create_directories(pfad.parent_path());
        if (inhalt[0] == '@')
            std::filesystem::create_hard_link(ziel, pfad, fehler);
        else if (inhalt[0] == '>')
            std::filesystem::create_symlink(ziel, pfad, fehler);
        else if (inhalt[0] != '|')
            baum.Datei(name, inhalt);
        if (fehler || (inhalt[0] == '|' && !testsystem::FifoAnlegen(TTestbaum::Text(pfad)))
            || (z[0] == '/' && !std::filesystem::exists(ziel)))
            GTEST_SKIP() << inhalt << " cannot be made here";
    }
    ReferenzWaehlen(fenster.sitzung, woertlich);
    if (fall.mindestgroesse >= 0)
        fenster.Filter.MindestgroesseSetzen(fall.mindestgroesse);
    std::vector<std::string> erwartet;
    for (const std::string& zeile : fall.zeilen) {
        const size_t pfad = zeile.find_first_not_of("+-! ");
        erwartet.push_back(zeile.substr(0, pfad) + baum.Wurzel() + TTestbaum::Nativ(zeile.substr(pfad)));
    }
    const auto suchen = [&] {
        Suchen(baum.Wurzel() + TTestbaum::Nativ(fall.eins), baum.Wurzel() + TTestbaum::Nativ(fall.zwei));
        return fenster.Zeilen();
    };
#ifndef _WIN32 // (where permission bits keep nobody out, and root reads every file: searched as nobody)
    if (fall.gesperrt) {
        std::filesystem::permissions(TTestbaum::Pfad(baum.Wurzel() + fall.dateien[0].first), std::filesystem::perms::none);
        const passwd* n = ::getpwnam("nobody");
        const auto niemand = [n] {
            return ::geteuid() != 0 || (n && !::setgroups(0, nullptr) && !::setgid(n->pw_gid) && !::setuid(n->pw_uid));
        };
        EXPECT_EXIT(std::exit(niemand() && suchen() == erwartet ? 0 : 1), ::testing::ExitedWithCode(0), "");
        return;
    }
#endif
    EXPECT_EQ(suchen(), erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, NamenEinerDateiTest,
    ::testing::Combine(
        ::testing::Values(
            NamensFall{"LinkAndItsTarget", "A/", "B/",
                       {{"B/foto", "bild"}, {"A/foto", ">B/foto"}, {"B/kopie", "bild"}},
                       {"! A/foto", "+     B/kopie"}},
            NamensFall{"HardLinksInOneTree", "T/", "T/", {{"T/x", "n"}, {"T/y", "@T/x"}}, {"- T/x"}},
            NamensFall{"HardLinksAndACopyInOneTree", "T", "T/",
                       {{"T/x", "n"}, {"T/y", "@T/x"}, {"T/z", "n"}},
                       {"! T/x", "+     T/z"}},
            NamensFall{"ThroughALinkedDirectory", "doc/g++/", "doc/cpp/",
                       {{"doc/cpp/f", "n"}, {"doc/g++", ">doc/cpp"}},
                       {"- doc/g++/f"}},
            NamensFall{"ALinkGivesWayToTheFilesOwnName", "T/", "T/",
                       {{"T/s/orig", "n"}, {"T/s/kopie", "n"}, {"T/link", ">T/s/orig"}},
                       {"! T/s/orig", "+     T/s/kopie"}},
            NamensFall{"TwoLinksToOneDevice", "T/", "T/", {{"T/n1", ">/dev/null"}, {"T/s/n2", ">/dev/null"}}, {"- T/n1"}},
            NamensFall{"AMinimumOfNothingLeavesOutWhatIsNoFile", "T/", "T/",
                       {{"T/a", "x"}, {"T/s/b", "x"}, {"T/n", ">/dev/null"}, {"T/weg", ">T/nichts"}, {"T/rohr", "|"}},
                       {"! T/a", "+     T/s/b"}, 0},
            NamensFall{"AnUnreadableFileWithItsLinks", "T/", "T/",
                       {{"T/f", "n"}, {"T/s/h", "@T/f"}, {"T/s/l", ">T/f"}}, {"- T/f"}, -1, true}),
        ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "_paarweise" : "_normal");
    });

TEST_F(SucheTest, TwoFirstTreeFilesShareOneSecondTreeTwin)
{
    const std::string a = baum.Verzeichnis("A"), b = baum.Verzeichnis("B");
    baum.Datei("A/1", "zwilling");
    baum.Datei("A/2", "zwilling");
    baum.Datei("B/z", "zwilling");
    Suchen(a, b);
    ASSERT_EQ(fenster.liste.size(), 4u);
    EXPECT_EQ(fenster.liste[1].text, "+     " + b + "z");
    EXPECT_EQ(fenster.liste[3].text, "+     " + b + "z");
    EXPECT_EQ(Zaehler(), "2/0/2");
}

TEST_F(SucheTest, SizesSharingABucketAreOfferedButNotRead)
{
    const std::string a = baum.Verzeichnis("A"), b = baum.Verzeichnis("B");
    baum.Datei("A/klein", std::string(5, '\0'));
    const std::string gross = baum.Datei("B/gross", "");
    ASSERT_TRUE(testsystem::LaengeSetzen(gross, 10000005));
    Suchen(a, b);
    EXPECT_EQ(fenster.Zeilen(), std::vector<std::string>{"- " + a + "klein"});
    EXPECT_EQ(fenster.Feld(TFeld::Edit2), "5 Byte");
    EXPECT_EQ(fenster.Feld(TFeld::Edit4), "10000005 Byte");
    for (const std::string& text : fenster.edit6Verlauf)
        EXPECT_EQ(text, "") << "no content was to be read";
}

TEST_F(SucheTest, FileAbove4GiBIsNotTakenForItsLowBits)
{
    const std::string a = baum.Verzeichnis("A"), b = baum.Verzeichnis("B");
    baum.Datei("A/klein", std::string(5, '\0'));
    const std::string gross = baum.Datei("B/gross", "");
    ASSERT_TRUE(testsystem::LaengeSetzen(gross, (int64_t{1} << 32) + 5));
    Suchen(a, b);
    // 4 GiB + 5 lies in another bucket than 5: the pair is never even offered.
    EXPECT_EQ(Zaehler(), "0/1/0");
    EXPECT_EQ(fenster.Feld(TFeld::Edit4), "");
}

TEST_F(SucheTest, LinkCycleIsWalkedOnce)
{
    const std::string a = baum.Verzeichnis("A"), b = baum.Verzeichnis("B");
    baum.Datei("A/s/f", "x");
    std::error_code fehler;
    std::filesystem::create_directory_symlink("..", TTestbaum::Pfad(a + TTestbaum::Nativ("s/zurueck")), fehler);
    if (fehler)
        GTEST_SKIP() << "symbolic links cannot be made here";
    baum.Datei("B/g", "x");
    std::filesystem::create_directory_symlink(TTestbaum::Pfad(b), TTestbaum::Pfad(b + "selbst"), fehler);
    ASSERT_FALSE(fehler);
    Suchen(a, b);
    EXPECT_EQ(fenster.Zeilen(),
              (std::vector<std::string>{"! " + a + TTestbaum::Nativ("s/f"), "+     " + b + "g"}));
}

TEST_F(SucheTest, FifoIsListedButNeverOpened)
{
    const std::string a = baum.Verzeichnis("A"), b = baum.Verzeichnis("B");
    if (!testsystem::HatFifos)
        GTEST_SKIP() << "no FIFOs on this system";
    ASSERT_TRUE(testsystem::FifoAnlegen(a + "rohr"));
    ASSERT_TRUE(testsystem::FifoAnlegen(b + "rohr"));
    const auto anfang = std::chrono::steady_clock::now();
    Suchen(a, b);
    EXPECT_LT(std::chrono::steady_clock::now() - anfang, std::chrono::seconds(5));
    EXPECT_EQ(fenster.Zeilen(), std::vector<std::string>{"- " + a + "rohr"});
}

// The comparison itself.

struct BlockFall {
    int64_t laenge;
    size_t bloecke;
};

class VergleichTest : public ::testing::TestWithParam<BlockFall> {
protected:
    TTestbaum baum;
    TFensterAttrappe fenster;
};

TEST_P(VergleichTest, LastByteDecidesAndBlocksAreCounted)
{
    const BlockFall fall = GetParam();
    std::string inhalt(static_cast<size_t>(fall.laenge), 'q');
    const std::string eins = baum.Datei("eins", inhalt);
    const std::string gleich = baum.Datei("gleich", inhalt);
    inhalt.back() = 'r';
    const std::string anders = baum.Datei("anders", inhalt);

    EXPECT_EQ(TReferenzsuche(fenster.sitzung).PaarPruefen(eins, anders), 1);
    EXPECT_EQ(fenster.edit6Verlauf.size(), fall.bloecke + 1); // one text per block, then ""
    fenster.edit6Verlauf.clear();
    EXPECT_EQ(TReferenzsuche(fenster.sitzung).PaarPruefen(eins, gleich), 0);
    EXPECT_EQ(fenster.edit6Verlauf.size(), fall.bloecke + 1);
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), "");
    EXPECT_EQ(fenster.Feld(TFeld::Edit6), "");
}

INSTANTIATE_TEST_SUITE_P(Blockgrenzen, VergleichTest,
                         ::testing::Values(BlockFall{49151, 1}, BlockFall{49152, 1}, BlockFall{49153, 2}));

TEST(Vergleich, EmptyFilesAreIdenticalWithoutProgress)
{
    TTestbaum baum;
    TFensterAttrappe fenster;
    EXPECT_EQ(TReferenzsuche(fenster.sitzung).PaarPruefen(baum.Datei("a", ""), baum.Datei("b", "")), 0);
    EXPECT_TRUE(fenster.edit6Verlauf.empty()); // no position ever shown
}

TEST(Vergleich, MissingOrDirectoryGivesTwoSilently)
{
    TTestbaum baum;
    TFensterAttrappe fenster;
    const std::string datei = baum.Datei("a", "x");
    EXPECT_EQ(TReferenzsuche(fenster.sitzung).PaarPruefen(baum.Wurzel() + "fehlt", datei), 2);
    EXPECT_EQ(TReferenzsuche(fenster.sitzung).PaarPruefen(datei, baum.Wurzel()), 2);
    EXPECT_TRUE(fenster.edit5Verlauf.empty());
}

TEST(Vergleich, UnreadableFileGivesOneWithMessage)
{
    if (!testsystem::RechteGelten())
        GTEST_SKIP() << "permissions keep nobody out here (root, or Windows)";
    TTestbaum baum;
    TFensterAttrappe fenster;
    const std::string a = baum.Datei("a", "x");
    const std::string b = baum.Datei("b", "x");
    std::filesystem::permissions(TTestbaum::Pfad(b), std::filesystem::perms::none);
    EXPECT_EQ(TReferenzsuche(fenster.sitzung).PaarPruefen(a, b), 1);
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), "Konnte Datei " + b + " nicht öffnen!");
}

struct EinheitFall {
    int64_t laenge;
    const char* erste;
    const char* letzte;
};

class EinheitTest : public ::testing::TestWithParam<EinheitFall> {};

TEST_P(EinheitTest, ProgressUnitFollowsTheSize)
{
    TTestbaum baum;
    TFensterAttrappe fenster;
    const std::string a = baum.Datei("a", ""), b = baum.Datei("b", "");
    ASSERT_TRUE(testsystem::LaengeSetzen(a, GetParam().laenge));
    ASSERT_TRUE(testsystem::LaengeSetzen(b, GetParam().laenge));
    EXPECT_EQ(TReferenzsuche(fenster.sitzung).PaarPruefen(a, b), 0);
    const auto& verlauf = fenster.edit6Verlauf;
    ASSERT_GE(verlauf.size(), 3u);
    EXPECT_EQ(verlauf.front(), GetParam().erste);
    EXPECT_EQ(verlauf[verlauf.size() - 2], GetParam().letzte);
    EXPECT_EQ(verlauf.back(), "");
}

INSTANTIATE_TEST_SUITE_P(Grenze, EinheitTest,
                         ::testing::Values(EinheitFall{10485760, "0 KB", "10224 KB"},
                                           EinheitFall{10485761, "0 MB", "9 MB"}));

// The abort protocol, in the pairwise run and in the normal one.

class AbbruchTest : public SucheTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        ReferenzWaehlen(fenster.sitzung, GetParam());
        a = baum.Verzeichnis("A");
        b = baum.Verzeichnis("B");
        // Pairs of one size each, big enough for several blocks, so that
        // comparisons have polls of their own.
        for (int i = 0; i < 4; ++i) {
            const std::string inhalt(static_cast<size_t>(200000 + i), static_cast<char>('a' + i));
            baum.Datei("A/s" + std::to_string(i) + "/f", inhalt);
            baum.Datei("B/g" + std::to_string(i), inhalt);
        }
    }

    // Closes the window at the given progress texts of the comparison.
    void SchliessenBei(std::set<int> nummern)
    {
        fenster.beiFortschritt = [this, nummern](int n) {
            if (nummern.count(n))
                fenster.Schliessen();
        };
    }

    // The lines of a stopped run agree with its counters; the file being
    // compared keeps its "- " line and no counter rose for it.
    void AbgebrochenPruefen()
    {
        ASSERT_FALSE(fenster.liste.empty());
        EXPECT_EQ(fenster.liste.back().text.substr(0, 2), "- ");
        int plus = 0, minus = 0, ausruf = 0;
        for (const auto& zeile : fenster.liste)
            (zeile.text[0] == '+' ? plus : zeile.text[0] == '-' ? minus : ausruf)++;
        EXPECT_EQ(Zaehler(), std::to_string(plus) + "/" + std::to_string(minus - 1) + "/" + std::to_string(ausruf));
        EXPECT_LT(ausruf, 4);
    }

    std::string a, b;
};

TEST_P(AbbruchTest, WithoutCloseRequestNoQuestion)
{
    Suchen(a, b);
    EXPECT_TRUE(fenster.fragen.empty());
    EXPECT_EQ(Zaehler(), "4/0/4");
}

TEST_P(AbbruchTest, YesStopsEveryLoopWithOneQuestion)
{
    SchliessenBei({2});
    fenster.antworten = {true};
    Suchen(a, b);
    EXPECT_EQ(fenster.fragen, std::vector<std::string>{"Abbrechen?: Soll wirklich abgerochen werden?"});
    AbgebrochenPruefen();
    EXPECT_TRUE(fenster.Stopp.Angefordert());
    EXPECT_LT(fenster.gaugeProgress, fenster.gaugeMax);
}

TEST_P(AbbruchTest, NoLetsTheRunFinishWithoutAskingAgain)
{
    SchliessenBei({2});
    fenster.antworten = {false};
    Suchen(a, b);
    EXPECT_EQ(fenster.fragen.size(), 1u);
    EXPECT_EQ(Zaehler(), "4/0/4");
    EXPECT_FALSE(fenster.Stopp.Angefordert());
}

TEST_P(AbbruchTest, TwoRequestsGiveTwoQuestions)
{
    SchliessenBei({1, 4});
    fenster.antworten = {false, false};
    Suchen(a, b);
    EXPECT_EQ(fenster.fragen.size(), 2u);
    EXPECT_EQ(Zaehler(), "4/0/4");
}

TEST_P(AbbruchTest, RequestBeforeTheWalksIsAskedAtTheirFirstFile)
{
    fenster.beiDispatch = [&](int n) {
        if (n == 1)
            fenster.Schliessen();
    };
    fenster.antworten = {true};
    Suchen(a, b);
    EXPECT_EQ(fenster.fragen.size(), 1u);
    EXPECT_EQ(fenster.dispatches, 1);
    EXPECT_TRUE(fenster.liste.empty());
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), "Überprüfe Verzeichnisse");
}

INSTANTIATE_TEST_SUITE_P(BeideLaeufe, AbbruchTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "paarweise" : "normal"; });

TEST(Walk, StoppedWalkReturnsNullAndFreesEverything)
{
    TTestbaum baum;
    TFensterAttrappe fenster;
    baum.Datei("a/1", "x");
    baum.Datei("a/2", "y");
    fenster.Schliessen();
    fenster.antworten = {true};
    EXPECT_EQ(TReferenzsuche(fenster.sitzung).ErsteListeLesen(baum.Wurzel()), nullptr);
    fenster.Schliessen();
    fenster.antworten = {true};
    EXPECT_EQ(TReferenzsuche(fenster.sitzung).ZweiteTabelleLesen(baum.Wurzel()), nullptr);
    EXPECT_EQ(fenster.fragen.size(), 2u);
}

TEST(Walk, SecondWalkFilesBySizeAndSkipsUnmeasurable)
{
    TTestbaum baum;
    TFensterAttrappe fenster;
    baum.Datei("leer", "");
    baum.Datei("x/fuenf", "12345");
    if (testsystem::HatFifos) {
        ASSERT_TRUE(testsystem::FifoAnlegen(baum.Wurzel() + "rohr"));
    }
    auto tabelle = TReferenzsuche(fenster.sitzung).ZweiteTabelleLesen(baum.Wurzel());
    ASSERT_NE(tabelle, nullptr);
    EXPECT_EQ(tabelle->AnzahlBei(0), 1u);
    EXPECT_EQ(tabelle->AnzahlBei(5), 1u);
    EXPECT_EQ(tabelle->AnzahlBei(4294967295u), 0u);
    EXPECT_STREQ(static_cast<const char*>(tabelle->ElementBei(0, 5)), (baum.Wurzel() + TTestbaum::Nativ("x/fuenf")).c_str());
}
