#pragma once

// The main window Form1 on Linux: the Qt face of the window's logic. It
// builds the designed components (TFormteile) and lays them out, draws what
// TFensterlogik tells it (TOberflaeche), hands the logic the user's clicks,
// keys and drops, and runs the modal dialogs. What the window does, shows
// and keeps is the logic's.

#include "app/Fensterrahmen.h"
#include "app/Formteile.h"
#include "fenster/Fensterlogik.h"
#include "fenster/Oberflaeche.h"
#include "util/Plattform.h"

#include <QWidget>

#include <string>
#include <utility>
#include <vector>

class QAction;
class QCloseEvent;
class QEvent;
class QLabel;
class QMouseEvent;
class QMoveEvent;
class QResizeEvent;
class QShowEvent;
class TAboutBox;
class TListenmodell;
class TSpaltenlauf;

// The components come first as a base of plain pointers, so that the form
// and its tests name them as the form was drawn (Form1->Edit1).
class TForm1 : public QWidget, public TFormteile, public TOberflaeche {
    Q_OBJECT

public:
    // Builds the window over its logic, which loads the settings from
    // "Einst.sys" beside the program or in the user's configuration
    // directory (see TFensterlogik).
    explicit TForm1(std::string programmVerzeichnis = plattform::ProgrammVerzeichnis(),
                    QWidget* eltern = nullptr);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // What the window does and holds.
    TFensterlogik& Logik() { return logik_; }
    const TFensterlogik& Logik() const { return logik_; }

    // The about box; non-owning (it is our Qt child), may be null.
    TAboutBox* AboutBox = nullptr;
    // Under the list: the note of what could not be read, and the summary
    // line; non-owning, we are their Qt parent.
    QLabel* HinweisNichtGelesen = nullptr;
    QLabel* Zusammenfassung = nullptr;
    // The list's rows for Qt's view; non-owning, we are its Qt parent.
    TListenmodell* Listenmodell = nullptr;
    // The pop-up menu's entry of a command; null for a command without one.
    QAction* Aktion(TBefehl befehl) const;

protected:
    // What the logic asks of us (see TOberflaeche).
    void FeldZeigen(TFeld feld, const std::string& text) override;
    void GaugeZeigen(int32_t fortschritt, int32_t maximum) override;
    std::string LampeZeigen(const std::string& bilddatei) override;
    void ZusammenfassungZeigen(const std::string& text) override;
    void HinweisZeigen(const std::string& text) override;
    void BefehlFreigeben(TBefehl befehl, bool frei) override;
    void ListeNeu(uint32_t reihen) override;
    void ReihenAngefuegt(uint32_t reihen) override;
    void ReihenGeaendert(uint32_t erste, uint32_t ende) override;
    bool JaNeinFrage(const std::string& text, const std::string& titel) override;
    void Meldung(const std::string& text, const std::string& titel) override;
    void FehlerZeigen(const std::string& text) override;
    void EintraegeZeigen(const std::string& titel, const std::string& kopf,
                         const TEintragsGruende& eintraege) override;
    std::optional<std::string> VerzeichnisWaehlen(const std::string& titel, const std::string& vorgabe) override;
    std::string SpeicherortWaehlen() override;
    bool FilterBearbeiten(TFilterwerte& werte) override;
    void AboutBoxZeigen() override;
    void NachrichtenVerarbeiten() override;
    bool MitDemDesktopOeffnen(const std::string& pfad) override;
    TRechteck Aussenrahmen() const override;
    void Platzieren(int32_t links, int32_t oben, int32_t aussenBreite) override;
    std::vector<TRechteck> Bildschirme() const override;
    TGroesse BildschirmGroesse() const override;
    int32_t Titelhoehe() const override;
    void Beenden() override;

    void closeEvent(QCloseEvent* ereignis) override;
    void mouseDoubleClickEvent(QMouseEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;
    void moveEvent(QMoveEvent* ereignis) override;
    void showEvent(QShowEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void Aufbauen();
    void MenueAufbauen();
    QLineEdit* Feld(TFeld feld) const;
    // Shows or hides a label under the list, laying the list out anew when
    // that changes.
    void UnterDerListe(QLabel* label, const std::string& text);
    // The list and, under it, the summary and the note.
    void ListeAnordnen();

    TFensterlogik logik_;
    std::vector<std::pair<TBefehl, QAction*>> aktionen_; // the menu's entries; the menu owns them
    // Scrolls the left column of a window lower than designed; non-owning, we are its Qt parent.
    TSpaltenlauf* spaltenlauf_ = nullptr;
    TFensterrahmen rahmen_;
};
