#include "Testbaum.h"
#include "Testsystem.h"

#include "util/Einstellungsspeicher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

const std::string Kopf = "Kollatrix 2002V1";

std::string Roh(const std::string& pfad)
{
    std::ifstream ein(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
}

void RohSchreiben(const std::string& pfad, const std::string& inhalt)
{
    std::ofstream(pfad, std::ios::binary) << inhalt;
}

class SpeicherTest : public ::testing::Test {
protected:
    void SetUp() override { einst_ = wurzel_ + "Einst.sys"; }

    // Nothing but the settings file (and what a test put there) may remain:
    // no half-written replacement lies about.
    void KeineResteAusser(std::initializer_list<std::string> namen)
    {
        size_t anzahl = 0;
        for (const auto& eintrag : fs::directory_iterator(wurzel_)) {
            ++anzahl;
            EXPECT_NE(std::find(namen.begin(), namen.end(), eintrag.path().filename().string()),
                      namen.end())
                << eintrag.path();
        }
        EXPECT_EQ(anzahl, namen.size());
    }

    // Removes the directory at the end, with what a test made read-only.
    TTestbaum baum_;
    std::string wurzel_ = baum_.Wurzel();
    std::string einst_;
};

} // namespace

// --- Laden ------------------------------------------------------------------

struct LadeFall {
    const char* name;
    std::string datei;
    std::string body;
};

class LadenTest : public SpeicherTest, public ::testing::WithParamInterface<LadeFall> {};

