#pragma once

// Runs the normal search and the pairwise reference on the same trees and
// expects the same lines, counters, final field texts and gauge.

#include "FensterAttrappe.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace suchvergleich {

struct TErgebnis {
    std::vector<std::string> zeilen;
    std::array<std::string, 10> felder;
    int32_t gaugeProgress;
    int32_t gaugeMax;
};

// nachDemEinlesen: changes the trees once they are read, before anything is compared.
inline TErgebnis Suchen(const std::string& eins, const std::string& zwei, bool woertlich,
                        std::function<void()> nachDemEinlesen = {})
{
    TFensterAttrappe fenster;
    fenster.WoertlicheSuche = woertlich;
    fenster.NachDemEinlesen = std::move(nachDemEinlesen);
    fenster.Feld(TFeld::Edit1) = eins;
    fenster.Feld(TFeld::Edit3) = zwei;
    fenster.Feld(TFeld::Edit2) = "vorher 2";
    fenster.Feld(TFeld::Edit4) = "vorher 4";
    fenster.Feld(TFeld::Edit6) = "vorher 6";
    for (TFeld zaehler : {TFeld::Edit7, TFeld::Edit8, TFeld::Edit9})
        fenster.Feld(zaehler) = "0";
    fenster.SucheAusfuehren();
    return {fenster.Zeilen(), fenster.felder, fenster.gaugeProgress, fenster.gaugeMax};
}

inline void ErgebnisseGleich(const TErgebnis& normal, const TErgebnis& paarweise)
{
    EXPECT_EQ(normal.zeilen, paarweise.zeilen);
    for (int feld = 1; feld <= 9; ++feld)
        EXPECT_EQ(normal.felder[feld], paarweise.felder[feld]) << "Edit" << feld;
    EXPECT_EQ(normal.gaugeProgress, paarweise.gaugeProgress);
    EXPECT_EQ(normal.gaugeMax, paarweise.gaugeMax);
}

inline void Vergleichen(const std::string& eins, const std::string& zwei)
{
    const TErgebnis paarweise = Suchen(eins, zwei, true);
    ErgebnisseGleich(Suchen(eins, zwei, false), paarweise);
}

} // namespace suchvergleich
