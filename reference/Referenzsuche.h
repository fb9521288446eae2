#pragma once

// The pairwise reference search, kept out of the programs: the tests and the
// bench run it through the same window logic as the normal search and
// compare lines, counters and fields.

#include "search/FensterLogik.h"

#include <cstdint>
#include <memory>
#include <string>

class TKette;
class THashTabelle;

class TReferenzsuche {
public:
    explicit TReferenzsuche(TFensterLogik& fenster) : f_(fenster) {}

    // The run over the directories the search has set in fenster's list.
    void Ausfuehren();

    // The directory walks; null when stopped on request.
    std::unique_ptr<TKette> ErsteListeLesen(const std::string& verzeichnis);
    std::unique_ptr<THashTabelle> ZweiteTabelleLesen(const std::string& verzeichnis);

    // 0 identical, 1 not identical (or unopenable, or abandoned), 2 missing.
    int PaarPruefen(const std::string& pfadA, const std::string& pfadB);
    bool InhaltGleich(const std::string& pfadA, const std::string& pfadB);

    void DateiAuswerten(const std::string& pfad, TKette& liste, bool gleichesVerzeichnis, THashTabelle& tabelle);

private:
    // A line for a path of this run, stored and looked at here.
    void FundAufnehmen(char art, uint8_t baum, const std::string& pfad);

    TFensterLogik& f_; // non-owning
};

// Makes fenster's searches run pairwise (woertlich) or as the programs do.
void ReferenzWaehlen(TFensterLogik& fenster, bool woertlich);
