#pragma once

// The main window as its logic draws on it (TOberflaeche): the fields, the
// gauge and the Start button's lamp, the lines under the list, the menu's
// entries and the list's rows; the dialogs over the window; its place on
// the screens. It knows the form's components, not the logic: what it
// shows, the logic tells it. The window (TForm1) builds the components and
// hands the logic the user's input.

#include "fenster/Oberflaeche.h"

#include <functional>

class QLabel;
class QLineEdit;
class QWidget;
class TFensterrahmen;
struct TFormteile;

class TFormflaeche : public TOberflaeche {
public:
    // fenster, teile and rahmen (not owned) are the window's, which owns us;
    // teile may still be empty, they are read when drawn. anordnen lays out
    // the list anew when a line under it comes or goes.
    TFormflaeche(QWidget& fenster, const TFormteile& teile, TFensterrahmen& rahmen, std::function<void()> anordnen);
    TFormflaeche(const TFormflaeche&) = delete;
    TFormflaeche& operator=(const TFormflaeche&) = delete;

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
    void EintraegeZeigen(const TEintragsMeldung& meldung) override;
    std::optional<std::string> VerzeichnisWaehlen(const std::string& titel, const std::string& vorgabe) override;
    std::string SpeicherortWaehlen() override;
    bool FilterBearbeiten(TFilterwerte& werte) override;
    void AboutBoxZeigen() override;
    void NachrichtenVerarbeiten() override;
    void EndeNachsehen() override;
    bool MitDemDesktopOeffnen(const std::string& pfad) override;
    TRechteck Aussenrahmen() const override;
    void Platzieren(int32_t links, int32_t oben, int32_t aussenBreite) override;
    std::vector<TRechteck> Bildschirme() const override;
    TGroesse BildschirmGroesse() const override;
    int32_t Titelhoehe() const override;
    void Beenden() override;

private:
    QLineEdit* Feld(TFeld feld) const;
    // Shows or hides a label under the list, laying the list out anew when that changes.
    void UnterDerListe(QLabel* label, const std::string& text);

    QWidget& fenster_;        // non-owning
    const TFormteile& teile_; // non-owning
    TFensterrahmen& rahmen_;  // non-owning
    std::function<void()> anordnen_;
};
