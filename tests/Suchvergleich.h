#pragma once

// Runs the normal search and the pairwise reference on the same trees and
// expects the same lines, counters, final field texts and gauge (the texts
// made from the state as the window makes them).

#include "FensterAttrappe.h"

#include "reference/Referenzsuche.h"

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

// What the copy and move commands take a line's file to be: the directory its
// tree was searched from, then the line's relative part ("+" lines are of the
// second tree). It must be the path the line shows.
inline void FundpfadeStimmen(const TFensterAttrappe& fenster)
{
    const TFundliste& funde = fenster.Funde();
    ASSERT_EQ(funde.Anzahl(), fenster.liste.size());
    for (uint32_t i = 0; i < funde.Anzahl(); ++i) {
        const std::string text = funde.Text(i);
        const std::string pfad = funde.Verzeichnis(text[0] == '+') + funde.Relativ(i);
        EXPECT_EQ(text, std::string(TFundliste::Praefix(text[0])) + pfad);
        EXPECT_EQ(fenster.liste[i].text, text);
        EXPECT_EQ(funde.TextLaenge(i), text.size());
    }
}

// nachDemEinlesen: changes the trees once they are read, before anything is
// compared; einrichten: sets up the window before the run.
inline TErgebnis Suchen(const std::string& eins, const std::string& zwei, bool woertlich,
                        std::function<void()> nachDemEinlesen = {},
                        const std::function<void(TFensterAttrappe&)>& einrichten = {})
{
    TFensterAttrappe fenster;
    ReferenzWaehlen(fenster.sitzung, woertlich);
    fenster.NachDemEinlesen = std::move(nachDemEinlesen);
    fenster.Feld(TFeld::Edit1) = eins;
    fenster.Feld(TFeld::Edit3) = zwei;
    if (einrichten)
        einrichten(fenster);
    fenster.SucheAusfuehren({eins, zwei});
    FundpfadeStimmen(fenster);
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
