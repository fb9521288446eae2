#pragma once

// The options that change what the front end searches and how it writes the
// list: --json, --exclude GLOB and --min-size N[KMG].

#include "search/Filter.h"

#include <string>
#include <vector>

struct TSuchoptionen {
    bool json = false; // the list as JSON (see search/Listenexport.h)
    TFilter filter;
};

// Takes these options, with their values, out of the arguments before "--"
// (a value as the next word or after "="). False, with the message for the
// user in fehler, for an option without its value or a size that is none.
bool SuchoptionenNehmen(std::vector<std::string>& argumente, TSuchoptionen& optionen, std::string& fehler);
