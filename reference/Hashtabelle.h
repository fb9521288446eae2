#pragma once

#include "reference/Kette.h"

#include <cstdint>
#include <string>

// A fixed array of TKette buckets addressed by key modulo the bucket count.
// No growth, no stored keys: keys with the same remainder share a bucket.
//
// The program builds it with ten million buckets per search. The array comes
// as zero-filled memory that the operating system maps only where it is
// written, a bucket is brought to life when its first element arrives, and
// only buckets that were filled are visited on destruction; an untouched
// bucket reads as an empty list.
class THashTabelle {
public:
    // Throws EFehler (out of memory) when the buckets cannot be had.
    // A count of 0 is taken as 1.
    explicit THashTabelle(uint32_t listenZahl);
    ~THashTabelle();
    THashTabelle(const THashTabelle&) = delete;
    THashTabelle& operator=(const THashTabelle&) = delete;

    // Appends the payload to the key's bucket; takes it over even when it
    // throws EFehler for want of memory (see TKette::Anhaengen).
    bool Einfuegen(void* daten, uint64_t schluessel, uint8_t typ);
    bool EntfernenBei(uint32_t index, uint64_t schluessel);
    void EntfernenText(const std::string& s, uint64_t schluessel);
    uint32_t AnzahlBei(uint64_t schluessel);
    void* ElementBei(uint32_t index, uint64_t schluessel);
    uint32_t ListenZahl() const { return listenZahl_; }

private:
    uint32_t Bucket(uint64_t schluessel) const;
    TKette* Vorhanden(uint64_t schluessel);   // null when the bucket was never filled
    TKette& Beleben(uint64_t schluessel);     // constructs the bucket on first use

    TKette* listen_ = nullptr;       // listenZahl_ bucket slots, zero-filled
    uint64_t* belebt_ = nullptr;     // one bit per bucket: constructed
    uint32_t listenZahl_ = 0;
};
