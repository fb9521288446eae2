#pragma once

// The core's texts are UTF-8 bytes; Windows names files in UTF-16. These turn
// one into the other without loss for every name a Windows file system can
// hold, including names with a lone surrogate, which are not valid UTF-16 and
// so have no UTF-8 form: they are carried as the three bytes a surrogate
// would have (the extension of UTF-8 known as WTF-8). A name read from a
// listing thus always opens the same file again.

#include <cstddef>
#include <string>

// The UTF-16 form of a UTF-8 (or WTF-8) text. False, leaving breit
// undefined, for bytes that are no such text: a broken or overlong sequence,
// a value above U+10FFFF, a surrogate pair written as two three-byte
// sequences (it has one four-byte form), or a NUL byte, which would end the
// name early at the system's interface.
bool BreitAus(const std::string& text, std::u16string& breit);

// The UTF-8 form of laenge UTF-16 units; a lone surrogate becomes its three
// WTF-8 bytes.
std::string Utf8Aus(const char16_t* breit, size_t laenge);
