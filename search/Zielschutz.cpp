#include "search/Zielschutz.h"

void TZielschutz::DateiSchuetzen(const std::string& pfad)
{
    // The empty text would name the working directory.
    plattform::TDateiKennung kennung;
    if (!pfad.empty() && plattform::KennungLesen(pfad, kennung))
        kennungen_.insert(kennung);
}

void TZielschutz::Geschrieben(const std::string& pfad, const plattform::TDateiKennung& kennung)
{
    pfade_.insert(pfad);
    kennungen_.insert(kennung);
}

void TZielschutz::Weggenommen(const std::string& pfad)
{
    pfade_.insert(pfad);
}

bool TZielschutz::Geschuetzt(const std::string& ziel)
{
    if (pfade_.count(ziel) != 0)
        return true;
    plattform::TDateiKennung kennung;
    if (!plattform::KennungLesen(ziel, kennung))
        return false;
    // Filled this late, the files a move took away before are missing from
    // it; their places are kept by name, and what is gone cannot be lost.
    if (!gefuellt_) {
        gefuellt_ = true;
        fuellen_(*this);
    }
    return kennungen_.count(kennung) != 0;
}
