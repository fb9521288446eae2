#pragma once

#include <string>

// Where a directory choice starts: the directory the path names when it
// exists, else its nearest parent that does, ending with the separator.
// Empty when no part of a relative path exists (the working directory is
// then the place to start). The path may end with a file name; only its
// directory part counts.
std::string VorhandenesVerzeichnis(const std::string& pfad);
