// The file written beside its target: it takes the target's place only when
// complete, never writes through a link, and leaves nothing behind.

#include "util/Ersatzdatei.h"

#include "Testbaum.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

class Ersatzdatei : public ::testing::Test {
protected:
    bool Schreiben(TErsatzDatei& ersatz, const std::string& text)
    {
        return ersatz.Datei().Schreiben(text.data(), static_cast<int64_t>(text.size()));
    }

    // The names in the tree's root, so that a leftover temporary file shows.
    size_t Eintraege() const
    {
        size_t n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(TTestbaum::Pfad(baum_.Wurzel())))
            ++n;
        return n;
    }

    TTestbaum baum_;
};

TEST_F(Ersatzdatei, TakesTheTargetsPlaceOnlyWhenPutInPlace)
{
    const std::string ziel = baum_.Datei("ziel", "alt");
    {
        TErsatzDatei ersatz(ziel);
        ASSERT_TRUE(ersatz.Offen());
        ASSERT_TRUE(Schreiben(ersatz, "neu und laenger"));
        EXPECT_EQ(TTestbaum::Lesen(ziel), "alt") << "the target is untouched while the new file is written";
        EXPECT_EQ(Eintraege(), 2u);
        EXPECT_TRUE(ersatz.Einsetzen());
    }
    EXPECT_EQ(TTestbaum::Lesen(ziel), "neu und laenger");
    EXPECT_EQ(Eintraege(), 1u);
}

TEST_F(Ersatzdatei, AnAbandonedFileIsRemovedAndTheTargetStays)
{
    const std::string ziel = baum_.Datei("ziel", "alt");
    {
        TErsatzDatei ersatz(ziel);
        ASSERT_TRUE(Schreiben(ersatz, "halb"));
    }
    EXPECT_EQ(TTestbaum::Lesen(ziel), "alt");
    EXPECT_EQ(Eintraege(), 1u);
}

TEST_F(Ersatzdatei, ALinkAtTheTargetIsReplacedNotWrittenThrough)
{
    const std::string anderes = baum_.Datei("anderes", "fremd");
    const std::string ziel = baum_.Wurzel() + "ziel";
    std::error_code fehler;
    fs::create_symlink(TTestbaum::Pfad(anderes), TTestbaum::Pfad(ziel), fehler);
    if (fehler)
        GTEST_SKIP() << "symbolic links cannot be made here";
    TErsatzDatei ersatz(ziel);
    ASSERT_TRUE(Schreiben(ersatz, "neu"));
    ASSERT_TRUE(ersatz.Einsetzen());
    EXPECT_FALSE(fs::is_symlink(TTestbaum::Pfad(ziel)));
    EXPECT_EQ(TTestbaum::Lesen(ziel), "neu");
    EXPECT_EQ(TTestbaum::Lesen(anderes), "fremd");
}

TEST_F(Ersatzdatei, CreatingNewRefusesAnyExistingNameLinksIncluded)
{
    const std::string datei = baum_.Datei("da", "x");
    EXPECT_FALSE(plattform::TDatei::ErzeugenNeu(datei).Offen());
    EXPECT_EQ(TTestbaum::Lesen(datei), "x");
    std::error_code fehler;
    const std::string link = baum_.Wurzel() + "link";
    fs::create_symlink(TTestbaum::Pfad(baum_.Wurzel() + "nirgends"), TTestbaum::Pfad(link), fehler);
    if (fehler)
        GTEST_SKIP() << "symbolic links cannot be made here";
    EXPECT_FALSE(plattform::TDatei::ErzeugenNeu(link).Offen());
    EXPECT_FALSE(fs::exists(TTestbaum::Pfad(baum_.Wurzel() + "nirgends")));
}

#ifndef _WIN32
TEST_F(Ersatzdatei, ASuccessorIsTheOwnersAloneFromItsCreationWhateverTheUmask)
{
    const std::string ziel = baum_.Datei("ziel", "alt");
    const mode_t vorher = ::umask(0);
    TErsatzDatei nachfolger(ziel, TErsatzArt::Nachfolger), neu(ziel);
    ::umask(vorher);
    struct stat a, b;
    ASSERT_TRUE(::stat(nachfolger.Pfad().c_str(), &a) == 0 && ::stat(neu.Pfad().c_str(), &b) == 0);
    EXPECT_EQ(a.st_mode & 07777, 0600u);
    EXPECT_EQ(b.st_mode & 07777, 0666u);
}
#endif

TEST_F(Ersatzdatei, WithoutAWritableDirectoryNothingOpens)
{
    TErsatzDatei ersatz(baum_.Wurzel() + "fehlt" + plattform::Trenner + "ziel");
    EXPECT_FALSE(ersatz.Offen());
    EXPECT_FALSE(ersatz.Einsetzen());
}

} // namespace
