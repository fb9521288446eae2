#pragma once

// The main window's own logic, free of any toolkit: the duplicate search, the
// abort protocol and the commands of the result list. The Qt window, the
// command-line front end and the tests derive from it and supply the few
// window operations it needs, so that none of this is written twice.

#include "search/Filter.h"
#include "search/Fundliste.h"
#include "search/Suchsitzung.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The edit fields of the main window, by their names.
enum class TFeld { Edit1 = 1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9 };

class TFensterLogik : public TSuchbeobachter {
public:
    TFensterLogik();

    // The stop token of the search, a copy or a move: a front end's close
    // handler requests the stop, and the question is asked through this
    // window's JaNeinFrage.
    TStoppMarke Stopp;

    // Asks "Soll wirklich abgerochen werden?" once per stop request; true
    // means stop. Only called by a loop that found a request standing.
    bool AbbruchFragen() { return Stopp.AbbruchFragen(); }

    // The search run over the order's two directories.
    void SucheAusfuehren(const TSuchauftrag& auftrag);

    // A run in place of the normal search: the tests and the bench set the
    // pairwise reference run here (see ReferenzWaehlen), which gives the same
    // list and fields by comparing pair by pair from the first byte. Empty:
    // the normal search.
    std::function<void(TFensterLogik&)> WoertlicheSuche;

    // What the walks of both searches leave out; nothing unless set.
    TFilter Filter;
    void ZaehlerErhoehen(TZaehler zaehler);
    // The counters of the last search, from 0 at its start.
    const TZaehlerstand& Zaehler() const { return zaehler_; }

    // For tests: called by both searches once the trees are read, before
    // anything is compared, to change the trees at that point.
    std::function<void()> NachDemEinlesen;

    // The result list's commands. MarkierteKopieren with an empty basis
    // (or the first tree's searched directory) takes each line's own file,
    // as the "nach…" commands do; another basis takes the file at the
    // line's relative path below it ("von… nach…").
    void EintraegeMarkieren(char zeichen);
    void MarkierungenLoeschen();
    void MarkierteKopieren(const std::string& basis, const std::string& zielVerzeichnis,
                           bool verschieben);

    // What the last search could not read, in the order it met them.
    const std::vector<TUebersprungen>& Uebersprungen() const { return uebersprungen_; }
    // The search notes one (and tells the front end).
    void UebersprungMelden(std::string pfad, std::string grund) override;

    // What the last search found, line by line.
    const TFundliste& Funde() const { return funde_; }
    // The number of lines, and a line's text as the list shows it.
    uint32_t ListeAnzahl() const { return funde_.Anzahl(); }
    std::string ListeZeile(uint32_t index) const { return funde_.Text(index); }
    // Empties the result list.
    void ListeLeeren();

    // True while a search, a copy or a move runs (a nested start is refused
    // by the window).
    bool Beschaeftigt() const { return beschaeftigt_ > 0; }

protected:
    // The search's lines: into Funde(), then the window is told. The
    // line's file is an entry of Funde().Daten() (see TFundliste::Aufnehmen
    // for a path no walk met).
    void FundAnhaengen(const TFund& fund);
    void FundArtSetzen(uint32_t index, char art);
    TFundliste& FundeSchreiben() { return funde_; }

    // The result list's selection, kept by the window, several lines at once.
    virtual bool ListeMarkiert(uint32_t index) const = 0;
    // Every marked line's index, in order: what a copy or move takes at its start.
    virtual std::vector<uint32_t> MarkierteZeilen() const;
    virtual void ListeMarkieren(uint32_t index, bool markiert) = 0;
    // Lines erste to ende - 1 at once: a window whose list keeps its marks
    // as ranges or bits does this in one step, not one call per line.
    virtual void ListeBereichMarkieren(uint32_t erste, uint32_t ende, bool markiert);

    // The edit fields.
    virtual std::string FeldText(TFeld feld) const = 0;
    virtual void FeldSetzen(TFeld feld, const std::string& text) = 0;

    // The progress gauge CGauge1.
    virtual void GaugeSetProgress(int32_t wert) = 0;
    virtual void GaugeSetMaxValue(int32_t wert) = 0;
    virtual int32_t GaugeMaxValue() const = 0;

    // The search could not read this; Uebersprungen() holds it already.
    virtual void UebersprungGemeldet(const TUebersprungen& /*uebersprungen*/) {}

    // The last running search, copy or move has returned. A window that
    // shows the fields and lines written while it ran only at its message
    // dispatches shows the rest now.
    virtual void BefehlBeendet() {}

    // A copy has read all of the source's bytes and not yet checked them.
    // Nothing for a window; the tests change the source here, as another
    // program might while it is copied.
    virtual void QuelleKopiert(const std::string& /*quelle*/) {}

    // A modal question with Yes (default) and No and no icon; true for Yes.
    virtual bool JaNeinFrage(const std::string& text, const std::string& titel) = 0;

    // A modal message box with an OK button and no icon.
    virtual void Meldung(const std::string& text, const std::string& titel) = 0;

private:
    void SucheSchnell();

    friend class TBeschaeftigt;
    friend class TReferenzsuche;
    friend class TSuchlauf;
    int beschaeftigt_ = 0;
    TFundliste funde_;
    std::vector<TUebersprungen> uebersprungen_;
    TZaehlerstand zaehler_;
};
