#include "util/Ersatzdatei.h"

#include "util/Speila.h"

#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>

namespace {

// Names are drawn at random; a clash with a name that exists (another
// program's temporary file, a planted link) only costs another draw.
constexpr int Versuche = 16;

constexpr const char* Mitte = ".dubrinax-";
constexpr const char* Endung = ".neu";
constexpr size_t Ziffern = 16;

// vorne: "" for a file of its own, "." and the target's name for the
// successor of a file, which VerwaisteEntfernen can then tell as such.
std::string NeuerName(const std::string& verzeichnis, const std::string& vorne)
{
    static std::mt19937_64 zufall{std::random_device{}()
                                  ^ static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
    char ziffern[Ziffern + 1];
    std::snprintf(ziffern, sizeof ziffern, "%016llx", static_cast<unsigned long long>(zufall()));
    return verzeichnis + vorne + Mitte + ziffern + Endung;
}

std::string NachfolgerVorne(const std::string& ziel)
{
    return "." + DateiNameAus(ziel);
}

bool IstNachfolgerName(const std::string& name, const std::string& vorne)
{
    const std::string anfang = vorne + Mitte;
    const std::string endung = Endung;
    if (name.size() != anfang.size() + Ziffern + endung.size() || name.compare(0, anfang.size(), anfang) != 0
        || name.compare(name.size() - endung.size(), endung.size(), endung) != 0)
        return false;
    for (size_t i = anfang.size(); i < anfang.size() + Ziffern; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

} // namespace

TErsatzDatei::TErsatzDatei(std::string ziel, TErsatzArt art) : ziel_(std::move(ziel)), art_(art)
{
    const std::string verzeichnis = VerzeichnisTeil(ziel_);
    for (int i = 0; i < Versuche && !datei_.Offen(); ++i) {
        pfad_ = NeuerName(verzeichnis, art_ == TErsatzArt::Neu ? std::string() : NachfolgerVorne(ziel_));
        datei_ = art_ == TErsatzArt::Nachfolger ? plattform::TDatei::ErzeugenNeuPrivat(pfad_)
                                                : plattform::TDatei::ErzeugenNeu(pfad_);
    }
    if (!datei_.Offen())
        pfad_.clear();
}

TErsatzDatei::~TErsatzDatei()
{
    if (eingesetzt_ || pfad_.empty())
        return;
    datei_.Schliessen();
    plattform::DateiEntfernen(pfad_);
}

bool TErsatzDatei::Einsetzen()
{
    if (!datei_.Offen() || eingesetzt_)
        return false;
    // A close that reports an error means the data may not have arrived.
    if (!datei_.Schliessen())
        return false;
    if (art_ == TErsatzArt::Erster) {
        const std::string name = DateiNameAus(ziel_);
        const std::string verzeichnis = ziel_.substr(0, ziel_.size() - name.size());
        const plattform::TVerzeichnisGriff griff =
            plattform::TVerzeichnisGriff::Oeffnen(verzeichnis.empty() ? std::string(".") : verzeichnis);
        eingesetzt_ = griff.Hereinholen(pfad_, name) == plattform::TUmbenennung::Erledigt;
        if (eingesetzt_)
            griff.Festschreiben();
        return eingesetzt_;
    }
    eingesetzt_ = art_ == TErsatzArt::Nachfolger ? plattform::DateiErsetzen(pfad_, ziel_)
                                                 : plattform::DateiUmbenennen(pfad_, ziel_);
    return eingesetzt_;
}

void VerwaisteEntfernen(const std::string& ziel)
{
    const std::string verzeichnis = VerzeichnisTeil(ziel);
    const std::string vorne = NachfolgerVorne(ziel);
    plattform::TVerzeichnisListe liste(verzeichnis);
    std::string name;
    plattform::TEintragsArt art;
    while (liste.Naechster(name, art))
        if (IstNachfolgerName(name, vorne))
            plattform::DateiEntfernen(verzeichnis + name);
}
