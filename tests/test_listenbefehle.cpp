#include "FensterAttrappe.h"
#include "Testbaum.h"
#include "Testsystem.h"

#include "reference/Referenzsuche.h"
#include "util/Plattform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
// A file size limit stands in for a full disk.
#include <csignal>
#include <sys/stat.h>
#include <sys/resource.h>
#endif

namespace {

class ListenbefehleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = baum.Verzeichnis("A");
        b = baum.Verzeichnis("B");
        t = baum.Verzeichnis("T");
        fenster.Feld(TFeld::Edit1) = a;
        fenster.Feld(TFeld::Edit3) = b;
        fenster.FundeSchreiben().VerzeichnisseSetzen(a, b);
    }

    struct TZeile {
        char art;
        uint8_t baum; // 0 A, 1 B
        std::string relativ; // with "/"
        bool markiert;
    };

    // Lines as a search of A against B writes them.
    void Zeilen(std::initializer_list<TZeile> zeilen)
    {
        fenster.ListeLeeren();
        for (const TZeile& zeile : zeilen)
            fenster.Fund(zeile.art, zeile.baum, TTestbaum::Nativ(zeile.relativ), zeile.markiert);
    }

    std::vector<bool> Markierungen() const
    {
        std::vector<bool> markiert;
        for (const auto& zeile : fenster.liste)
            markiert.push_back(zeile.markiert);
        return markiert;
    }

    static bool Gibt(const std::string& pfad) { return plattform::IstDatei(pfad); }

    TTestbaum baum;
    TFensterAttrappe fenster;
    std::string a, b, t;
};

const char* const KeinFehler = "kein Fehler aufgetreten";
const char* const Fehler = "es ist mindestens ein Fehler aufgetreten";

} // namespace

TEST_F(ListenbefehleTest, MarkingAccumulatesAndKeepsHandMadeSelections)
{
    Zeilen({{'!', 0, "x", false}, {'+', 1, "y", false}, {'-', 0, "z", true}, {'!', 0, "w", false}, {'-', 0, "v", false}});
    fenster.EintraegeMarkieren('!');
    EXPECT_EQ(Markierungen(), (std::vector<bool>{true, false, true, true, false}));
    fenster.EintraegeMarkieren('+');
    fenster.EintraegeMarkieren('+');
    EXPECT_EQ(Markierungen(), (std::vector<bool>{true, true, true, true, false}));

    fenster.MarkierungenLoeschen();
    fenster.EintraegeMarkieren('!');
    EXPECT_EQ(Markierungen(), (std::vector<bool>{true, false, false, true, false}));
    EXPECT_EQ(fenster.dispatches, 0);
}

TEST_F(ListenbefehleTest, CopyKeepsPathsRelativeToTheirTrees)
{
    baum.Datei("A/sub/f.txt", "erster Baum");
    baum.Datei("B/x/g.txt", "zweiter Baum");
    Zeilen({{'-', 0, "sub/f.txt", true}, {'+', 1, "x/g.txt", true}, {'!', 0, "nicht", false}});
    const auto vorher = fenster.liste;

    fenster.MarkierteKopieren(a, t, false);

    EXPECT_EQ(TTestbaum::Lesen(t + TTestbaum::Nativ("sub/f.txt")), "erster Baum");
    EXPECT_EQ(TTestbaum::Lesen(t + TTestbaum::Nativ("x/g.txt")), "zweiter Baum");
    EXPECT_TRUE(Gibt(a + TTestbaum::Nativ("sub/f.txt")));
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), KeinFehler);
    EXPECT_EQ(fenster.Feld(TFeld::Edit6), "");
    EXPECT_EQ(fenster.edit6Verlauf.front(), "Kopieren");
    EXPECT_EQ(fenster.edit5Verlauf[0], "kopiere Datei: f.txt");
    EXPECT_EQ(fenster.dispatches, 2);
    EXPECT_EQ(Markierungen(), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(fenster.liste.size(), vorher.size());
}

