#pragma once

// A file size as the window shows it, free of any toolkit: German style, in
// steps of 1024, one decimal place from KB on ("512 Bytes", "1,2 MB"), the
// way the system the program comes from counts them.

#include <cstdint>
#include <string>

std::string Groessenangabe(uint64_t bytes);
