#pragma once

// What the main window does, once, for every face: the nine fields' texts
// and the gauge as the session's state shows them, the Start button and
// the close protocol with its question, the result list's rows, marks and
// commands, the summary and the note under the list, the settings section
// in "Einst.sys" and where the window opens. It runs a search session of
// the core and hears its reports; a face (TOberflaeche) draws what it is
// told and hands the user's clicks and keys here. Single-threaded: every
// call comes from the face's thread.

#include "fenster/Befehlsablauf.h"
#include "fenster/Ergebnisliste.h"
#include "fenster/Feldanzeige.h"
#include "fenster/Listenbefehle.h"
#include "fenster/Markierung.h"
#include "fenster/Oberflaeche.h"
#include "search/Suchsitzung.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TFensterlogik : private TSuchbeobachter {
public:
    // flaeche: the face, which outlives us; we call it only from our public
    // operations, never while it is being built. Loads the settings body
    // from "Einst.sys" in programmVerzeichnis (ending with the separator)
    // or, where it cannot be kept there, in the user's configuration
    // directory (EinstellungsortWaehlen). The Start button's lamps are
    // looked for beside the program, then in the installed data directory.
    TFensterlogik(TOberflaeche& flaeche, std::string programmVerzeichnis);
    TFensterlogik(const TFensterlogik&) = delete;
    TFensterlogik& operator=(const TFensterlogik&) = delete;

    // Settings and place

    // The body of the settings file: the sections of every program sharing
    // it. Loaded once by the constructor, changed and written at each close.
    std::string Einstellungen;
    // The full path of the settings file.
    const std::string& EinstellungsPfad() const { return einstellungsPfad_; }
    // Restores position, width, the two directories and the filter from the
    // settings, or centres the window with the start values. Called once
    // after the face is built; a stored number too large for ZahlLesen
    // throws EFehler, what was read before it taking effect and the later
    // fields keeping what the face had.
    void FormCreate();
    // Raises the stop request and writes our section, at every close; a
    // message when it could not be written.
    void FormClose();
    // Writes our section with the window's values now, as a close does, but
    // shows nothing: for an end without a close (a signal, the display
    // gone). False when it was not written.
    bool EinstellungenSichern();
    // The window system asks to close: FormClose, then true when the window
    // may go now, false when it waits for the running command (the program
    // ends once that has returned).
    bool Schliessen();
    // True when the window was closed while a command ran.
    bool BeendenAngefordert() const { return ablauf_.BeendenAngefordert(); }

    // Commands

    // Runs a command the user gave: its errors go to the error box, and a
    // close that waited for it ends the program afterwards.
    void Ausfuehren(TBefehl befehl);
    void Befehl(const std::function<void()>& aufgabe) { ablauf_.Ausfuehren(aufgabe); }
    // The handlers themselves, by the form's names. The Start button runs a
    // search over the two directories; it, and every file command, is
    // ignored while a search, a copy or a move runs.
    void BitBtn1Click();
    void Edit1DblClick() { VerzeichnisWaehlen(TFeld::Edit1); }
    void Edit3DblClick() { VerzeichnisWaehlen(TFeld::Edit3); }
    void FormDblClick() { flaeche_.AboutBoxZeigen(); }
    void AlleEintrgemitMarkieren1Click() { EintraegeMarkieren('+'); }
    void AlleEintrgemitMarkieren2Click() { EintraegeMarkieren('-'); }
    void AlleEintrgemitMarkieren3Click() { EintraegeMarkieren('!'); }
    void AlleMarkierungenlschen1Click();
    void markierteEintrgekopierennach1Click() { befehle_.Kopieren(false, false); }
    void markierteEintrgekopierenvonnach1Click() { befehle_.Kopieren(true, false); }
    void markierteEintrgeverschiebennach1Click() { befehle_.Kopieren(false, true); }
    void markierteEintrgeverschiebenvonnach1Click() { befehle_.Kopieren(true, true); }
    void NichtGeleseneAnzeigen1Click();
    void DateiOeffnen1Click();
    void OrdnerOeffnen1Click();
    void InDenPapierkorb1Click() { befehle_.InDenPapierkorb(); }
    void ListeSpeichern1Click() { befehle_.ListeSpeichern(); }
    void Filter1Click() { befehle_.FilterAendern(); }
    // Reorders the rows, groups whole; not while a command runs, which
    // still appends rows and reads marks by line.
    void Sortieren(TErgebnisliste::TOrdnung ordnung);

    // The directory dialog's name, kept between its runs: each run starts
    // where the last one ended (the form's OpenDialog1.FileName).
    std::string DialogName;

    // The fields

    // What a field holds, byte for byte, and a write: shown at once, or at
    // the next dispatch while a command runs.
    const std::string& FeldText(TFeld feld) const { return felder_.Text(feld); }
    void FeldSetzen(TFeld feld, const std::string& text);
    // Folders dropped onto a directory field (paths as the file system names
    // them; an empty one for an item that is no local file): one directory
    // sets the field, anything else is refused. False when refused.
    bool Ablegen(TFeld feld, const std::vector<std::string>& pfade);

    // The result list as a face shows it

    // The rows shown, a row's columns, and the line a row shows.
    uint32_t Reihen() const { return liste_.Reihen(); }
    TListenzeile Reihe(uint32_t reihe) const;
    uint32_t Zeile(uint32_t reihe) const { return liste_.Zeile(reihe); }
    // A row's own text and mark alone, for a face that draws them apart.
    std::string Reihentext(uint32_t reihe) const { return liste_.Zeilentext(liste_.Zeile(reihe)); }
    bool ReiheMarkiert(uint32_t reihe) const { return marken_.Markiert(liste_.Zeile(reihe)); }
    // The longest shown line's length in bytes and its text: a face sizes
    // its columns by it instead of measuring every line.
    uint32_t LaengsteZeile() const { return liste_.LaengsteZeile(); }
    std::string LaengsteZeileText() const { return liste_.Zeilentext(liste_.LaengsteZeileIndex()); }

    // What the user does in the list, by row. Each is drawn at once.
    // A press with the keys held (a click, or an arrow without Ctrl): see
    // TMarkierung::Druecken. The row becomes the current one.
    void Druecken(uint32_t reihe, bool umschalt, bool strg);
    // The pressed button moved to reihe, or past the edge onto it.
    void Ziehen(uint32_t reihe);
    // A click below the last row: without Shift or Ctrl every mark goes.
    void DaruntergeklicktLeeren(bool umschalt, bool strg);
    // The face's current row changed (by a key, a click, the focus), or
    // there is none: "Datei öffnen" acts on it.
    void AktuelleReiheSetzen(std::optional<uint32_t> reihe);
    // Ctrl with an arrow: the current row moved alone and is the anchor of
    // the next Shift range.
    void AnkerSetzen(uint32_t reihe);
    // Space marks the row, Ctrl+Space (umdrehen) turns it.
    void ReiheMarkieren(uint32_t reihe, bool umdrehen);
    // Ctrl+A.
    void AlleMarkieren();
    // For a face whose list keeps its own selection: rows erste to ende - 1 marked or not.
    void ReihenMarkieren(uint32_t erste, uint32_t ende, bool markiert);
    // A double-click or Enter on a row: its file, with the desktop.
    void ZeileAktiviert(uint32_t reihe);

    // The marks by line

    bool ListeMarkiert(uint32_t zeile) const { return marken_.Markiert(zeile); }
    // Every marked line's index, in order: what a copy or move takes at its start.
    std::vector<uint32_t> MarkierteZeilen() const { return marken_.Zeilen(Funde().Anzahl()); }
    void ListeMarkieren(uint32_t zeile, bool markiert) { ListeBereichMarkieren(zeile, zeile + 1, markiert); }
    // Only lines shown can be marked: a command that marks while a search
    // runs shows the lines found so far first.
    void ListeBereichMarkieren(uint32_t erste, uint32_t ende, bool markiert);
    // Marks every line of a kind ('+', '-', '!').
    void EintraegeMarkieren(char zeichen);

    // The session and what it holds

    TSuchsitzung& Sitzung() { return sitzung_; }
    const TSuchsitzung& Sitzung() const { return sitzung_; }
    const TFundliste& Funde() const { return sitzung_.Funde(); }
    uint32_t ListeAnzahl() const { return Funde().Anzahl(); }
    std::string ListeZeile(uint32_t zeile) const { return Funde().Text(zeile); }
    bool Beschaeftigt() const { return sitzung_.Beschaeftigt(); }
    // The filter as the user wrote it, which the settings keep.
    const TFilterwerte& Filterwerte() const { return befehle_.Filterwerte(); }
    void FilterSetzen(const TFilterwerte& werte) { befehle_.FilterSetzen(werte); }
    // The text under the list: what the "+" lines take, what is marked.
    std::string Zusammenfassung() const;

