#pragma once

// File utilities built on the platform layer.

#include <cstdint>
#include <string>

// The length of an existing regular file in bytes, or -1 when the path is not
// one or it cannot be opened. Never opens a FIFO, device or socket.
int64_t DateiGroesse(const std::string& pfad);

// The file name of a path: the text after its last separator (or, on
// Windows, drive colon); the whole path when it has none.
std::string DateiNameAus(const std::string& pfad);
