// Dubrinax: finds files with identical content in two directory trees.

#include "app/Anwendung.h"
#include "app/Hauptfenster.h"

#include <cstdio>
#include <cstdlib>

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
    return HauptfensterAusfuehren();
}
