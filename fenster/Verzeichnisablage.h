#pragma once

// What may be dropped onto a directory field: one folder. A file, or several
// items at once, say nothing about which directory to search.

#include <string>
#include <vector>

// pfade: the dropped items' paths as the file system names them, an empty
// one for an item that is no local file. True for one existing directory,
// its path then in verzeichnis, ending with the separator.
bool AbgelegtesVerzeichnis(const std::vector<std::string>& pfade, std::string& verzeichnis);
