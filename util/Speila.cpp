#include "util/Speila.h"

#include "util/Plattform.h"

int64_t DateiGroesse(const std::string& pfad)
{
    if (!plattform::IstDatei(pfad))
        return -1;
    plattform::TDatei datei = plattform::TDatei::OeffnenLesen(pfad);
    if (!datei.Offen())
        return -1;
    return datei.Laenge();
}

std::string DateiNameAus(const std::string& pfad)
{
    for (size_t i = pfad.size(); i > 0; --i)
        if (plattform::BeendetVerzeichnisteil(pfad[i - 1]))
            return pfad.substr(i);
    return pfad;
}
