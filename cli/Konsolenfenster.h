#pragma once

// A search session watched from a terminal: the result list goes to stdout
// as its groups are finished, the counters and the progress to stderr, all
// read from the session's list and state.

#include "search/Listenexport.h"
#include "search/Suchsitzung.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

class TKonsolenFenster : public TSuchbeobachter {
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

    // What the walks leave out.
    TFilter& Filter() { return sitzung_.Filter; }
    // What the search could not read.
    const std::vector<TUebersprungen>& Uebersprungen() const { return sitzung_.Uebersprungen(); }

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
    void NachrichtenVerarbeiten() override;
    bool UnterbrechungNachsehen() override;
    void UebersprungMelden(std::string pfad, TGrund grund) override;

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
    // "+" lines of a group cut short and not printed.
    int64_t plusVerworfen_ = 0;

    bool fortschrittSichtbar_ = false;
    std::chrono::steady_clock::time_point letzteAnzeige_{};
    std::chrono::steady_clock::time_point letzteAusgabe_{};

    // Declared last: it reports to the members above while it lives.
    TSuchsitzung sitzung_{*this};
};
