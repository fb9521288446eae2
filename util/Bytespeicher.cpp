#include "util/Bytespeicher.h"

#include <algorithm>

char* TBytespeicher::Platz(size_t menge)
{
    if (menge > frei_) {
        // Longer than a block: a block of its own size. The rest of the old
        // block stays unused, at most one string's worth.
        const size_t groesse = std::max(BlockGroesse, menge);
        bloecke_.push_back(std::make_unique_for_overwrite<char[]>(groesse));
        frei_ = groesse;
    }
    // The last block is filled from its end down, so its fill level is all we keep.
    frei_ -= menge;
    return bloecke_.back().get() + frei_;
}

std::string_view TBytespeicher::Ablegen(std::string_view bytes)
{
    if (bytes.empty())
        return {}; // needs no block, not even a first one
    char* ziel = Platz(bytes.size());
    std::copy(bytes.begin(), bytes.end(), ziel);
    return {ziel, bytes.size()};
}

const char* TBytespeicher::KurzAblegen(std::string_view bytes)
{
    const size_t laenge = std::min(bytes.size(), KurzMax);
    char* ziel = Platz(2 + laenge);
    ziel[0] = static_cast<char>(laenge & 0xFF);
    ziel[1] = static_cast<char>(laenge >> 8);
    std::copy_n(bytes.begin(), laenge, ziel + 2);
    return ziel;
}

std::string_view TBytespeicher::Kurz(const char* abgelegt)
{
    if (!abgelegt)
        return {};
    const size_t laenge = static_cast<size_t>(static_cast<unsigned char>(abgelegt[0]))
                          | static_cast<size_t>(static_cast<unsigned char>(abgelegt[1])) << 8;
    return {abgelegt + 2, laenge};
}

void TBytespeicher::Leeren()
{
    std::vector<std::unique_ptr<char[]>>().swap(bloecke_);
    frei_ = 0;
}
