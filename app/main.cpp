// Dubrinax: finds files with identical content in two directory trees.

#include "app/Anwendung.h"
#include "app/Endesignale.h"
#include "app/Fehlerbox.h"
#include "app/Sprache.h"
#include "app/Unit1.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Without any display Qt would abort with its own long message; say in one
// line what to do instead.
bool AnzeigeVorhanden()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const char* plattform = std::getenv("QT_QPA_PLATFORM");
    if (plattform && *plattform)
        return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
#else
    return true;
#endif
}

} // namespace

int main(int argc, char** argv)
{
    if (!AnzeigeVorhanden()) {
        std::fprintf(stderr, "Dubrinax needs a display; without one run it as: "
                             "xvfb-run -s '-screen 0 1024x768x24' %s\n",
                     argv[0]);
        return 1;
    }
    TAnwendung anwendung(argc, argv);
    // Declared after the application object, so destroyed before it.
    std::unique_ptr<TForm1> Form1;
    Abgesichert([&] {
        // Form1 first: it is the main window. A number in the settings that
        // does not fit is shown, and the window opens all the same.
        Form1 = std::make_unique<TForm1>();
        Abgesichert([&] { Form1->FormCreate(); });
        Form1->AboutBox = new TAboutBox(Form1.get()); // owned by Form1
        // Owned by Form1, so gone with it before an exit() at the end of main.
        new TEndesignale([fenster = Form1.get()] { fenster->EinstellungenSichern(); }, Form1.get());
        Form1->show();
        TAnwendung::exec();
    });
    return 0;
}
