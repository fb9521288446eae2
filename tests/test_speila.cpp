#include "util/Plattform.h"
#include "util/Speila.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class SpeilaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char vorlage[] = "/tmp/speila-XXXXXX";
        ASSERT_NE(::mkdtemp(vorlage), nullptr);
        wurzel_ = std::string(vorlage) + "/";
    }
    void TearDown() override { fs::remove_all(wurzel_); }

    std::string Datei(const std::string& name, const std::string& inhalt)
    {
        std::ofstream(wurzel_ + name, std::ios::binary) << inhalt;
        return wurzel_ + name;
    }

    std::string wurzel_;
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
    const std::string fifo = wurzel_ + "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto anfang = std::chrono::steady_clock::now();
    EXPECT_EQ(DateiGroesse(fifo), -1);
    EXPECT_FALSE(plattform::TDatei::OeffnenLesen(fifo).Offen());
    EXPECT_LT(std::chrono::steady_clock::now() - anfang, std::chrono::seconds(2));
}

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

TEST_F(SpeilaTest, SparseFileAbove4GiBReportsItsTrueSize)
{
    const std::string pfad = wurzel_ + "gross";
    const int64_t laenge = (int64_t{1} << 32) + 5;
    ASSERT_EQ(::truncate(Datei("gross", "").c_str(), laenge), 0);
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
    EXPECT_EQ(DateiNameAus("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(DateiNameAus("c.txt"), "c.txt");
    EXPECT_EQ(DateiNameAus("/a/b/"), "");
}
