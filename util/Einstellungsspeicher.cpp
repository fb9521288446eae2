#include "util/Einstellungsspeicher.h"

#include "util/Ersatzdatei.h"
#include "util/Plattform.h"
#include "util/Stringsbearbeiten.h"

#include <array>

namespace {

constexpr char Abschnittsname = '\x02'; // ends a section's name
constexpr char Abschnittsende = '\x01'; // ends a section
constexpr char Feldtrenner = '\x03';    // precedes each field of our section
constexpr char Textende = '\x1A';       // ends the text of a text-mode file

// The longest text whose every position, and the one past its end, fits in
// a 32-bit cursor.
constexpr uint64_t GroessteLaenge = UINT32_MAX - 1;

// The 0-based index of the first "name 0x02" that starts a section (at the
// body's start or right after a 0x01), or npos. Found anywhere else it is
// the end of another program's longer name ("AltKollatrix"), which is not ours.
size_t AbschnittFinden(const std::string& name, const std::string& body)
{
    const std::string muster = name + Abschnittsname;
    for (size_t stelle = body.find(muster); stelle != std::string::npos; stelle = body.find(muster, stelle + 1))
        if (stelle == 0 || body[stelle - 1] == Abschnittsende)
            return stelle;
    return std::string::npos;
}

// How reading the settings file ended.
enum class TGelesen {
    Ganz,       // to its end (or to a 0x1A)
    NichtOffen, // missing, or cannot be opened for reading
    Abgebrochen // a read error, or too long for 32-bit positions
};

// The file's bytes as a text-mode file gives them: CRs dropped, ended by 0x1A.
TGelesen Einlesen(const std::string& pfad, std::string& text)
{
    plattform::TDatei datei = plattform::TDatei::OeffnenLesen(pfad);
    if (!datei.Offen())
        return TGelesen::NichtOffen;
    std::array<char, 64 * 1024> puffer;
    for (;;) {
        const int64_t n = datei.Lesen(puffer.data(), static_cast<int64_t>(puffer.size()));
        if (n < 0)
            return TGelesen::Abgebrochen;
        if (n == 0)
            return TGelesen::Ganz;
        for (int64_t i = 0; i < n; ++i) {
            const char c = puffer[static_cast<size_t>(i)];
            if (c == Textende)
                return TGelesen::Ganz;
            if (c != '\r')
                text += c;
        }
        if (text.size() > GroessteLaenge)
            return TGelesen::Abgebrochen;
    }
}

// The body after an exact header; empty text without one.
std::string BodyNachKopf(const std::string& text, const std::string& kopf)
{
    uint32_t cursor = 1;
    if (TeilTextLesen(text, cursor, static_cast<uint32_t>(kopf.size())) != kopf)
        return {};
    return TeilTextLesen(text, cursor, static_cast<uint32_t>(text.size()));
}

// What goes into the file: header and body, every LF as CR LF.
std::string Dateiinhalt(const std::string& kopf, const std::string& body)
{
    std::string inhalt;
    inhalt.reserve(kopf.size() + body.size());
    for (const std::string* teil : {&kopf, &body})
        for (const char c : *teil) {
            if (c == '\n')
                inhalt += '\r';
            inhalt += c;
        }
    return inhalt;
}

enum class TErsetzt { Ja, Gescheitert, NichtMoeglich };

// A new file beside pfad, given the old file's owner, group and mode (when
// there is an old file), written and put in its place. NichtMoeglich when
// that file could not be made as the old one was (a directory we may not
// write to, an owner we may not give it): then nothing has been touched.
TErsetzt Ersetzen(const std::string& pfad, const std::string& inhalt, const plattform::TDateiRechte* rechte)
{
    TErsatzDatei ersatz(pfad);
    if (!ersatz.Offen() || (rechte && !ersatz.Datei().RechteSetzen(*rechte)))
        return TErsetzt::NichtMoeglich;
    if (!ersatz.Datei().Schreiben(inhalt.data(), static_cast<int64_t>(inhalt.size())))
        return TErsetzt::Gescheitert;
    return ersatz.Einsetzen() ? TErsetzt::Ja : TErsetzt::Gescheitert;
}

// Writes over the existing file where it lies, as a file opened for writing
// always did. The new text goes over the old one first and only then is the
// length cut to it: truncating first would leave an empty file, every other
// program's section gone, when the write then failed; this way a failure
// leaves the old length filled, and a new text no longer than the old one
// rewrites blocks the file already has, which on most file systems a full
// disk cannot refuse.
// Two of our windows closing at once take turns: one's cut between the
// other's write and cut would leave a mix of both texts, or zeros.
bool Ueberschreiben(const std::string& pfad, const std::string& inhalt)
{
    plattform::TDatei datei = plattform::TDatei::OeffnenZumUeberschreiben(pfad);
    if (!datei.Offen() || !datei.Sperren())
        return false;
    const bool geschrieben = datei.Schreiben(inhalt.data(), static_cast<int64_t>(inhalt.size()))
                             && datei.LaengeSetzen(static_cast<int64_t>(inhalt.size()));
    return datei.Schliessen() && geschrieben;
}

// True when the value comes back from the file as it went in.
bool LiestSichZurueck(const std::string& wert)
{
    return wert.find_first_of(std::string{Abschnittsende, Abschnittsname, Feldtrenner, '\r', Textende})
           == std::string::npos;
}

} // namespace

