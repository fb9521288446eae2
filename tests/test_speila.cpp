#include "Testbaum.h"
#include "Testsystem.h"

#include "util/Plattform.h"
#include "util/Speila.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#ifndef _WIN32
// Sockets and file size limits, for the tests that only POSIX can run.
#include <csignal>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

class SpeilaTest : public ::testing::Test {
protected:
    std::string Datei(const std::string& name, const std::string& inhalt)
    {
        return baum_.Datei(name, inhalt);
    }

    TTestbaum baum_;
    std::string wurzel_ = baum_.Wurzel();
};

} // namespace

TEST_F(SpeilaTest, SizeOfRegularFiles)
{
    EXPECT_EQ(DateiGroesse(Datei("leer", "")), 0);
    EXPECT_EQ(DateiGroesse(Datei("drei", "abc")), 3);
}

TEST_F(SpeilaTest, DirectoriesAndMissingPathsHaveNoSize)
{
    EXPECT_EQ(DateiGroesse(wurzel_), -1);
    EXPECT_EQ(DateiGroesse(wurzel_ + "fehlt"), -1);
    EXPECT_EQ(DateiGroesse(""), -1);
}

TEST_F(SpeilaTest, FifoIsNeverOpenedAndAnswersAtOnce)
{
    if (!testsystem::HatFifos)
        GTEST_SKIP() << "no FIFOs on this system";
    const std::string fifo = wurzel_ + "fifo";
    ASSERT_TRUE(testsystem::FifoAnlegen(fifo));
    const auto anfang = std::chrono::steady_clock::now();
    EXPECT_EQ(DateiGroesse(fifo), -1);
    EXPECT_FALSE(plattform::TDatei::OeffnenLesen(fifo).Offen());
    EXPECT_LT(std::chrono::steady_clock::now() - anfang, std::chrono::seconds(2));
}

#ifndef _WIN32
TEST_F(SpeilaTest, SocketIsNotAFile)
{
    const std::string pfad = wurzel_ + "sock";
    int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_un adresse{};
    adresse.sun_family = AF_UNIX;
    pfad.copy(adresse.sun_path, sizeof adresse.sun_path - 1);
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse), 0);
    EXPECT_EQ(DateiGroesse(pfad), -1);
    ::close(s);
}
#endif

TEST_F(SpeilaTest, SparseFileAbove4GiBReportsItsTrueSize)
{
    const std::string pfad = wurzel_ + "gross";
    const int64_t laenge = (int64_t{1} << 32) + 5;
    ASSERT_TRUE(testsystem::LaengeSetzen(Datei("gross", ""), laenge));
    EXPECT_EQ(DateiGroesse(pfad), laenge);
}

TEST_F(SpeilaTest, LinkToFileCountsAsFileAndBrokenLinkDoesNot)
{
    const std::string ziel = Datei("ziel", "12345");
    std::error_code fehler;
    fs::create_symlink(ziel, wurzel_ + "link", fehler);
    if (fehler)
        GTEST_SKIP() << "symbolic links cannot be made here";
    fs::create_symlink(wurzel_ + "nirgends", wurzel_ + "kaputt");
    EXPECT_EQ(DateiGroesse(wurzel_ + "link"), 5);
    EXPECT_EQ(DateiGroesse(wurzel_ + "kaputt"), -1);
}

TEST_F(SpeilaTest, ListingGivesEveryEntryHiddenOnesIncluded)
{
    Datei(".versteckt", "x");
    Datei("sichtbar", "y");
    fs::create_directory(wurzel_ + "unter");
    plattform::TVerzeichnisListe liste(wurzel_);
    ASSERT_TRUE(liste.Offen());
    std::set<std::string> namen;
    std::string name;
    plattform::TEintragsArt art;
    while (liste.Naechster(name, art))
        namen.insert(name);
    EXPECT_EQ(namen, (std::set<std::string>{".", "..", ".versteckt", "sichtbar", "unter"}));
    EXPECT_FALSE(plattform::TVerzeichnisListe(wurzel_ + "fehlt").Offen());
}

