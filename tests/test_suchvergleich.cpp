// The normal search must give exactly what the pairwise run gives: every
// line in its order, the counters, the final field texts and the gauge.

#include "Suchvergleich.h"
#include "Testbaum.h"
#include "Testsystem.h"
#include "util/Stringsbearbeiten.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <random>
#include <thread>

namespace {

using suchvergleich::Vergleichen;

// A random tree: few sizes so that buckets are crowded, contents drawn from
// a few variants per size so that identical groups interleave, differences
// at the start, in the middle and in the last byte, sizes that share a
// bucket, empty files, links, hard links and a FIFO.
class TZufallsbaum {
public:
    TZufallsbaum(const TTestbaum& baum, unsigned saat) : baum_(baum), zufall_(saat) {}

    void Fuellen(const std::string& wurzel, int dateien)
    {
        const std::vector<int64_t> groessen{0, 1, 7, 4096, 49152, 49153, 100000, 10000007};
        for (int i = 0; i < dateien; ++i) {
            const std::string verzeichnis = wurzel + "/" + Verzeichnis();
            const std::string name = verzeichnis + "/f" + std::to_string(i);
            const int64_t groesse = groessen[Zahl(groessen.size())];
            baum_.Datei(name, Inhalt(groesse == 10000007 ? 7 : groesse, Zahl(3)));
            if (groesse == 10000007) {
                // Sparse and shares the bucket of the 7-byte files.
                ASSERT_TRUE(testsystem::LaengeSetzen(baum_.Wurzel() + name, groesse));
            }
            // Where the system cannot make one of these, the tree lacks it.
            const int extra = static_cast<int>(Zahl(20));
            const auto pfad = TTestbaum::Pfad(baum_.Wurzel() + name);
            std::error_code egal;
            if (extra == 0)
                std::filesystem::create_hard_link(pfad, TTestbaum::Pfad(baum_.Wurzel() + name + "h"), egal);
            if (extra == 1)
                std::filesystem::create_symlink(pfad, TTestbaum::Pfad(baum_.Wurzel() + name + "s"), egal);
            if (extra == 2)
                testsystem::FifoAnlegen(baum_.Wurzel() + name + "p");
        }
    }

private:
    size_t Zahl(size_t grenze) { return std::uniform_int_distribution<size_t>(0, grenze - 1)(zufall_); }

    std::string Verzeichnis()
    {
        static const char* const namen[] = {"", "a", "b", "a/c", "a/c/d", "e"};
        return namen[Zahl(6)];
    }

    // Variant 0 is the base content; 1 differs in the last byte, 2 in the middle.
    static std::string Inhalt(int64_t groesse, size_t variante)
    {
        std::string inhalt(static_cast<size_t>(groesse), '\0');
        for (size_t i = 0; i < inhalt.size(); ++i)
            inhalt[i] = static_cast<char>((i * 131 + groesse) % 251);
        if (!inhalt.empty() && variante == 1)
            inhalt.back() ^= 1;
        if (!inhalt.empty() && variante == 2)
            inhalt[inhalt.size() / 2] ^= 1;
        return inhalt;
    }

    const TTestbaum& baum_;
    std::mt19937 zufall_;
};

class SuchvergleichTest : public ::testing::TestWithParam<unsigned> {};

} // namespace

TEST_P(SuchvergleichTest, SameDirectoryGivesThePairwiseResult)
{
    TTestbaum baum;
    TZufallsbaum(baum, GetParam()).Fuellen("T", 40);
    Vergleichen(baum.Wurzel() + "T/", baum.Wurzel() + "T/");
}

TEST_P(SuchvergleichTest, TwoTreesGiveThePairwiseResult)
{
    TTestbaum baum;
    TZufallsbaum zufall(baum, GetParam());
    zufall.Fuellen("A", 25);
    zufall.Fuellen("B", 25);
    Vergleichen(baum.Wurzel() + "A/", baum.Wurzel() + "B/");
}

