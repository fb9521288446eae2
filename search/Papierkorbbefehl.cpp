#include "search/Papierkorbbefehl.h"

#include "search/Papierkorbplan.h"
#include "util/Plattform.h"

namespace {

// Files readied at once: their infos reach the disk with one flush, their
// entries in the trash with another.
constexpr size_t Stapel = 256;

} // namespace

TPapierkorbErgebnis InDenPapierkorbLegen(const TFundliste& funde, const std::vector<uint32_t>& zeilen,
                                         const TDateibeobachter& beobachter)
{
    TPapierkorbErgebnis ergebnis;
    const std::vector<TPlanzeile> plan = PapierkorbPlanen(funde, zeilen);
    ergebnis.behalten = PlanZusammenfassen(funde, plan).bleiben;

    plattform::TPapierkorb papierkorb;
    std::vector<const TPlanzeile*> stapel; // the lines readied, in order
    const auto verschieben = [&] {
        // Right before a file goes, it and the copy its group keeps are
        // looked at again: the infos were written meanwhile.
        const std::vector<TGrund> gruende = papierkorb.Verschieben([&](size_t i) {
            if (!ZeileUnveraendert(funde, stapel[i]->zeile))
                return TGrund::Eigen(TGrundArt::SeitDerSucheGeaendert);
            if (!ZeileUnveraendert(funde, stapel[i]->bleibt))
                return TGrund::Eigen(TGrundArt::BehalteneKopieGeaendert);
            return TGrund();
        });
        for (size_t i = 0; i < gruende.size(); ++i) {
            if (gruende[i].Leer())
                ++ergebnis.weggelegt;
            else
                ergebnis.abgelehnt.emplace_back(funde.Pfad(stapel[i]->zeile), gruende[i]);
        }
        stapel.clear();
    };

    for (const TPlanzeile& zeile : plan) {
        switch (zeile.art) {
        case TPlanArt::KeineZeile:
            ergebnis.abgelehnt.emplace_back(std::to_string(zeile.zeile), TGrund::Eigen(TGrundArt::KeineZeile));
            continue;
        case TPlanArt::Geaendert:
            ergebnis.abgelehnt.emplace_back(funde.Pfad(zeile.zeile), TGrund::Eigen(TGrundArt::SeitDerSucheGeaendert));
            continue;
        case TPlanArt::Verweis:
            ergebnis.abgelehnt.emplace_back(funde.Pfad(zeile.zeile), TGrund::Eigen(TGrundArt::KeineGewoehnlicheDatei));
            continue;
        case TPlanArt::Bleibt:
        case TPlanArt::Einzig:
        case TPlanArt::SchonDabei:
            continue;
        case TPlanArt::Geht:
            break;
        }
        const std::string pfad = funde.Pfad(zeile.zeile);
        if (beobachter.VorDerZeile)
            beobachter.VorDerZeile(pfad);
        TGrund grund;
        if (!ZeileUnveraendert(funde, zeile.zeile))
            grund = TGrund::Eigen(TGrundArt::SeitDerSucheGeaendert);
        else if (papierkorb.Vormerken(pfad, grund))
            stapel.push_back(&zeile);
        if (!grund.Leer())
            ergebnis.abgelehnt.emplace_back(pfad, grund);
        if (stapel.size() >= Stapel)
            verschieben();
    }
    verschieben();
    return ergebnis;
}
