#pragma once

// What the freedesktop.org trash keeps beside a trashed file: a
// ".trashinfo" file naming where it came from and when it went, so that a
// file manager can show it and put it back. Text only, no file system.

#include <string>
#include <string_view>

// The path's bytes as the trash's "Path=" key takes them: letters, digits,
// "/" and "-_.~" stand as they are, every other byte as "%XX". A name that
// is no UTF-8 comes back byte for byte.
std::string ProzentKodiert(std::string_view pfad);

// The whole ".trashinfo" text for pfad (absolute in the home trash, below
// the top directory in a volume's trash), deleted at datum
// ("YYYY-MM-DDThh:mm:ss", local time).
std::string PapierkorbInfo(std::string_view pfad, std::string_view datum);