// What a move shows; what it does is the file commands' own test.
TEST_F(ListenbefehleTest, AMoveSaysItMovesAndThatALineFailed)
{
    baum.Datei("B/s/z", "z");
    Zeilen({{'+', 1, "s/z", true}, {'+', 1, "s/z", true}});
    fenster.MarkierteKopieren(a, t, true);
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), Fehler);
    EXPECT_EQ(fenster.edit6Verlauf.front(), "Verschieben");
    EXPECT_EQ(fenster.edit5Verlauf[0], "verschiebe Datei: z");
}

TEST_F(ListenbefehleTest, ReadOnlyTargetKeepsTheSourceOfAMove)
{
    if (!testsystem::RechteGelten())
        GTEST_SKIP() << "permissions keep nobody out here (root, or Windows)";
    baum.Datei("A/f", "kostbar");
    std::filesystem::permissions(TTestbaum::Pfad(t), std::filesystem::perms::owner_read
                                                         | std::filesystem::perms::owner_exec);
    Zeilen({{'-', 0, "f", true}});
    fenster.MarkierteKopieren(a, t, true);
    EXPECT_EQ(TTestbaum::Lesen(a + "f"), "kostbar");
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), Fehler);
}

TEST_F(ListenbefehleTest, NothingSelectedIsNoError)
{
    baum.Datei("A/f", "x");
    Zeilen({{'-', 0, "f", false}});
    fenster.MarkierteKopieren(a, t, true);
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), KeinFehler);
    EXPECT_EQ(fenster.Feld(TFeld::Edit6), "");
}

// A hard-linked name replaced after the walk is read, and listed, as the
// file it names now: its line acts on that file.
TEST_F(ListenbefehleTest, ANameReplacedDuringTheSearchIsCopiedAsListed)
{
    baum.Datei("B/y", "neu");
    for (bool woertlich : {false, true}) {
        std::filesystem::remove(TTestbaum::Pfad(a + "x2"));
        std::error_code fehler;
        std::filesystem::create_hard_link(TTestbaum::Pfad(baum.Datei("A/x", "alt")), TTestbaum::Pfad(a + "x2"), fehler);
        if (fehler)
            GTEST_SKIP() << "no hard links here";
        fenster.ListeLeeren();
        ReferenzWaehlen(fenster.sitzung, woertlich);
        fenster.NachDemEinlesen = [&] {
            std::filesystem::rename(TTestbaum::Pfad(baum.Datei("W/n", "neu")), TTestbaum::Pfad(a + "x"));
        };
        fenster.SucheAusfuehren({fenster.Feld(TFeld::Edit1), fenster.Feld(TFeld::Edit3)});
        ASSERT_EQ(fenster.ListeZeile(0), "! " + a + "x");
        fenster.EintraegeMarkieren('!');
        fenster.MarkierteKopieren("", baum.Verzeichnis(woertlich ? "T2" : "T"), false);
        EXPECT_EQ(fenster.Feld(TFeld::Edit5), KeinFehler) << woertlich;
    }
}

