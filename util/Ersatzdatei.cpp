#include "util/Ersatzdatei.h"

#include "util/Speila.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>

namespace {

// Names are drawn at random; a clash with a name that exists (another
// program's temporary file, a planted link) only costs another draw.
constexpr int Versuche = 16;

std::string NeuerName(const std::string& verzeichnis)
{
    static std::mt19937_64 zufall{std::random_device{}()
                                  ^ static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
    char name[40];
    std::snprintf(name, sizeof name, ".dubrinax-%016llx.neu",
                  static_cast<unsigned long long>(zufall()));
    return verzeichnis + name;
}

} // namespace

TErsatzDatei::TErsatzDatei(std::string ziel, TErsatzArt art) : ziel_(std::move(ziel)), art_(art)
{
    const std::string verzeichnis = VerzeichnisTeil(ziel_);
    for (int i = 0; i < Versuche && !datei_.Offen(); ++i) {
        pfad_ = NeuerName(verzeichnis);
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
