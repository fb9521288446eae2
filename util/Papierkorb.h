#pragma once

// What the freedesktop.org trash keeps beside a trashed file: a
// ".trashinfo" file naming where it came from and when it went, so that a
// file manager can show it and put it back, and the name the file gets in
// the trash. Text only, no file system.

#include <cstdint>
#include <string>
#include <string_view>

// The path's bytes as the trash's "Path=" key takes them: letters, digits,
// "/" and "-_.~" stand as they are, every other byte as "%XX". A name that
// is no UTF-8 comes back byte for byte.
std::string ProzentKodiert(std::string_view pfad);

// The whole ".trashinfo" text for pfad (absolute in the home trash, below
// the top directory in a volume's trash), deleted at datum
// ("YYYY-MM-DDThh:mm:ss", local time). It carries a key of ours, which
// readers of the trash pass over: an info of ours that a killed command
// left without its file can be told from another program's that is being
// written right now.
std::string PapierkorbInfo(std::string_view pfad, std::string_view datum);
// True for a text PapierkorbInfo made.
bool EigeneInfo(std::string_view text);

// The longest name a file may have in the trash: its info's name, the
// name and ".trashinfo", must fit the system's limit of 255 bytes.
inline constexpr size_t PapierkorbNameMax = 255 - 10;

// The file's name in the trash: its own where that fits, else shortened
// (a UTF-8 character is never cut, an extension is kept). zufall other
// than 0 is a try after the name was taken: the name then carries it as a
// suffix of eight hex digits before its extension, so that a free name is
// found in a try or two however many files of that name the trash holds.
std::string PapierkorbName(std::string_view name, uint32_t zufall);
