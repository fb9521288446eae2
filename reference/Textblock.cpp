#include "reference/Textblock.h"

#include "util/Speicher.h"

#include <cstring>

char* TextKopie(const std::string& s)
{
    const size_t n = std::strlen(s.c_str());
    if (n == 0)
        return nullptr;
    auto* block = static_cast<char*>(CHeapHolen(n + 1));
    std::memcpy(block, s.data(), n);
    block[n] = '\0';
    return block;
}

std::string TextAus(const char* block)
{
    return block ? std::string(block) : std::string();
}
