#include "util/Datenort.h"

#include "util/Plattform.h"

#ifndef DUBRINAX_DATEN
#define DUBRINAX_DATEN "../share/dubrinax"
#endif

std::string DatenVerzeichnis(const std::string& programmVerzeichnis)
{
    std::string verzeichnis = programmVerzeichnis;
    std::string relativ = DUBRINAX_DATEN;
    for (char& c : relativ)
        if (c == '/')
            c = plattform::Trenner;
    // Each ".." takes off a name, so that a message shows /usr/share/...
    // rather than /usr/bin/../share/...; the program's directory has no links
    // left in it (the system resolves the executable's path).
    const std::string hoch = std::string("..") + plattform::Trenner;
    while (relativ.compare(0, hoch.size(), hoch) == 0) {
        relativ.erase(0, hoch.size());
        const size_t ende = verzeichnis.find_last_not_of(plattform::Trenner);
        const size_t trenner = ende == std::string::npos ? std::string::npos : verzeichnis.rfind(plattform::Trenner, ende);
        if (trenner != std::string::npos)
            verzeichnis.erase(trenner + 1);
    }
    return verzeichnis + relativ + plattform::Trenner;
}

bool Installiert(const std::string& programmVerzeichnis)
{
    return plattform::IstVerzeichnis(DatenVerzeichnis(programmVerzeichnis));
}

std::string DatenDatei(const std::string& programmVerzeichnis, const std::string& name)
{
    const std::string daneben = programmVerzeichnis + name;
    return plattform::IstDatei(daneben) ? daneben : DatenVerzeichnis(programmVerzeichnis) + name;
}
