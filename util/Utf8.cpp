#include "util/Utf8.h"

bool Utf8Zeichen(std::string_view text, size_t& pos, uint32_t& zeichen)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char erstes = byte(pos);
    if (erstes < 0x80) {
        zeichen = erstes;
        ++pos;
        return true;
    }
    size_t laenge = 0;
    uint32_t wert = 0;
    uint32_t kleinster = 0; // a smaller value in this many bytes is an overlong form
    if ((erstes & 0xE0) == 0xC0) {
        laenge = 2, wert = erstes & 0x1F, kleinster = 0x80;
    } else if ((erstes & 0xF0) == 0xE0) {
        laenge = 3, wert = erstes & 0x0F, kleinster = 0x800;
    } else if ((erstes & 0xF8) == 0xF0) {
        laenge = 4, wert = erstes & 0x07, kleinster = 0x10000;
    } else {
        return false;
    }
    if (text.size() - pos < laenge)
        return false;
    for (size_t i = 1; i < laenge; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80)
            return false;
        wert = (wert << 6) | (byte(pos + i) & 0x3F);
    }
    if (wert < kleinster || wert > 0x10FFFF || (wert >= 0xD800 && wert <= 0xDFFF))
        return false;
    zeichen = wert;
    pos += laenge;
    return true;
}

bool IstUtf8(std::string_view text)
{
    uint32_t zeichen = 0;
    for (size_t pos = 0; pos < text.size();)
        if (!Utf8Zeichen(text, pos, zeichen))
            return false;
    return true;
}
