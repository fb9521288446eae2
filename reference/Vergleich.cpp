#include "reference/Referenzsuche.h"

#include "util/Plattform.h"
#include "util/Speila.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int64_t BlockGroesse = 49152;
constexpr int64_t KbGrenze = 10485760;

struct TFreigeben {
    void operator()(void* p) const { std::free(p); }
};
using TPuffer = std::unique_ptr<char, TFreigeben>;

TPuffer PufferHolen()
{
    return TPuffer(static_cast<char*>(std::malloc(BlockGroesse)));
}

} // namespace

int TReferenzsuche::PaarPruefen(const std::string& pfadA, const std::string& pfadB)
{
    if (!plattform::IstDatei(pfadA))
        return 2;
    if (!plattform::IstDatei(pfadB))
        return 2;
    return InhaltGleich(pfadA, pfadB) ? 0 : 1;
}

bool TReferenzsuche::InhaltGleich(const std::string& pfadA, const std::string& pfadB)
{
    f_.FeldSetzen(TFeld::Edit5, DateiNameAus(pfadA));
    f_.NachrichtenVerarbeiten();

    plattform::TDatei dateiA = plattform::TDatei::OeffnenLesen(pfadA);
    if (!dateiA.Offen()) {
        f_.FeldSetzen(TFeld::Edit5, "Konnte Datei " + pfadA + " nicht öffnen!");
        return false;
    }
    plattform::TDatei dateiB = plattform::TDatei::OeffnenLesen(pfadB);
    if (!dateiB.Offen()) {
        f_.FeldSetzen(TFeld::Edit5, "Konnte Datei " + pfadB + " nicht öffnen!");
        return false;
    }

    const int64_t laenge = dateiA.Laenge();
    const int64_t laengeB = dateiB.Laenge();
    f_.FeldSetzen(TFeld::Edit2, std::to_string(laenge) + " Byte");
    f_.FeldSetzen(TFeld::Edit4, std::to_string(laengeB) + " Byte");
    if (laenge != laengeB || laenge < 0) {
        f_.FeldSetzen(TFeld::Edit5, "");
        return false;
    }

    const bool inMb = laenge > KbGrenze;
    const int64_t teiler = inMb ? 1048576 : 1024;
    const char* const einheit = inMb ? " MB" : " KB";

    // Every way out from here ends the comparison with both fields empty.
    auto beenden = [this](bool ergebnis) {
        f_.FeldSetzen(TFeld::Edit6, "");
        f_.FeldSetzen(TFeld::Edit5, "");
        return ergebnis;
    };

    TPuffer pufferA = PufferHolen();
    TPuffer pufferB = PufferHolen();
    if (!pufferA || !pufferB)
        return beenden(false);

    int64_t position = 0;
    while (position < laenge) {
        f_.FeldSetzen(TFeld::Edit6, std::to_string(position / teiler) + einheit);
        f_.NachrichtenVerarbeiten();
        if (f_.Stopp.Halten())
            return beenden(false);
        const int64_t menge = position + BlockGroesse > laenge ? laenge - position : BlockGroesse;
        // A file that shrank or failed while we read it is not identical:
        // never compare what is left in the buffer from the block before.
        if (dateiA.Lesen(pufferA.get(), menge) != menge || dateiB.Lesen(pufferB.get(), menge) != menge)
            return beenden(false);
        if (std::memcmp(pufferA.get(), pufferB.get(), static_cast<size_t>(menge)) != 0)
            return beenden(false);
        position += menge;
    }
    return beenden(true);
}
