#pragma once

// The result list's lines as raw bytes, packed into large blocks: a million
// lines cost their bytes plus twelve bytes each, with no object per line and
// no copy when the list grows (the blocks never move, so a line stays where
// it was written).

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class TZeilenspeicher {
public:
    TZeilenspeicher() = default;
    // One owner of the blocks; moving hands them over and leaves the source empty.
    TZeilenspeicher(const TZeilenspeicher&) = delete;
    TZeilenspeicher& operator=(const TZeilenspeicher&) = delete;
    TZeilenspeicher(TZeilenspeicher&&) noexcept = default;
    TZeilenspeicher& operator=(TZeilenspeicher&&) noexcept = default;

    // The number of lines.
    uint32_t Anzahl() const { return static_cast<uint32_t>(laengen_.size()); }
    // The bytes of line index (0-based); valid until the line is replaced or the store emptied.
    std::string_view Zeile(uint32_t index) const { return {anfaenge_[index], laengen_[index]}; }
    // Appends a line at the end.
    void Anhaengen(std::string_view zeile);
    // Replaces the bytes of an existing line; in place when they fit.
    void Setzen(uint32_t index, std::string_view zeile);
    // Removes every line and gives the memory back.
    void Leeren();

private:
    // Copies the bytes into the current block, or into a new one when they do not fit.
    char* Ablegen(std::string_view bytes);

    static constexpr size_t Blockgroesse = size_t{1} << 20;
    std::vector<std::unique_ptr<char[]>> bloecke_;
    size_t frei_ = 0; // free bytes at the end of the last block
    std::vector<char*> anfaenge_;
    std::vector<uint32_t> laengen_;
};