TEST_P(SuchvergleichTest, OverlappingTreesGiveThePairwiseResult)
{
    TTestbaum baum;
    TZufallsbaum(baum, GetParam()).Fuellen("T", 30);
    // The second tree lies inside the first, the first inside the second,
    // the same tree under another spelling, and a part of it reached through
    // a link: files meet their own entries.
    Vergleichen(baum.Wurzel() + "T/", baum.Wurzel() + "T/a/");
    Vergleichen(baum.Wurzel() + "T/a/", baum.Wurzel() + "T/");
    Vergleichen(baum.Wurzel() + "T/", baum.Wurzel() + "T/./");
    std::error_code fehler;
    std::filesystem::create_directory_symlink(TTestbaum::Pfad(baum.Wurzel() + "T/a"), TTestbaum::Pfad(baum.Wurzel() + "L"),
                                              fehler);
    if (!fehler)
        Vergleichen(baum.Wurzel() + "T/", baum.Wurzel() + "L/");
}

INSTANTIATE_TEST_SUITE_P(Saaten, SuchvergleichTest, ::testing::Range(1u, 13u));

TEST(Suchvergleich, EmptyAndMissingTrees)
{
    TTestbaum baum;
    baum.Verzeichnis("leer");
    baum.Datei("voll/x", "x");
    Vergleichen(baum.Wurzel() + "leer/", baum.Wurzel() + "voll/");
    Vergleichen(baum.Wurzel() + "voll/", baum.Wurzel() + "leer/");
    Vergleichen(baum.Wurzel() + "fehlt/", baum.Wurzel() + "voll/");
}

TEST(Suchvergleich, AFileMeetingOnlyItsOwnEntryComparesNothing)
{
    // Nothing is read, so the fields keep what they held before the run.
    TTestbaum baum;
    baum.Datei("T/a/x", "einzig");
    baum.Datei("T/y", "eine andere Groesse");
    Vergleichen(baum.Wurzel() + "T/", baum.Wurzel() + "T/a/");
}

TEST(Suchvergleich, MoreIdenticalFilesThanCanBeOpenedAtOnce)
{
    // 300 files of one size that agree in their first and last blocks; three
    // classes that differ only in the middle.
    TTestbaum baum;
    for (int i = 0; i < 300; ++i) {
        std::string inhalt(20000, 'k');
        inhalt[10000] = static_cast<char>('0' + i % 3);
        baum.Datei("T/d" + std::to_string(i % 7) + "/f" + std::to_string(i), inhalt);
    }
    Vergleichen(baum.Wurzel() + "T/", baum.Wurzel() + "T/");
}

TEST(Suchvergleich, UnreadableFilesAsTheyFall)
{
    if (!testsystem::RechteGelten())
        GTEST_SKIP() << "permissions keep nobody out here (root, or Windows)";
    TTestbaum baum;
    for (const char* name : {"A/1", "A/2", "B/1", "B/2", "B/3"})
        baum.Datei(name, "gleich");
    std::filesystem::permissions(TTestbaum::Pfad(baum.Wurzel() + "A/2"), std::filesystem::perms::none);
    std::filesystem::permissions(TTestbaum::Pfad(baum.Wurzel() + "B/3"), std::filesystem::perms::none);
    Vergleichen(baum.Wurzel() + "A/", baum.Wurzel() + "B/");
    Vergleichen(baum.Wurzel() + "B/", baum.Wurzel() + "B/");
}

