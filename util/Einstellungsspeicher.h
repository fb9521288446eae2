#pragma once

// The settings file "Einst.sys": a fixed header, then named sections back to
// back, each "name 0x02 content 0x01". Several programs share the file, each
// keeping its own section, so we change only ours and pass the rest through.
//
// All operations work on texts handed in and keep no state. Positions are
// 1-based; a cursor is a position taken in and given back, left just past
// what was read. Texts handled here are shorter than 4 GiB (Laden never
// gives a longer body), so 32-bit positions reach every byte.
//
// Character level: the file behaves as a text-mode file of the system it was
// first written on. On reading, every CR (0x0D) is dropped and a byte 0x1A
// ends the text; on writing, every LF (0x0A) becomes CR LF. We translate
// ourselves and read and write raw bytes, so the file comes out byte for byte
// the same on every platform.

#include <cstdint>
#include <string>
#include <vector>

// The body of the settings file at pfad: everything after the header kopf.
// Empty when the file is missing, cannot be opened, is shorter than the
// header, does not start with it exactly (letter case counts) or is larger
// than a settings file can be (64 MiB), which is not read at all. Reports
// nothing.
std::string Laden(const std::string& pfad, const std::string& kopf);

// Writes kopf and then body to the settings file at pfad, with no line break
// after either, keeping the file what it is: a symbolic link is followed and
// the file it names is written; owner, group, mode, extended attributes
// (ACLs, security labels) and hard links stay. One save is one locked
// read-modify-write, so two saves of ours take turns. Where a new file beside
// the real one can take its place as it was (one link, and owner, group,
// attributes and mode can be given), the new contents go there, flushed, and
// replace the old file by a rename; on any failure the old file stays byte
// for byte as it was. Otherwise (a second hard link, another owner, an
// unwritable directory, a file mounted over, a rename refused) the file is
// written over in place, in steps that never leave it reading as a mix of
// old and new. A file without any write permission, anything but a regular
// file, and a file of /proc, /sys or their kin are never written, nor a
// file that would grow beyond 64 MiB (it would not be read back). False when
// nothing or not all was written. Shows no message: the window turns false
// into the message box "Datei <pfad> konnte nicht gespeichert werden!"
// (title "Fehler", OK).
bool Speichern(const std::string& body, const std::string& pfad, const std::string& kopf);

// For tests: when set, called before each write of a save; false makes that
// write fail as a full disk would. 0 comes before a replacing save's rename,
// 1 to 7 before the steps of a save in place (Einstellungsspeicher.cpp).
extern bool (*SpeicherSchritt)(int schritt);

// One field of a section to write: its value, and what to write instead
// when the value would not read back as written.
struct TAbschnittsfeld {
    std::string wert;
    std::string ersatz;
};

// The section "name 0x02 0x03 field 0x03 ... field 0x03 0x01". A value that
// holds one of the bytes that structure the file (0x01, 0x02, 0x03) or that
// reading drops or stops at (CR, 0x1A) would not read back as written, and
// would hand other programs a section of our making: its ersatz is written
// in its place.
std::string AbschnittBauen(const std::string& name, const std::vector<TAbschnittsfeld>& felder);

// A close's save, as Speichern: reads the file at pfad again under the lock
// and puts abschnitt in place of the section called name in what the file
// holds now, so that sections other programs wrote since start-up stay; our
// section goes to the end. body, loaded at start-up, is used when there is
// no file or it lost its header meanwhile (emptied, cut short); afterwards
// it holds what was to be written. A last section without its terminator
// gets one, so that ours starts a section the next start finds. Every copy
// of ours goes, other sections stay byte for byte. Written in place, other
// sections keep their places and ours may stay where it stood (read it with
// LetzteSequenzLesen). When the file cannot be read to its end or is larger
// than a settings file can be, nothing is written (what was not read would
// be lost). Waits up to half a minute for other saves. False when nothing
// or not all was written.
bool AbschnittSpeichern(const std::string& name, const std::string& abschnitt, std::string& body,
                        const std::string& pfad, const std::string& kopf);

// The content of the first section called name (the text between its 0x02
// and its 0x01, or up to the body's end when the 0x01 is missing); empty text
// when there is none. A name matches only where a section starts (at the
// body's start or right after a 0x01), never as the end of a longer name.
std::string SequenzLesen(const std::string& name, const std::string& body);

// As SequenzLesen, for the last section called name: while a save in place
// runs, ours stands twice for a moment, and the copy at the end is the new one.
std::string LetzteSequenzLesen(const std::string& name, const std::string& body);

// Removes every section called name from body, and what saves in place
// left of one (the name without its 0x02 and the rest, lone 0x01s); the
// rest stays, in order.
void AbschnittEntfernen(const std::string& name, std::string& body);

// Field n of a section's content, fields being separated by trenner: field 0
// is the text before the first delimiter, field n the text between the n-th
// and the (n+1)-th. A content without a final delimiter reads as if it had
// one. Empty text for an empty content and for fields beyond the last.
std::string SequenzFeld(uint32_t n, const std::string& inhalt, const std::string& trenner);

// Removes the first section called name (matched as by SequenzLesen) from
// body, from the name's first byte through its terminating 0x01 (through the
// body's end when that is missing); the rest stays, in order. Unchanged when there is no such section.
void SequenzLoeschen(const std::string& name, std::string& body);

// True when muster stands in text from position onward; false for position 0,
// a position beyond the text, or a pattern that would run past its end.
bool StehtAn(const std::string& text, uint32_t position, const std::string& muster);

// The text from cursor up to the next occurrence of the whole delimiter;
// the cursor ends one past the delimiter. Without a further delimiter (or
// with an empty one) the rest of the text, cursor at length + 1. Empty text
// and cursor unchanged when the cursor is 0 or beyond the text.
std::string FeldLesen(const std::string& text, uint32_t& cursor, const std::string& trenner);

// As FeldLesen, for a delimiter of one character.
std::string LesenBis(const std::string& text, uint32_t& cursor, char endzeichen);
