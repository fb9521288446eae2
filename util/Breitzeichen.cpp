#include "util/Breitzeichen.h"

namespace {

bool IstHoch(char32_t einheit)
{
    return einheit >= 0xD800 && einheit <= 0xDBFF;
}

bool IstTief(char32_t einheit)
{
    return einheit >= 0xDC00 && einheit <= 0xDFFF;
}

// The continuation byte at stelle, or false when there is none.
bool Folgebyte(const std::string& text, size_t stelle, char32_t& wert)
{
    if (stelle >= text.size())
        return false;
    const auto byte = static_cast<unsigned char>(text[stelle]);
    if ((byte & 0xC0) != 0x80)
        return false;
    wert = (wert << 6) | (byte & 0x3F);
    return true;
}

void Anhaengen(std::string& text, char32_t zeichen)
{
    if (zeichen < 0x80) {
        text += static_cast<char>(zeichen);
    } else if (zeichen < 0x800) {
        text += static_cast<char>(0xC0 | (zeichen >> 6));
        text += static_cast<char>(0x80 | (zeichen & 0x3F));
    } else if (zeichen < 0x10000) {
        text += static_cast<char>(0xE0 | (zeichen >> 12));
        text += static_cast<char>(0x80 | ((zeichen >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (zeichen & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (zeichen >> 18));
        text += static_cast<char>(0x80 | ((zeichen >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((zeichen >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (zeichen & 0x3F));
    }
}

} // namespace

bool BreitAus(const std::string& text, std::u16string& breit)
{
    breit.clear();
    breit.reserve(text.size());
    // Set right after a high surrogate that came in its own three bytes: a
    // low one may not follow it that way.
    bool einzelnHoch = false;
    for (size_t i = 0; i < text.size();) {
        const auto erstes = static_cast<unsigned char>(text[i]);
        char32_t wert = 0;
        size_t laenge = 0;
        // The smallest value each length may carry; below it the form is overlong.
        char32_t mindestens = 0;
        if (erstes == 0) {
            return false;
        } else if (erstes < 0x80) {
            wert = erstes, laenge = 1;
        } else if ((erstes & 0xE0) == 0xC0) {
            wert = erstes & 0x1F, laenge = 2, mindestens = 0x80;
        } else if ((erstes & 0xF0) == 0xE0) {
            wert = erstes & 0x0F, laenge = 3, mindestens = 0x800;
        } else if ((erstes & 0xF8) == 0xF0) {
            wert = erstes & 0x07, laenge = 4, mindestens = 0x10000;
        } else {
            return false;
        }
        for (size_t k = 1; k < laenge; ++k)
            if (!Folgebyte(text, i + k, wert))
                return false;
        if (wert < mindestens || wert > 0x10FFFF)
            return false;
        if (einzelnHoch && IstTief(wert))
            return false;
        einzelnHoch = IstHoch(wert);
        if (wert >= 0x10000) {
            wert -= 0x10000;
            breit += static_cast<char16_t>(0xD800 | (wert >> 10));
            breit += static_cast<char16_t>(0xDC00 | (wert & 0x3FF));
        } else {
            breit += static_cast<char16_t>(wert);
        }
        i += laenge;
    }
    return true;
}

std::string Utf8Aus(const char16_t* breit, size_t laenge)
{
    std::string text;
    text.reserve(laenge);
    for (size_t i = 0; i < laenge; ++i) {
        const char32_t einheit = breit[i];
        if (IstHoch(einheit) && i + 1 < laenge && IstTief(breit[i + 1])) {
            Anhaengen(text, 0x10000 + ((einheit - 0xD800) << 10) + (breit[i + 1] - 0xDC00));
            ++i;
        } else {
            Anhaengen(text, einheit);
        }
    }
    return text;
}