TEST(Suchvergleich, LargeGroupsOfSmallAndLargerFilesSplitIntoManySubgroups)
{
    // Far more files of one size than are compared side by side, in many
    // subgroups: unique files, pairs and three large classes, for a size read
    // whole at once and for one whose middle is read later. The large classes
    // agree in their first and last blocks and differ only in the middle.
    TTestbaum baum;
    for (const size_t groesse : {3000u, 20000u}) {
        for (int i = 0; i < 700; ++i) {
            std::string inhalt(groesse, 'k');
            const int art = i % 7;
            if (art < 3)
                inhalt[groesse / 2] = static_cast<char>('0' + art);      // three classes of ~100
            else
                inhalt[static_cast<size_t>(i) % 64] = static_cast<char>(i / 2); // pairs and loners at the start
            baum.Datei("T/g" + std::to_string(groesse) + "/d" + std::to_string(i % 9) + "/f" + std::to_string(i), inhalt);
        }
    }
    Vergleichen(baum.Wurzel() + "T/", baum.Wurzel() + "T/");
}

namespace {

// Trees at the search's edges, built afresh below "W" for each of the two
// runs: names of one file changed once the trees are read, paths the system
// will not look up as a whole.
struct TRandfall {
    const char* name;
    const char* eins; // the trees searched, below W
    const char* zwei;
    void (*aufbauen)(const TTestbaum& baum);
    void (*aendern)(const TTestbaum& baum); // once the trees are read; may be null
    bool langerName = false;                // the first tree named near the system's limit (see the test)
};

const std::string P(300, 'p');
const std::string Q(300, 'q');

void HartVerweisen(const TTestbaum& baum, const std::string& von, const std::string& nach)
{
    std::filesystem::create_hard_link(TTestbaum::Pfad(baum.Wurzel() + von), TTestbaum::Pfad(baum.Wurzel() + nach));
}

// As editors and rsync save: a new file renamed into the name's place.
void Ersetzen(const TTestbaum& baum, const std::string& name)
{
    std::filesystem::rename(TTestbaum::Pfad(baum.Datei("W/neu", Q)), TTestbaum::Pfad(baum.Wurzel() + name));
}

void NamenAufbauen(const TTestbaum& baum)
{
    baum.Datei("W/B/a", P);
    baum.Datei("W/A/a", P);
    baum.Datei("W/B/z/f", std::string(300, 'f')); // after h2 in the walk
    baum.Datei("W/B/h1", std::string(300, 'h'));
    HartVerweisen(baum, "W/B/h1", "W/B/h2");
}

void NamenAendern(const TTestbaum& baum)
{
    Ersetzen(baum, "W/B/z/f");
    std::filesystem::rename(TTestbaum::Pfad(baum.Datei("W/neu2", P)), TTestbaum::Pfad(baum.Wurzel() + "W/B/h2"));
}

#ifndef _WIN32
void VerweisAnlegen(const TTestbaum& baum, const std::string& ziel, const std::string& name)
{
    std::filesystem::create_symlink(TTestbaum::Pfad(ziel), TTestbaum::Pfad(baum.Wurzel() + "W/" + name));
}
#endif

const TRandfall Randfaelle[] = {
    {"OneOfThreeNamesReplacedInTheSecondTree", "A/", "B/",
     [](const TTestbaum& baum) {
         baum.Datei("W/A/x", P);
         baum.Datei("W/A/q", Q);
         baum.Datei("W/B/q", Q);
         HartVerweisen(baum, "W/A/x", "W/B/y1");
         HartVerweisen(baum, "W/A/x", "W/B/y2");
     },
     [](const TTestbaum& baum) { Ersetzen(baum, "W/B/y2"); }},
    {"FirstNameReplacedInOneTree", "T/", "T/",
     [](const TTestbaum& baum) {
         baum.Datei("W/T/x", P);
         baum.Datei("W/T/s/c", P);
         baum.Datei("W/T/q", Q);
         HartVerweisen(baum, "W/T/x", "W/T/s/y");
     },
     [](const TTestbaum& baum) { Ersetzen(baum, "W/T/x"); }},
    {"FirstNameRemovedInOneTree", "T/", "T/",
     [](const TTestbaum& baum) {
         baum.Datei("W/T/x", P);
         baum.Datei("W/T/s/c", P);
         HartVerweisen(baum, "W/T/x", "W/T/s/y");
     },
     [](const TTestbaum& baum) { std::filesystem::remove(TTestbaum::Pfad(baum.Wurzel() + "W/T/x")); }},
    // A directory renamed away and another put in its name's place: the
    // files are read by their names, in the directory that has them now.
    {"DirectoryReplacedInTheSecondTree", "A/", "B/",
     [](const TTestbaum& baum) {
         baum.Datei("W/A/x", P);
         baum.Datei("W/B/s/y", P);
         baum.Datei("W/B/s/z", P);
         baum.Datei("W/B/s/w", P);
     },
     [](const TTestbaum& baum) {
         std::filesystem::rename(TTestbaum::Pfad(baum.Wurzel() + "W/B/s"), TTestbaum::Pfad(baum.Wurzel() + "W/B/alt"));
         baum.Datei("W/B/s/y", Q);
         baum.Datei("W/B/s/z", P);
     }},
    // Once reading began: a name alone saved as editors save, which frees
    // its file's number, and a hard-linked name replaced with a copy of the
    // "!" file, which the system may give that number. The name alone still
    // carries the walk's look at it and is never taken for the new file.
    {"OneNameSavedAndALinkedNameReplaced", "A/", "B/", NamenAufbauen, NamenAendern},
    {"OneNameSavedAndALinkedNameReplacedInOneTree", "B/", "B/", NamenAufbauen, NamenAendern},
#ifndef _WIN32 // paths and links Windows has not
    // The first tree is named with "./" repeated up to 30 bytes short of the
    // limit: a file and a directory of 40-byte names cross it, "z" does not.
    // The long name is the first name of its file that the search meets.
    {"PathsLongerThanTheSystemTakes", "A/", "B/",
     [](const TTestbaum& baum) {
         const std::string lang(40, 'l');
         baum.Datei("W/A/z", P);
         baum.Datei("W/A/" + lang, P);
         baum.Datei("W/A/" + std::string(40, 'e') + "/f", P);
         baum.Datei("W/B/c", P);
         HartVerweisen(baum, "W/A/" + lang, "W/B/h");
     },
     nullptr, true},
    // T/a leads through 39 links to d; d/y adds one (40, the most the system
    // follows), d/z and the directory d/s two; T/f leads through 42.
    {"MoreThanFortyLinksOnTheWay", "T/", "T/",
     [](const TTestbaum& baum) {
         baum.Datei("W/aussen/d/x", P);
         baum.Datei("W/aussen/d2/w", P);
         baum.Datei("W/T/k", P);
         VerweisAnlegen(baum, "x", "aussen/d/y");
         VerweisAnlegen(baum, "y", "aussen/d/z");
         VerweisAnlegen(baum, "../s2", "aussen/d/s");
         VerweisAnlegen(baum, "d2", "aussen/s2");
         VerweisAnlegen(baum, "d", "aussen/c0");
         for (int i = 1; i <= 40; ++i)
             VerweisAnlegen(baum, "c" + std::to_string(i - 1), "aussen/c" + std::to_string(i));
         VerweisAnlegen(baum, "../aussen/c37", "T/a");
         VerweisAnlegen(baum, "../aussen/c40", "T/f");
     },
     nullptr},
#endif
};

class RandfallTest : public ::testing::TestWithParam<TRandfall> {};

} // namespace

