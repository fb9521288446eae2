#include "util/Einstellungsort.h"

#include "util/Datenort.h"
#include "util/Ersatzdatei.h"
#include "util/Plattform.h"

namespace {

#ifdef _WIN32
constexpr const char* Ordner = "Dubrinax";
#else
constexpr const char* Ordner = "dubrinax";
#endif

// Nothing but trying tells whether the system lets this user create a file
// there (permissions, ACLs, a read-only mount). The try is a file of another
// name beside it, removed again: the name pfad itself is never made and
// deleted, since a window closing meanwhile may save its first settings
// there, and the delete would take them.
bool Anlegbar(const std::string& pfad)
{
    return TErsatzDatei(pfad).Offen();
}

// A directory named with its final separator, without it.
std::string OhneTrenner(const std::string& verzeichnis)
{
    return verzeichnis.substr(0, verzeichnis.size() - 1);
}

} // namespace

std::string EinstellungsortWaehlen(const std::string& programmVerzeichnis, const std::string& dateiname)
{
    const std::string daneben = programmVerzeichnis + dateiname;
    if (plattform::NameBelegt(daneben))
        return daneben;
    // A file that another program created between the two looks is there,
    // so it is used.
    if (!Installiert(programmVerzeichnis) && (Anlegbar(daneben) || plattform::NameBelegt(daneben)))
        return daneben;
    const std::string basis = plattform::BenutzerEinstellungen();
    if (basis.empty())
        return daneben;
    const std::string verzeichnis = basis + Ordner + plattform::Trenner;
    // The configuration directory itself may be missing for a new user;
    // what lies above it is the user's own business.
    plattform::PrivatesVerzeichnisAnlegen(OhneTrenner(basis));
    plattform::PrivatesVerzeichnisAnlegen(OhneTrenner(verzeichnis));
    return verzeichnis + dateiname;
}