TEST_F(SpeilaTest, ReadAndWriteThroughHandles)
{
    const std::string pfad = wurzel_ + "geschrieben";
    {
        auto datei = plattform::TDatei::ErzeugenSchreiben(pfad);
        ASSERT_TRUE(datei.Offen());
        ASSERT_TRUE(datei.Schreiben("hallo", 5));
        ASSERT_TRUE(datei.Schliessen());
        EXPECT_FALSE(datei.Offen());
    }
    auto datei = plattform::TDatei::OeffnenLesen(pfad);
    ASSERT_TRUE(datei.Offen());
    EXPECT_EQ(datei.Laenge(), 5);
    char puffer[16];
    EXPECT_EQ(datei.Lesen(puffer, sizeof puffer), 5);
    EXPECT_EQ(std::string(puffer, 5), "hallo");
    EXPECT_EQ(datei.Lesen(puffer, sizeof puffer), 0);

    plattform::TDatei verschoben = std::move(datei);
    EXPECT_FALSE(datei.Offen());
    EXPECT_TRUE(verschoben.Offen());
}

TEST(DateiNameAus, TakesTextAfterLastSeparator)
{
    EXPECT_EQ(DateiNameAus(TTestbaum::Nativ("/a/b/c.txt")), "c.txt");
    EXPECT_EQ(DateiNameAus("c.txt"), "c.txt");
    EXPECT_EQ(DateiNameAus(TTestbaum::Nativ("/a/b/")), "");
}

// --- Copy, delete, directories ----------------------------------------------

namespace {

std::string Inhalt(const std::string& pfad)
{
    std::ifstream ein(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
}

// A pattern that does not repeat at the copy buffer's size, so a chunk
// written twice or out of order shows.
std::string Muster(size_t laenge)
{
    std::string text(laenge, '\0');
    for (size_t i = 0; i < laenge; ++i)
        text[i] = static_cast<char>((i * 31 + i / 251) % 253);
    return text;
}

struct KopierFall {
    const char* name;
    size_t laenge;
};

class DateiKopierenTest : public SpeilaTest, public ::testing::WithParamInterface<KopierFall> {};

} // namespace

TEST_P(DateiKopierenTest, CopyHoldsExactlyTheSourceBytes)
{
    const std::string inhalt = Muster(GetParam().laenge);
    const std::string quelle = Datei("quelle", inhalt);
    ASSERT_TRUE(DateiKopieren(quelle, wurzel_ + "ziel"));
    EXPECT_EQ(Inhalt(wurzel_ + "ziel"), inhalt);
    EXPECT_EQ(Inhalt(quelle), inhalt);
}

INSTANTIATE_TEST_SUITE_P(Laengen, DateiKopierenTest,
                         ::testing::Values(KopierFall{"Empty", 0}, KopierFall{"Small", 5},
                                           KopierFall{"ExactlyOneChunk", 1 << 20},
                                           KopierFall{"SeveralChunks", 3 * (1 << 20) + 7}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SpeilaTest, CopyOverwritesALongerTarget)
{
    const std::string ziel = Datei("ziel", std::string(5000, 'z'));
    ASSERT_TRUE(DateiKopieren(Datei("quelle", "neu"), ziel));
    EXPECT_EQ(Inhalt(ziel), "neu");
}

TEST_F(SpeilaTest, CopyBearsTheTimeItWasWritten)
{
    const std::string quelle = Datei("quelle", "alt");
    const auto damals = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 10);
    fs::last_write_time(quelle, damals);
    ASSERT_TRUE(DateiKopieren(quelle, wurzel_ + "ziel"));
    EXPECT_GT(fs::last_write_time(wurzel_ + "ziel"), damals + std::chrono::hours(24));
}

TEST_F(SpeilaTest, CopyFromMissingOrNonRegularSourceFailsAndCreatesNoTarget)
{
    const std::string ziel = wurzel_ + "ziel";
    EXPECT_FALSE(DateiKopieren(wurzel_ + "fehlt", ziel));
    fs::create_directory(wurzel_ + "verz");
    EXPECT_FALSE(DateiKopieren(wurzel_ + "verz", ziel));
    if (testsystem::HatFifos) {
        ASSERT_TRUE(testsystem::FifoAnlegen(wurzel_ + "fifo"));
        EXPECT_FALSE(DateiKopieren(wurzel_ + "fifo", ziel));
    }
    EXPECT_FALSE(fs::exists(ziel));
}

TEST_F(SpeilaTest, CopyIntoMissingDirectoryFailsAndCreatesNothing)
{
    EXPECT_FALSE(DateiKopieren(Datei("quelle", "x"), wurzel_ + "fehlt/ziel"));
    EXPECT_FALSE(fs::exists(wurzel_ + "fehlt"));
}

TEST_F(SpeilaTest, CopyOntoADirectoryOrFifoFailsWithoutBlockingOrRemovingIt)
{
    const std::string quelle = Datei("quelle", "x");
    fs::create_directory(wurzel_ + "verz");
    EXPECT_FALSE(DateiKopieren(quelle, wurzel_ + "verz"));
    EXPECT_TRUE(fs::is_directory(wurzel_ + "verz"));
    // Opening a FIFO for writing would wait for a reader for ever.
    if (testsystem::HatFifos) {
        ASSERT_TRUE(testsystem::FifoAnlegen(wurzel_ + "fifo"));
        EXPECT_FALSE(DateiKopieren(quelle, wurzel_ + "fifo"));
        EXPECT_TRUE(fs::is_fifo(wurzel_ + "fifo"));
    }
}

TEST_F(SpeilaTest, CopyOntoItselfFailsAndLeavesTheFileUnchanged)
{
    const std::string inhalt = Muster(4096);
    const std::string quelle = Datei("quelle", inhalt);
    fs::create_directory(wurzel_ + "unter");
    fs::create_hard_link(quelle, wurzel_ + "unter/hart");

    EXPECT_FALSE(DateiKopieren(quelle, quelle));
    EXPECT_FALSE(DateiKopieren(quelle, wurzel_ + "unter/../quelle"));
    EXPECT_FALSE(DateiKopieren(quelle, wurzel_ + "unter/hart"));
    EXPECT_FALSE(DateiKopieren(wurzel_ + "unter/hart", quelle));
    std::error_code fehler;
    fs::create_symlink(quelle, wurzel_ + "link", fehler);
    if (!fehler) {
        EXPECT_FALSE(DateiKopieren(quelle, wurzel_ + "link"));
    }
    EXPECT_EQ(Inhalt(quelle), inhalt);
}

#ifndef _WIN32
TEST_F(SpeilaTest, FailedWriteRemovesThePartlyWrittenTarget)
{
    // A file size limit makes the writes fail past 1 MiB, as a full disk would.
    const std::string quelle = Datei("quelle", Muster(3 * (1 << 20)));
    const std::string ziel = Datei("ziel", "voriger Inhalt");
    rlimit alt{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &alt), 0);
    const auto altesSignal = ::signal(SIGXFSZ, SIG_IGN);
    rlimit grenze = alt;
    grenze.rlim_cur = 1 << 20;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &grenze), 0);
    const bool kopiert = DateiKopieren(quelle, ziel);
    ::setrlimit(RLIMIT_FSIZE, &alt);
    ::signal(SIGXFSZ, altesSignal);
    EXPECT_FALSE(kopiert);
    EXPECT_EQ(Inhalt(ziel), "voriger Inhalt") << "an existing target outlives a failed copy";
    EXPECT_EQ(std::distance(fs::directory_iterator(wurzel_), fs::directory_iterator()), 2);
}
#endif

