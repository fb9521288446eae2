#pragma once

// Reading UTF-8 one character at a time, for what must tell a character
// from a byte that is none: the export of the list, which keeps such bytes
// reversibly, and the name patterns, where "?" takes a character.

#include <cstddef>
#include <cstdint>
#include <string_view>

// The character that begins at pos: true, with its code point, and pos
// moved past it, for a valid sequence (shortest form, no surrogate, at most
// U+10FFFF). False, pos unchanged, where the bytes there begin none.
bool Utf8Zeichen(std::string_view text, size_t& pos, uint32_t& zeichen);

// True when the whole text is valid UTF-8.
bool IstUtf8(std::string_view text);