private:
    void VerzeichnisWaehlen(TFeld feld);
    // Shows a lamp on the Start button; throws EFehler when it cannot.
    void Lampe(const char* name);
    // The settings' values in the window, where a close stored them.
    void WerteAnwenden(const TFensterwerte& werte);
    // The first start: the start directories, the window in the middle of
    // the primary screen.
    void ErsterStart();
    // Moves the window onto the screens where its stored place is off them all.
    void AufSchirmBringen();

    // While a command runs, what it writes into the fields and appends to
    // the list reaches the face at its message dispatches (and when it
    // ends), not one redraw each: the user sees the same, the search is not
    // held up by the face.
    void Anzeigen();
    void ReihenZeigen();
    // The marks changed: the rows are drawn again, the summary written.
    void MarkenGeaendert();
    void ZusammenfassungZeigen();

    // What the session reports.
    void FundAngehaengt(uint32_t index) override;
    void FundGeaendert(uint32_t index) override;
    void FundeGeleert() override;
    void StandGeaendert(const TSuchstand& stand) override;
    void NachrichtenVerarbeiten() override;
    // A close waits for the walk's end, as it always has; a signal does not.
    bool UnterbrechungNachsehen() override;
    void BefehlBeendet() override;

    TOberflaeche& flaeche_; // non-owning: the face owns us
    std::string programmVerzeichnis_;
    std::string einstellungsPfad_;
    TFeldanzeige felder_;
    // Declared after what it reports to.
    TSuchsitzung sitzung_{*this};
    TErgebnisliste liste_{sitzung_.Funde()};
    TMarkierung marken_{liste_};
    TListenbefehle befehle_{sitzung_, liste_, marken_, flaeche_, DialogName};
    TBefehlsablauf ablauf_;
    // The row a face last made current; none after the rows were new.
    std::optional<uint32_t> aktuelle_;
    // What the face was last told, so that it is told only changes.
    int32_t gaugeFortschritt_ = 0;
    int32_t gaugeMaximum_ = 100;
    std::string zusammenfassung_;
    std::string hinweis_;
};
