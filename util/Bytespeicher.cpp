#include "util/Bytespeicher.h"

#include <algorithm>

std::string_view TBytespeicher::Ablegen(std::string_view bytes)
{
    if (bytes.empty())
        return {}; // needs no block, not even a first one
    if (bytes.size() > frei_) {
        // Longer than a block: a block of its own size. The rest of the old
        // block stays unused, at most one string's worth.
        const size_t groesse = std::max(BlockGroesse, bytes.size());
        bloecke_.push_back(std::make_unique_for_overwrite<char[]>(groesse));
        frei_ = groesse;
    }
    // The last block is filled from its end down, so its fill level is all we keep.
    char* ziel = bloecke_.back().get() + (frei_ - bytes.size());
    std::copy(bytes.begin(), bytes.end(), ziel);
    frei_ -= bytes.size();
    return {ziel, bytes.size()};
}

void TBytespeicher::Leeren()
{
    std::vector<std::unique_ptr<char[]>>().swap(bloecke_);
    frei_ = 0;
}
