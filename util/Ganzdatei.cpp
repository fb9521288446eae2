#include "util/Ganzdatei.h"

#include "util/Speila.h"

namespace {

constexpr size_t Block = size_t{1} << 16;

} // namespace

TGanzeDatei::TGanzeDatei(std::string ziel) : ziel_(std::move(ziel)), ersatz_(ziel_)
{
    if (!ersatz_.Offen())
        Scheitern();
}

// The first failure is the one to report: what follows it is its consequence.
void TGanzeDatei::Scheitern()
{
    if (!fehler_)
        fehler_ = TDateiFehler{ziel_, plattform::LetzterGrund()};
}

void TGanzeDatei::Schreiben(std::string_view bytes)
{
    if (fehler_)
        return;
    puffer_.append(bytes);
    if (puffer_.size() >= Block)
        Leeren();
}

void TGanzeDatei::Leeren()
{
    if (!fehler_ && !ersatz_.Datei().Schreiben(puffer_.data(), static_cast<int64_t>(puffer_.size())))
        Scheitern();
    puffer_.clear();
}

std::optional<TDateiFehler> TGanzeDatei::Abschliessen()
{
    Leeren();
    // On the disk before the rename: after a power cut the name must not
    // stand for a file whose bytes never arrived.
    if (!fehler_ && !ersatz_.Datei().Festschreiben())
        Scheitern();
    if (!fehler_ && !ersatz_.Einsetzen())
        Scheitern();
    if (!fehler_) {
        const std::string verzeichnis = VerzeichnisTeil(ziel_);
        plattform::TVerzeichnisGriff::Oeffnen(verzeichnis.empty() ? std::string(".") : verzeichnis).Festschreiben();
    }
    return fehler_;
}
