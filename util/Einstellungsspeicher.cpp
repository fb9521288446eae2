#include "util/Einstellungsspeicher.h"

#include "util/Ersatzdatei.h"
#include "util/Plattform.h"
#include "util/Stringsbearbeiten.h"

#include <algorithm>
#include <array>
#include <chrono>

bool (*SpeicherSchritt)(int schritt) = nullptr;

namespace {

constexpr char Abschnittsname = '\x02'; // ends a section's name
constexpr char Abschnittsende = '\x01'; // ends a section
constexpr char Feldtrenner = '\x03';    // precedes each field of our section
constexpr char Textende = '\x1A';       // ends the text of a text-mode file

// A settings file holds a few sections of a few hundred bytes. A file beyond
// this is something else put at its name (a log, a disk image), read neither
// at start nor at a close, and never written over.
constexpr int64_t GroessteDatei = 64 * 1024 * 1024;

// How long a save waits its turn while other saves replace the file one
// after the other, before it gives up.
constexpr auto Wartezeit = std::chrono::seconds(30);

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
    Abgebrochen, // a read error
    ZuGross      // beyond GroessteDatei: not a settings file
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
    // Asked before a byte is read: a huge file costs no time and no memory.
    if (datei.Laenge() > GroessteDatei)
        return TGelesen::ZuGross;
    std::array<char, 64 * 1024> puffer;
    for (int64_t gelesen = 0;;) {
        const int64_t n = datei.Lesen(puffer.data(), static_cast<int64_t>(puffer.size()));
        if (n < 0)
            return TGelesen::Abgebrochen;
        if (n == 0 || !TextAnhaengen(text, puffer.data(), static_cast<size_t>(n)))
            return TGelesen::Ganz;
        // A file that grew since it was opened.
        gelesen += n;
        if (gelesen > GroessteDatei)
            return TGelesen::ZuGross;
    }
}