// A move deletes its source only while the name still stands for what was
// copied: a version written since, in place or by write and rename, exists
// nowhere else.
TEST_F(SpeilaTest, DeletingAfterACopyKeepsASourceThatChangedSince)
{
    const std::string quelle = wurzel_ + TTestbaum::Nativ("d/quelle");
    for (bool ersetzt : {true, false}) {
        Datei("d/quelle", "alte Fassung");
        TKopierBericht bericht;
        ASSERT_TRUE(DateiKopieren(quelle, wurzel_ + "ziel", bericht));
        if (ersetzt) // another program writes a new file and renames it over the old one
            ASSERT_TRUE(plattform::DateiUmbenennen(Datei("neu", "neue Fassung"), quelle));
        else // or writes into the file itself
            Datei("d/quelle", "laenger als vorher");
        const std::string jetzt = Inhalt(quelle);
        EXPECT_FALSE(DateiLoeschen(quelle, bericht.quelle));
        EXPECT_EQ(Inhalt(quelle), jetzt);
    }
    TKopierBericht bericht;
    ASSERT_TRUE(DateiKopieren(quelle, wurzel_ + "ziel", bericht));
    EXPECT_TRUE(DateiLoeschen(quelle, bericht.quelle));
    EXPECT_FALSE(fs::exists(wurzel_ + "d")) << "its emptied directory goes, as after any delete";
}

