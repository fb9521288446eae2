#pragma once

#include <cstdint>

class TKette;

// Typed payload records. The containers release a payload by its type byte:
// 0 is a plain C-heap block (std::free), any other value a record released
// here. Records and the blocks they own are made with new / new[] and go back
// with delete / delete[].

// Typ 1 and Typ 4: one owned block.
struct TBlockSatz {
    char* Block; // owned, new[]
};

// Typ 2: one owned list.
struct TKettenSatz {
    TKette* Kette; // owned
};

// Typ 3: an owned block, a borrowed pointer, an owned list.
struct TGemischterSatz {
    char* Block;   // owned, new[]
    void* Fremd;   // not owned, left alone
    TKette* Kette; // owned
};

// Any other Typ: a record that owns nothing, made as a block of bytes with
// new char[] and released with delete[] as such.

// Releases one typed payload by the table above; any Typ other than 1 to 4
// (0 included) deletes the record alone, as a block of bytes. Null does nothing.
void ElementLoeschen(void* daten, uint8_t typ);

// Releases a payload by its type: Typ 0 to the C heap, others by
// ElementLoeschen. Null does nothing.
void DatenFreigeben(void* daten, uint8_t typ);
