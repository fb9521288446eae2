#include "reference/Hashtabelle.h"

#include "util/Speicher.h"

#include <cstdlib>
#include <new>

namespace {

constexpr uint32_t BitsJeWort = 64;

std::size_t WortZahl(uint32_t listenZahl)
{
    return (static_cast<std::size_t>(listenZahl) + BitsJeWort - 1) / BitsJeWort;
}

} // namespace

THashTabelle::THashTabelle(uint32_t listenZahl)
    : listenZahl_(listenZahl ? listenZahl : 1)
{
    // Zero-filled blocks of this size come straight from the operating system,
    // which maps a page only when it is first written: an empty table of ten
    // million buckets costs next to nothing until files arrive.
    listen_ = static_cast<TKette*>(CHeapHolenNull(listenZahl_, sizeof(TKette)));
    try {
        belebt_ = static_cast<uint64_t*>(CHeapHolenNull(WortZahl(listenZahl_), sizeof(uint64_t)));
    } catch (...) {
        std::free(listen_);
        throw;
    }
}

THashTabelle::~THashTabelle()
{
    // Only the buckets that were brought to life are destroyed, last to first.
    for (std::size_t w = WortZahl(listenZahl_); w-- > 0;) {
        uint64_t wort = belebt_[w];
        while (wort) {
            const unsigned bit = 63u - static_cast<unsigned>(__builtin_clzll(wort));
            wort &= ~(uint64_t{1} << bit);
            listen_[w * BitsJeWort + bit].~TKette();
        }
    }
    std::free(belebt_);
    std::free(listen_);
}

uint32_t THashTabelle::Bucket(uint64_t schluessel) const
{
    return static_cast<uint32_t>(schluessel % listenZahl_);
}

TKette* THashTabelle::Vorhanden(uint64_t schluessel)
{
    const uint32_t i = Bucket(schluessel);
    if (!(belebt_[i / BitsJeWort] & (uint64_t{1} << (i % BitsJeWort))))
        return nullptr;
    return &listen_[i];
}

TKette& THashTabelle::Beleben(uint64_t schluessel)
{
    const uint32_t i = Bucket(schluessel);
    uint64_t& wort = belebt_[i / BitsJeWort];
    const uint64_t maske = uint64_t{1} << (i % BitsJeWort);
    if (!(wort & maske)) {
        new (&listen_[i]) TKette();
        wort |= maske;
    }
    return listen_[i];
}

bool THashTabelle::Einfuegen(void* daten, uint64_t schluessel, uint8_t typ)
{
    return Beleben(schluessel).Anhaengen(daten, typ);
}

bool THashTabelle::EntfernenBei(uint32_t index, uint64_t schluessel)
{
    TKette* liste = Vorhanden(schluessel);
    return liste && liste->Entfernen(index);
}

void THashTabelle::EntfernenText(const std::string& s, uint64_t schluessel)
{
    if (TKette* liste = Vorhanden(schluessel))
        liste->EntfernenText(s);
}

uint32_t THashTabelle::AnzahlBei(uint64_t schluessel)
{
    TKette* liste = Vorhanden(schluessel);
    return liste ? liste->Anzahl() : 0;
}

void* THashTabelle::ElementBei(uint32_t index, uint64_t schluessel)
{
    TKette* liste = Vorhanden(schluessel);
    return liste ? liste->Element(index) : nullptr;
}
