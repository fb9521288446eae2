#include "util/Einstellungsspeicher.h"

#include "util/Ersatzdatei.h"
#include "util/Plattform.h"
#include "util/Stringsbearbeiten.h"

#include <array>

bool (*SpeicherSchritt)(int schritt) = nullptr;

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

// Appends n raw bytes to text as a text-mode file gives them: CRs dropped.
// False when a 0x1A ended the text.
bool TextAnhaengen(std::string& text, const char* roh, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        if (roh[i] == Textende)
            return false;
        if (roh[i] != '\r')
            text += roh[i];
    }
    return true;
}

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
        if (n == 0 || !TextAnhaengen(text, puffer.data(), static_cast<size_t>(n)))
            return TGelesen::Ganz;
        if (text.size() > GroessteLaenge)
            return TGelesen::Abgebrochen;
    }
}

// Every byte of the open file, read from its start; false on a read error
// or a file too long for 32-bit positions.
bool RohLesen(plattform::TDatei& datei, std::string& roh)
{
    std::array<char, 64 * 1024> puffer;
    for (;;) {
        const int64_t n = datei.LesenAb(static_cast<int64_t>(roh.size()), puffer.data(),
                                        static_cast<int64_t>(puffer.size()));
        if (n < 0 || roh.size() + static_cast<uint64_t>(n) > GroessteLaenge)
            return false;
        if (n == 0)
            return true;
        roh.append(puffer.data(), static_cast<size_t>(n));
    }
}

