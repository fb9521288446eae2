#pragma once

#include <cstddef>

// C-heap allocation for container nodes and payload blocks. A failed
// allocation becomes the program's out-of-memory error (EFehler) instead of a
// null pointer that a later write would trip over.
void* CHeapHolen(std::size_t bytes);

// Zero-filled C-heap memory, for arrays whose all-zero state is their empty state.
void* CHeapHolenNull(std::size_t anzahl, std::size_t groesse);

// The message of the out-of-memory error.
extern const char* const SpeicherFehlerText;
