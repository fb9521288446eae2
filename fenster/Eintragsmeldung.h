#pragma once

// What the window says of entries a command left alone, free of any
// toolkit: the title and heading of the list and each entry's path with
// its reason in German. A face only shows it (TOberflaeche::EintraegeZeigen).

#include "search/Suchsitzung.h"
#include "util/Grund.h"

#include <string>
#include <utility>
#include <vector>

enum class TMeldungsAnlass { Kopieren, Verschieben, Papierkorb };

struct TEintragsMeldung {
    std::string titel;
    std::string kopf;
    std::vector<std::pair<std::string, std::string>> eintraege; // (path, reason)
};

// The lines a file command refused or failed.
TEintragsMeldung AbgelehntMeldung(TMeldungsAnlass anlass, const TAbgelehnt& abgelehnt);
// What the search could not read.
TEintragsMeldung UebersprungenMeldung(const std::vector<TUebersprungen>& uebersprungen);