bool KopfPasst(const std::string& text, const std::string& kopf)
{
    return text.compare(0, kopf.size(), kopf) == 0 && text.size() >= kopf.size();
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

bool Schritt(int nummer)
{
    return !SpeicherSchritt || SpeicherSchritt(nummer);
}

// A new file beside pfad, written, flushed and put in its place. With an old
// file (alt, open and locked) the new one is made readable by its owner
// alone and given the old file's owner, group, extended attributes (its ACL
// and security label among them) and mode before it takes the old one's
// place. False when the old file, if any, is as it was.
bool Ersetzen(const std::string& pfad, const std::string& inhalt, plattform::TDatei* alt)
{
    TErsatzDatei ersatz(pfad, alt ? TErsatzArt::Nachfolger : TErsatzArt::Erster);
    plattform::TDatei& neu = ersatz.Datei();
    plattform::TDateiRechte rechte;
    return ersatz.Offen() && neu.Schreiben(inhalt.data(), static_cast<int64_t>(inhalt.size()))
           && (!alt || (alt->RechteLesen(rechte) && neu.RechteSetzen(rechte) && neu.ZusatzUebernehmen(*alt)))
           && neu.Festschreiben() && Schritt(0) && ersatz.Einsetzen();
}

// Where the text can be cut for a moment without tearing a section: the
// last position at or before bis that ends the header or a section. 0 when
// bis lies within the header.
size_t Abschnittsgrenze(const std::string& inhalt, size_t bis, size_t kopfLaenge)
{
    if (bis < kopfLaenge)
        return 0;
    for (size_t stelle = bis; stelle > kopfLaenge; --stelle)
        if (inhalt[stelle - 1] == Abschnittsende)
            return stelle;
    return kopfLaenge;
}

// With a 0x1A at grenze, which hides everything after it from readers,
// puts ziel in the file: its bytes after grenze (and a 0x1A after them where
// the file is longer, so that what lies beyond stays hidden), then its byte
// at grenze, which makes the whole of it readable at once, then the length.
bool Umschreiben(plattform::TDatei& datei, size_t grenze, const std::string& ziel, bool mitSchritten)
{
    std::string hinten = ziel.substr(grenze + 1);
    const int64_t laenge = datei.Laenge();
    if (laenge < 0)
        return false;
    if (static_cast<uint64_t>(laenge) > ziel.size())
        hinten += Textende;
    const auto stelle = static_cast<int64_t>(grenze);
    const auto schritt = [mitSchritten](int nummer) { return !mitSchritten || Schritt(nummer); };
    return schritt(2) && datei.SchreibenAb(stelle + 1, hinten.data(), static_cast<int64_t>(hinten.size()))
           && datei.Festschreiben() && schritt(3) && datei.SchreibenAb(stelle, &ziel[grenze], 1)
           && datei.Festschreiben() && schritt(4) && datei.LaengeSetzen(static_cast<int64_t>(ziel.size()))
           && datei.Festschreiben();
}

// Writes the open, locked file over in place, from alt (what it holds) to
// neu, so that whenever the save stops, killed or out of disk space, the
// file reads as alt, as neu, or as their common beginning cut after a
// complete section; never as a mix of both, which a plain rewrite (empty
// the file, then write) or writing first and cutting after would leave.
// The means is the format's own end mark: text-mode reading ends at a 0x1A.
//   1. A 0x1A goes where the file may be cut: after the last complete
//      section that alt and neu share (or after the header they share, or
//      at the start where alt had another header).
//   2. neu's bytes after that point go in, then a 0x1A after them where alt
//      was longer.
//   3. neu's byte at that point replaces the first 0x1A: neu is complete.
//   4. The length is cut to neu's, dropping the second 0x1A and alt's rest.
// Each step is flushed before the next, so the disk sees them in this order
// too. Bytes before the shared sections are never written. A failed step (a
// full disk when neu is longer) puts alt back the same way: its bytes after
// the point, then its byte at the point, then its length, which needs no
// space beyond what alt had; if even that fails the file reads as the
// shared sections.
bool Ueberschreiben(plattform::TDatei& datei, const std::string& alt, const std::string& neu, size_t kopfLaenge)
{
    size_t gleich = 0;
    while (gleich < alt.size() && gleich < neu.size() && alt[gleich] == neu[gleich])
        ++gleich;
    if (gleich == neu.size()) // one step: the length
        return neu.size() == alt.size()
               || (Schritt(4) && datei.LaengeSetzen(static_cast<int64_t>(neu.size())) && datei.Festschreiben());
    const size_t grenze = Abschnittsgrenze(neu, gleich, kopfLaenge);
    const char ende = Textende;
    if (Schritt(1) && datei.SchreibenAb(static_cast<int64_t>(grenze), &ende, 1) && datei.Festschreiben()
        && Umschreiben(datei, grenze, neu, true))
        return true;
    if (grenze < alt.size())
        Umschreiben(datei, grenze, alt, false);
    else
        datei.LaengeSetzen(static_cast<int64_t>(alt.size()));
    return false;
}

// One save: under the lock of the file, what it holds now goes to bauen
// (its text, or nullptr when there is no file), and what bauen gives
// becomes the body. Written by replacing where the file can be replaced
// without changing what it is, else in place.
template <typename Bauen>
bool Aendern(const std::string& pfad, const std::string& kopf, Bauen&& bauen)
{
    // The settings file may be a link to a file that several programs share:
    // what we replace or write is that file, and the link stays a link.
    std::string echt;
    if (pfad.empty() || !plattform::EchterPfad(pfad, echt))
        return false;
    // A few rounds at most: each new round means another save replaced the
    // file while we waited for it.
    for (int runde = 0; runde < 16; ++runde) {
        bool fehlt = false;
        plattform::TDatei datei = plattform::TDatei::OeffnenZumAendern(echt, fehlt);
        if (fehlt) {
            if (Ersetzen(echt, Dateiinhalt(kopf, bauen(nullptr)), nullptr))
                return true;
            // Another save made the file first (two windows closed at once
            // on a first start): ours must not replace it and its sections,
            // so it goes again as a change of that file.
            if (plattform::NameBelegt(echt))
                continue;
            return false;
        }
        if (!datei.Offen() || !datei.Sperren())
            return false;
        // A save that replaced the file while we waited for its lock left us
        // holding the old one, which nobody reads any more: start again.
        plattform::TDateiKennung offen, jetzt;
        if (!datei.Kennung(offen))
            return false;
        if (!plattform::KennungLesen(echt, jetzt) || !(offen == jetzt))
            continue;
        // A file made read-only is kept, by root too.
        plattform::TDateiRechte rechte;
        std::string alt;
        if (!datei.RechteLesen(rechte) || !rechte.beschreibbar || !RohLesen(datei, alt))
            return false;
        std::string text;
        TextAnhaengen(text, alt.data(), alt.size());
        const std::string neu = Dateiinhalt(kopf, bauen(&text));

        // Replacing keeps a failed write from harming the old file, but a new
        // file is not the old one where a second hard link would keep the old
        // contents, or where the new one cannot be made as the old one is
        // (another owner, a directory we may not write to, a label we may not
        // set) or cannot take its place (a file mounted over, another file
        // system): there the file is written over in place.
        if (rechte.verweise == 1 && Ersetzen(echt, neu, &datei))
            return true;
        return Ueberschreiben(datei, alt, neu, kopf.size()) && datei.Schliessen();
    }
    return false;
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
    return Aendern(pfad, kopf, [&](const std::string*) { return body; });
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
    return Aendern(pfad, kopf, [&](const std::string* jetzt) {
        // What the file holds now, not what it held at start-up: another
        // program may have written its section since. A file that lost its
        // header meanwhile (emptied, cut short, overwritten) has lost the
        // sections with it; the ones loaded at start-up come back.
        std::string neu = jetzt && KopfPasst(*jetzt, kopf) ? jetzt->substr(kopf.size()) : body;
        SequenzLoeschen(name, neu);
        // Another program's last section without its terminator would take
        // ours in: it gets the 0x01 it lacks, so that ours starts a section.
        if (!neu.empty() && neu.back() != Abschnittsende)
            neu += Abschnittsende;
        neu += abschnitt;
        body = neu;
        return neu;
    });
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
