#pragma once

#include <string>

// Payload blocks of the containers: NUL-terminated blocks from the C heap.

// A new C-heap block holding s up to its first NUL, or nullptr when that is
// no character at all. The caller releases it with std::free.
char* TextKopie(const std::string& s);

// The bytes of a block up to its NUL; the empty string for nullptr.
std::string TextAus(const char* block);
