#include "fenster/Verzeichnisablage.h"

#include "util/Plattform.h"

bool AbgelegtesVerzeichnis(const std::vector<std::string>& pfade, std::string& verzeichnis)
{
    if (pfade.size() != 1 || pfade.front().empty() || !plattform::IstVerzeichnis(pfade.front()))
        return false;
    verzeichnis = pfade.front();
    if (!plattform::BeendetVerzeichnisteil(verzeichnis.back()))
        verzeichnis += plattform::Trenner;
    return true;
}
