// The built program under a virtual X server: started in a directory of its
// own, closed through the window system as a window manager's close button
// does it, and judged by the settings file it leaves behind.

#include "Testbaum.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

// Last: Xlib's macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

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

// A connection to the X server that speaks to the program's windows as a
// window manager and a user would. Everything sent is flushed to the server
// (XSync) before the connection closes, or it could be lost.
class TXVerbindung {
public:
    explicit TXVerbindung(const std::string& display) : anzeige_(XOpenDisplay(display.c_str())) {}
    ~TXVerbindung()
    {
        if (anzeige_) {
            XSync(anzeige_, False);
            XCloseDisplay(anzeige_);
        }
    }
    TXVerbindung(const TXVerbindung&) = delete;
    TXVerbindung& operator=(const TXVerbindung&) = delete;

    bool Offen() const { return anzeige_ != nullptr; }

    // Waits up to 20 s for a viewable top-level window of that title; 0 if
    // none came.
    Window Warten(const std::string& titel)
    {
        const auto ende = std::chrono::steady_clock::now() + 20s;
        while (std::chrono::steady_clock::now() < ende) {
            if (const Window fenster = Finden(titel))
                return fenster;
            std::this_thread::sleep_for(50ms);
        }
        return 0;
    }

    // Waits up to 20 s until the pixel at x, y of the window is no longer
    // black: the program has drawn its window and so handles its messages.
    bool Gezeichnet(Window fenster, int x, int y)
    {
        const auto ende = std::chrono::steady_clock::now() + 20s;
        while (std::chrono::steady_clock::now() < ende) {
            XImage* bild = XGetImage(anzeige_, fenster, x, y, 1, 1, AllPlanes, ZPixmap);
            const unsigned long punkt = bild ? XGetPixel(bild, 0, 0) : 0;
            if (bild)
                XDestroyImage(bild);
            if (punkt != 0)
                return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    // What a window manager's close button sends.
    void Schliessen(Window fenster)
    {
        XEvent nachricht{};
        nachricht.xclient.type = ClientMessage;
        nachricht.xclient.window = fenster;
        nachricht.xclient.message_type = XInternAtom(anzeige_, "WM_PROTOCOLS", False);
        nachricht.xclient.format = 32;
        nachricht.xclient.data.l[0] = static_cast<long>(XInternAtom(anzeige_, "WM_DELETE_WINDOW", False));
        nachricht.xclient.data.l[1] = CurrentTime;
        XSendEvent(anzeige_, fenster, False, NoEventMask, &nachricht);
        XSync(anzeige_, False);
    }

    // A click of the left button at x, y inside the window.
    void Klicken(Window fenster, int x, int y)
    {
        for (const int art : {ButtonPress, ButtonRelease}) {
            XEvent ereignis{};
            ereignis.xbutton.type = art;
            ereignis.xbutton.window = fenster;
            ereignis.xbutton.root = DefaultRootWindow(anzeige_);
            ereignis.xbutton.x = x;
            ereignis.xbutton.y = y;
            ereignis.xbutton.button = Button1;
            ereignis.xbutton.state = art == ButtonRelease ? Button1Mask : 0;
            ereignis.xbutton.same_screen = True;
            // No mask: the event goes to the client that made the window,
            // whatever input it selected (Qt takes the pointer through XInput 2).
            XSendEvent(anzeige_, fenster, False, NoEventMask, &ereignis);
        }
        XSync(anzeige_, False);
    }

    // A press and release of the key of that name ("Return"), once the
    // window has the input focus: the program gives keys to the window it
    // knows as focused.
    bool Taste(Window fenster, const char* name)
    {
        const auto ende = std::chrono::steady_clock::now() + 20s;
        for (;;) {
            Window fokus = 0;
            int art = 0;
            XGetInputFocus(anzeige_, &fokus, &art);
            if (fokus == fenster)
                break;
            if (std::chrono::steady_clock::now() >= ende)
                return false;
            std::this_thread::sleep_for(50ms);
        }
        for (const int art : {KeyPress, KeyRelease}) {
            XEvent ereignis{};
            ereignis.xkey.type = art;
            ereignis.xkey.window = fenster;
            ereignis.xkey.root = DefaultRootWindow(anzeige_);
            ereignis.xkey.keycode = XKeysymToKeycode(anzeige_, XStringToKeysym(name));
            ereignis.xkey.same_screen = True;
            XSendEvent(anzeige_, fenster, False, NoEventMask, &ereignis);
        }
        XSync(anzeige_, False);
        return true;
    }

private:
    Window Finden(const std::string& titel)
    {
        Window wurzel = 0, eltern = 0;
        Window* kinder = nullptr;
        unsigned int anzahl = 0;
        if (!XQueryTree(anzeige_, DefaultRootWindow(anzeige_), &wurzel, &eltern, &kinder, &anzahl))
            return 0;
        Window gefunden = 0;
        for (unsigned int i = 0; i < anzahl && !gefunden; ++i) {
            char* name = nullptr;
            XWindowAttributes attribute;
            if (XFetchName(anzeige_, kinder[i], &name) && name) {
                if (titel == name && XGetWindowAttributes(anzeige_, kinder[i], &attribute) &&
                    attribute.map_state == IsViewable)
                    gefunden = kinder[i];
                XFree(name);
            }
        }
        if (kinder)
            XFree(kinder);
        return gefunden;
    }

    Display* anzeige_;
};

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

    // Starts the program under the virtual display.
    TKind Starten()
    {
        const std::string laufzeit = baum.Verzeichnis("laufzeit");
        std::filesystem::permissions(laufzeit, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);
        return TKind({programm}, {"DISPLAY=" + display, "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR=" + laufzeit});
    }

    // Runs the program until its window shows, closes it with
    // WM_DELETE_WINDOW and returns its exit status.
    std::optional<int> StartenUndSchliessen()
    {
        TKind dubrinax = Starten();
        {
            TXVerbindung x(display);
            if (!x.Offen())
                return std::nullopt;
            const Window fenster = x.Warten("Dubrinax");
            if (!fenster) {
                ADD_FAILURE() << "the window did not appear";
                return std::nullopt;
            }
            x.Schliessen(fenster);
        }
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

TEST_F(EndeZuEnde, ALinkToASharedFileStaysALinkAndASectionAddedMeanwhileSurvives)
{
    // The settings live in a file several programs share, group-writable;
    // the program's directory holds only a link to it.
    const std::string geteilt = baum.Verzeichnis("geteilt") + "Einst.sys";
    const std::string alpha = "Alpha\x02" "a\x01";
    baum.Datei("geteilt/Einst.sys", Kopf + alpha);
    std::filesystem::permissions(geteilt, std::filesystem::perms(0664));
    std::filesystem::create_symlink("geteilt/Einst.sys", baum.Wurzel() + "Einst.sys");

    TKind dubrinax = Starten();
    {
        TXVerbindung x(display);
        ASSERT_TRUE(x.Offen());
        const Window fenster = x.Warten("Dubrinax");
        ASSERT_NE(fenster, 0u);
        // Another program adds its section while the window is open.
        std::ofstream(geteilt, std::ios::binary | std::ios::app) << "Beta\x02" "b\x01";
        x.Schliessen(fenster);
    }
    EXPECT_EQ(dubrinax.Warten(20s), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(baum.Wurzel() + "Einst.sys"));
    EXPECT_EQ(TTestbaum::Lesen(geteilt), Kopf + alpha + "Beta\x02" "b\x01" + Abschnitt(206, 252, "/A/", "/B/", 519));
    EXPECT_EQ(std::filesystem::status(geteilt).permissions(), std::filesystem::perms(0664));
}

TEST_F(EndeZuEnde, AWindowClosedDuringASearchStaysForTheStopQuestionAndAYesEndsTheProgram)
{
    // Two identical files of 1 GiB, made without writing (sparse): their
    // comparison lasts seconds, so the close surely comes while it runs.
    const std::string a = baum.Verzeichnis("A"), b = baum.Verzeichnis("B");
    for (const std::string& datei : {baum.Datei("A/gross.bin", ""), baum.Datei("B/gross.bin", "")})
        std::filesystem::resize_file(datei, std::uintmax_t{1} << 30);
    baum.Datei("Einst.sys", Kopf + Abschnitt(40, 30, a, b, 600));
    TKind dubrinax = Starten();
    {
        TXVerbindung x(display);
        ASSERT_TRUE(x.Offen());
        const Window fenster = x.Warten("Dubrinax");
        ASSERT_NE(fenster, 0u);
        // The Start button's centre: group box 3, 192, button 176, 56, 75 × 25.
        const int knopfX = 3 + 176 + 37, knopfY = 192 + 56 + 12;
        ASSERT_TRUE(x.Gezeichnet(fenster, knopfX, knopfY));
        x.Klicken(fenster, knopfX, knopfY);
        x.Schliessen(fenster);
        const Window frage = x.Warten("Abbrechen?");
        ASSERT_NE(frage, 0u) << "no stop question";
        // The window waits for the answer; the settings are written already.
        EXPECT_NE(x.Warten("Dubrinax"), 0u);
        EXPECT_EQ(Einstellungen(), Kopf + Abschnitt(40, 30, a, b, 600));
        EXPECT_TRUE(x.Taste(frage, "Return")) << "the question never got the focus";
    }
    // Yes stops the comparison at its next block, long before its end.
    EXPECT_EQ(dubrinax.Warten(4s), 0);
}

} // namespace