// Every byte of the open file, read from its start; false on a read error
// or a file beyond GroessteDatei.
bool RohLesen(plattform::TDatei& datei, std::string& roh)
{
    if (datei.Laenge() > GroessteDatei)
        return false;
    std::array<char, 64 * 1024> puffer;
    for (;;) {
        const int64_t n = datei.LesenAb(static_cast<int64_t>(roh.size()), puffer.data(),
                                        static_cast<int64_t>(puffer.size()));
        if (n < 0 || static_cast<int64_t>(roh.size()) + n > GroessteDatei)
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
// file (alt, open and locked) the new one stays readable by its owner alone
// while it gets the old file's owner and group, then its extended
// attributes with the ACL last (a security label first, which may narrow
// access further), then its mode: setting the ACL sets the mode bits to
// what the ACL allows, so there is no moment at which the mode lets in
// someone the ACL shuts out. False when the old file, if any, is as it was.
bool Ersetzen(const std::string& pfad, const std::string& inhalt, plattform::TDatei* alt)
{
    TErsatzDatei ersatz(pfad, alt ? TErsatzArt::Nachfolger : TErsatzArt::Erster);
    plattform::TDatei& neu = ersatz.Datei();
    plattform::TDateiRechte rechte;
    const auto rechteGeben = [&] {
        if (!alt->RechteLesen(rechte))
            return false;
        plattform::TDateiRechte privat = rechte;
        privat.modus = 0600;
        return neu.RechteSetzen(privat) && neu.ZusatzUebernehmen(*alt) && neu.RechteSetzen(rechte);
    };
    return ersatz.Offen() && neu.Schreiben(inhalt.data(), static_cast<int64_t>(inhalt.size()))
           && (!alt || rechteGeben()) && neu.Festschreiben() && Schritt(0) && ersatz.Einsetzen();
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

// One unit of the body: the bytes up to and including the next 0x01 (or to
// the end), which is a section when it holds a 0x02 after its name.
struct TEinheit {
    size_t anfang = 0;
    size_t ende = 0;         // one past its 0x01, or the end of the text
    size_t trenner = 0;      // its first 0x02, or npos
    bool abgeschlossen = false; // ends with a 0x01
};

std::vector<TEinheit> Einheiten(const std::string& text, size_t von, size_t bis)
{
    std::vector<TEinheit> einheiten;
    for (size_t anfang = von; anfang < bis;) {
        TEinheit e;
        e.anfang = anfang;
        const size_t eins = text.find(Abschnittsende, anfang);
        e.abgeschlossen = eins < bis;
        e.ende = e.abgeschlossen ? eins + 1 : bis;
        const size_t zwei = text.find(Abschnittsname, anfang);
        e.trenner = zwei < e.ende ? zwei : std::string::npos;
        einheiten.push_back(e);
        anfang = e.ende;
    }
    return einheiten;
}

// A section of ours: our name, then its 0x02, and no further 0x02, which
// our fields never hold. CRs before the name are passed over, as reading does.
bool IstUnser(const std::string& text, const TEinheit& e, const std::string& name)
{
    size_t stelle = e.anfang;
    while (stelle < e.ende && text[stelle] == '\r')
        ++stelle;
    return e.trenner == stelle + name.size() && text.compare(stelle, name.size(), name) == 0
           && text.find(Abschnittsname, e.trenner + 1) >= e.ende;
}

// Which units are ours to drop or write over: our sections, what a save in
// place leaves of an old one (our name ended by a 0x01 where its 0x02 was,
// then the rest without a 0x02), and empty units (a lone 0x01), which hold
// nothing and which a save in place uses to fill up room.
std::vector<bool> UnsereMarkieren(const std::string& text, const std::vector<TEinheit>& einheiten,
                                  const std::string& name)
{
    std::vector<bool> unser(einheiten.size(), false);
    const std::string rest = name + Abschnittsende;
    bool nachRest = false;
    for (size_t i = 0; i < einheiten.size(); ++i) {
        const TEinheit& e = einheiten[i];
        const bool rumpf = e.trenner == std::string::npos;
        const bool restKopf = rumpf && text.compare(e.anfang, e.ende - e.anfang, rest) == 0;
        const bool leer = e.ende - e.anfang == 1 && e.abgeschlossen;
        unser[i] = IstUnser(text, e, name) || restKopf || (rumpf && nachRest) || leer;
        nachRest = restKopf;
    }
    return unser;
}

// Where a save in place puts our section: the units [von, bis) of ours,
// from byte anfang to byte ende.
struct TPlatz {
    size_t von = 0, bis = 0;
    size_t anfang = 0, ende = 0;
};

// Writes our new section into the open, locked file in place (roh: what it
// holds, starting with the header) so that whenever the save stops, killed
// or out of disk space, every other program's section stays readable where
// it stands, and ours reads as the old or the new one. Nothing before the
// end of the text is hidden or moved at any moment. The place for ours: the
// units of ours at the text's end (where it may grow), else the first run of
// them in the middle with room enough, else the end of the text.
//   1. A 0x1A after the text, where the file does not end with one already.
//   2. After it a copy of the new section (behind lone 0x01s where it must
//      not overlap its place at the end), and a 0x1A after that: still hidden.
//   3. Its first byte in place of the first 0x1A: the text now ends with
//      the new section. Ours stands twice, and the last one counts.
//   4. Every copy of ours outside its place loses its 0x02: a unit without
//      one is no section, nobody's reader takes it for one, and the next
//      replacing save drops it.
//   5. The new section at its place, filled up with lone 0x01s (the copy at
//      the end counts meanwhile).
//   6. A 0x1A where the copy at the end, or the fill after ours, begins.
//   7. The length cut where the text now ends.
// Each step is flushed before the next. A failed step before the text grew
// leaves the file as it was; after that the new section reads already, and
// the save reports false all the same.
bool AbschnittAmPlatz(plattform::TDatei& datei, const std::string& roh, const std::string& name,
                      const std::string& abschnitt, size_t kopfLaenge)
{
    const size_t ende = std::min(roh.find(Textende), roh.size());
    const std::vector<TEinheit> einheiten = Einheiten(roh, kopfLaenge, ende);
    const std::vector<bool> unser = UnsereMarkieren(roh, einheiten, name);

    // The runs of our units; the one at the end, if any, is last.
    std::vector<TPlatz> laeufe;
    for (size_t i = 0; i < einheiten.size(); ++i) {
        if (!unser[i])
            continue;
        if (laeufe.empty() || laeufe.back().bis != i)
            laeufe.push_back({i, i, einheiten[i].anfang, 0});
        laeufe.back().bis = i + 1;
        laeufe.back().ende = einheiten[i].ende;
    }
    const bool amEnde = !laeufe.empty() && laeufe.back().bis == einheiten.size();
    const TPlatz* platz = amEnde ? &laeufe.back() : nullptr;
    for (size_t i = 0; !platz && i < laeufe.size(); ++i)
        if (einheiten[laeufe[i].bis - 1].abgeschlossen && laeufe[i].ende - laeufe[i].anfang >= abschnitt.size())
            platz = &laeufe[i];

    // The copy at the end: where a last unit lacks its 0x01 (ours cut short,
    // or another program's) a 0x01 first, so that the copy starts a section;
    // at our place at the end, lone 0x01s up to where that place ends.
    const bool offen = !einheiten.empty() && !einheiten.back().abgeschlossen;
    size_t kopie = ende + (offen ? 1 : 0);
    if (amEnde)
        kopie = std::max(kopie, platz->anfang + abschnitt.size());
    const std::string zusatz = std::string(kopie - ende, Abschnittsende) + abschnitt;

    const auto stelle = static_cast<int64_t>(ende);
    const std::string hinten = zusatz.substr(1) + Textende;
    const char ende1A = Textende;
    const char eins = Abschnittsende;
    if (!((ende < roh.size() || (Schritt(1) && datei.SchreibenAb(stelle, &ende1A, 1) && datei.Festschreiben()))
          && Schritt(2) && datei.SchreibenAb(stelle + 1, hinten.data(), static_cast<int64_t>(hinten.size()))
          && datei.Festschreiben() && Schritt(3) && datei.SchreibenAb(stelle, zusatz.data(), 1)
          && datei.Festschreiben())) {
        datei.SchreibenAb(stelle, &ende1A, 1);
        datei.LaengeSetzen(static_cast<int64_t>(roh.size()));
        return false;
    }
    bool gut = true;
    for (size_t i = 0; i < einheiten.size(); ++i)
        if (unser[i] && IstUnser(roh, einheiten[i], name) && !(platz && i >= platz->von && i < platz->bis))
            gut = gut && Schritt(4) && datei.SchreibenAb(static_cast<int64_t>(einheiten[i].trenner), &eins, 1);
    gut = gut && datei.Festschreiben();
    if (!platz)
        return gut && Schritt(7) && datei.LaengeSetzen(stelle + static_cast<int64_t>(zusatz.size()))
               && datei.Festschreiben();
    // In the middle the place is filled up to its end; at the end the text
    // ends after ours.
    std::string neu = abschnitt;
    if (!amEnde)
        neu.append(platz->ende - platz->anfang - abschnitt.size(), Abschnittsende);
    const auto neuesEnde = static_cast<int64_t>(amEnde ? platz->anfang + abschnitt.size() : ende);
    return gut && Schritt(5)
           && datei.SchreibenAb(static_cast<int64_t>(platz->anfang), neu.data(), static_cast<int64_t>(neu.size()))
           && datei.Festschreiben() && Schritt(6) && datei.SchreibenAb(neuesEnde, &ende1A, 1)
           && datei.Festschreiben() && Schritt(7) && datei.LaengeSetzen(neuesEnde) && datei.Festschreiben();
}

// One save: under the lock of the file, what it holds now goes to bauen
// (its text, or nullptr when there is no file), and what bauen gives
// becomes the body. Written by replacing where the file can be replaced
// without changing what it is, else in place by amPlatz(datei, roh, neu)
// (roh: what the file holds; neu: the whole new file).
template <typename Bauen, typename AmPlatz>
bool Aendern(const std::string& pfad, const std::string& kopf, Bauen&& bauen, AmPlatz&& amPlatz)
{
    // The settings file may be a link to a file that several programs share:
    // what we replace or write is that file, and the link stays a link.
    std::string echt;
    if (pfad.empty() || !plattform::EchterPfad(pfad, echt))
        return false;
    // Each new round means another save replaced the file while we waited
    // for it; with many saves at once, ours waits its turn.
    const auto bis = std::chrono::steady_clock::now() + Wartezeit;
    while (std::chrono::steady_clock::now() < bis) {
        bool fehlt = false;
        plattform::TDatei datei = plattform::TDatei::OeffnenZumAendern(echt, fehlt);
        if (fehlt) {
            const std::string erste = Dateiinhalt(kopf, bauen(nullptr));
            if (static_cast<int64_t>(erste.size()) > GroessteDatei)
                return false; // no file that the next start would not read
            if (Ersetzen(echt, erste, nullptr))
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
        // A replacing save killed before its rename left its new file
        // behind; while we hold the lock no other save of this file has one.
        VerwaisteEntfernen(echt);
        std::string text;
        TextAnhaengen(text, alt.data(), alt.size());
        const std::string neu = Dateiinhalt(kopf, bauen(&text));
        // Written, it would be no settings file any more: not read at the
        // next start, and never written again. The old file stays.
        if (static_cast<int64_t>(neu.size()) > GroessteDatei)
            return false;

        // Replacing keeps a failed write from harming the old file, but a new
        // file is not the old one where a second hard link would keep the old
        // contents, or where the new one cannot be made as the old one is
        // (another owner, a directory we may not write to, a label we may not
        // set) or cannot take its place (a file mounted over, another file
        // system): there the file is written over in place.
        if (rechte.verweise == 1 && Ersetzen(echt, neu, &datei))
            return true;
        return amPlatz(datei, alt, neu) && datei.Schliessen();
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
    if (gelesen == TGelesen::NichtOffen || gelesen == TGelesen::ZuGross)
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
    return Aendern(pfad, kopf, [&](const std::string*) { return body; },
                   [&](plattform::TDatei& datei, const std::string& alt, const std::string& neu) {
                       return Ueberschreiben(datei, alt, neu, kopf.size());
                   });
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
    const auto bauen = [&](const std::string* jetzt) {
        // What the file holds now, not what it held at start-up: another
        // program may have written its section since. A file that lost its
        // header meanwhile (emptied, cut short, overwritten) has lost the
        // sections with it; the ones loaded at start-up come back.
        std::string neu = jetzt && KopfPasst(*jetzt, kopf) ? jetzt->substr(kopf.size()) : body;
        AbschnittEntfernen(name, neu);
        // Another program's last section without its terminator would take
        // ours in: it gets the 0x01 it lacks, so that ours starts a section.
        if (!neu.empty() && neu.back() != Abschnittsende)
            neu += Abschnittsende;
        neu += abschnitt;
        body = neu;
        return neu;
    };
    const auto amPlatz = [&](plattform::TDatei& datei, const std::string& alt, const std::string& neu) {
        // A file with its header keeps every other section where it stands;
        // one without has nothing readable to keep and is written over whole.
        if (alt.compare(0, kopf.size(), kopf) == 0)
            return AbschnittAmPlatz(datei, alt, name, abschnitt, kopf.size());
        return Ueberschreiben(datei, alt, neu, kopf.size());
    };
    return Aendern(pfad, kopf, bauen, amPlatz);
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

std::string LetzteSequenzLesen(const std::string& name, const std::string& body)
{
    const std::string muster = name + Abschnittsname;
    for (size_t stelle = body.rfind(muster); stelle != std::string::npos;
         stelle = stelle == 0 ? std::string::npos : body.rfind(muster, stelle - 1))
        if (stelle == 0 || body[stelle - 1] == Abschnittsende) {
            uint32_t cursor = static_cast<uint32_t>(stelle + muster.size() + 1);
            return LesenBis(body, cursor, Abschnittsende);
        }
    return {};
}

void AbschnittEntfernen(const std::string& name, std::string& body)
{
    const std::vector<TEinheit> einheiten = Einheiten(body, 0, body.size());
    const std::vector<bool> unser = UnsereMarkieren(body, einheiten, name);
    std::string rest;
    for (size_t i = 0; i < einheiten.size(); ++i)
        if (!unser[i])
            rest.append(body, einheiten[i].anfang, einheiten[i].ende - einheiten[i].anfang);
    body = std::move(rest);
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
