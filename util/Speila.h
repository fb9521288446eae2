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

// What a copy found: the source as it stood when the copy opened it, and
// the identity of the target it wrote.
struct TKopierBericht {
    plattform::TDateiStand quelle;
    plattform::TDateiKennung ziel;
};

// Copies the contents of the regular file quelle to ziel. The bytes go into
// a new file beside ziel, which takes ziel's place only once every byte of
// the source was read and written and it was closed without error: a failed
// copy leaves an existing target as it was and nothing behind, and a link at
// ziel is replaced, never written through. True only then, so that a move
// may delete the source. False, with ziel untouched, also when the source
// cannot be opened, when ziel names something other than a regular file,
// when ziel has no write permission (read-only), or when ziel is the source
// itself (same path, or another name of the same file). No attributes or
// times are copied; the target bears the time it was written.
bool DateiKopieren(const std::string& quelle, const std::string& ziel);
// The same, telling in bericht what was copied (filled when true).
bool DateiKopieren(const std::string& quelle, const std::string& ziel, TKopierBericht& bericht);

// Deletes the regular file pfad, then tries to remove the directory that held
// it (that one only, never its parents), which succeeds only when the file
// was its last entry. The outcome of the delete: false also when pfad names
// no regular file.
bool DateiLoeschen(const std::string& pfad);
// The same, but only while pfad still names the file a copy saw (same
// identity, length and time of last change); false, with the file kept,
// when something else stands there now.
bool DateiLoeschen(const std::string& pfad, const plattform::TDateiStand& kopiert);

// Creates the directory verzeichnis together with every missing parent, one
// level at a time; a final separator is allowed. True when it exists
// afterwards (the empty text names the working directory).
bool VerzeichnisseAnlegen(const std::string& verzeichnis);

// The directory part of a path: everything up to and including its last
// separator (or, on Windows, drive colon); empty when there is none.
std::string VerzeichnisTeil(const std::string& pfad);
