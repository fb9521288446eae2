#pragma once

// The benchmark's own random numbers. The standard distributions may give
// other numbers with another library, and a tree must be the same bytes on
// every machine for the same seed, so everything here is spelled out.

#include <cstdint>

namespace bench {

// One step of splitmix64: spreads a seed over all 64 bits.
inline uint64_t Mischen(uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// xoshiro256**: fast enough to fill files at several GB/s.
class TZufall {
public:
    explicit TZufall(uint64_t seed)
    {
        for (uint64_t& wort : s_) {
            seed = Mischen(seed);
            wort = seed;
        }
    }

    uint64_t Naechste()
    {
        const uint64_t ergebnis = Drehen(s_[1] * 5, 7) * 9;
        const uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = Drehen(s_[3], 45);
        return ergebnis;
    }

    // Uniform in [0, 1) with 53 bits.
    double Einheit() { return static_cast<double>(Naechste() >> 11) * 0x1.0p-53; }

    // Uniform in [0, n); n > 0. The tiny modulo bias does not matter here.
    uint64_t Bis(uint64_t n) { return Naechste() % n; }

    // True with probability p.
    bool Wahr(double p) { return Einheit() < p; }

private:
    static uint64_t Drehen(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    uint64_t s_[4];
};

} // namespace bench
