#pragma once

// The pairwise reference search, kept out of the programs: the tests and the
// bench run it through the same session as the normal search and
// compare lines, counters and state.

#include "search/Suchsitzung.h"

#include <cstdint>
#include <memory>
#include <string>

class TKette;
class THashTabelle;

class TReferenzsuche {
public:
    explicit TReferenzsuche(TSuchsitzung& sitzung) : f_(sitzung) {}

    // The run over the directories the search has set in the session's list.
    void Ausfuehren();

    // The directory walks; null when stopped on request.
    std::unique_ptr<TKette> ErsteListeLesen(const std::string& verzeichnis);
    std::unique_ptr<THashTabelle> ZweiteTabelleLesen(const std::string& verzeichnis);

    // 0 identical, 1 not identical (or unopenable, or abandoned), 2 missing.
    int PaarPruefen(const std::string& pfadA, const std::string& pfadB);
    bool InhaltGleich(const std::string& pfadA, const std::string& pfadB);

    void DateiAuswerten(const std::string& pfad, TKette& liste, bool gleichesVerzeichnis, THashTabelle& tabelle);

    // One tree: the name whose line heads the file of pfad, the list's
    // first entry just taken. A name through a link gives way to the file's
    // own name where the list holds one, which is then taken out of it.
    std::string EigenerName(const std::string& pfad, TKette& liste);

private:
    // The state's file and position, then reported.
    void Lesen(TTaetigkeit taetigkeit, const std::string& datei, int64_t position);
    // A line for a path of this run, stored and looked at here.
    void FundAufnehmen(char art, uint8_t baum, const std::string& pfad);

    TSuchsitzung& f_; // non-owning
};

// Makes the session's searches run pairwise (woertlich) or as the programs do.
void ReferenzWaehlen(TSuchsitzung& sitzung, bool woertlich);
