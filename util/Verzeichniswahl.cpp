#include "util/Verzeichniswahl.h"

#include "util/Plattform.h"
#include "util/Speila.h"

std::string VorhandenesVerzeichnis(const std::string& pfad)
{
    std::string verzeichnis = VerzeichnisTeil(pfad);
    while (!verzeichnis.empty()) {
        if (plattform::IstVerzeichnis(verzeichnis))
            return verzeichnis;
        // One level up: drop the separators at the end, then the last name.
        // A root that does not exist ("Q:\" without a drive Q) has nothing
        // left to drop and ends the search.
        std::string kuerzer = verzeichnis;
        while (!kuerzer.empty() && plattform::BeendetVerzeichnisteil(kuerzer.back()))
            kuerzer.pop_back();
        kuerzer = VerzeichnisTeil(kuerzer);
        if (kuerzer.size() >= verzeichnis.size())
            break;
        verzeichnis = std::move(kuerzer);
    }
    return {};
}
