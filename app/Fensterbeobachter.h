#pragma once

// What the main window hears of its session: lines appended and changed,
// a new state, a point to handle messages, the end of a command. A member
// of the window, not a base: the window is a widget and nothing else. It
// turns the state into field texts (TFeldanzeige), shows them and the new
// lines at the dispatches, and sets the gauge.

#include "app/Feldanzeige.h"
#include "search/Suchsitzung.h"

#include <cstdint>

class QLineEdit;
class TForm1;

class TFensterbeobachter : public TSuchbeobachter {
public:
    explicit TFensterbeobachter(TForm1& fenster) : fenster_(fenster) {}
    TFensterbeobachter(const TFensterbeobachter&) = delete;
    TFensterbeobachter& operator=(const TFensterbeobachter&) = delete;

    void FundAngehaengt(uint32_t index) override;
    void FundGeaendert(uint32_t index) override;
    void FundeGeleert() override;
    void StandGeaendert(const TSuchstand& stand) override;
    void NachrichtenVerarbeiten() override;
    // A signal ends the window during a walk too, which handles no messages.
    bool UnterbrechungNachsehen() override;
    void BefehlBeendet() override;

    // Shows the fields written and the lines found since the last dispatch.
    void Anzeigen();

private:
    QLineEdit* Feld(TFeld feld) const;
    void FeldAnzeigen(TFeld feld);

    TForm1& fenster_; // non-owning: the window owns us
};
