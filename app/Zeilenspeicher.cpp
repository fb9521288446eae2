#include "app/Zeilenspeicher.h"

#include <algorithm>
#include <cstring>

char* TZeilenspeicher::Ablegen(std::string_view bytes)
{
    if (bytes.empty())
        return nullptr; // an empty line needs no block, not even a first one
    if (bytes.size() > frei_) {
        // A line longer than a block gets a block of its own size; the rest
        // of the old block stays unused, at most one line's worth.
        const size_t groesse = std::max(Blockgroesse, bytes.size());
        bloecke_.push_back(std::make_unique_for_overwrite<char[]>(groesse));
        frei_ = groesse;
    }
    char* ziel = bloecke_.back().get() + (bytes.size() > Blockgroesse ? 0 : Blockgroesse - frei_);
    std::memcpy(ziel, bytes.data(), bytes.size());
    frei_ -= bytes.size();
    return ziel;
}

void TZeilenspeicher::Anhaengen(std::string_view zeile)
{
    anfaenge_.push_back(Ablegen(zeile));
    laengen_.push_back(static_cast<uint32_t>(zeile.size()));
}

void TZeilenspeicher::Setzen(uint32_t index, std::string_view zeile)
{
    // The search only ever swaps a prefix of the same length ("- " for
    // "! "); anything longer is written anew and the old bytes left behind.
    if (zeile.size() <= laengen_[index]) {
        if (!zeile.empty())
            std::memmove(anfaenge_[index], zeile.data(), zeile.size());
    } else {
        anfaenge_[index] = Ablegen(zeile);
    }
    laengen_[index] = static_cast<uint32_t>(zeile.size());
}

void TZeilenspeicher::Leeren()
{
    std::vector<std::unique_ptr<char[]>>().swap(bloecke_);
    std::vector<char*>().swap(anfaenge_);
    std::vector<uint32_t>().swap(laengen_);
    frei_ = 0;
}