TEST_P(LadenTest, GivesTheBodyAfterAnExactHeader)
{
    RohSchreiben(einst_, GetParam().datei);
    EXPECT_EQ(Laden(einst_, Kopf), GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, LadenTest,
    ::testing::Values(
        LadeFall{"HeaderOnly", Kopf, ""},
        LadeFall{"EmptyFile", "", ""},
        LadeFall{"First15HeaderCharacters", Kopf.substr(0, 15), ""},
        LadeFall{"HeaderInOtherCase", "kollatrix 2002v1X\x02y\x01", ""},
        LadeFall{"HeaderWithBody", Kopf + "A\x02x\x01" "B\x02y\x01", "A\x02x\x01" "B\x02y\x01"},
        LadeFall{"CarriageReturnsAreDropped", Kopf + "a\r\nb\rc", "a\nbc"},
        LadeFall{"CarriageReturnInsideHeaderIsDroppedToo", "Kollatrix\r 2002V1x", "x"},
        LadeFall{"ByteSubEndsTheText", Kopf + "ab\x1A" "cd\x01", "ab"},
        LadeFall{"ByteSubInsideHeaderLeavesItShort", "Kollatrix\x1A 2002V1x", ""},
        LadeFall{"NulBytesPassThrough", Kopf + std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SpeicherTest, MissingOrUnreadableFileGivesEmptyBody)
{
    EXPECT_EQ(Laden(einst_, Kopf), "");
    EXPECT_EQ(Laden(wurzel_, Kopf), ""); // a directory
    EXPECT_EQ(Laden("", Kopf), "");
}

// --- Speichern --------------------------------------------------------------

TEST_F(SpeicherTest, FirstCloseWritesHeaderAndSectionByteExactly)
{
    // As the window does at its first close: no file yet, so an empty body,
    // its own section removed (there is none) and appended anew.
    std::string body = Laden(einst_, Kopf);
    SequenzLoeschen("Kollatrix", body);
    body += std::string("Kollatrix") + '\x02' + '\x03' + "189" + '\x03' + "248" + '\x03' + "/A/"
        + '\x03' + "/B/" + '\x03' + "527" + '\x03' + '\x01';
    ASSERT_TRUE(Speichern(body, einst_, Kopf));

    const std::string roh = Roh(einst_);
    ASSERT_EQ(roh.size(), 48u);
    EXPECT_EQ(roh.substr(0, 16), Kopf);
    EXPECT_EQ(roh.substr(16, 9), "Kollatrix");
    EXPECT_EQ(roh[25], '\x02');
    EXPECT_EQ(roh[26], '\x03');
    EXPECT_EQ(roh.substr(27, 3), "189");
    EXPECT_EQ(roh[30], '\x03');
    EXPECT_EQ(roh.substr(31, 3), "248");
    EXPECT_EQ(roh[34], '\x03');
    EXPECT_EQ(roh.substr(35, 3), "/A/");
    EXPECT_EQ(roh[38], '\x03');
    EXPECT_EQ(roh.substr(39, 3), "/B/");
    EXPECT_EQ(roh[42], '\x03');
    EXPECT_EQ(roh.substr(43, 3), "527");
    EXPECT_EQ(roh[46], '\x03');
    EXPECT_EQ(roh[47], '\x01');
    EXPECT_EQ(roh.find_first_of("\r\n"), std::string::npos);

    // And the start-up reads the fields back.
    const std::string inhalt = SequenzLesen("Kollatrix", Laden(einst_, Kopf));
    const std::string d(1, '\x03');
    EXPECT_EQ(SequenzFeld(1, inhalt, d), "189");
    EXPECT_EQ(SequenzFeld(2, inhalt, d), "248");
    EXPECT_EQ(SequenzFeld(3, inhalt, d), "/A/");
    EXPECT_EQ(SequenzFeld(4, inhalt, d), "/B/");
    EXPECT_EQ(SequenzFeld(5, inhalt, d), "527");
    EXPECT_EQ(SequenzFeld(6, inhalt, d), "");
    KeineResteAusser({"Einst.sys"});
}

TEST_F(SpeicherTest, LineFeedsAreWrittenAsCrLfAndReadBack)
{
    const std::string body = "Fremd\x02z1\nz2\x01" "X\x02\n\x01";
    ASSERT_TRUE(Speichern(body, einst_, Kopf));
    EXPECT_EQ(Roh(einst_), Kopf + "Fremd\x02z1\r\nz2\x01" "X\x02\r\n\x01");
    EXPECT_EQ(Laden(einst_, Kopf), body);
}

TEST_F(SpeicherTest, CloseKeepsOtherProgramsSectionsAndMovesOursToTheEnd)
{
    RohSchreiben(einst_, Kopf + "Vorne\x02" "a\x01" "Kollatrix\x02\x03" "1\x03\x01" "Hinten\x02" "b\r\nc\x01");
    std::string body = Laden(einst_, Kopf);
    SequenzLoeschen("Kollatrix", body);
    body += std::string("Kollatrix\x02\x03") + "2\x03\x01";
    ASSERT_TRUE(Speichern(body, einst_, Kopf));
    EXPECT_EQ(Roh(einst_), Kopf + "Vorne\x02" "a\x01" "Hinten\x02" "b\r\nc\x01" "Kollatrix\x02\x03" "2\x03\x01");
}

TEST_F(SpeicherTest, SavingReplacesAnExistingFileCompletely)
{
    RohSchreiben(einst_, Kopf + std::string(1000, 'x'));
    ASSERT_TRUE(Speichern("kurz", einst_, Kopf));
    EXPECT_EQ(Roh(einst_), Kopf + "kurz");
    KeineResteAusser({"Einst.sys"});
}

TEST_F(SpeicherTest, SavingIntoMissingDirectoryFailsAndCreatesNothing)
{
    EXPECT_FALSE(Speichern("x", wurzel_ + "fehlt/Einst.sys", Kopf));
    EXPECT_FALSE(fs::exists(wurzel_ + "fehlt"));
    EXPECT_FALSE(Speichern("x", "", Kopf));
    KeineResteAusser({});
}

TEST_F(SpeicherTest, SavingOverADirectoryFailsAndLeavesNoTemporaryFile)
{
    // The new contents can be written, but not put in the directory's place.
    fs::create_directory(einst_);
    EXPECT_FALSE(Speichern("x", einst_, Kopf));
    EXPECT_TRUE(fs::is_directory(einst_));
    KeineResteAusser({"Einst.sys"});
}

TEST_F(SpeicherTest, SavingIntoReadOnlyDirectoryFailsAndKeepsTheOldFile)
{
    if (!testsystem::RechteGelten())
        GTEST_SKIP() << "permissions keep nobody out here (root, or Windows)";
    const std::string alt = Kopf + "Alt\x02" "1\x01";
    RohSchreiben(einst_, alt);
    fs::permissions(wurzel_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(Speichern("Neu\x02" "2\x01", einst_, Kopf));
    fs::permissions(wurzel_, fs::perms::owner_all);
    EXPECT_EQ(Roh(einst_), alt);
    KeineResteAusser({"Einst.sys"});
}

TEST_F(SpeicherTest, ReadOnlyFileIsNotReplaced)
{
    if (!testsystem::SchreibschutzGilt())
        GTEST_SKIP() << "running as root, which ignores permissions";
    const std::string alt = Kopf + "Alt\x02" "1\x01";
    RohSchreiben(einst_, alt);
    fs::permissions(einst_, fs::perms::owner_read);
    EXPECT_FALSE(Speichern("Neu\x02" "2\x01", einst_, Kopf));
    EXPECT_EQ(Roh(einst_), alt);
    KeineResteAusser({"Einst.sys"});
}

// --- Sections and fields ----------------------------------------------------

TEST(SequenzLesen, GivesContentOfFirstSectionOfThatName)
{
    const std::string body = std::string("A\x02" "a\x01") + "Kollatrix\x02\x03" "1\x03\x01" "B\x02" "b\x01";
    EXPECT_EQ(SequenzLesen("Kollatrix", body), "\x03" "1\x03");
    EXPECT_EQ(SequenzLesen("A", body), "a");
    EXPECT_EQ(SequenzLesen("B", body), "b");
    EXPECT_EQ(SequenzLesen("C", body), "");
    EXPECT_EQ(SequenzLesen("Kollatrix", ""), "");
    // The name alone, without its 0x02, is no section.
    EXPECT_EQ(SequenzLesen("Kollatrix", "Kollatrix\x03" "1\x01"), "");
}

TEST(SequenzLesen, SectionWithoutTerminatorRunsToTheEnd)
{
    EXPECT_EQ(SequenzLesen("K", "A\x02" "a\x01K\x02" "xyz"), "xyz");
    EXPECT_EQ(SequenzLesen("K", "K\x02"), "");
}

struct FeldFall {
    uint32_t n;
    std::string inhalt;
    std::string trenner;
    std::string feld;
};

class SequenzFeldTest : public ::testing::TestWithParam<FeldFall> {};

TEST_P(SequenzFeldTest, CountsFieldsBetweenDelimiters)
{
    const FeldFall& f = GetParam();
    EXPECT_EQ(SequenzFeld(f.n, f.inhalt, f.trenner), f.feld);
}

const std::string D(1, '\x03');
const std::string Voll = D + "189" + D + "248" + D + "/A/" + D + "/B/" + D + "527" + D;

INSTANTIATE_TEST_SUITE_P(
    Faelle, SequenzFeldTest,
    ::testing::Values(
        FeldFall{1, D + "1" + D, D, "1"},
        FeldFall{0, D + "1" + D, D, ""},
        FeldFall{2, D + "1" + D, D, ""},
        FeldFall{1, D + "1", D, "1"}, // no final delimiter
        FeldFall{0, "vorn" + D + "1", D, "vorn"},
        FeldFall{2, D + "1" + D + "22", D, "22"},
        FeldFall{3, D + "1" + D + D + "x" + D, D, "x"}, // an empty field 2 counts
        FeldFall{5, Voll, D, "527"},
        FeldFall{6, Voll, D, ""},
        FeldFall{UINT32_MAX, Voll, D, ""},
        FeldFall{1, "", D, ""},
        FeldFall{1, "a;;b;;c", ";;", "b"}, // a longer delimiter
        FeldFall{2, "a;;b;;c;", ";;", "c"}, // the delimiter appended overlaps the last ";"
        FeldFall{0, "abc", "", "abc"}, // an empty delimiter ends the loops
        FeldFall{UINT32_MAX, "abc", "", ""}));

TEST(SequenzLoeschen, MissingNameLeavesBodyUnchanged)
{
    const std::string vorher = std::string("A\x02" "a\x01" "B\x02" "b\x01");
    std::string body = vorher;
    SequenzLoeschen("C", body);
    EXPECT_EQ(body, vorher);
    SequenzLoeschen("A\x01", body);
    EXPECT_EQ(body, vorher);
}

TEST(SequenzLoeschen, RemovesExactlyTheSectionFromNameToTerminator)
{
    const std::string a = "A\x02" "a\x01";
    const std::string b = "BB\x02\x03" "1\x03\x01";
    const std::string c = "C\x02" "c\x01";
    std::string body = a + b + c;
    SequenzLoeschen("BB", body);
    EXPECT_EQ(body, a + c);

    body = a + b + c;
    SequenzLoeschen("A", body);
    EXPECT_EQ(body, b + c);

    body = a + b + c;
    SequenzLoeschen("C", body);
    EXPECT_EQ(body, a + b);

    body = a;
    SequenzLoeschen("A", body);
    EXPECT_EQ(body, "");
}

TEST(SequenzLoeschen, SectionWithoutTerminatorTakesEverythingAfterIt)
{
    std::string body = std::string("A\x02" "a\x01") + "K\x02" "kein Ende" + "B\x02" "b";
    SequenzLoeschen("K", body);
    EXPECT_EQ(body, "A\x02" "a\x01");
}

// --- Cursor operations ------------------------------------------------------

TEST(StehtAn, ComparesFromPositionWithinTheText)
{
    EXPECT_TRUE(StehtAn("abcdef", 3, "cd"));
    EXPECT_TRUE(StehtAn("abcdef", 5, "ef"));
    EXPECT_FALSE(StehtAn("abcdef", 6, "ef")); // would run past the end
    EXPECT_FALSE(StehtAn("abcdef", 2, "cd"));
    EXPECT_FALSE(StehtAn("abcdef", 0, "a"));
    EXPECT_FALSE(StehtAn("abcdef", 7, ""));
    EXPECT_FALSE(StehtAn("abcdef", UINT32_MAX, "f"));
}

TEST(FeldLesen, LeavesCursorPastTheDelimiter)
{
    const std::string text = "ab;;cd;;";
    uint32_t cursor = 1;
    EXPECT_EQ(FeldLesen(text, cursor, ";;"), "ab");
    EXPECT_EQ(cursor, 5u);
    EXPECT_EQ(FeldLesen(text, cursor, ";;"), "cd");
    EXPECT_EQ(cursor, 9u);
    EXPECT_EQ(FeldLesen(text, cursor, ";;"), "");
    EXPECT_EQ(cursor, 9u); // beyond the text: unchanged

    cursor = 0;
    EXPECT_EQ(FeldLesen(text, cursor, ";;"), "");
    EXPECT_EQ(cursor, 0u);
}

TEST(LesenBis, WithoutTerminatorTakesTheRest)
{
    uint32_t cursor = 2;
    EXPECT_EQ(LesenBis("abc\x01" "de", cursor, '\x01'), "bc");
    EXPECT_EQ(cursor, 5u);
    EXPECT_EQ(LesenBis("abc\x01" "de", cursor, '\x01'), "de");
    EXPECT_EQ(cursor, 7u);
    cursor = 1;
    EXPECT_EQ(LesenBis("\x01", cursor, '\x01'), "");
    EXPECT_EQ(cursor, 2u);
}
