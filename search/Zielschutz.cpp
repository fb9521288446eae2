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

bool TZielschutz::Geschuetzt(const std::string& ziel) const
{
    if (pfade_.count(ziel) != 0)
        return true;
    plattform::TDateiKennung kennung;
    return plattform::KennungLesen(ziel, kennung) && kennungen_.count(kennung) != 0;
}