TEST_P(RandfallTest, GivesThePairwiseResult)
{
    const TRandfall& fall = GetParam();
    TTestbaum baum;
    const std::string w = baum.Wurzel() + "W" + plattform::Trenner;
    std::string eins = w + TTestbaum::Nativ(fall.eins);
#ifndef _WIN32
    while (fall.langerName && eins.size() < PATH_MAX - 30)
        eins += "./";
#endif
    auto suchen = [&](bool woertlich) {
        std::filesystem::remove_all(TTestbaum::Pfad(w));
        fall.aufbauen(baum);
        return suchvergleich::Suchen(eins, w + TTestbaum::Nativ(fall.zwei), woertlich, [&] {
            if (fall.aendern)
                fall.aendern(baum);
        });
    };
    const suchvergleich::TErgebnis paarweise = suchen(true);
    suchvergleich::ErgebnisseGleich(suchen(false), paarweise);
}

INSTANTIATE_TEST_SUITE_P(Faelle, RandfallTest, ::testing::ValuesIn(Randfaelle),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

// Trees of unusual shape, each built below a given directory: the walks keep
// every file's directory and name, and these test that every line names its
// file in full however its directory was reached.
struct TBaumform {
    const char* name;
    void (*bauen)(const TTestbaum& baum, const std::string& wurzel);
};

// Twins by number: n % 29 files share their size, and n % 3 their content within it.
void Nummerdatei(const TTestbaum& baum, const std::string& pfad, int n)
{
    baum.Datei(pfad, std::string(static_cast<size_t>(n % 29 + 1), static_cast<char>('a' + n % 3)));
}

const TBaumform Baumformen[] = {
    {"FourHundredDirectoriesWithTheSameNames",
     [](const TTestbaum& baum, const std::string& w) {
         for (int i = 0; i < 400; ++i) {
             const std::string d = w + "/d" + std::to_string(i % 20) + "/e" + std::to_string(i);
             baum.Verzeichnis(d); // a third stay empty
             for (int j = 0; j < i % 3; ++j)
                 Nummerdatei(baum, d + "/f" + std::to_string(j), i * 2 + j);
         }
     }},
    {"SixtyNestedDirectories",
     [](const TTestbaum& baum, const std::string& w) {
         std::string pfad = w;
         for (int i = 0; i <= 60; ++i, pfad += "/t")
             Nummerdatei(baum, pfad + "/f", i % 30 == 0 ? 0 : i % 5);
     }},
    {"NamesOf255Bytes",
     [](const TTestbaum& baum, const std::string& w) {
         for (int i = 0; i < 6; ++i)
             Nummerdatei(baum, w + "/" + std::string(255, static_cast<char>('a' + i % 2)) + "/" +
                                   std::string(255, static_cast<char>('k' + i)), i % 4);
     }},
    {"DirectoryNamedAsAnothersStart",
     [](const TTestbaum& baum, const std::string& w) {
         // Twins in pairs: d/x and d1/x, d/x1 and d1/d/x, dd/x and the file d1x.
         const std::string namen[] = {"/d/x", "/d1/x", "/d/x1", "/d1/d/x", "/dd/x", "/d1x"};
         for (int i = 0; i < 6; ++i)
             Nummerdatei(baum, w + namen[i], i / 2);
     }},
#ifndef _WIN32 // names are bytes only here
    {"NamesThatAreNoUtf8",
     [](const TTestbaum& baum, const std::string& w) {
         const std::string namen[] = {"/\xff\xfe/x", "/\xff/\xfe", "/\xfe\xff", "/a\x80/\xc3", "/\xc3/x"};
         for (int i = 0; i < 5; ++i)
             Nummerdatei(baum, w + namen[i], i % 2);
     }},
#endif
};

class BaumformTest : public ::testing::TestWithParam<TBaumform> {};

} // namespace

