// The freedesktop.org trash of the platform layer: what it writes, where it
// refuses to go and what it leaves for a file manager to put back.

#include "Testbaum.h"

#include "util/Papierkorb.h"
#include "util/Plattform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// What stands below the test's root before the file goes: 'd' a private
// directory, 'o' one others may enter, 's' a shared sticky one, 'f' a file
// holding inhalt, 'l' a link to the root's inhalt, 'b' the root's inhalt
// bind-mounted here, 'u' handed to another user.
struct TSchritt {
    char art;
    std::string pfad;
    std::string inhalt = "x";
};

struct TKorbFall {
    const char* name;
    std::vector<TSchritt> vorher;
    std::string datei;          // what goes, below the root
    TGrundArt grund;            // Keiner: it went
    const char* korb;           // where it is then, with its info
    const char* infoPfad;       // the path its info names; nullptr: the whole path
    std::vector<std::pair<std::string, const char*>> nachher; // content, nullptr for nothing; "x*": a name beginning x
};

class Papierkorb : public ::testing::TestWithParam<TKorbFall> {
protected:
    ~Papierkorb() override
    {
        for (auto it = eingehaengt.rbegin(); it != eingehaengt.rend(); ++it)
            ::umount2(it->c_str(), MNT_DETACH);
    }
    std::vector<std::string> eingehaengt;
};

std::string Gefunden(std::string pfad)
{
    if (pfad.back() != '*')
        return pfad;
    const fs::path muster(pfad.substr(0, pfad.size() - 1));
    for (const auto& eintrag : fs::directory_iterator(muster.parent_path()))
        if (eintrag.path().filename().string().starts_with(muster.filename().string()))
            return eintrag.path().string();
    return pfad;
}

const std::string Lang(250, 'n');

} // namespace

