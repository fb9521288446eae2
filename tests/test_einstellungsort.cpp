#include "Testbaum.h"

#include "util/Einstellungsort.h"
#include "util/Einstellungsspeicher.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#ifndef _WIN32
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

// The test's own user directory: its HOME (on Windows its APPDATA). Gives
// where the settings go there.
std::string Heim(const TTestbaum& baum)
{
    const std::string heim = baum.Verzeichnis("heim");
#ifdef _WIN32
    _putenv_s("APPDATA", heim.c_str());
    return heim + "Dubrinax\\";
#else
    ::setenv("HOME", heim.c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    return heim + ".config/dubrinax/";
#endif
}

// The choice of a user whom permissions keep out. Root they do not, so root
// makes the tree nobody's and lets a child process choose as nobody.
std::string Waehlen([[maybe_unused]] const TTestbaum& baum, const std::string& programm)
{
#ifndef _WIN32
    if (::geteuid() == 0) {
        const uid_t niemand = 65534;
        ::chown(baum.Wurzel().c_str(), niemand, niemand);
        for (const auto& eintrag : fs::recursive_directory_iterator(baum.Wurzel()))
            ::lchown(eintrag.path().c_str(), niemand, niemand);
        int rohr[2];
        if (::pipe(rohr) != 0)
            return "";
        if (const pid_t kind = ::fork(); kind == 0) {
            const std::string ort = ::setgid(niemand) == 0 && ::setuid(niemand) == 0
                                        ? EinstellungsortWaehlen(programm, "Einst.sys") : "";
            ::_exit(::write(rohr[1], ort.data(), ort.size()) == static_cast<ssize_t>(ort.size()) ? 0 : 1);
        } else {
            ::close(rohr[1]);
            std::string ort(4096, '\0');
            const ssize_t n = ::read(rohr[0], ort.data(), ort.size());
            ::close(rohr[0]);
            ::waitpid(kind, nullptr, 0);
            return ort.substr(0, n > 0 ? static_cast<size_t>(n) : 0);
        }
    }
#endif
    return EinstellungsortWaehlen(programm, "Einst.sys");
}

struct TOrtFall {
    const char* name;
    bool dateiDaneben;      // an Einst.sys lies beside the program
    bool schreibgeschuetzt; // the program's directory is read-only
    bool installiert;       // share/dubrinax lies beside its bin directory
    bool daneben;           // expected: beside the program, else the user's own
};

class Einstellungsort : public ::testing::TestWithParam<TOrtFall> {};

} // namespace

TEST_P(Einstellungsort, BesideTheProgramWhereItIsOrCanBeElseTheUsersOwn)
{
    const TOrtFall& fall = GetParam();
#ifdef _WIN32
    if (fall.schreibgeschuetzt)
        GTEST_SKIP() << "a read-only directory keeps no file out on Windows";
#endif
    TTestbaum baum;
    const std::string benutzer = Heim(baum), programm = baum.Verzeichnis("bin");
    if (fall.installiert)
        baum.Verzeichnis("share/dubrinax");
    if (fall.dateiDaneben)
        baum.Datei("bin/Einst.sys", "");
    if (fall.schreibgeschuetzt)
        fs::permissions(TTestbaum::Pfad(programm), fs::perms::owner_read | fs::perms::owner_exec);

    EXPECT_EQ(Waehlen(baum, programm), (fall.daneben ? programm : benutzer) + "Einst.sys");
    // The trial leaves nothing behind; the user's directory is made only when used.
    EXPECT_EQ(fs::exists(TTestbaum::Pfad(programm + "Einst.sys")), fall.dateiDaneben);
    EXPECT_EQ(fs::is_directory(TTestbaum::Pfad(benutzer)), !fall.daneben);
#ifndef _WIN32
    for (const std::string& verzeichnis : {benutzer, benutzer + ".."}) {
        struct stat info {};
        if (!fall.daneben && ::stat(verzeichnis.c_str(), &info) == 0) {
            EXPECT_EQ(info.st_mode & 0777, 0700u) << verzeichnis;
        }
    }
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Einstellungsort,
    ::testing::Values(TOrtFall{"WritableFolder", false, false, false, true},
                      TOrtFall{"ReadOnlyFolderWithItsFile", true, true, false, true},
                      TOrtFall{"ReadOnlyFolder", false, true, false, false},
                      TOrtFall{"InstalledWhereRootCouldWrite", false, false, true, false},
                      TOrtFall{"InstalledWithAFileBesideIt", true, false, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

#ifndef _WIN32
TEST(Einstellungsort, XdgConfigHomeCountsWhenItIsAnAbsolutePath)
{
    TTestbaum baum;
    const std::string heim = Heim(baum), programm = baum.Verzeichnis("bin");
    baum.Verzeichnis("share/dubrinax");
    ::setenv("XDG_CONFIG_HOME", (baum.Wurzel() + "konfig").c_str(), 1);
    EXPECT_EQ(EinstellungsortWaehlen(programm, "Einst.sys"), baum.Wurzel() + "konfig/dubrinax/Einst.sys");
    ::setenv("XDG_CONFIG_HOME", "konfig", 1);
    EXPECT_EQ(EinstellungsortWaehlen(programm, "Einst.sys"), heim + "Einst.sys");
}
#endif

#ifndef _WIN32
// A second window starting (and choosing where its settings go) while the
// first one closes for the first time must not delete the file just saved.
TEST(Einstellungsort, ChoosingNeverDeletesTheFileAnotherWindowSaves)
{
    TTestbaum baum;
    const std::string programm = baum.Verzeichnis("bin"), einst = programm + "Einst.sys";
    const pid_t eltern = ::getpid(), kind = ::fork();
    if (kind == 0) {
        while (::getppid() == eltern) // not a moment longer than the test
            EinstellungsortWaehlen(programm, "Einst.sys");
        ::_exit(0);
    }
    int verschwunden = 0;
    for (int runde = 0; runde < 1000; ++runde) {
        fs::remove(TTestbaum::Pfad(einst));
        std::string body;
        if (AbschnittSpeichern("P", "P\x02\x01", body, einst, "Kopf") && !fs::exists(TTestbaum::Pfad(einst)))
            ++verschwunden;
    }
    ::kill(kind, SIGKILL);
    ::waitpid(kind, nullptr, 0);
    EXPECT_EQ(verschwunden, 0);
}
#endif