TEST_F(SpeilaTest, CopyWithoutRightsFailsAndLeavesFilesAsTheyWere)
{
    if (!testsystem::RechteGelten())
        GTEST_SKIP() << "permissions keep nobody out here (root, or Windows)";
    const std::string geschuetzt = Datei("geschuetzt", "bleibt");
    fs::permissions(geschuetzt, fs::perms::owner_read);
    EXPECT_FALSE(DateiKopieren(Datei("quelle", "neu"), geschuetzt));
    EXPECT_EQ(Inhalt(geschuetzt), "bleibt");

    const std::string unlesbar = Datei("unlesbar", "geheim");
    fs::permissions(unlesbar, fs::perms::none);
    EXPECT_FALSE(DateiKopieren(unlesbar, wurzel_ + "ziel"));
    EXPECT_FALSE(fs::exists(wurzel_ + "ziel"));
}

TEST_F(SpeilaTest, DeletingLastFileRemovesItsDirectoryButNotTheParent)
{
    fs::create_directories(wurzel_ + "a/b");
    const std::string datei = Datei("a/b/f", "x");
    EXPECT_TRUE(DateiLoeschen(datei));
    EXPECT_FALSE(fs::exists(wurzel_ + "a/b"));
    EXPECT_TRUE(fs::is_directory(wurzel_ + "a"));
}

TEST_F(SpeilaTest, DeletingOneOfTwoFilesKeepsTheDirectory)
{
    fs::create_directory(wurzel_ + "c");
    Datei("c/g", "y");
    EXPECT_TRUE(DateiLoeschen(Datei("c/f", "x")));
    EXPECT_FALSE(fs::exists(wurzel_ + "c/f"));
    EXPECT_EQ(Inhalt(wurzel_ + "c/g"), "y");
}

TEST_F(SpeilaTest, DeletingADirectoryOrMissingPathFailsAndTouchesNothing)
{
    fs::create_directory(wurzel_ + "leer");
    EXPECT_FALSE(DateiLoeschen(wurzel_ + "leer"));
    EXPECT_FALSE(DateiLoeschen(wurzel_ + "leer/"));
    EXPECT_TRUE(fs::is_directory(wurzel_ + "leer"));
    // Not even the empty directory of a missing file is removed.
    EXPECT_FALSE(DateiLoeschen(wurzel_ + "leer/fehlt"));
    EXPECT_TRUE(fs::is_directory(wurzel_ + "leer"));
    EXPECT_FALSE(DateiLoeschen(""));
}

TEST_F(SpeilaTest, DeletingInReadOnlyDirectoryFails)
{
    if (!testsystem::RechteGelten())
        GTEST_SKIP() << "permissions keep nobody out here (root, or Windows)";
    fs::create_directory(wurzel_ + "fest");
    const std::string datei = Datei("fest/f", "x");
    fs::permissions(wurzel_ + "fest", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(DateiLoeschen(datei));
    fs::permissions(wurzel_ + "fest", fs::perms::owner_all);
    EXPECT_EQ(Inhalt(datei), "x");
}

TEST_F(SpeilaTest, CreatesDeepDirectoryWithAllParents)
{
    const std::string tief = wurzel_ + TTestbaum::Nativ("x/y/z/");
    EXPECT_TRUE(VerzeichnisseAnlegen(tief));
    EXPECT_TRUE(fs::is_directory(tief));
    EXPECT_TRUE(VerzeichnisseAnlegen(tief)); // existing already: fine
    EXPECT_TRUE(VerzeichnisseAnlegen(wurzel_ + TTestbaum::Nativ("x/y/w")));
    EXPECT_TRUE(fs::is_directory(wurzel_ + "x/y/w"));
}

TEST_F(SpeilaTest, CreatingDirectoriesThroughAFileFails)
{
    Datei("datei", "x");
    EXPECT_FALSE(VerzeichnisseAnlegen(wurzel_ + "datei/unter/"));
    EXPECT_FALSE(VerzeichnisseAnlegen(wurzel_ + "datei"));
    EXPECT_EQ(Inhalt(wurzel_ + "datei"), "x");
}

TEST(VerzeichnisTeil, KeepsEverythingThroughTheLastSeparator)
{
    const auto n = TTestbaum::Nativ;
    EXPECT_EQ(VerzeichnisTeil(n("/a/b/c.txt")), n("/a/b/"));
    EXPECT_EQ(VerzeichnisTeil(n("/a/b/")), n("/a/b/"));
    EXPECT_EQ(VerzeichnisTeil(n("/c.txt")), n("/"));
    EXPECT_EQ(VerzeichnisTeil("c.txt"), "");
    EXPECT_EQ(VerzeichnisTeil(""), "");
}
