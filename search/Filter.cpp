#include "search/Filter.h"

#include "util/Plattform.h"
#include "util/Utf8.h"


namespace {

// A byte that begins no UTF-8 character stands for itself, apart from
// every character, so that such names match patterns holding those bytes.
constexpr uint32_t EinzelnesByte = 0x110000;

// "\" escapes only where it is no separator.
constexpr bool MitEscape = plattform::Trenner == '/';

bool IstTrenner(char c)
{
    return c == '/' || c == plattform::Trenner;
}

uint32_t NaechstesZeichen(std::string_view text, size_t& pos)
{
    uint32_t zeichen = 0;
    if (Utf8Zeichen(text, pos, zeichen))
        return zeichen;
    return EinzelnesByte + static_cast<unsigned char>(text[pos++]);
}

// The pieces of a path between its separators, as characters.
std::vector<std::vector<uint32_t>> Stuecke(std::string_view pfad)
{
    std::vector<std::vector<uint32_t>> stuecke(1);
    for (size_t pos = 0; pos < pfad.size();) {
        if (IstTrenner(pfad[pos])) {
            stuecke.emplace_back();
            ++pos;
        } else {
            stuecke.back().push_back(NaechstesZeichen(pfad, pos));
        }
    }
    return stuecke;
}

// A character of a pattern, with its escape.
uint32_t MusterZeichen(std::string_view text, size_t& pos)
{
    if (MitEscape && text[pos] == '\\' && pos + 1 < text.size())
        ++pos;
    return NaechstesZeichen(text, pos);
}

} // namespace

void TFilter::MusterHinzufuegen(std::string_view text)
{
    TMuster muster;
    // A final separator asks for directories, a first one for the path
    // from the searched directory on.
    while (!text.empty() && IstTrenner(text.back())) {
        muster.nurVerzeichnisse = true;
        text.remove_suffix(1);
    }
    if (!text.empty() && IstTrenner(text.front())) {
        muster.ganzerPfad = true;
        text.remove_prefix(1);
    }
    muster.stuecke.emplace_back();
    for (size_t pos = 0; pos < text.size();) {
        TStueck& stueck = muster.stuecke.back();
        const char c = text[pos];
        TTeil teil;
        if (IstTrenner(c)) {
            muster.stuecke.emplace_back();
            muster.ganzerPfad = true;
            ++pos;
            continue;
        }
        if (c == '*') {
            ++pos;
            teil.art = TTeil::TArt::Stern;
            if (!stueck.empty() && stueck.back().art == TTeil::TArt::Stern)
                continue;
        } else if (c == '?') {
            ++pos;
            teil.art = TTeil::TArt::Frage;
        } else if (c == '[' && MengeLesen(text, pos, teil)) {
            teil.art = TTeil::TArt::Menge;
        } else {
            teil.zeichen = MusterZeichen(text, pos);
        }
        stueck.push_back(std::move(teil));
    }
    pfadMuster_ = pfadMuster_ || muster.ganzerPfad;
    muster_.push_back(std::move(muster));
}

// A set "[...]" from pos on, which points at its "[": false, pos unchanged,
// when it has no closing "]" before the next separator (the "[" is then a
// character as any other).
bool TFilter::MengeLesen(std::string_view text, size_t& pos, TTeil& teil)
{
    size_t i = pos + 1;
    if (i < text.size() && (text[i] == '!' || text[i] == '^')) {
        teil.verneint = true;
        ++i;
    }
    bool erstes = true; // a "]" right at the start is a member
    while (i < text.size() && !IstTrenner(text[i])) {
        if (text[i] == ']' && !erstes) {
            pos = i + 1;
            return true;
        }
        erstes = false;
        const uint32_t von = MusterZeichen(text, i);
        uint32_t bis = von;
        if (i + 1 < text.size() && text[i] == '-' && text[i + 1] != ']' && !IstTrenner(text[i + 1])) {
            ++i;
            bis = MusterZeichen(text, i);
        }
        teil.bereiche.emplace_back(von, bis);
    }
    teil.bereiche.clear();
    teil.verneint = false;
    return false;
}

bool TFilter::StueckPasst(const TStueck& muster, const std::vector<uint32_t>& zeichen)
{
    const auto teilPasst = [](const TTeil& teil, uint32_t z) {
        switch (teil.art) {
        case TTeil::TArt::Zeichen:
            return teil.zeichen == z;
        case TTeil::TArt::Frage:
            return true;
        case TTeil::TArt::Menge:
            for (const auto& [von, bis] : teil.bereiche)
                if (z >= von && z <= bis)
                    return !teil.verneint;
            return teil.verneint;
        case TTeil::TArt::Stern:
            break;
        }
        return false;
    };
    // The last "*" takes one character more at each mismatch: a stretch
    // fixed after it never needs an earlier "*" to take more, so one place
    // to go back to is enough and the cost stays linear in practice.
    constexpr size_t Keiner = static_cast<size_t>(-1);
    size_t m = 0, z = 0, stern = Keiner, gemerkt = 0;
    while (z < zeichen.size()) {
        if (m < muster.size() && muster[m].art == TTeil::TArt::Stern) {
            stern = m++;
            gemerkt = z;
        } else if (m < muster.size() && teilPasst(muster[m], zeichen[z])) {
            ++m;
            ++z;
        } else if (stern != Keiner) {
            m = stern + 1;
            z = ++gemerkt;
        } else {
            return false;
        }
    }
    while (m < muster.size() && muster[m].art == TTeil::TArt::Stern)
        ++m;
    return m == muster.size();
}

bool TFilter::Ausgeschlossen(std::string_view ort, std::string_view name, bool verzeichnis) const
{
    if (muster_.empty())
        return false;
    // The directory's pieces end with an empty one, the name's place.
    // Patterns for names alone need no more than the name.
    std::vector<std::vector<uint32_t>> stuecke = pfadMuster_ ? Stuecke(ort) : std::vector<std::vector<uint32_t>>(1);
    stuecke.back() = Stuecke(name).front();
    for (const TMuster& muster : muster_) {
        if (muster.nurVerzeichnisse && !verzeichnis)
            continue;
        if (!muster.ganzerPfad) {
            if (StueckPasst(muster.stuecke.front(), stuecke.back()))
                return true;
            continue;
        }
        if (muster.stuecke.size() != stuecke.size())
            continue;
        bool passt = true;
        for (size_t i = 0; i < stuecke.size() && passt; ++i)
            passt = StueckPasst(muster.stuecke[i], stuecke[i]);
        if (passt)
            return true;
    }
    return false;
}

bool GroesseLesen(std::string_view text, int64_t& groesse)
{
    int64_t faktor = 1;
    if (!text.empty()) {
        switch (text.back()) {
        case 'k': case 'K': faktor = int64_t{1} << 10; break;
        case 'm': case 'M': faktor = int64_t{1} << 20; break;
        case 'g': case 'G': faktor = int64_t{1} << 30; break;
        default: break;
        }
        if (faktor != 1)
            text.remove_suffix(1);
    }
    if (text.empty())
        return false;
    // Every spelling has the same range: each digit and the factor are
    // checked against the largest size exactly, not against a bound a digit
    // short of it.
    int64_t wert = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        const int ziffer = c - '0';
        if (wert > (GroesseHoechstens - ziffer) / 10)
            return false;
        wert = wert * 10 + ziffer;
    }
    if (wert > GroesseHoechstens / faktor)
        return false;
    groesse = wert * faktor;
    return true;
}