// Cases that used to lose the only copy of a file, most of them reporting
// "kein Fehler". Each: a tree, the lines (all marked), one command, and what
// must stand afterwards. Paths are below the test's root, with "/".
namespace {

enum class TVorher {
    Nichts,
    Links,          // T/f a symbolic link to O/anders, T/g a hard link of O/zwei
    Schreibschutz,  // T/f without any write permission
    PlatteVoll,     // writes stop at 1 KiB, as on a full disk
    QuelleFest,     // nothing may be deleted from A (an unprivileged user's case)
    ZweiBefehle,    // the "- " lines in one command, then the "+     " lines in another
    Zweimal,        // the same command run twice
    Verschachtelt,  // the same command again, started at the first one's second dispatch
    Angehaengt,     // another program appends to the source after the command
    Umgeschrieben,  // the source rewritten in place while it is copied, its time set back
    AnderePlatte,   // the same, the target on another file system
    LinkImZiel,     // T/sub a link to the directory O
    LinkStattA,     // after the search, A/sub moved to A/weg and replaced by a link to O
    // The target on another file system, each:
    ZielUmgeschrieben, // T/f, accepted for A/f, rewritten in place before the batch ends
    VieleZeilen,       // 300 more lines A/v/N ("datei N"), A/v/0 rewritten once it is copied
    Privat,            // A/geheim 0700 with f 0600, A/loch a file of holes
    // The rest on one:
    Rest,              // a copy's temporary file that a killed command left in T
    InPlatz,           // A/f rewritten in place after the search, its time set back
    Nachmarkiert,      // only "+" marked at the start; "!" marked at the first dispatch
    Klick,             // a click on the first line at the first dispatch
};

struct TVerlustFall {
    const char* name;
    std::vector<std::pair<std::string, std::string>> dateien;
    std::vector<std::string> zeilen; // prefix, then the path below the root
    const char* basis;               // nullptr: the first tree, as "nach…"
    const char* ziel;
    bool verschieben;
    // What must stand afterwards; nullptr: nothing of that name, Verz: a directory.
    std::vector<std::pair<const char*, const char*>> danach;
    bool fehler;
    TVorher vorher = TVorher::Nichts;
};

// A failing case names itself, not its bytes.
void PrintTo(const TVerlustFall& fall, std::ostream* aus)
{
    *aus << fall.name;
}

const std::string Gross(4096, 'g');
const char* const Verz = "<Verzeichnis>";

// Rewrites the file in place with as many other bytes, then sets its
// modification time back, as a program restoring times would.
void Umschreiben(const std::string& pfad)
{
    const auto zeit = std::filesystem::last_write_time(TTestbaum::Pfad(pfad));
    std::string inhalt = TTestbaum::Lesen(pfad);
    std::fill(inhalt.begin(), inhalt.end(), 'N');
    std::ofstream(TTestbaum::Pfad(pfad), std::ios::binary | std::ios::in) << inhalt;
    std::filesystem::last_write_time(TTestbaum::Pfad(pfad), zeit);
}

class Verlust : public ListenbefehleTest, public ::testing::WithParamInterface<TVerlustFall> {
protected:
    // False when this system cannot make what the case needs.
    bool Vorbereiten(TVorher vorher)
    {
        namespace fs = std::filesystem;
        std::error_code fehler;
        switch (vorher) {
        case TVorher::Links:
            fs::create_symlink(TTestbaum::Pfad(baum.Datei("O/anders", "fremd")), TTestbaum::Pfad(t + "f"), fehler);
            if (!fehler)
                fs::create_hard_link(TTestbaum::Pfad(baum.Datei("O/zwei", "auch fremd")), TTestbaum::Pfad(t + "g"),
                                     fehler);
            return !fehler;
        case TVorher::Schreibschutz:
            fs::permissions(TTestbaum::Pfad(t + "f"),
                            fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
            return true;
        case TVorher::QuelleFest:
            if (!testsystem::RechteGelten())
                return false;
            fs::permissions(TTestbaum::Pfad(a), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
            return true;
        case TVorher::LinkImZiel:
            fs::create_directory_symlink(TTestbaum::Pfad(baum.Verzeichnis("O")), TTestbaum::Pfad(t + "sub"), fehler);
            return !fehler;
        case TVorher::LinkStattA:
            // Made in Ausfuehren, after the lines; here only whether links can be made.
            fs::create_directory_symlink(TTestbaum::Pfad(baum.Verzeichnis("O")), TTestbaum::Pfad(t + "probe"), fehler);
            if (fehler)
                return false;
            fs::remove(TTestbaum::Pfad(t + "probe"));
            return true;
        case TVorher::AnderePlatte:
            fenster.beimKopieren = Umschreiben;
            return AnderePlatte();
        case TVorher::ZielUmgeschrieben:
            fenster.beimKopieren = [this](const std::string&) { Umschreiben(t + "f"); };
            return AnderePlatte() && !andere->Datei("f", "gleich").empty();
        case TVorher::VieleZeilen:
            for (int i = 0; i < 300; ++i)
                fenster.Fund('-', 0, TTestbaum::Nativ(baum.Datei("A/v/" + std::to_string(i), "datei " + std::to_string(i))
                                                          .substr(a.size())), true);
            fenster.beimKopieren = [this](const std::string& quelle) {
                if (quelle.ends_with(TTestbaum::Nativ("v/3")))
                    Umschreiben(a + TTestbaum::Nativ("v/0"));
            };
            return AnderePlatte();
        case TVorher::Privat:
            fs::permissions(TTestbaum::Pfad(a + "geheim"), fs::perms::owner_all);
            fs::permissions(TTestbaum::Pfad(a + TTestbaum::Nativ("geheim/f")), fs::perms::owner_read | fs::perms::owner_write);
            fs::resize_file(TTestbaum::Pfad(a + "loch"), 8 << 20);
            return testsystem::RechteGelten() || AnderePlatte();
        case TVorher::Rest:
            baum.Datei("T/.dubrinax-0-1.teil", "halb");
            return true;
        case TVorher::Umgeschrieben:
            fenster.beimKopieren = Umschreiben;
            return true;
        case TVorher::Angehaengt:
#ifdef _WIN32
            return false; // a file open for writing cannot be renamed there
#endif
        case TVorher::PlatteVoll:
#ifdef _WIN32
            return false;
#endif
        default:
            return true;
        }
    }

    void Ausfuehren(const std::string& basis, bool verschieben, TVorher vorher)
    {
        namespace fs = std::filesystem;
        switch (vorher) {
        case TVorher::ZweiBefehle:
            for (char art : {'-', '+'}) {
                fenster.MarkierungenLoeschen();
                fenster.EintraegeMarkieren(art);
                fenster.MarkierteKopieren(basis, t, verschieben);
            }
            return;
        case TVorher::Zweimal:
            fenster.MarkierteKopieren(basis, t, verschieben);
            fenster.MarkierteKopieren(basis, t, verschieben);
            return;
        case TVorher::Verschachtelt:
            fenster.beiDispatch = [&](int n) {
                if (n == 2)
                    fenster.MarkierteKopieren(basis, t, verschieben);
            };
            fenster.MarkierteKopieren(basis, t, verschieben);
            fenster.beiDispatch = nullptr;
            return;
        case TVorher::Angehaengt: {
            std::ofstream log(TTestbaum::Pfad(a + "log"), std::ios::binary | std::ios::app);
            fenster.MarkierteKopieren(basis, t, verschieben);
            log << "+spaet";
            return;
        }
        case TVorher::InPlatz:
            Umschreiben(a + "f");
            break;
        case TVorher::Nachmarkiert:
            fenster.MarkierungenLoeschen();
            fenster.EintraegeMarkieren('+');
            fenster.beiDispatch = [&](int n) {
                if (n == 1)
                    fenster.EintraegeMarkieren('!');
            };
            break;
        case TVorher::Klick:
            fenster.beiDispatch = [&](int n) {
                if (n == 1) {
                    fenster.MarkierungenLoeschen();
                    fenster.liste[0].markiert = true;
                }
            };
            break;
        case TVorher::LinkStattA:
            fs::rename(TTestbaum::Pfad(a + "sub"), TTestbaum::Pfad(a + "weg"));
            fs::create_directory_symlink(TTestbaum::Pfad(baum.Verzeichnis("O")), TTestbaum::Pfad(a + "sub"));
            break;
        default:
            break;
        }
#ifndef _WIN32
        if (vorher == TVorher::PlatteVoll) {
            rlimit alt{};
            ::getrlimit(RLIMIT_FSIZE, &alt);
            const auto altesSignal = ::signal(SIGXFSZ, SIG_IGN);
            rlimit grenze = alt;
            grenze.rlim_cur = 1024;
            ::setrlimit(RLIMIT_FSIZE, &grenze);
            fenster.MarkierteKopieren(basis, t, verschieben);
            ::setrlimit(RLIMIT_FSIZE, &alt);
            ::signal(SIGXFSZ, altesSignal);
            return;
        }
#endif
        fenster.MarkierteKopieren(basis, t, verschieben);
    }

    // A temporary file of a copy left anywhere in the tree.
    bool Reste() const
    {
        for (const auto& eintrag : std::filesystem::recursive_directory_iterator(TTestbaum::Pfad(baum.Wurzel())))
            if (TTestbaum::Text(eintrag.path().filename()).rfind(".dubrinax-", 0) == 0)
                return true;
        return false;
    }

    // The target on a tmpfs, another file system than the tree's, where there is one.
    bool AnderePlatte()
    {
        std::error_code fehler;
        if (!std::filesystem::is_directory("/dev/shm", fehler))
            return false;
        andere = std::make_unique<TTestbaum>("/dev/shm");
        plattform::TDateiKennung hier, dort;
        t = andere->Wurzel();
        return plattform::KennungLesen(a, hier) && plattform::KennungLesen(t, dort) && hier.geraet != dort.geraet;
    }

#ifndef _WIN32
    // What a copy keeps of a private file and a file of holes.
    void PrivatPruefen() const
    {
        struct stat quelle {}, kopie {}, verzeichnis {}, loch {}, lochKopie {};
        ASSERT_EQ(::stat((t + "geheim/f").c_str(), &kopie), 0);
        ::stat((a + "geheim/f").c_str(), &quelle);
        ::stat((t + "geheim").c_str(), &verzeichnis);
        ::stat((a + "loch").c_str(), &loch);
        ::stat((t + "loch").c_str(), &lochKopie);
        EXPECT_EQ(kopie.st_mode & 07777, 0600u);
        EXPECT_EQ(verzeichnis.st_mode & 07777, 0700u);
        EXPECT_EQ(kopie.st_mtim.tv_sec, quelle.st_mtim.tv_sec);
        EXPECT_EQ(kopie.st_mtim.tv_nsec, quelle.st_mtim.tv_nsec);
        EXPECT_EQ(lochKopie.st_size, loch.st_size);
        EXPECT_LE(lochKopie.st_blocks, loch.st_blocks + 8);
    }
#endif

    std::unique_ptr<TTestbaum> andere; // the target on another file system
};

} // namespace

TEST_P(Verlust, EveryContentSurvivesAndEveryRefusedLineCounts)
{
    const TVerlustFall& fall = GetParam();
    for (const auto& [pfad, inhalt] : fall.dateien)
        baum.Datei(pfad, inhalt);
    t = baum.Verzeichnis(fall.ziel);
    if (!Vorbereiten(fall.vorher))
        GTEST_SKIP() << "this system cannot make what the case needs";
    // "- A/f": a line of the first tree's file f; "+     B/f" of the second's.
    for (const std::string& zeile : fall.zeilen) {
        const size_t pfad = zeile.find_first_not_of("+-! ");
        fenster.Fund(zeile[0], zeile[pfad] == 'B', TTestbaum::Nativ(zeile.substr(pfad + 2)), true);
    }

    Ausfuehren(fall.basis ? baum.Verzeichnis(fall.basis) : a, fall.verschieben, fall.vorher);

    for (const auto& [pfad, inhalt] : fall.danach) {
        const std::string relativ = TTestbaum::Nativ(pfad);
        // "T/…" is below the target, wherever that is.
        const std::string voll = relativ.rfind(TTestbaum::Nativ("T/"), 0) == 0 ? t + relativ.substr(2)
                                                                                : baum.Wurzel() + relativ;
        if (inhalt == Verz)
            EXPECT_TRUE(plattform::IstVerzeichnis(voll)) << pfad;
        else if (inhalt)
            EXPECT_EQ(TTestbaum::Lesen(voll), inhalt) << pfad;
        else
            EXPECT_FALSE(std::filesystem::exists(TTestbaum::Pfad(voll))) << pfad;
    }
    EXPECT_FALSE(Reste());
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), fall.fehler ? Fehler : KeinFehler);
#ifndef _WIN32
    if (fall.vorher == TVorher::Privat)
        PrivatPruefen();
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Verlust,
    ::testing::Values(
        // The unique A/f goes to T/f; B/f, a twin of A/sub/g, must not follow it there.
        TVerlustFall{"MinusAndPlusLineOfTheSameRelativePath",
                     {{"A/f", "einzig"}, {"A/sub/g", "zwilling"}, {"B/f", "zwilling"}},
                     {"- A/f", "! A/sub/g", "+     B/f"}, nullptr, "T", true,
                     {{"T/f", "einzig"}, {"T/sub/g", "zwilling"}, {"B/f", "zwilling"}, {"A/f", nullptr}}, true},
        // A/x would land on A/sub/x, itself a listed file with other content.
        TVerlustFall{"CopyIntoASearchedTree",
                     {{"A/x", "oben"}, {"A/sub/x", "unten"}}, {"- A/x", "- A/sub/x"}, nullptr, "A/sub", false,
                     {{"A/x", "oben"}, {"A/sub/x", "unten"}, {"A/sub/sub/x", "unten"}}, true},
        TVerlustFall{"MoveIntoASearchedTree",
                     {{"A/x", "oben"}, {"A/sub/x", "unten"}}, {"- A/x", "- A/sub/x"}, nullptr, "A/sub", true,
                     {{"A/x", "oben"}, {"A/sub/x", nullptr}, {"A/sub/sub/x", "unten"}}, true},
        // The other order: A/sub/x has gone by the time A/x comes, yet its
        // place is still what its line names; the outcome is the same.
        TVerlustFall{"MoveIntoThePlaceAnEarlierLineEmptied",
                     {{"A/x", "oben"}, {"A/sub/x", "unten"}}, {"- A/sub/x", "- A/x"}, nullptr, "A/sub", true,
                     {{"A/x", "oben"}, {"A/sub/x", nullptr}, {"A/sub/sub/x", "unten"}}, true},
        // Moved away by an earlier command, brought back "von… nach…".
        TVerlustFall{"APlaceEmptyBeforeTheCommandMayBeFilled",
                     {{"V/x", "zurueck"}}, {"- A/x"}, "V", "A", true, {{"A/x", "zurueck"}, {"V/x", nullptr}}, false},
        TVerlustFall{"DiskFullKeepsTheExistingTarget",
                     {{"A/f", Gross}, {"T/f", "alt"}}, {"- A/f"}, nullptr, "T", true,
                     {{"T/f", "alt"}, {"A/f", Gross.c_str()}}, true, TVorher::PlatteVoll},
        // Links at a target are neither written through nor replaced.
        TVerlustFall{"LinksAtTheTargetAreKeptNotWrittenThrough",
                     {{"A/f", "neu"}, {"A/g", "auch neu"}}, {"- A/f", "- A/g"}, nullptr, "T", false,
                     {{"A/f", "neu"}, {"A/g", "auch neu"}, {"O/anders", "fremd"}, {"O/zwei", "auch fremd"}}, true,
                     TVorher::Links},
        // Copied but not moved: the line was not carried out.
        TVerlustFall{"SourceThatCannotBeDeletedCounts",
                     {{"A/f", "neu"}}, {"- A/f"}, nullptr, "T", true, {{"T/f", "neu"}, {"A/f", "neu"}}, true,
                     TVorher::QuelleFest},
        // Also when running as root, whom the permission bits let pass.
        TVerlustFall{"ReadOnlyTargetIsKeptAndSoIsTheSource",
                     {{"A/f", "neu"}, {"T/f", "alt"}}, {"- A/f"}, nullptr, "T", true,
                     {{"T/f", "alt"}, {"A/f", "neu"}}, true, TVorher::Schreibschutz},
        // The first command puts the unique A/f at T/f; the second must not
        // put the twin B/f there.
        TVerlustFall{"TwoCommandsIntoOneTarget",
                     {{"A/f", "einzig"}, {"A/sub/g", "zwilling"}, {"B/f", "zwilling"}},
                     {"- A/f", "! A/sub/g", "+     B/f"}, nullptr, "T", true,
                     {{"T/f", "einzig"}, {"B/f", "zwilling"}, {"A/f", nullptr}}, true, TVorher::ZweiBefehle},
        // The second run finds at A/sub/x the file the first one moved
        // there, not the one the line names.
        TVerlustFall{"TheSameMoveIntoASubdirectoryTwice",
                     {{"A/x", "oben"}, {"A/sub/x", "unten"}}, {"- A/x", "- A/sub/x"}, nullptr, "A/sub", true,
                     {{"A/sub/x", "oben"}, {"A/sub/sub/x", "unten"}, {"A/x", nullptr}}, true, TVorher::Zweimal},
        // "Copy what B lacks into B": B's own f was never listed.
        TVerlustFall{"CopyIntoTheSecondTree",
                     {{"A/f", "aus A"}, {"B/f", "Bs eigene"}}, {"- A/f"}, nullptr, "B", false,
                     {{"B/f", "Bs eigene"}, {"A/f", "aus A"}}, true},
        TVerlustFall{"ASecondMoveStartedDuringTheFirst",
                     {{"A/f", "einzig"}, {"A/sub/g", "zwilling"}, {"B/f", "zwilling"}},
                     {"- A/f", "! A/sub/g", "+     B/f"}, nullptr, "T", true,
                     {{"T/f", "einzig"}, {"T/sub/g", "zwilling"}, {"B/f", "zwilling"}}, true, TVorher::Verschachtelt},
        // Within one file system the file itself moves, with all that is
        // written to it later.
        TVerlustFall{"AFileStillBeingAppendedTo",
                     {{"A/log", "anfang"}}, {"- A/log"}, nullptr, "T", true,
                     {{"T/log", "anfang+spaet"}, {"A/log", nullptr}}, false, TVorher::Angehaengt},
        TVerlustFall{"ASourceRewrittenDuringAMoveAcrossFileSystems",
                     {{"A/f", "alter Inhalt"}}, {"- A/f"}, nullptr, "T", true,
                     {{"A/f", "NNNNNNNNNNNN"}, {"T/f", nullptr}}, true, TVorher::AnderePlatte},
        TVerlustFall{"ASourceRewrittenDuringACopy",
                     {{"A/f", "alter Inhalt"}}, {"- A/f"}, nullptr, "T", false,
                     {{"A/f", "NNNNNNNNNNNN"}, {"T/f", nullptr}}, true, TVorher::Umgeschrieben},
        TVerlustFall{"ALinkToADirectoryElsewhereOnTheTargetPath",
                     {{"A/sub/f", "neu"}}, {"- A/sub/f"}, nullptr, "T", true,
                     {{"O/f", nullptr}, {"A/sub/f", "neu"}}, true, TVorher::LinkImZiel},
        TVerlustFall{"AListedDirectoryReplacedByALink",
                     {{"A/sub/f", "gefunden"}, {"O/f", "fremd"}}, {"- A/sub/f"}, nullptr, "T", true,
                     {{"O/f", "fremd"}, {"A/weg/f", "gefunden"}, {"T/sub/f", nullptr}}, true, TVorher::LinkStattA},
        // A/f is accepted into its twin B/s/f, which must then stay where the line put it.
        TVerlustFall{"AMoveTakesNotAwayWhatAnEarlierLineWasAcceptedInto",
                     {{"A/f", "gleich"}, {"B/s/f", "gleich"}}, {"! A/f", "+     B/s/f"}, nullptr, "B/s", true,
                     {{"B/s/f", "gleich"}, {"A/f", nullptr}, {"B/s/s/f", nullptr}}, true},
        // The accepted T/f no longer holds A/f's content when its batch ends.
        TVerlustFall{"AnAcceptedTargetRewrittenBeforeTheSourceGoes",
                     {{"A/f", "gleich"}, {"A/g", "anders"}}, {"- A/f", "- A/g"}, nullptr, "T", true,
                     {{"A/f", "gleich"}, {"T/f", "NNNNNN"}, {"T/g", "anders"}, {"A/g", nullptr}}, true,
                     TVorher::ZielUmgeschrieben},
        TVerlustFall{"ASourceKeptInAnEarlierBatchCounts",
                     {{"A/f", "einzig"}}, {"- A/f"}, nullptr, "T", true,
                     {{"A/v/0", "NNNNNNN"}, {"T/v/0", "datei 0"}, {"A/v/299", nullptr}, {"T/v/299", "datei 299"}}, true,
                     TVorher::VieleZeilen},
        TVerlustFall{"APrivateFileStaysPrivateAndHolesStayHoles",
                     {{"A/geheim/f", "privat"}, {"A/loch", "x"}}, {"- A/geheim/f", "- A/loch"}, nullptr, "T", false,
                     {{"T/geheim/f", "privat"}}, false, TVorher::Privat},
        TVerlustFall{"WhatAKilledCopyLeftIsRemoved",
                     {{"A/f", "f"}}, {"- A/f"}, nullptr, "T", false, {{"T/f", "f"}}, false, TVorher::Rest},
        TVerlustFall{"AFileRewrittenSinceTheSearchIsRefused",
                     {{"A/f", "alt"}}, {"- A/f"}, nullptr, "T", true, {{"A/f", "NNN"}, {"T/f", nullptr}}, true,
                     TVorher::InPlatz},
        TVerlustFall{"MarkingDuringAMoveChangesNothingItDoes",
                     {{"A/f", "anders"}, {"B/g", "zwilling"}}, {"+     B/g", "! A/f"}, nullptr, "T", true,
                     {{"A/f", "anders"}, {"T/g", "zwilling"}, {"B/g", nullptr}, {"T/f", nullptr}}, false,
                     TVorher::Nachmarkiert},
        TVerlustFall{"AClickDuringAMoveEndsNothing",
                     {{"A/f", "f"}, {"A/g", "g"}}, {"- A/f", "- A/g"}, nullptr, "T", true,
                     {{"T/f", "f"}, {"T/g", "g"}, {"A/g", nullptr}}, false, TVorher::Klick},
        // "A/./" is the first tree: each line's own file moves, B's twin, not A's original.
        TVerlustFall{"TheFirstTreeSpeltOtherwiseIsTheFirstTree",
                     {{"A/f", "zwilling"}, {"B/f", "zwilling"}}, {"+     B/f"}, "A/.", "T", true,
                     {{"A/f", "zwilling"}, {"B/f", nullptr}, {"T/f", "zwilling"}}, false},
        TVerlustFall{"APlaceEmptiedIsKnownUnderAnotherSpelling",
                     {{"A/x", "oben"}, {"A/sub/x", "unten"}}, {"- A/sub/x", "- A/x"}, nullptr, "A/sub/.", true,
                     {{"A/x", "oben"}, {"A/sub/x", nullptr}, {"A/sub/sub/x", "unten"}}, true},
        TVerlustFall{"EmptyingASearchedTreeKeepsItsDirectory",
                     {{"A/f", "f"}}, {"- A/f"}, nullptr, "T", true, {{"T/f", "f"}, {"A/f", nullptr}, {"A", Verz}},
                     false}),
    [](const auto& info) { return std::string(info.param.name); });
