#pragma once

// The main window's logic on a terminal: the result list goes to stdout as
// its groups are finished, the counters and the progress to stderr.

#include "search/FensterLogik.h"
#include "search/Listenexport.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <string>

class TKonsolenFenster : public TFensterLogik {
public:
    // fortschritt: show a one-line progress display on stderr. zeilenende
    // ends every list line on stdout: '\n', or '\0' for scripts, as no path
    // holds a NUL.
    TKonsolenFenster(std::FILE* ausgabe, std::FILE* meldungen, bool fortschritt, char zeilenende = '\n');

    // Writes the list through schreiber (as JSON or CSV) instead of as
    // lines; null for lines. Non-owning: it must outlive the search.
    void ExportSetzen(TListenexport* schreiber) { listenexport_ = schreiber; }

    // Runs the search over two directory texts as they will be shown.
    void Suchen(const std::string& eins, const std::string& zwei);

    // The counter line "+: N -: N !: N".
    std::string ZaehlerZeile() const;

    // Turns an interrupt into a close request whose question is answered
    // "stop". Safe to call from a signal handler and from another thread.
    static void UnterbrechungMelden(int signal);
    bool Unterbrochen() const { return unterbrochen_; }
    // The signal that stopped the search (SIGINT for Ctrl-C), when it was.
    static int UnterbrechungsSignal();

    // The error of the first write to stdout that failed or fell short
    // (errno), 0 when none did. A failed write stops the search.
    int Schreibfehler() const { return schreibfehler_; }

protected:
    void FundeGeleert() override;
    void FundAngehaengt(uint32_t index) override;
    bool ListeMarkiert(uint32_t) const override { return false; }
    void ListeMarkieren(uint32_t, bool) override {}

    std::string FeldText(TFeld feld) const override;
    void FeldSetzen(TFeld feld, const std::string& text) override;

    void GaugeSetProgress(int32_t wert) override;
    void GaugeSetMaxValue(int32_t wert) override;
    int32_t GaugeMaxValue() const override { return gaugeMax_; }

    void NachrichtenVerarbeiten() override;
    bool UnterbrechungNachsehen() override;
    bool JaNeinFrage(const std::string&, const std::string&) override { return true; }
    void UebersprungGemeldet(const TUebersprungen& uebersprungen) override;
    void Meldung(const std::string& text, const std::string& titel) override;

private:
    // Writes every line before index bis to stdout; they cannot change any more.
    void Ausgeben(uint32_t bis);
    void FortschrittZeigen(bool sofort);
    void FortschrittLoeschen();
    void UnterbrechungUebernehmen();
    void AusgabePruefen();
    // After an interrupt: the end of the last whole group, and the "+"
    // lines of the group cut short noted, which the counter line leaves out.
    uint32_t AngefangeneGruppeVerwerfen();

    std::FILE* ausgabe_;   // non-owning
    std::FILE* meldungen_; // non-owning
    bool fortschritt_;
    char zeilenende_;
    TListenexport* listenexport_ = nullptr; // non-owning
    bool unterbrochen_ = false;
    int schreibfehler_ = 0;

    // The lines before this one are written.
    uint32_t ausgegeben_ = 0;
    // Lines of first-tree files appended: the groups begun.
    int64_t begonnen_ = 0;
    // "+" lines of a group cut short and not printed.
    int64_t plusVerworfen_ = 0;

    std::array<std::string, 10> felder_{};
    int32_t gaugeProgress_ = 0;
    int32_t gaugeMax_ = 100;

    bool fortschrittSichtbar_ = false;
    std::chrono::steady_clock::time_point letzteAnzeige_{};
    std::chrono::steady_clock::time_point letzteAusgabe_{};
};
