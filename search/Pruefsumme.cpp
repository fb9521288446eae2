#include "search/Pruefsumme.h"

#include <algorithm>
#include <cstring>
#include <random>

namespace {

// A bijective mix of 64 bits (the finaliser of SplitMix64).
uint64_t Mischen(uint64_t x)
{
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

} // namespace

TPruefsumme::TPruefsumme() : schluessel_(std::make_unique<uint64_t[]>(Worte))
{
    // The system's random source gives the seed; SplitMix64 stretches it to
    // a key word per input word. Nobody sees a sum, so the stretch needs no
    // more than that.
    std::random_device quelle;
    uint64_t zustand = (uint64_t{quelle()} << 32) ^ quelle();
    for (size_t i = 0; i < Worte; ++i) {
        zustand += 0x9E3779B97F4A7C15ull;
        schluessel_[i] = Mischen(zustand);
    }
}

// NH (as in UMAC): the sum over word pairs of (a + k) * (b + k') in 128
// bits. For two different inputs of the same length the chance that they
// agree is at most 2^-64 over the key, whatever the inputs: a file crafted
// without the key collides only by that chance. A multiplication per 16
// bytes is also faster than reading them.
uint64_t TPruefsumme::Stueckwert(const char* daten, int64_t menge) const
{
    const uint64_t* k = schluessel_.get();
    unsigned __int128 summe = 0;
    int64_t i = 0;
    size_t w = 0;
    for (; i + 16 <= menge; i += 16, w += 2) {
        uint64_t a, b;
        std::memcpy(&a, daten + i, 8);
        std::memcpy(&b, daten + i + 8, 8);
        summe += static_cast<unsigned __int128>(a + k[w]) * (b + k[w + 1]);
    }
    if (i < menge) {
        // The rest, padded with zeros: inputs compared have the same length.
        uint64_t rest[2] = {0, 0};
        std::memcpy(rest, daten + i, static_cast<size_t>(menge - i));
        summe += static_cast<unsigned __int128>(rest[0] + k[w]) * (rest[1] + k[w + 1]);
    }
    const auto unten = static_cast<uint64_t>(summe);
    const auto oben = static_cast<uint64_t>(summe >> 64);
    return Mischen(unten ^ k[Worte - 2]) + Mischen(oben ^ k[Worte - 1]);
}

uint64_t TPruefsumme::Bilden(const char* daten, int64_t menge, uint64_t summe) const
{
    int64_t i = 0;
    do {
        const int64_t teil = std::min(Stueck, menge - i);
        summe = Mischen(summe + Stueckwert(daten + i, teil)) + static_cast<uint64_t>(teil);
        i += teil;
    } while (i < menge);
    return summe;
}
