#pragma once

// The main window Form1: the two directories, the Start button with its
// gauge and counters, the result list with its pop-up menu. It composes a
// search session of the core, the list's model and its selection; the
// session's state reaches the fields through TFeldanzeige, its reports
// through TFensterbeobachter. Besides, the settings kept in "Einst.sys",
// the directory choice and the about box.

#include "app/Befehlsablauf.h"
#include "app/Bildschirme.h"
#include "app/DateiDialog.h"
#include "app/Eintragsmeldung.h"
#include "app/Feldanzeige.h"
#include "app/Fensterbeobachter.h"
#include "app/Fensterrahmen.h"
#include "app/Rueckfragen.h"
#include "search/Suchsitzung.h"
#include "util/Plattform.h"

#include <QRect>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QCloseEvent;
class QEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMouseEvent;
class QPushButton;
class QResizeEvent;
class QMoveEvent;
class QShowEvent;
class TAboutBox;
class TErgebnisansicht;
class TErgebnisliste;
class TSpaltenlauf;
class TListenaktionen;
class TCGauge;

class TForm1 : public QWidget {
    Q_OBJECT

public:
    // Builds the window and loads the settings body from "Einst.sys" in
    // programmVerzeichnis (ending with the separator) or, where it cannot be
    // kept there, in the user's configuration directory (EinstellungsortWaehlen).
    // The Start button's lamps are looked for beside the program, then in the
    // installed data directory (DatenDatei).
    explicit TForm1(std::string programmVerzeichnis = plattform::ProgrammVerzeichnis(),
                    QWidget* eltern = nullptr);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // The body of the settings file: the sections of every program sharing
    // it. Loaded once by the constructor, changed and written at each close.
    std::string Einstellungen;

    // The about box; non-owning (it is our Qt child), may be null.
    TAboutBox* AboutBox = nullptr;

    // The full path of the settings file.
    const std::string& EinstellungsPfad() const { return einstellungsPfad_; }

    // Restores position, width and the two directories from the settings,
    // or centres the window with the start values. Called once after
    // construction; a stored number too large for ZahlLesen throws EFehler
    // and leaves the later fields at their designed values.
    void FormCreate();
    // Raises the abort request and writes our section, at every close.
    void FormClose();
    // Writes our section with the window's values now, as a close does, but
    // shows nothing: for an end without a close (a signal, the display
    // gone). False when it was not written.
    bool EinstellungenSichern();
    // A double-click on the free area or a group box: the about box.
    void FormDblClick() { AboutBoxZeigen(); }
    // Double-clicks on the directory fields: the directory choice.
    void Edit1DblClick() { VerzeichnisWaehlen(TFeld::Edit1); }
    void Edit3DblClick() { VerzeichnisWaehlen(TFeld::Edit3); }
    // The Start button: a search over the two directories. Ignored while a
    // search, a copy or a move runs.
    void BitBtn1Click();
    // The pop-up menu of the result list.
    void AlleEintrgemitMarkieren1Click() { EintraegeMarkieren('+'); }
    void AlleEintrgemitMarkieren2Click() { EintraegeMarkieren('-'); }
    void AlleEintrgemitMarkieren3Click() { EintraegeMarkieren('!'); }
    void AlleMarkierungenlschen1Click() { MarkierungenLoeschen(); }
    void markierteEintrgekopierennach1Click() { Kopieren(false, false); }
    void markierteEintrgekopierenvonnach1Click() { Kopieren(true, false); }
    void markierteEintrgeverschiebennach1Click() { Kopieren(false, true); }
    void markierteEintrgeverschiebenvonnach1Click() { Kopieren(true, true); }
    // Our own entry after them: what the last search could not read.
    void NichtGeleseneAnzeigen1Click();

    // True when the window was closed while a command ran: the program ends
    // as soon as that command has returned.
    bool BeendenAngefordert() const { return ablauf_.BeendenAngefordert(); }

    // The components, by their designed names. Non-owning: Qt's parent
    // chain owns them.
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLineEdit* Edit9 = nullptr;
    TCGauge* CGauge1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    TErgebnisansicht* ListBox1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* AlleEintrgemitMarkieren1 = nullptr;
    QAction* AlleEintrgemitMarkieren2 = nullptr;
    QAction* AlleEintrgemitMarkieren3 = nullptr;
    QAction* N11 = nullptr;
    QAction* AlleMarkierungenlschen1 = nullptr;
    QAction* N1 = nullptr;
    QAction* markierteEintrgekopierennach1 = nullptr;
    QAction* markierteEintrgekopierenvonnach1 = nullptr;
    QAction* N2 = nullptr;
    QAction* markierteEintrgeverschiebennach1 = nullptr;
    QAction* markierteEintrgeverschiebenvonnach1 = nullptr;
    QAction* N3 = nullptr;
    QAction* NichtGeleseneAnzeigen1 = nullptr;
    // Under the list, shown only after a search that could not read
    // everything: the list is as defined, but may know less than the trees.
    QLabel* HinweisNichtGelesen = nullptr;
    // Under the list while it has lines: the space the "+" lines take, and
    // the count and size of the marked lines.
    QLabel* Zusammenfassung = nullptr;
    TOpenDialog OpenDialog1;

