// The built program under a virtual X server: started in a directory of its
// own, closed through the window system as a window manager's close button
// does it, and judged by the settings file it leaves behind.

#include "Testbaum.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

// Last: Xlib's macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>

namespace {

using namespace std::chrono_literals;

const std::string Kopf = "Kollatrix 2002V1";

std::string Abschnitt(int oben, int links, const std::string& eins, const std::string& zwei, int breite)
{
    const std::string t = "\x03";
    return "Kollatrix\x02" + t + std::to_string(oben) + t + std::to_string(links) + t + eins + t + zwei + t +
           std::to_string(breite) + t + "\x01";
}

std::optional<std::string> ImPfad(const std::string& programm)
{
    const char* pfad = std::getenv("PATH");
    std::string rest = pfad ? pfad : "/usr/bin:/bin";
    while (!rest.empty()) {
        const size_t ende = rest.find(':');
        const std::string verzeichnis = rest.substr(0, ende);
        const std::string kandidat = verzeichnis + "/" + programm;
        if (::access(kandidat.c_str(), X_OK) == 0)
            return kandidat;
        if (ende == std::string::npos)
            break;
        rest.erase(0, ende + 1);
    }
    return std::nullopt;
}

// A child process; ended and reaped when the object goes, if still running.
class TKind {
public:
    // Starts argumente[0] with the given extra environment; ausgabe, if not
    // -1, is kept open in the child as descriptor 3.
    TKind(const std::vector<std::string>& argumente, const std::vector<std::string>& umgebung, int ausgabe = -1)
    {
        pid_ = ::fork();
        if (pid_ == 0) {
            if (ausgabe >= 0 && ausgabe != 3) {
                ::dup2(ausgabe, 3);
                ::close(ausgabe);
            }
            const int leer = ::open("/dev/null", O_RDWR);
            ::dup2(leer, 0);
            for (const std::string& eintrag : umgebung) {
                const size_t gleich = eintrag.find('=');
                if (gleich == std::string::npos)
                    ::unsetenv(eintrag.c_str());
                else
                    ::setenv(eintrag.substr(0, gleich).c_str(), eintrag.substr(gleich + 1).c_str(), 1);
            }
            std::vector<char*> argv;
            for (const std::string& argument : argumente)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
    }
    ~TKind()
    {
        if (pid_ > 0 && !beendet_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    TKind(const TKind&) = delete;
    TKind& operator=(const TKind&) = delete;

    bool Laeuft() const { return pid_ > 0; }

    // Waits up to frist for the end; the exit status, or nullopt when the
    // process is still running (or died by a signal).
    std::optional<int> Warten(std::chrono::milliseconds frist)
    {
        const auto ende = std::chrono::steady_clock::now() + frist;
        while (std::chrono::steady_clock::now() < ende) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                beendet_ = true;
                if (WIFEXITED(status))
                    return WEXITSTATUS(status);
                return std::nullopt;
            }
            std::this_thread::sleep_for(20ms);
        }
        return std::nullopt;
    }

    void Beenden()
    {
        if (pid_ > 0 && !beendet_) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
            beendet_ = true;
        }
    }

private:
    pid_t pid_ = -1;
    bool beendet_ = false;
};

// The first viewable top-level window of that title, or 0.
Window FensterFinden(Display* anzeige, const std::string& titel)
{
    Window wurzel = 0, eltern = 0;
    Window* kinder = nullptr;
    unsigned int anzahl = 0;
    if (!XQueryTree(anzeige, DefaultRootWindow(anzeige), &wurzel, &eltern, &kinder, &anzahl))
        return 0;
    Window gefunden = 0;
    for (unsigned int i = 0; i < anzahl && !gefunden; ++i) {
        char* name = nullptr;
        XWindowAttributes attribute;
        if (XFetchName(anzeige, kinder[i], &name) && name) {
            if (titel == name && XGetWindowAttributes(anzeige, kinder[i], &attribute) &&
                attribute.map_state == IsViewable)
                gefunden = kinder[i];
            XFree(name);
        }
    }
    if (kinder)
        XFree(kinder);
    return gefunden;
}

class EndeZuEnde : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::optional<std::string> xvfb = ImPfad("Xvfb");
        if (!xvfb)
            GTEST_SKIP() << "Xvfb is not installed (Debian package xvfb)";

