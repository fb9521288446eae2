#include "util/Einstellungsspeicher.h"

#include "util/Plattform.h"
#include "util/Stringsbearbeiten.h"

#include <array>

namespace {

constexpr char Abschnittsname = '\x02'; // ends a section's name
constexpr char Abschnittsende = '\x01'; // ends a section
constexpr char Textende = '\x1A';       // ends the text of a text-mode file

// The longest text whose every position, and the one past its end, fits in
// a 32-bit cursor.
constexpr uint64_t GroessteLaenge = UINT32_MAX - 1;

// The 0-based index of the first "name 0x02" in body, or npos.
size_t AbschnittFinden(const std::string& name, const std::string& body)
{
    return body.find(name + Abschnittsname);
}

} // namespace

std::string Laden(const std::string& pfad, const std::string& kopf)
{
    std::string text;
    bool lesefehler = false;
    {
        plattform::TDatei datei = plattform::TDatei::OeffnenLesen(pfad);
        if (!datei.Offen())
            return {};
        std::array<char, 64 * 1024> puffer;
        bool ende = false;
        while (!ende) {
            const int64_t n = datei.Lesen(puffer.data(), static_cast<int64_t>(puffer.size()));
            if (n < 0)
                lesefehler = true;
            if (n <= 0)
                break;
            for (int64_t i = 0; i < n; ++i) {
                const char c = puffer[static_cast<size_t>(i)];
                if (c == Textende) {
                    ende = true;
                    break;
                }
                if (c != '\r')
                    text += c;
            }
            if (text.size() > GroessteLaenge)
                return {};
        }
    }

    uint32_t cursor = 1;
    if (TeilTextLesen(text, cursor, static_cast<uint32_t>(kopf.size())) != kopf)
        return {};
    std::string body = TeilTextLesen(text, cursor, static_cast<uint32_t>(text.size()));

    // A read error in the middle of the file ends the reading. The body keeps
    // the sections read completely before it (up to the last 0x01) and drops
    // the torn one after them, which would otherwise swallow our own section
    // when it is appended at the next save. No complete section: empty body.
    if (lesefehler) {
        const size_t letztesEnde = body.rfind(Abschnittsende);
        body.resize(letztesEnde == std::string::npos ? 0 : letztesEnde + 1);
    }
    return body;
}

bool Speichern(const std::string& body, const std::string& pfad, const std::string& kopf)
{
    if (pfad.empty())
        return false;

    std::string inhalt;
    inhalt.reserve(kopf.size() + body.size());
    for (const std::string* teil : {&kopf, &body})
        for (const char c : *teil) {
            if (c == '\n')
                inhalt += '\r';
            inhalt += c;
        }

    // Write beside the old file and replace it only when the new one is
    // complete: a full disk or a failing write must not leave the other
    // programs' sections half written.
    const std::string neu = pfad + ".neu";
    plattform::TDatei datei = plattform::TDatei::ErzeugenSchreiben(neu);
    if (!datei.Offen())
        return false;
    const bool geschrieben = datei.Schreiben(inhalt.data(), static_cast<int64_t>(inhalt.size()));
    const bool geschlossen = datei.Schliessen();
    if (geschrieben && geschlossen && plattform::DateiUmbenennen(neu, pfad))
        return true;
    plattform::DateiEntfernen(neu);
    return false;
}

std::string SequenzLesen(const std::string& name, const std::string& body)
{
    const size_t stelle = AbschnittFinden(name, body);
    if (stelle == std::string::npos)
        return {};
    // 1-based position right after the 0x02.
    uint32_t cursor = static_cast<uint32_t>(stelle + name.size() + 2);
    return LesenBis(body, cursor, Abschnittsende);
}

std::string SequenzFeld(uint32_t n, const std::string& inhalt, const std::string& trenner)
{
    if (inhalt.empty())
        return {};
    std::string text = inhalt;
    const auto laenge = static_cast<uint32_t>(text.size());
    const auto trennerLaenge = static_cast<uint32_t>(trenner.size());
    // A delimiter longer than the content makes the position wrap or reach 0;
    // both lie outside the text, so StehtAn says false, as it should.
    if (!StehtAn(text, laenge - trennerLaenge + 1, trenner))
        text += trenner;

    uint32_t cursor = 1;
    for (uint32_t uebersprungen = 0; cursor <= text.size() && uebersprungen < n; ++uebersprungen)
        FeldLesen(text, cursor, trenner);
    if (cursor < text.size())
        return FeldLesen(text, cursor, trenner);
    return {};
}

void SequenzLoeschen(const std::string& name, std::string& body)
{
    const size_t stelle = AbschnittFinden(name, body);
    if (stelle == std::string::npos)
        return;
    const auto laenge = static_cast<uint32_t>(body.size());
    uint32_t cursor = 1;
    std::string rest = TeilTextLesen(body, cursor, static_cast<uint32_t>(stelle));
    cursor = static_cast<uint32_t>(stelle + 1); // the name's first character
    LesenBis(body, cursor, Abschnittsende);
    rest += TeilTextLesen(body, cursor, laenge);
    body = std::move(rest);
}

bool StehtAn(const std::string& text, uint32_t position, const std::string& muster)
{
    if (position == 0 || position > text.size())
        return false;
    // compare() cuts the piece at the text's end, so a pattern running past
    // it compares unequal.
    return text.compare(position - 1, muster.size(), muster) == 0;
}

std::string FeldLesen(const std::string& text, uint32_t& cursor, const std::string& trenner)
{
    if (cursor == 0 || cursor > text.size())
        return {};
    const size_t anfang = cursor - 1;
    // An empty delimiter would be found everywhere without moving the cursor;
    // take it as never found, so every loop over the fields ends.
    const size_t stelle = trenner.empty() ? std::string::npos : text.find(trenner, anfang);
    if (stelle == std::string::npos) {
        cursor = static_cast<uint32_t>(text.size() + 1);
        return text.substr(anfang);
    }
    cursor = static_cast<uint32_t>(stelle + trenner.size() + 1);
    return text.substr(anfang, stelle - anfang);
}

std::string LesenBis(const std::string& text, uint32_t& cursor, char endzeichen)
{
    return FeldLesen(text, cursor, std::string(1, endzeichen));
}