TEST_P(BaumformTest, GivesThePairwiseResult)
{
    TTestbaum baum;
    GetParam().bauen(baum, "T");
    Vergleichen(baum.Wurzel() + "T/", baum.Wurzel() + "T/");
    // The same shape again as a second tree, with one file more.
    GetParam().bauen(baum, "U");
    Nummerdatei(baum, "U/g", 1);
    Vergleichen(baum.Wurzel() + "T/", baum.Wurzel() + "U/");
}

INSTANTIATE_TEST_SUITE_P(Formen, BaumformTest, ::testing::ValuesIn(Baumformen),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

class AbbruchTest : public ::testing::TestWithParam<int> {};

} // namespace

// A close request at the n-th dispatch or the n-th progress text: the search
// stops with the lines of the full run so far. Only the last file's line may
// still read "- " where it would have become "! ", with the "+" lines found
// for it before the stop.
TEST_P(AbbruchTest, StopsWithTheLinesOfTheFullRunSoFar)
{
    // Twenty sizes, small ones read whole at once and larger ones up to
    // 100 KiB, of twelve files each in five classes of twins: the sizes come
    // up one after the other, and with them the progress texts.
    TTestbaum baum;
    for (int i = 0; i < 240; ++i) {
        const int gruppe = i / 12;
        std::string inhalt(static_cast<size_t>(gruppe % 2 ? 9 * 1024 + gruppe * 4800 : 100 + gruppe * 400), 'k');
        inhalt[inhalt.size() / 2] = static_cast<char>('0' + i % 5);
        baum.Datei("T/d" + std::to_string(gruppe % 8) + "/f" + std::to_string(i), inhalt);
    }
    const std::string t = baum.Wurzel() + "T/";
    const suchvergleich::TErgebnis ganz = suchvergleich::Suchen(t, t, false);
    for (auto haken : {&TFensterAttrappe::beiDispatch, &TFensterAttrappe::beiFortschritt}) {
        // A window slow to repaint: every poll of the run then dispatches,
        // before each file too, so the stop also falls among a file's "+"
        // lines. Only for the first dispatches, it takes its time.
        const bool langsam = haken == &TFensterAttrappe::beiDispatch && GetParam() <= 34;
        auto warten = [langsam] { std::this_thread::sleep_for(std::chrono::milliseconds(langsam ? 26 : 0)); };
        bool geschlossen = false;
        const suchvergleich::TErgebnis teil = suchvergleich::Suchen(t, t, false, warten, [&](TFensterAttrappe& fenster) {
            fenster.*haken = [&fenster, &geschlossen, warten](int n) {
                if (n == GetParam()) {
                    fenster.Schliessen();
                    geschlossen = true;
                }
                warten();
            };
        });
        if (!geschlossen) {
            suchvergleich::ErgebnisseGleich(teil, ganz);
            continue;
        }
        // The full run's lines so far, the last file's line maybe unfinished.
        ASSERT_LE(teil.zeilen.size(), ganz.zeilen.size());
        std::vector<std::string> soll(ganz.zeilen.begin(), ganz.zeilen.begin() + teil.zeilen.size());
        const auto letzte = std::find_if(soll.rbegin(), soll.rend(), [](const auto& z) { return z[0] != '+'; });
        const bool unfertig = letzte != soll.rend() && (*letzte)[0] == '!' && teil.zeilen[soll.rend() - letzte - 1][0] == '-';
        if (unfertig)
            (*letzte)[0] = '-';
        EXPECT_EQ(teil.zeilen, soll);
        auto anzahl = [&](char art) { return std::count_if(soll.begin(), soll.end(), [art](const auto& z) { return z[0] == art; }); };
        EXPECT_EQ(ZahlLesen(teil.felder[7]), anzahl('+'));
        EXPECT_EQ(ZahlLesen(teil.felder[9]), anzahl('!'));
        // A file's counter is raised once its line is finished; one that
        // stays "- " may have been stopped unseen.
        const auto offen = anzahl('-') - ZahlLesen(teil.felder[8]);
        EXPECT_TRUE(unfertig ? offen == 1 : offen == 0 || (offen == 1 && soll.back()[0] == '-')) << offen;
        EXPECT_LT(teil.gaugeProgress, teil.gaugeMax);
    }
}

// Past the full run's end, too.
INSTANTIATE_TEST_SUITE_P(Stellen, AbbruchTest, ::testing::Values(1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 100000));
