#include "reference/Referenzsuche.h"

#include "util/Plattform.h"
#include "util/Speila.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int64_t BlockGroesse = 49152;

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
    Lesen(TTaetigkeit::DateiLesen, DateiNameAus(pfadA), f_.Stand().position);
    f_.NachrichtenVerarbeiten();

    plattform::TDatei dateiA = plattform::TDatei::OeffnenLesen(pfadA);
    if (!dateiA.Offen()) {
        Lesen(TTaetigkeit::DateiNichtOffen, pfadA, f_.Stand().position);
        return false;
    }
    plattform::TDatei dateiB = plattform::TDatei::OeffnenLesen(pfadB);
    if (!dateiB.Offen()) {
        Lesen(TTaetigkeit::DateiNichtOffen, pfadB, f_.Stand().position);
        return false;
    }

    const int64_t laenge = dateiA.Laenge();
    const int64_t laengeB = dateiB.Laenge();
    f_.StandSchreiben().groesseErste = laenge;
    f_.StandSchreiben().groesseZweite = laengeB;
    if (laenge != laengeB || laenge < 0) {
        Lesen(TTaetigkeit::Verglichen, std::string(), f_.Stand().position);
        return false;
    }

    // Every way out from here ends the comparison with no file and no
    // position left to show.
    auto beenden = [this](bool ergebnis) {
        Lesen(TTaetigkeit::Verglichen, std::string(), -1);
        return ergebnis;
    };

    TPuffer pufferA = PufferHolen();
    TPuffer pufferB = PufferHolen();
    if (!pufferA || !pufferB)
        return beenden(false);

    int64_t position = 0;
    while (position < laenge) {
        f_.StandSchreiben().positionVon = laenge;
        Lesen(TTaetigkeit::DateiLesen, DateiNameAus(pfadA), position);
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

void TReferenzsuche::Lesen(TTaetigkeit taetigkeit, const std::string& datei, int64_t position)
{
    TSuchstand& stand = f_.StandSchreiben();
    stand.taetigkeit = taetigkeit;
    stand.datei = datei;
    stand.position = position;
    f_.StandMelden();
}
