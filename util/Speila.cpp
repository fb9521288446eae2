#include "util/Speila.h"

#include "util/Plattform.h"

#include <string_view>

namespace {

// Where the name of an entry's path begins: after its directory part. A
// directory typed with '/' reaches the walks as it was typed, and Windows
// takes '/' for a separator too, so it ends a directory part everywhere.
size_t NamensAnfang(const std::string& pfad)
{
    for (size_t i = pfad.size(); i > 0; --i)
        if (pfad[i - 1] == '/' || plattform::BeendetVerzeichnisteil(pfad[i - 1]))
            return i;
    return 0;
}

} // namespace

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

bool GleicherEintrag(const std::string& pfadA, const std::string& pfadB)
{
    const size_t a = NamensAnfang(pfadA);
    const size_t b = NamensAnfang(pfadB);
    // The names first: they differ for nearly every pair, and cost no look.
    if (std::string_view(pfadA).substr(a) != std::string_view(pfadB).substr(b))
        return false;
    plattform::TDateiKennung verzeichnisA;
    plattform::TDateiKennung verzeichnisB;
    return plattform::VerzeichnisKennung(pfadA.substr(0, a), verzeichnisA)
           && plattform::VerzeichnisKennung(pfadB.substr(0, b), verzeichnisB) && verzeichnisA == verzeichnisB;
}

bool VerzeichnisseAnlegen(const std::string& verzeichnis, TGrund* grund)
{
    // Each separator ends one level; a level that itself ends a directory
    // part (the root's separator doubled, a drive colon) is no directory to
    // create.
    for (size_t i = 1; i <= verzeichnis.size(); ++i) {
        if (i < verzeichnis.size() && verzeichnis[i] != plattform::Trenner)
            continue;
        const std::string ebene = verzeichnis.substr(0, i);
        if (plattform::BeendetVerzeichnisteil(ebene.back()) || plattform::IstVerzeichnis(ebene))
            continue;
        // Checked again rather than trusting the result: someone else may
        // have created the level in between.
        const TGrund fehler = plattform::VerzeichnisAnlegen(ebene) ? TGrund() : plattform::LetzterGrund(ebene);
        if (!plattform::IstVerzeichnis(ebene)) {
            if (grund)
                *grund = fehler.Leer() || plattform::NameBelegt(ebene) ? TGrund::Eigen(TGrundArt::ZielVerweis, ebene)
                                                                        : fehler;
            return false;
        }
    }
    return plattform::IstVerzeichnis(verzeichnis);
}

std::string VerzeichnisTeil(const std::string& pfad)
{
    for (size_t i = pfad.size(); i > 0; --i)
        if (plattform::BeendetVerzeichnisteil(pfad[i - 1]))
            return pfad.substr(0, i);
    return {};
}
