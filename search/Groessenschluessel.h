#pragma once

#include <cstdint>

// The size table's bucket count.
inline constexpr uint32_t GroessenTabellenLaenge = 10000000;

// The key a file size is filed under. The size -1 (missing or unopenable)
// keeps the key it has always had, all 32 bits set.
inline uint64_t GroessenSchluessel(int64_t groesse)
{
    return groesse < 0 ? 4294967295u : static_cast<uint64_t>(groesse);
}
