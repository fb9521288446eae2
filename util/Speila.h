#pragma once

// File utilities built on the platform layer.

#include "util/Plattform.h"

#include <cstdint>
#include <string>

// The length of an existing regular file in bytes, or -1 when the path is not
// one or it cannot be opened. Never opens a FIFO, device or socket.
int64_t DateiGroesse(const std::string& pfad);

// The file name of a path: the text after its last separator (or, on
// Windows, drive colon); the whole path when it has none.
std::string DateiNameAus(const std::string& pfad);

// True when both paths name one and the same directory entry: the same name
// in the same directory, however that directory is spelt (through "./", a
// link to it, or in other letter case where the file system ignores case).
// Other names of a file (hard links, links to it) are entries of their own.
// A directory that cannot be looked at is taken for none: its entries are
// nobody's but their own.
bool GleicherEintrag(const std::string& pfadA, const std::string& pfadB);

// Creates the directory verzeichnis together with every missing parent, one
// level at a time; a final separator is allowed. True when it exists
// afterwards (the empty text names the working directory); else grund, when
// given, says why the level that is missing could not be made.
bool VerzeichnisseAnlegen(const std::string& verzeichnis, TGrund* grund = nullptr);

// The directory part of a path: everything up to and including its last
// separator (or, on Windows, drive colon); empty when there is none.
std::string VerzeichnisTeil(const std::string& pfad);
