#pragma once

// What the window's logic asks of a face: the contract between
// TFensterlogik, which decides everything the window does, and the toolkit
// that draws it (Qt on Linux, the Windows API on Windows). A face draws what
// it is told, turns the user's input into calls of the logic and runs the
// modal dialogs; it decides nothing. Texts are the core's bytes (UTF-8),
// which a face converts at its edge. An operation calls back into the logic
// only by handling the face's messages: NachrichtenVerarbeiten and the
// modal dialogs do, and what the user does then reaches the logic as at
// any other time (the logic refuses what may not run inside a command).

#include "fenster/Befehle.h"
#include "fenster/Eintragsmeldung.h"
#include "fenster/Feldanzeige.h"
#include "fenster/Fenstereinstellungen.h"
#include "fenster/Fensterlage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A row of the result list as a face shows it, column by column.
struct TListenzeile {
    // The line's own text ("! path", "- path", "+     path"): what the list
    // shows, the commands name and the save writes.
    std::string text;
    // The file's own name, the last part of its path.
    std::string name;
    // The file's size ("1,2 MB") on a group's first line and on a line
    // alone, empty on the "+" lines under it.
    std::string groesse;
    // The file's modification time and what a command did with it; empty
    // while the list has no such columns.
    std::string zeit;
    std::string ergebnis;
    bool markiert = false;
};

class TOberflaeche {
public:
    virtual ~TOberflaeche() = default;

    // The form

    // Shows a field's new text. The logic keeps the bytes; the face only
    // draws them (a long path from its beginning, where the tree's name stands).
    virtual void FeldZeigen(TFeld feld, const std::string& text) = 0;
    // Repaints the gauge at fortschritt of maximum; called as soon as either
    // changes, also between dispatches.
    virtual void GaugeZeigen(int32_t fortschritt, int32_t maximum) = 0;
    // Shows the bitmap file on the Start button (the red lamp while a search
    // runs, the green one after). Empty when shown, else the reason it could
    // not be, in German, for the error box.
    virtual std::string LampeZeigen(const std::string& bilddatei) = 0;
    // The line under the list: the "+" lines' bytes and the marked files.
    // Empty hides it.
    virtual void ZusammenfassungZeigen(const std::string& text) = 0;
    // The note under the list: what the last search could not read. Empty hides it.
    virtual void HinweisZeigen(const std::string& text) = 0;
    // Enables or greys out a command's menu entry.
    virtual void BefehlFreigeben(TBefehl befehl, bool frei) = 0;

    // The result list. A face shows rows 0 to the count it was last told;
    // it asks the logic for each row it draws (TFensterlogik::Reihe).

    // The rows are new: emptied, or reordered by a sort. reihen are shown now.
    virtual void ListeNeu(uint32_t reihen) = 0;
    // Rows were appended at the end: reihen are shown now.
    virtual void ReihenAngefuegt(uint32_t reihen) = 0;
    // Rows erste to ende - 1 changed (a kind, a mark) and are drawn again.
    virtual void ReihenGeaendert(uint32_t erste, uint32_t ende) = 0;

    // The modal parts

    // Asks with "Ja" (the default) and "Nein", no icon; true for "Ja".
    virtual bool JaNeinFrage(const std::string& text, const std::string& titel) = 0;
    // A message with an OK button, no icon.
    virtual void Meldung(const std::string& text, const std::string& titel) = 0;
    // The error box: the error icon, the title "Dubrinax", OK.
    virtual void FehlerZeigen(const std::string& text) = 0;
    // Lists entries, each with its reason, under a title and a heading,
    // until closed: what a search could not read, what a command refused.
    virtual void EintraegeZeigen(const TEintragsMeldung& meldung) = 0;
    // The directory dialog: opens where vorgabe (a path ending in a file
    // name, usually "x") points, asks what titel says; the name confirmed,
    // or nothing when cancelled. The caller takes its directory part.
    virtual std::optional<std::string> VerzeichnisWaehlen(const std::string& titel, const std::string& vorgabe) = 0;
    // The file the list is saved to, bytes as the file system names it;
    // empty when cancelled.
    virtual std::string SpeicherortWaehlen() = 0;
    // The filter dialog over werte; false when cancelled. A face refuses
    // OK while FilterwerteFehler names a reason.
    virtual bool FilterBearbeiten(TFilterwerte& werte) = 0;
    // The about box, modal.
    virtual void AboutBoxZeigen() = 0;

    // The system

    // Handles the messages that came meanwhile (painting, input, a close);
    // the long commands call it at fixed points.
    virtual void NachrichtenVerarbeiten() = 0;
    // A look between the entries of long work that handles no messages (a
    // search's walk): a face that a signal ends ends here, its settings
    // saved, as at its next dispatch. Called at every entry: cheap when
    // nothing came.
    virtual void EndeNachsehen() = 0;
    // Opens a file or folder with the desktop's default application; false
    // when nothing opened it.
    virtual bool MitDemDesktopOeffnen(const std::string& pfad) = 0;
    // The window's outer rectangle, frame included, and a new place and
    // outer width for it (a face keeps its least width).
    virtual TRechteck Aussenrahmen() const = 0;
    virtual void Platzieren(int32_t links, int32_t oben, int32_t aussenBreite) = 0;
    // The screens' available areas, the primary one first; the primary
    // screen's whole size; the height of a title bar.
    virtual std::vector<TRechteck> Bildschirme() const = 0;
    virtual TGroesse BildschirmGroesse() const = 0;
    virtual int32_t Titelhoehe() const = 0;
    // Ends the program, after a close that had to wait for a command.
    virtual void Beenden() = 0;
};
