#pragma once

// Byte strings kept back to back in large blocks that never move: a million
// paths cost little more than their bytes, with no object per string and no
// copy when the store grows. The walk's paths and the result list's lines
// both live here; a line is a view of its file's path.

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class TBytespeicher {
public:
    TBytespeicher() = default;
    // One owner of the blocks; moving hands them over and leaves the source empty.
    TBytespeicher(const TBytespeicher&) = delete;
    TBytespeicher& operator=(const TBytespeicher&) = delete;
    TBytespeicher(TBytespeicher&&) noexcept = default;
    TBytespeicher& operator=(TBytespeicher&&) noexcept = default;

    // A lasting copy of bytes, valid until the store is emptied.
    std::string_view Ablegen(std::string_view bytes);
    // Gives every block back; all views handed out become invalid.
    void Leeren();

private:
    static constexpr size_t BlockGroesse = size_t{1} << 20;
    std::vector<std::unique_ptr<char[]>> bloecke_;
    size_t frei_ = 0; // bytes left in the last block
};
