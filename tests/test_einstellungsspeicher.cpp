#include "Testbaum.h"
#include "Testsystem.h"

#include "util/Einstellungsspeicher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <tuple>

#ifndef _WIN32
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const std::string Kopf = "Kollatrix 2002V1";
const std::string D(1, '\x03'); // the field delimiter

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

TEST_F(SpeicherTest, InAReadOnlyDirectoryAWritableFileIsWrittenInPlaceAndNoneIsCreated)
{
    if (!testsystem::RechteGelten())
        GTEST_SKIP() << "permissions keep nobody out here (root, or Windows)";
    RohSchreiben(einst_, Kopf + std::string(100, 'x'));
    const std::string fehlt = wurzel_ + "fehlt.sys";
    fs::permissions(wurzel_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_TRUE(Speichern("Neu\x02" "2\x01", einst_, Kopf));
    EXPECT_FALSE(Speichern("Neu\x02" "2\x01", fehlt, Kopf));
    fs::permissions(wurzel_, fs::perms::owner_all);
    EXPECT_EQ(Roh(einst_), Kopf + "Neu\x02" "2\x01");
    KeineResteAusser({"Einst.sys"});
}

TEST_F(SpeicherTest, AFileWithoutWritePermissionIsKeptEvenByRoot)
{
    const std::string alt = Kopf + "Alt\x02" "1\x01";
    RohSchreiben(einst_, alt);
    fs::permissions(einst_, fs::perms::owner_read);
    EXPECT_FALSE(Speichern("Neu\x02" "2\x01", einst_, Kopf));
    EXPECT_EQ(Roh(einst_), alt);
    KeineResteAusser({"Einst.sys"});
}

// --- Keeping a shared file what it is ---------------------------------------

namespace {

bool LinkAnlegen(const std::string& ziel, const std::string& link)
{
    std::error_code fehler;
    fs::create_symlink(ziel, link, fehler);
    return !fehler;
}

fs::perms Modus(const std::string& pfad)
{
    return fs::status(pfad).permissions();
}

} // namespace

enum class TLink { Relativ, Absolut, Kette };

struct LinkFall {
    const char* name;
    TLink art;
    bool zielDa; // the shared file exists before the save
};

class LinkTest : public SpeicherTest, public ::testing::WithParamInterface<LinkFall> {};

TEST_P(LinkTest, ALinkedSettingsFileIsWrittenWhereItLiesAndStaysALink)
{
    const LinkFall& fall = GetParam();
    const std::string geteilt = baum_.Verzeichnis("geteilt") + "Einst.sys";
    const std::string relativ = TTestbaum::Nativ("geteilt/Einst.sys");
    if (fall.zielDa) {
        RohSchreiben(geteilt, Kopf + "Fremd\x02" "f\x01");
        fs::permissions(geteilt, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read
                                     | fs::perms::group_write | fs::perms::others_read);
    }
    const bool angelegt = fall.art == TLink::Relativ   ? LinkAnlegen(relativ, einst_)
                          : fall.art == TLink::Absolut ? LinkAnlegen(geteilt, einst_)
                                                       : LinkAnlegen("zwischen", einst_)
                                                             && LinkAnlegen(relativ, wurzel_ + "zwischen");
    if (!angelegt)
        GTEST_SKIP() << "symbolic links cannot be made here";
    const fs::perms modusVorher = fall.zielDa ? Modus(geteilt) : fs::perms::none;

    ASSERT_TRUE(Speichern("Neu\x02" "n\x01", einst_, Kopf));
    EXPECT_TRUE(fs::is_symlink(einst_));
    EXPECT_EQ(Roh(geteilt), Kopf + "Neu\x02" "n\x01");
    if (fall.zielDa) {
        EXPECT_EQ(Modus(geteilt), modusVorher);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(wurzel_ + "geteilt"), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, LinkTest,
    ::testing::Values(LinkFall{"Relative", TLink::Relativ, true}, LinkFall{"Absolute", TLink::Absolut, true},
                      LinkFall{"ChainOfTwo", TLink::Kette, true},
                      LinkFall{"DanglingCreatesTheSharedFile", TLink::Relativ, false}),
    [](const auto& info) { return std::string(info.param.name); });

#ifndef _WIN32
TEST_F(SpeicherTest, OwnerGroupAndModeOfTheOldFileStay)
{
    RohSchreiben(einst_, Kopf + "Alt\x02" "1\x01");
    ASSERT_EQ(::chmod(einst_.c_str(), 0664), 0);
    // Root may give the file to anybody, and must give the new one back.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(einst_.c_str(), 12345, 54321), 0);
    }
    struct stat vorher, nachher;
    ASSERT_EQ(::stat(einst_.c_str(), &vorher), 0);
    ASSERT_TRUE(Speichern("Neu\x02" "2\x01", einst_, Kopf));
    ASSERT_EQ(::stat(einst_.c_str(), &nachher), 0);
    EXPECT_EQ(nachher.st_uid, vorher.st_uid);
    EXPECT_EQ(nachher.st_gid, vorher.st_gid);
    EXPECT_EQ(nachher.st_mode & 07777, 0664u);
    EXPECT_EQ(Roh(einst_), Kopf + "Neu\x02" "2\x01");
    KeineResteAusser({"Einst.sys"});
}
#endif

TEST_F(SpeicherTest, ASecondHardLinkSeesTheNewContents)
{
    RohSchreiben(einst_, Kopf + "Alt\x02" + std::string(100, 'x') + "\x01");
    const std::string zweiter = wurzel_ + "zweiter";
    std::error_code fehler;
    fs::create_hard_link(einst_, zweiter, fehler);
    if (fehler)
        GTEST_SKIP() << "hard links cannot be made here";
    ASSERT_TRUE(Speichern("Neu\x02" "2\x01", einst_, Kopf));
    EXPECT_TRUE(fs::equivalent(einst_, zweiter));
    // Written in place and cut to the new, shorter length.
    EXPECT_EQ(Roh(zweiter), Kopf + "Neu\x02" "2\x01");
    KeineResteAusser({"Einst.sys", "zweiter"});
}

TEST_F(SpeicherTest, ASaveInPlaceWaitsWhileAnotherSaveHoldsTheFile)
{
    RohSchreiben(einst_, Kopf + "Alt\x02" "1\x01");
    std::error_code fehler;
    fs::create_hard_link(einst_, wurzel_ + "zweiter", fehler);
    if (fehler)
        GTEST_SKIP() << "hard links cannot be made here";
    // Another window of ours in the middle of its save.
    plattform::TDatei andere = plattform::TDatei::OeffnenZumUeberschreiben(einst_);
    ASSERT_TRUE(andere.Sperren());
    std::thread speichern([this] { EXPECT_TRUE(Speichern("Neu\x02" "2\x01", einst_, Kopf)); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(Roh(einst_), Kopf + "Alt\x02" "1\x01") << "written while the other save held the file";
    andere.Schliessen();
    speichern.join();
    EXPECT_EQ(Roh(einst_), Kopf + "Neu\x02" "2\x01");
}

TEST_F(SpeicherTest, WhatLiesAtTheOldFixedTemporaryNameIsNeitherWrittenNorFollowed)
{
    // Another save's half-written file under that name, then a planted link.
    RohSchreiben(einst_, Kopf);
    const std::string neu = einst_ + ".neu";
    RohSchreiben(neu, "halb");
    ASSERT_TRUE(Speichern("A\x02" "1\x01", einst_, Kopf));
    EXPECT_EQ(Roh(neu), "halb");
    EXPECT_EQ(Roh(einst_), Kopf + "A\x02" "1\x01");

    fs::remove(neu);
    const std::string opfer = wurzel_ + "opfer";
    RohSchreiben(opfer, "unberuehrt");
    if (!LinkAnlegen(opfer, neu))
        GTEST_SKIP() << "symbolic links cannot be made here";
    ASSERT_TRUE(Speichern("B\x02" "2\x01", einst_, Kopf));
    EXPECT_EQ(Roh(opfer), "unberuehrt");
    EXPECT_EQ(Roh(einst_), Kopf + "B\x02" "2\x01");
    KeineResteAusser({"Einst.sys", "Einst.sys.neu", "opfer"});
}

TEST_F(SpeicherTest, ACloseReplacesOurSectionInWhatTheFileHoldsThen)
{
    const std::string alpha = "Alpha\x02" "a\x01";
    const std::string neu = "Neu\x02" "n\x01";
    RohSchreiben(einst_, Kopf + alpha + "Kollatrix\x02\x03" "1\x03\x01");
    std::string body = Laden(einst_, Kopf);
    // Another program adds its section while the window is open.
    RohSchreiben(einst_, Kopf + alpha + "Kollatrix\x02\x03" "1\x03\x01" + neu);
    const std::string zwei = "Kollatrix\x02\x03" "2\x03\x01";
    ASSERT_TRUE(AbschnittSpeichern("Kollatrix", zwei, body, einst_, Kopf));
    EXPECT_EQ(Roh(einst_), Kopf + alpha + neu + zwei);
    EXPECT_EQ(body, alpha + neu + zwei);

    // A file gone meanwhile cannot be read: the body we hold is written.
    fs::remove(einst_);
    const std::string drei = "Kollatrix\x02\x03" "3\x03\x01";
    ASSERT_TRUE(AbschnittSpeichern("Kollatrix", drei, body, einst_, Kopf));
    EXPECT_EQ(Roh(einst_), Kopf + alpha + neu + drei);
}

// --- One save: locked, never torn, never into the system ---------------------

namespace {

const std::string Fremd = "Fremd\x02" "f\x01";
std::string Unser(const std::string& wert) { return "Kollatrix\x02\x03" + wert + "\x03\x01"; }

// A second hard link keeps the file from being replaced: saves go in place.
bool InPlatzZwingen(const std::string& pfad)
{
    std::error_code fehler;
    fs::create_hard_link(pfad, pfad + ".zweiter", fehler);
    return !fehler;
}

} // namespace

struct SchliessFall {
    const char* name;
    std::string start;   // the file as the window loads it
    std::string waehrend; // what another program leaves in it before the close
    std::string danach;  // the file after the close
};

class SchliessTest : public SpeicherTest, public ::testing::WithParamInterface<std::tuple<SchliessFall, bool>> {};

TEST_P(SchliessTest, TheCloseLeavesEveryLoadedSectionFindable)
{
    const auto& [fall, inPlatz] = GetParam();
    RohSchreiben(einst_, fall.start);
    std::string body = Laden(einst_, Kopf);
    RohSchreiben(einst_, fall.waehrend);
    if (inPlatz && !InPlatzZwingen(einst_))
        GTEST_SKIP() << "hard links cannot be made here";
    ASSERT_TRUE(AbschnittSpeichern("Kollatrix", Unser("neu"), body, einst_, Kopf));
    if (!inPlatz) {
        EXPECT_EQ(Roh(einst_), fall.danach);
        return;
    }
    // In place, other sections keep their places, and ours may keep its own.
    std::string jetzt = Laden(einst_, Kopf), danach = fall.danach.substr(Kopf.size());
    EXPECT_EQ(LetzteSequenzLesen("Kollatrix", jetzt), "\x03neu\x03");
    AbschnittEntfernen("Kollatrix", jetzt);
    AbschnittEntfernen("Kollatrix", danach);
    EXPECT_EQ(jetzt, danach);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, SchliessTest,
    ::testing::Combine(
        ::testing::Values(
            SchliessFall{"Unchanged", Kopf + Unser("alt") + Fremd, Kopf + Unser("alt") + Fremd,
                         Kopf + Fremd + Unser("neu")},
            SchliessFall{"EmptiedWhileOpen", Kopf + Fremd + Unser("alt"), "", Kopf + Fremd + Unser("neu")},
            SchliessFall{"CutInTheHeader", Kopf + Fremd, Kopf.substr(0, 9), Kopf + Fremd + Unser("neu")},
            SchliessFall{"HeaderOverwritten", Kopf + Fremd, "Anders 2002V1 B\x02" "b\x01", Kopf + Fremd + Unser("neu")},
            SchliessFall{"CutInOurSection", Kopf + Fremd + Unser("12"), Kopf + Fremd + "Kollatrix\x02\x03" "1",
                         Kopf + Fremd + Unser("neu")},
            SchliessFall{"LastSectionUnterminated", Kopf + "Fremd\x02" "f", Kopf + "Fremd\x02" "f",
                         Kopf + Fremd + Unser("neu")}),
        ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "InPlace" : "Replacing");
    });

class GleichzeitigTest : public SpeicherTest, public ::testing::WithParamInterface<bool> {};

TEST_P(GleichzeitigTest, TwoSavesAtOnceLeaveOneOfTheTwoCompleteResults)
{
    RohSchreiben(einst_, Kopf);
    if (GetParam() && !InPlatzZwingen(einst_))
        GTEST_SKIP() << "hard links cannot be made here";
    // Two programs, each saving its own section: a save that read before the
    // other wrote loses the other's section; one that cut while the other
    // wrote leaves fragments. The file grows and shrinks.
    for (int runde = 0; runde < 100; ++runde) {
        const std::string a = "A\x02" + std::string(static_cast<size_t>(runde % 7 * 20), 'a') + "\x01";
        const std::string b = "B\x02" + std::string(static_cast<size_t>(runde % 5 * 30), 'b') + "\x01";
        // Every other round, two first saves: neither finds a file.
        if (!GetParam() && runde % 2 == 1)
            std::filesystem::remove(TTestbaum::Pfad(einst_));
        std::string bodyA = Laden(einst_, Kopf), bodyB = bodyA;
        std::thread links([&] { EXPECT_TRUE(AbschnittSpeichern("A", a, bodyA, einst_, Kopf)); });
        EXPECT_TRUE(AbschnittSpeichern("B", b, bodyB, einst_, Kopf));
        links.join();
        const std::string roh = Roh(einst_);
        if (!GetParam()) {
            ASSERT_TRUE(roh == Kopf + a + b || roh == Kopf + b + a) << "round " << runde << ": " << roh;
            continue;
        }
        // In place each keeps its place where it has room: the file grows
        // no further than the largest sections need.
        const std::string text = Laden(einst_, Kopf);
        ASSERT_EQ(LetzteSequenzLesen("A", text) + LetzteSequenzLesen("B", text), a.substr(2, a.size() - 3) + b.substr(2, b.size() - 3)) << "round " << runde;
        ASSERT_LT(roh.size(), 1000u) << "round " << runde;
    }
}

INSTANTIATE_TEST_SUITE_P(Pfade, GleichzeitigTest, ::testing::Bool());

class UnterbrechungTest : public SpeicherTest, public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(UnterbrechungTest, AStoppedSaveKeepsEveryOtherSectionReadableAndTheNextSaveKeepsItToo)
{
    // Before step `halt` the file is looked at, as a kill there leaves it;
    // with `scheitern` the step then fails, as on a full disk. Step 0 (the
    // rename) comes in a replacing save only. Ours stands twice, one copy
    // with room for the new one before another program's section.
    static int halt;
    static bool scheitern;
    static std::string pfad, gesehen;
    std::tie(halt, scheitern) = GetParam();
    const std::string hinten = "Hinten\x02" "h\r\n\x01";
    const std::string alt = Kopf + Unser("1") + Fremd + Unser(std::string(300, '1')) + hinten;
    RohSchreiben(einst_, alt);
    if (halt != 0 && !InPlatzZwingen(einst_))
        GTEST_SKIP() << "hard links cannot be made here";
    std::string body = Laden(einst_, Kopf);
    pfad = einst_;
    gesehen.clear();
    SpeicherSchritt = [](int schritt) {
        if (schritt == halt)
            gesehen = Roh(pfad);
        return schritt != halt || !scheitern;
    };
    const bool gespeichert = AbschnittSpeichern("Kollatrix", Unser("2"), body, einst_, Kopf);
    SpeicherSchritt = nullptr;
    ASSERT_FALSE(gesehen.empty()) << "step " << halt << " never came";
    EXPECT_EQ(gespeichert, !scheitern || halt == 0);
    if (scheitern && halt >= 1 && halt <= 3) {
        EXPECT_EQ(Roh(einst_), alt);
    }

    // What the kill left, then one more close of ours in place: the other
    // sections as they were, ours the old or the new one, then the newest.
    RohSchreiben(einst_, gesehen);
    for (const std::string& neu : {std::string(), std::string("3")}) {
        if (!neu.empty()) {
            std::string nochmal = Laden(einst_, Kopf);
            ASSERT_TRUE(AbschnittSpeichern("Kollatrix", Unser(neu), nochmal, einst_, Kopf));
        }
        const std::string text = Laden(einst_, Kopf);
        EXPECT_EQ(SequenzLesen("Fremd", text), "f");
        EXPECT_EQ(SequenzLesen("Hinten", text), "h\n");
        const std::string unser = LetzteSequenzLesen("Kollatrix", text);
        const std::string alter = "\x03" + std::string(300, '1') + "\x03";
        EXPECT_TRUE(neu.empty() ? unser == alter || unser == "\x03" "2\x03" : unser == "\x03" + neu + "\x03") << unser;
    }
    // What the in-place saves left of ours goes with a replacing save.
    fs::remove(TTestbaum::Pfad(einst_ + ".zweiter"));
    ASSERT_TRUE(AbschnittSpeichern("Kollatrix", Unser("4"), body, einst_, Kopf));
    EXPECT_EQ(Roh(einst_), Kopf + Fremd + hinten + Unser("4"));
}

INSTANTIATE_TEST_SUITE_P(Schritte, UnterbrechungTest, ::testing::Combine(::testing::Range(0, 8), ::testing::Bool()));

TEST_F(SpeicherTest, AFileTooLargeForSettingsIsNeitherReadNorWritten)
{
    // Sparse: no disk space taken, but read whole it would take minutes
    // and gigabytes.
    RohSchreiben(einst_, Kopf + Fremd);
    fs::resize_file(TTestbaum::Pfad(einst_), 5ull << 30);
    EXPECT_EQ(Laden(einst_, Kopf), "");
    std::string body;
    EXPECT_FALSE(AbschnittSpeichern("Kollatrix", Unser("1"), body, einst_, Kopf));
    EXPECT_EQ(fs::file_size(TTestbaum::Pfad(einst_)), 5ull << 30);
}

TEST_F(SpeicherTest, ASaveRemovesWhatAKilledSaveOfTheSameFileLeftAndNothingElse)
{
    RohSchreiben(einst_, Kopf + Fremd);
    const std::string verwaist = ".Einst.sys.dubrinax-0123456789abcdef.neu";
    const std::vector<std::string> fremde = {".dubrinax-0123456789abcdef.neu", ".Einst.sys.dubrinax-0123.neu",
                                             ".Andere.dubrinax-0123456789abcdef.neu"};
    for (const std::string& name : fremde)
        RohSchreiben(wurzel_ + name, "x");
    RohSchreiben(wurzel_ + verwaist, Kopf);
    std::string body;
    ASSERT_TRUE(AbschnittSpeichern("Kollatrix", Unser("1"), body, einst_, Kopf));
    KeineResteAusser({"Einst.sys", fremde[0], fremde[1], fremde[2]});
}

#ifndef _WIN32
TEST_F(SpeicherTest, NothingIsWrittenIntoTheSystemOrADevice)
{
    // Every write is counted, and refused: a test must not rename the host.
    static int schritte = 0;
    for (const std::string ziel : {"/proc/self/comm", "/dev/null"}) {
        fs::remove(einst_);
        if (!fs::exists(ziel) || !LinkAnlegen(ziel, einst_))
            continue;
        SpeicherSchritt = [](int) { return ++schritte, false; };
        std::string body;
        EXPECT_FALSE(AbschnittSpeichern("Kollatrix", Unser("1"), body, einst_, Kopf)) << ziel;
        SpeicherSchritt = nullptr;
        EXPECT_EQ(schritte, 0) << ziel;
    }
}

TEST_F(SpeicherTest, AReplacingSaveKeepsTheExtendedAttributes)
{
    RohSchreiben(einst_, Kopf + Fremd);
    if (::setxattr(einst_.c_str(), "user.dubrinax", "wert", 4, 0) != 0)
        GTEST_SKIP() << "no user attributes on this file system";
    struct stat vorher, nachher;
    std::string body;
    ASSERT_TRUE(::stat(einst_.c_str(), &vorher) == 0 && AbschnittSpeichern("Kollatrix", Unser("1"), body, einst_, Kopf)
                && ::stat(einst_.c_str(), &nachher) == 0);
    EXPECT_NE(nachher.st_ino, vorher.st_ino) << "not replaced";
    char wert[8] = {};
    EXPECT_EQ(::getxattr(einst_.c_str(), "user.dubrinax", wert, sizeof wert), 4);
    EXPECT_STREQ(wert, "wert");
}

TEST_F(SpeicherTest, AFileMountedOverIsWrittenInPlace)
{
    // Bind-mounted as containers do it: rename says EBUSY, so in place.
    const std::string geteilt = wurzel_ + "geteilt";
    RohSchreiben(geteilt, Kopf + Fremd);
    RohSchreiben(einst_, "");
    const pid_t kind = ::fork();
    if (kind == 0) {
        std::string body = Laden(geteilt, Kopf);
        ::_exit(::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                        || ::mount(geteilt.c_str(), einst_.c_str(), nullptr, MS_BIND, nullptr) != 0
                    ? 77
                    : !AbschnittSpeichern("Kollatrix", Unser("1"), body, einst_, Kopf));
    }
    int status = 0;
    ASSERT_TRUE(kind > 0 && ::waitpid(kind, &status, 0) == kind && WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no bind mount can be made here (needs root)";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Roh(geteilt), Kopf + Fremd + Unser("1"));
}
#endif

struct BauFall {
    const char* name;
    std::string wert;
    std::string gelesen; // field 2 as the next start reads it
};

class AbschnittBauenTest : public SpeicherTest, public ::testing::WithParamInterface<BauFall> {};

TEST_P(AbschnittBauenTest, EveryFieldReadsBackAsWrittenOrAsItsErsatz)
{
    const std::string fremd = "Fremd\x02" "f\x01";
    const std::string abschnitt = AbschnittBauen("Kollatrix", {{"10", ""}, {GetParam().wert, "/A/"}, {"20", ""}});
    ASSERT_TRUE(Speichern(fremd + abschnitt, einst_, Kopf));
    const std::string body = Laden(einst_, Kopf);
    EXPECT_EQ(SequenzLesen("Fremd", body), "f");
    const std::string inhalt = SequenzLesen("Kollatrix", body);
    EXPECT_EQ(SequenzFeld(1, inhalt, D), "10");
    EXPECT_EQ(SequenzFeld(2, inhalt, D), GetParam().gelesen);
    EXPECT_EQ(SequenzFeld(3, inhalt, D), "20");
    EXPECT_EQ(body, fremd + "Kollatrix\x02" + D + "10" + D + GetParam().gelesen + D + "20" + D + "\x01");
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, AbschnittBauenTest,
    ::testing::Values(BauFall{"Plain", "/p q/", "/p q/"}, BauFall{"Empty", "", ""},
                      BauFall{"LineFeedComesBack", "/a\nb/", "/a\nb/"},
                      BauFall{"SectionEnd", "/a\x01" "b/", "/A/"}, BauFall{"NameEnd", "/a\x02" "b/", "/A/"},
                      BauFall{"FieldDelimiter", "/a\x03" "b/", "/A/"},
                      BauFall{"CarriageReturn", "/a\rb/", "/A/"}, BauFall{"TextEnd", "/a\x1A" "b/", "/A/"}),
    [](const auto& info) { return std::string(info.param.name); });

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

TEST(SequenzLesen, ANameMatchesOnlyAtTheStartOfASection)
{
    const std::string alt = "AltKollatrix\x02" "a\x01";
    const std::string b = "B\x02" "b\x01";
    EXPECT_EQ(SequenzLesen("Kollatrix", alt + "Kollatrix\x02" "k\x01"), "k");
    EXPECT_EQ(SequenzLesen("Kollatrix", alt + b), "");

    std::string body = alt + "Kollatrix\x02" "k\x01" + b;
    SequenzLoeschen("Kollatrix", body);
    EXPECT_EQ(body, alt + b);
    SequenzLoeschen("Kollatrix", body);
    EXPECT_EQ(body, alt + b);
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
