#pragma once

#include <cstdint>
#include <string>

// Text cutting with 1-based positions.

// The characters from cursor through min(ende, length), both included.
// The cursor ends one past the last character taken; it is unchanged (and
// the result empty) when it is 0, beyond the text, or nothing was taken.
std::string TeilTextLesen(const std::string& text, uint32_t& cursor, uint32_t ende);

// TeilTextLesen on a copy of start.
std::string TeilText(const std::string& text, uint32_t start, uint32_t ende);

// Keeps only the digits of text, in order, and reads them as a decimal number:
// 0 when none remain. Throws EFehler "'<digits>' ist kein gültiger Integerwert"
// when the number exceeds 2147483647.
int32_t ZahlLesen(const std::string& text);

// As ZahlLesen, for a number that may be negative, as a window's position
// left of or above the primary screen: a "-" right before the first digit
// makes it so. ZahlLesen drops the sign, which its counters never have.
int32_t GanzzahlLesen(const std::string& text);