TEST_P(Papierkorb, EveryFileGoesWithItsWholeInfoIntoAPrivateTrashOrStays)
{
    const TKorbFall& fall = GetParam();
    TTestbaum baum;
    const std::string w = baum.Wurzel();
    for (const TSchritt& s : fall.vorher) {
        const bool root = ::getuid() == 0;
        if ((s.art == 'b' || s.art == 'u') && !root)
            GTEST_SKIP() << "mounts and other users' directories need root";
        if (s.art == 'f')
            baum.Datei(s.pfad, s.inhalt);
        else if (s.art == 'l')
            fs::create_directory_symlink(w + s.inhalt, w + s.pfad);
        else if (s.art == 'u')
            ASSERT_EQ(::chown((w + s.pfad).c_str(), 12345, 12345), 0);
        else if (s.art == 'b') {
            baum.Verzeichnis(s.pfad);
            if (::mount((w + s.inhalt).c_str(), (w + s.pfad).c_str(), nullptr, MS_BIND, nullptr) != 0)
                GTEST_SKIP() << "no bind mount here";
            eingehaengt.push_back(w + s.pfad);
        } else {
            baum.Verzeichnis(s.pfad);
            fs::permissions(w + s.pfad, fs::perms(s.art == 'd' ? 0700 : s.art == 'o' ? 0755 : 01777));
        }
    }
    ::setenv("XDG_DATA_HOME", (w + "D").c_str(), 1);

    TGrund grund;
    plattform::TPapierkorb papierkorb;
    std::vector<TGrund> gruende;
    if (papierkorb.Vormerken(w + fall.datei, grund))
        gruende = papierkorb.Verschieben({});
    EXPECT_EQ((gruende.empty() ? grund : gruende[0]).art, fall.grund) << GrundEnglisch(grund);

    if (fall.grund == TGrundArt::Keiner) {
        // The trash is its owner's alone, and the file's info names it whole.
        struct stat info;
        ASSERT_EQ(::stat((w + fall.korb).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 077, 0u);
        const std::string pfad = fall.infoPfad ? fall.infoPfad : w + fall.datei;
        bool gefunden = false;
        for (const auto& eintrag : fs::directory_iterator(w + fall.korb + "/info")) {
            const std::string text = TTestbaum::Lesen(eintrag.path().string());
            if (!text.starts_with("[Trash Info]\nPath=" + ProzentKodiert(pfad) + "\n"))
                continue;
            gefunden = EigeneInfo(text);
            EXPECT_EQ(TTestbaum::Lesen(w + fall.korb + "/files/" + eintrag.path().stem().string()), "x");
        }
        EXPECT_TRUE(gefunden) << pfad;
    }
    for (const auto& [relativ, inhalt] : fall.nachher) {
        const std::string pfad = Gefunden(w + relativ);
        if (!inhalt)
            EXPECT_FALSE(fs::exists(fs::symlink_status(pfad))) << relativ;
        else
            EXPECT_EQ(TTestbaum::Lesen(pfad), inhalt) << relativ;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Papierkorb,
    ::testing::Values(
        TKorbFall{"ANewTrashIsPrivate", {{'f', "A/f"}}, "A/f", TGrundArt::Keiner, "D/Trash", nullptr, {{"A/f", nullptr}}},
        TKorbFall{"ATrashOthersMayEnterIsNotUsed", {{'o', "D/Trash"}, {'f', "A/f"}}, "A/f",
                  TGrundArt::PapierkorbOffen, "", nullptr, {{"A/f", "x"}, {"D/Trash/files/f", nullptr}}},
        TKorbFall{"ALinkForFilesIsNotUsed", {{'d', "D/Trash"}, {'s', "W"}, {'l', "D/Trash/files", "W"}, {'f', "A/f"}},
                  "A/f", TGrundArt::PapierkorbVerweis, "", nullptr, {{"A/f", "x"}, {"W/f", nullptr}}},
        TKorbFall{"AKilledCommandsInfosGoAndOthersStay",
                  {{'d', "D/Trash"},
                   {'d', "D/Trash/info"},
                   {'f', "D/Trash/info/alt.trashinfo", PapierkorbInfo("/x/alt", "2026-01-01T00:00:00")},
                   {'f', "D/Trash/info/fremd.trashinfo", "[Trash Info]\nPath=/x/fremd\n"},
                   {'f', "D/Trash/info/.dubrinax-0-1.teil", ""},
                   {'f', "A/f"}},
                  "A/f", TGrundArt::Keiner, "D/Trash", nullptr,
                  {{"D/Trash/info/alt.trashinfo", nullptr},
                   {"D/Trash/info/.dubrinax-0-1.teil", nullptr},
                   {"D/Trash/info/fremd.trashinfo", "[Trash Info]\nPath=/x/fremd\n"}}},
        TKorbFall{"ATakenNameGetsASuffix", {{'d', "D/Trash"}, {'f', "D/Trash/files/f", "alt"}, {'f', "A/f"}}, "A/f",
                  TGrundArt::Keiner, "D/Trash", nullptr, {{"D/Trash/files/f", "alt"}, {"D/Trash/files/f.*", "x"}}},
        TKorbFall{"ALongNameIsShortenedInTheTrash", {{'f', "A/" + Lang + ".txt"}}, "A/" + Lang + ".txt",
                  TGrundArt::Keiner, "D/Trash", nullptr, {{"D/Trash/files/" + Lang.substr(0, 200) + "*", "x"}}},
        TKorbFall{"ABindMountedFileGoesToItsMountsTrash", {{'f', "Q/f"}, {'b', "M", "Q"}}, "M/f", TGrundArt::Keiner,
                  "M/.Trash-0", "f", {{"Q/f", nullptr}, {"D/Trash/files/f", nullptr}}},
        TKorbFall{"AnotherUsersDirectoryInTheSharedTrashIsPassedOver",
                  {{'f', "Q/f"}, {'s', "Q/.Trash"}, {'d', "Q/.Trash/0"}, {'u', "Q/.Trash/0"}, {'b', "M", "Q"}}, "M/f",
                  TGrundArt::Keiner, "M/.Trash-0", "f", {{"M/.Trash/0/files", nullptr}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PapierkorbName, ShortWhereItFitsWithASuffixWhereItIsTaken)
{
    const std::pair<std::string, std::string> faelle[] = {
        {PapierkorbName("f.txt", 0), "f.txt"},
        {PapierkorbName("f.txt", 0xab), "f.000000ab.txt"},
        {PapierkorbName(Lang + ".txt", 0), Lang.substr(0, 241) + ".txt"},
        // "ä" is two bytes: the cut never splits it.
        {PapierkorbName(std::string(244, 'a') + "\xc3\xa4\xc3\xa4", 0), std::string(244, 'a')},
    };
    for (const auto& [ist, soll] : faelle)
        EXPECT_EQ(ist, soll);
}
