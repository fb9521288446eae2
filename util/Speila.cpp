#include "util/Speila.h"

#include "util/Ersatzdatei.h"
#include "util/Plattform.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string_view>

namespace {

// Files are copied through a buffer of this size at most, so memory does not
// grow with the file.
constexpr int64_t KopierBlock = int64_t{1} << 20;

// The directory that held a file, named as the system takes it for removal:
// the path up to its last separator, without that separator unless it is the
// root or follows another separator (a drive colon stays, too).
std::string HaltendesVerzeichnis(const std::string& pfad)
{
    std::string teil = VerzeichnisTeil(pfad);
    if (teil.size() < 2 || teil.back() != plattform::Trenner
        || plattform::BeendetVerzeichnisteil(teil[teil.size() - 2]))
        return teil;
    teil.pop_back();
    return teil;
}

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

bool DateiKopieren(const std::string& quelle, const std::string& ziel)
{
    TKopierBericht bericht;
    return DateiKopieren(quelle, ziel, bericht);
}

bool DateiKopieren(const std::string& quelle, const std::string& ziel, TKopierBericht& bericht)
{
    // Never put a copy in the source's own place, whether named by the same
    // path or by a link to the same file.
    if (quelle == ziel)
        return false;
    plattform::TDatei ein = plattform::TDatei::OeffnenLesen(quelle);
    if (!ein.Offen())
        return false;
    // Taken from the open file, so that it describes exactly what is read:
    // a move deletes the source only while its name still stands for this.
    plattform::TDateiStand stand;
    if (!ein.Stand(stand))
        return false;
    plattform::TDateiKennung zielKennung;
    if (plattform::KennungLesen(ziel, zielKennung)) {
        if (zielKennung == stand.kennung)
            return false;
        // Only ever replace regular files: a directory, a FIFO or a device
        // of that name stays what it is.
        if (!plattform::IstDatei(ziel))
            return false;
    }

    const int64_t laenge = stand.groesse;
    // Small files need no full-sized buffer; one byte at least, so that the
    // read loop can see a file that grew since its length was taken.
    const int64_t block = std::clamp<int64_t>(laenge, 1, KopierBlock);
    std::unique_ptr<char[]> puffer(new (std::nothrow) char[static_cast<size_t>(block)]);
    if (!puffer)
        return false;

    // Whatever goes wrong from here, the new file goes and the target stays.
    TErsatzDatei aus(ziel);
    if (!aus.Offen())
        return false;
    int64_t kopiert = 0;
    for (;;) {
        const int64_t n = ein.Lesen(puffer.get(), block);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (!aus.Datei().Schreiben(puffer.get(), n))
            return false;
        kopiert += n;
    }
    // A source that changed its length while we copied gives no faithful
    // copy; a move must not delete it on the strength of this one.
    if (kopiert != laenge || !aus.Datei().Kennung(bericht.ziel))
        return false;
    if (!aus.Einsetzen())
        return false;
    bericht.quelle = stand;
    return true;
}

bool DateiLoeschen(const std::string& pfad)
{
    if (!plattform::IstDatei(pfad))
        return false;
    const bool geloescht = plattform::DateiEntfernen(pfad);
    // Only succeeds when the file was the directory's last entry; whether it
    // did is of no interest.
    const std::string verzeichnis = HaltendesVerzeichnis(pfad);
    if (!verzeichnis.empty())
        plattform::VerzeichnisEntfernen(verzeichnis);
    return geloescht;
}

bool DateiLoeschen(const std::string& pfad, const plattform::TDateiStand& kopiert)
{
    // Another program may have written the file anew, or put another file
    // in its place, since the copy read it; that version exists nowhere else.
    // Between this look and the delete there is still a moment, as with
    // every delete by name; it is as short as we can make it.
    plattform::TDateiStand jetzt;
    if (!plattform::StandLesen(pfad, jetzt) || !(jetzt == kopiert))
        return false;
    return DateiLoeschen(pfad);
}

bool VerzeichnisseAnlegen(const std::string& verzeichnis)
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
        plattform::VerzeichnisAnlegen(ebene);
        if (!plattform::IstVerzeichnis(ebene))
            return false;
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