    // The fields by their names, byte for byte: what they hold, and a
    // write (shown at once, or at the next dispatch while a command runs).
    std::string FeldText(TFeld feld) const { return felder_.Text(feld); }
    void FeldSetzen(TFeld feld, const std::string& text);

    // The list's marks, several lines at once.
    bool ListeMarkiert(uint32_t index) const;
    // Every marked line's index, in order: what a copy or move takes at its start.
    std::vector<uint32_t> MarkierteZeilen() const;
    void ListeMarkieren(uint32_t index, bool markiert) { ListeBereichMarkieren(index, index + 1, markiert); }
    void ListeBereichMarkieren(uint32_t erste, uint32_t ende, bool markiert);
    // Marks every line of a kind ('+', '-', '!'); clears every mark.
    void EintraegeMarkieren(char zeichen);
    void MarkierungenLoeschen() { ListeBereichMarkieren(0, ListeAnzahl(), false); }

    // The session the window runs its search and commands in, and what it
    // holds, as the tests read it.
    TSuchsitzung& Sitzung() { return sitzung_; }
    const TSuchsitzung& Sitzung() const { return sitzung_; }
    const TFundliste& Funde() const { return sitzung_.Funde(); }
    const TZaehlerstand& Zaehler() const { return sitzung_.Zaehler(); }
    const std::vector<TUebersprungen>& Uebersprungen() const { return sitzung_.Uebersprungen(); }
    bool Beschaeftigt() const { return sitzung_.Beschaeftigt(); }
    uint32_t ListeAnzahl() const { return Funde().Anzahl(); }
    std::string ListeZeile(uint32_t index) const { return Funde().Text(index); }
    TFilter& Filter() { return sitzung_.Filter; }

    // The lines of ListBox1; non-owning, we are its Qt parent.
    TErgebnisliste* Ergebnisliste = nullptr;
    // The menu's commands after the designed ones (open, trash, save, filter);
    // non-owning, we are its Qt parent.
    TListenaktionen* Listenaktionen = nullptr;

    // Runs a command the user started: its errors go to the error box, and
    // a close that waited for it ends the program afterwards.
    void Befehl(const std::function<void()>& aufgabe);

    // The lines a command left alone, each with its reason, in a modal list.
    virtual void AbgelehnteMelden(const TEintragsMeldung& meldung);

protected:
    // The session's lines, as the search writes them (for tests).
    void FundAnhaengen(const TFund& fund) { sitzung_.FundAnhaengen(fund); }
    void FundArtSetzen(uint32_t index, char art) { sitzung_.FundArtSetzen(index, art); }
    TFundliste& FundeSchreiben() { return sitzung_.FundeSchreiben(); }

    // Where the search lets the window handle its messages.
    virtual void NachrichtenVerarbeiten();
    // A modal question with Yes (default) and No and no icon; true for Yes.
    virtual bool JaNeinFrage(const std::string& text, const std::string& titel)
    {
        return JaNeinFragen(this, text, titel);
    }
    // A modal message box with an OK button and no icon.
    virtual void Meldung(const std::string& text, const std::string& titel) { MeldungZeigen(this, text, titel); }

    // The modal parts, one member each, so that tests can answer them.
    // The size of the primary screen in pixels.
    virtual QSize BildschirmGroesse() const { return PrimaerBildschirmGroesse(); }
    // The screens' available areas, the primary one first.
    virtual std::vector<QRect> Bildschirme() const { return VerfuegbareBildschirme(); }
    // Runs OpenDialog1; true on OK.
    virtual bool OpenDialog1Execute() { return OpenDialog1.Execute(this); }
    // Shows the about box modally.
    virtual void AboutBoxZeigen();
    // Ends the program after a close that had to wait for a command.
    virtual void Beenden();

    void closeEvent(QCloseEvent* ereignis) override;
    void mouseDoubleClickEvent(QMouseEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;
    void moveEvent(QMoveEvent* ereignis) override;
    void showEvent(QShowEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    friend class TFensterbeobachter;

    void Aufbauen();
    void MenueAufbauen();
    // Befehl for a handler of ours.
    void Befehl(void (TForm1::*handler)());
    void VerzeichnisWaehlen(TFeld feld);
    // The "nach…" and (vonNach) "von… nach…" commands.
    void Kopieren(bool vonNach, bool verschieben);

    // The list and, under it, the note of what could not be read.
    void ListeAnordnen();

    // While a command runs, what it writes into the fields and appends to
    // the list reaches the widgets at its message dispatches (and when it
    // ends), not one widget update each: the user sees the same, the search
    // is not held up by text layout. The fields' bytes are kept here, the
    // lines in Ergebnisliste.
    TFeldanzeige felder_;
    // Declared before the session, which reports to it.
    TFensterbeobachter beobachter_{*this};
    TSuchsitzung sitzung_{beobachter_};

    std::string programmVerzeichnis_;
    std::string einstellungsPfad_;
    TBefehlsablauf ablauf_{[this] { return Beschaeftigt(); }, [this] { Beenden(); }};
    // Scrolls the left column of a window lower than designed; non-owning, we are its Qt parent.
    TSpaltenlauf* spaltenlauf_ = nullptr;
    TFensterrahmen rahmen_;
};
