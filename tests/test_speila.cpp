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

// --- Directories ----------------------------------------------

namespace {

std::string Inhalt(const std::string& pfad)
{
    std::ifstream ein(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
}

} // namespace

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