std::string Laden(const std::string& pfad, const std::string& kopf)
{
    std::string text;
    const TGelesen gelesen = Einlesen(pfad, text);
    if (gelesen == TGelesen::NichtOffen || text.size() > GroessteLaenge)
        return {};
    std::string body = BodyNachKopf(text, kopf);

    // A read error in the middle of the file ends the reading. The body keeps
    // the sections read completely before it (up to the last 0x01) and drops
    // the torn one after them, which would otherwise swallow our own section
    // when it is appended at the next save. No complete section: empty body.
    if (gelesen == TGelesen::Abgebrochen) {
        const size_t letztesEnde = body.rfind(Abschnittsende);
        body.resize(letztesEnde == std::string::npos ? 0 : letztesEnde + 1);
    }
    return body;
}

bool Speichern(const std::string& body, const std::string& pfad, const std::string& kopf)
{
    if (pfad.empty())
        return false;
    const std::string inhalt = Dateiinhalt(kopf, body);

    // The settings file may be a link to a file that several programs share:
    // what we replace or write is that file, and the link stays a link.
    std::string echt;
    if (!plattform::EchterPfad(pfad, echt))
        return false;
    plattform::TDateiRechte rechte;
    if (!plattform::RechteLesen(echt, rechte))
        return Ersetzen(echt, inhalt, nullptr) == TErsetzt::Ja; // a first save: a new file
    // A file made read-only is kept, by root too; a directory or a device
    // in its place is nothing of ours to write.
    if (!rechte.regulaer || !rechte.beschreibbar)
        return false;

    // Replacing keeps a failed write from harming the old file, but a new
    // file is not the old one: a second hard link would keep the old
    // contents, and an ACL would be lost. Where owner, group and mode cannot
    // be given to the new file, or the directory takes no new file, the old
    // file is written over in place instead.
    if (rechte.verweise == 1 && !rechte.erweitert) {
        const TErsetzt ersetzt = Ersetzen(echt, inhalt, &rechte);
        if (ersetzt != TErsetzt::NichtMoeglich)
            return ersetzt == TErsetzt::Ja;
    }
    return Ueberschreiben(echt, inhalt);
}

std::string AbschnittBauen(const std::string& name, const std::vector<TAbschnittsfeld>& felder)
{
    std::string abschnitt = name + Abschnittsname;
    for (const TAbschnittsfeld& feld : felder) {
        abschnitt += Feldtrenner;
        abschnitt += LiestSichZurueck(feld.wert) ? feld.wert : feld.ersatz;
    }
    abschnitt += Feldtrenner;
    abschnitt += Abschnittsende;
    return abschnitt;
}

bool AbschnittSpeichern(const std::string& name, const std::string& abschnitt, std::string& body,
                        const std::string& pfad, const std::string& kopf)
{
    // What the file holds now, not what it held at start-up: another
    // program may have written its section since.
    std::string text;
    const TGelesen gelesen = Einlesen(pfad, text);
    if (gelesen == TGelesen::Ganz)
        body = BodyNachKopf(text, kopf);
    SequenzLoeschen(name, body);
    body += abschnitt;
    return gelesen != TGelesen::Abgebrochen && Speichern(body, pfad, kopf);
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