        // The program looks for its settings and lamps beside itself: give
        // it a directory of its own.
        programm = baum.Wurzel() + "dubrinax";
        std::filesystem::copy_file(DUBRINAX_PROGRAMM, programm);
        for (const char* lampe : {"LED_Rot.bmp", "LED_Grün.bmp"})
            std::filesystem::copy_file(std::filesystem::path(DUBRINAX_GLYPHEN) / lampe, baum.Wurzel() + lampe);

        // Xvfb picks a free display and writes its number to descriptor 3.
        int rohr[2];
        ASSERT_EQ(::pipe(rohr), 0);
        server.emplace(std::vector<std::string>{*xvfb, "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten",
                                                "tcp"},
                       std::vector<std::string>{}, rohr[1]);
        ::close(rohr[1]);
        std::string nummer;
        char zeichen = 0;
        while (::read(rohr[0], &zeichen, 1) == 1 && zeichen != '\n')
            nummer += zeichen;
        ::close(rohr[0]);
        ASSERT_FALSE(nummer.empty()) << "Xvfb did not start";
        display = ":" + nummer;
    }

    // Runs the program until its window shows, closes it with
    // WM_DELETE_WINDOW and returns its exit status.
    std::optional<int> StartenUndSchliessen()
    {
        const std::string laufzeit = baum.Verzeichnis("laufzeit");
        std::filesystem::permissions(laufzeit, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);
        TKind dubrinax({programm}, {"DISPLAY=" + display, "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR=" + laufzeit});
        Display* anzeige = XOpenDisplay(display.c_str());
        if (!anzeige)
            return std::nullopt;
        Window fenster = 0;
        const auto ende = std::chrono::steady_clock::now() + 20s;
        while (!fenster && std::chrono::steady_clock::now() < ende) {
            fenster = FensterFinden(anzeige, "Dubrinax");
            if (!fenster)
                std::this_thread::sleep_for(50ms);
        }
        if (!fenster) {
            XCloseDisplay(anzeige);
            ADD_FAILURE() << "the window did not appear";
            return std::nullopt;
        }
        XEvent nachricht{};
        nachricht.xclient.type = ClientMessage;
        nachricht.xclient.window = fenster;
        nachricht.xclient.message_type = XInternAtom(anzeige, "WM_PROTOCOLS", False);
        nachricht.xclient.format = 32;
        nachricht.xclient.data.l[0] = static_cast<long>(XInternAtom(anzeige, "WM_DELETE_WINDOW", False));
        nachricht.xclient.data.l[1] = CurrentTime;
        XSendEvent(anzeige, fenster, False, NoEventMask, &nachricht);
        // The message must have reached the server before we hang up.
        XSync(anzeige, False);
        XCloseDisplay(anzeige);
        return dubrinax.Warten(20s);
    }

    std::string Einstellungen() const { return TTestbaum::Lesen(baum.Wurzel() + "Einst.sys"); }

    TTestbaum baum;
    std::string programm;
    std::string display;
    std::optional<TKind> server;
};

TEST_F(EndeZuEnde, AFirstStartOpensCentredAndACloseFromTheWindowSystemWritesOurSection)
{
    EXPECT_EQ(StartenUndSchliessen(), 0);
    // 519 × 356 with no window manager to frame it, on 1024 × 768.
    EXPECT_EQ(Einstellungen(), Kopf + Abschnitt(206, 252, "/A/", "/B/", 519));
}

TEST_F(EndeZuEnde, AStoredWindowIsRestoredAndOtherProgramsSectionsStayInFront)
{
    const std::string andere = "Alpha\x02" "a\x03" "b\x01";
    baum.Datei("Einst.sys", Kopf + Abschnitt(50, 60, "/p/", "/q/", 600) + andere);
    EXPECT_EQ(StartenUndSchliessen(), 0);
    EXPECT_EQ(Einstellungen(), Kopf + andere + Abschnitt(50, 60, "/p/", "/q/", 600));
}

} // namespace
