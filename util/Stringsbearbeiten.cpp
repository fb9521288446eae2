#include "util/Stringsbearbeiten.h"

#include "util/Fehler.h"
#include "util/Speicher.h"

#include <cstdlib>
#include <cstring>

std::string TeilTextLesen(const std::string& text, uint32_t& cursor, uint32_t ende)
{
    const uint64_t laenge = text.size();
    if (cursor == 0 || cursor > laenge)
        return {};
    const uint64_t letzte = ende < laenge ? ende : laenge;
    if (letzte < cursor)
        return {};
    std::string ergebnis = text.substr(cursor - 1, letzte - cursor + 1);
    cursor = static_cast<uint32_t>(letzte + 1);
    return ergebnis;
}

std::string TeilText(const std::string& text, uint32_t start, uint32_t ende)
{
    return TeilTextLesen(text, start, ende);
}

int32_t ZahlLesen(const std::string& text)
{
    std::string ziffern;
    for (char c : text)
        if (c >= '0' && c <= '9')
            ziffern += c;
    // Leading zeros carry no value but still belong to the digits shown in
    // the error text, so count the value separately.
    int64_t wert = 0;
    for (char c : ziffern) {
        wert = wert * 10 + (c - '0');
        if (wert > 2147483647)
            throw EFehler("'" + ziffern + "' ist kein gültiger Integerwert");
    }
    return static_cast<int32_t>(wert);
}

int32_t GanzzahlLesen(const std::string& text)
{
    const int32_t betrag = ZahlLesen(text);
    const size_t ziffer = text.find_first_of("0123456789");
    const bool negativ = ziffer != std::string::npos && ziffer > 0 && text[ziffer - 1] == '-';
    return negativ ? -betrag : betrag;
}
