#pragma once

// A search session: it takes an order, writes the result list, keeps a state
// of plain numbers and data, reports both to one observer and learns of a
// stop through a token. The front ends turn the state into their own texts;
// the walk and the search loops know nothing of a window or a terminal.

#include "search/Filter.h"
#include "search/Fundliste.h"
#include "search/Papierkorbbefehl.h"
#include "util/Grund.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Something a search could not read, as data: a directory it could not
// list or a file it could not open to compare, and why. The list of lines
// stays as it is defined; this says where it may know less than the trees
// hold.
struct TUebersprungen {
    std::string pfad;
    TGrund grund;
};

// A search's order: the two directories as the user gave them (the same
// one twice searches one tree for files within it).
struct TSuchauftrag {
    std::string erstes;
    std::string zweites;
};

// The stop token. A front end requests a stop (a close, Ctrl-C, a failed
// write); the search loops poll it and ask the question once per request.
class TStoppMarke {
public:
    // Asked once per request; true means stop. None: a request stops at once.
    std::function<bool()> Frage;

    // A new request: the next poll asks again, even after a No.
    void Anfordern()
    {
        angefordert_ = true;
        gefragt_ = false;
    }
    bool Angefordert() const { return angefordert_; }

    // One question per request; afterwards every poll gets the same answer,
    // so a Yes unwinds all enclosing loops without asking again.
    bool AbbruchFragen();

    // A poll: true when a request stands and the question says stop.
    bool Halten() { return angefordert_ && AbbruchFragen(); }

private:
    bool angefordert_ = false;
    bool gefragt_ = false;
};

// The three counters of a search: "+" lines, files without a twin, files
// with one.
enum class TZaehler { Plus, Ohne, Mit };

struct TZaehlerstand {
    int64_t plus = 0;
    int64_t ohne = 0;
    int64_t mit = 0;

    int64_t& operator[](TZaehler zaehler) { return zaehler == TZaehler::Plus ? plus : zaehler == TZaehler::Ohne ? ohne : mit; }
    int64_t operator[](TZaehler zaehler) const { return const_cast<TZaehlerstand&>(*this)[zaehler]; }
};

// One step of a counter. The counters have always been 32-bit integers that
// read their value back before each step: the step after the one past
// 2^31 - 1 fails with that conversion's error (EFehler) and stops the run,
// the counter left as it stood.
void ZaehlerErhoehen(TZaehlerstand& stand, TZaehler zaehler);

// What the session is doing, or what its last command left to say.
enum class TTaetigkeit : uint8_t {
    Keine,                // nothing yet
    VerzeichnissePruefen, // the walks (and a search that compared nothing)
    DateiLesen,           // datei: the file being read or compared
    DateiNichtOffen,      // datei: the path the last comparison could not open
    Verglichen,           // the last comparison is over: no file to name
    Kopieren,             // datei: the file being copied
    Verschieben,          // datei: the file being moved
    Wegwerfen,            // datei: the file being moved into the trash
    FertigOhneFehler,     // a copy or move did every line
    FertigMitFehler,      // a copy or move refused or failed at least one line
};

// The state a front end shows: numbers and names, never a text of its own.
// A size or position of -1 says nothing is known of it.
struct TSuchstand {
    TTaetigkeit taetigkeit = TTaetigkeit::Keine;
    std::string datei;
    // The sizes of the two files of the last comparison (a size group's
    // size while it is read).
    int64_t groesseErste = -1;
    int64_t groesseZweite = -1;
    // How far the file being read is, and that file's size.
    int64_t position = -1;
    int64_t positionVon = 0;
    // The gauge: first-tree files done of all of them. A search over no
    // file keeps the maximum it had, so that it ends full.
    int32_t fortschritt = 0;
    int32_t maximum = 100;
    TZaehlerstand zaehler;
    // False until the first search: the counters count nothing yet.
    bool gezaehlt = false;
};

// What the walk and the search tell their front end while they run. The
// lines themselves are read from the result list by their index.
class TSuchbeobachter {
public:
    virtual ~TSuchbeobachter() = default;

    // What the front end learns of the list: a line appended at index, a
    // line's kind changed, every line gone. It reads them from the list.
    virtual void FundAngehaengt(uint32_t /*index*/) {}
    virtual void FundGeaendert(uint32_t /*index*/) {}
    virtual void FundeGeleert() {}

    // The state has changed (a counter, the gauge, the file, the position).
    virtual void StandGeaendert(const TSuchstand& /*stand*/) {}

    // The search could not read this.
    virtual void UebersprungMelden(std::string /*pfad*/, TGrund /*grund*/) {}

    // A point where the front end may handle its messages (and so a close
    // request) before the search goes on.
    virtual void NachrichtenVerarbeiten() {}

    // Called by the walks at every entry, and while they wait for a slow
    // listing, where no messages are handled: a front end whose stop comes
    // as a signal rather than as a message requests the stop here and
    // answers true, and the walk then polls at once, directory entries
    // included. The window ends at a signal here itself (saved, as at its
    // next look at the queue) and answers false otherwise, so that a close
    // waits for the walk as it always did.
    virtual bool UnterbrechungNachsehen() { return false; }

    // The last running search, copy or move has returned. A front end that
    // shows the state and lines only at its message dispatches shows the
    // rest now.
    virtual void BefehlBeendet() {}

    // A copy has read all of the source's bytes and not yet checked them.
    // Nothing for a front end; the tests change the source here, as another
    // program might while it is copied.
    virtual void QuelleKopiert(const std::string& /*quelle*/) {}
};

// One session: the search, its list, its state and the copy and move
// commands over the list. The walks report to the session, which keeps what
// they skipped and passes every report on to the front end's observer.
class TSuchsitzung : public TSuchbeobachter {
public:
    // beobachter: non-owning, must outlive the session.
    explicit TSuchsitzung(TSuchbeobachter& beobachter) : beobachter_(beobachter) {}
    TSuchsitzung(const TSuchsitzung&) = delete;
    TSuchsitzung& operator=(const TSuchsitzung&) = delete;

    // The stop token of the search, a copy or a move: a front end requests
    // the stop, and sets the question it asks.
    TStoppMarke Stopp;

    // Asks the stop question once per stop request; true means stop. Only
    // called by a loop that found a request standing.
    bool AbbruchFragen() { return Stopp.AbbruchFragen(); }

    // The search run over the order's two directories.
    void SucheAusfuehren(const TSuchauftrag& auftrag);

    // A run in place of the normal search: the tests and the bench set the
    // pairwise reference run here (see ReferenzWaehlen), which gives the same
    // list and state by comparing pair by pair from the first byte. Empty:
    // the normal search.
    std::function<void(TSuchsitzung&)> WoertlicheSuche;

    // What the walks of both searches leave out; nothing unless set.
    TFilter Filter;

    // One integer step of a counter (see ::ZaehlerErhoehen), then reported.
    void ZaehlerErhoehen(TZaehler zaehler);
    // The counters of the last search, from 0 at its start.
    const TZaehlerstand& Zaehler() const { return stand_.zaehler; }
    // What the session is doing and has done, as numbers and names.
    const TSuchstand& Stand() const { return stand_; }

    // For tests: called by both searches once the trees are read, before
    // anything is compared, to change the trees at that point.
    std::function<void()> NachDemEinlesen;

    // Copies or moves the files of the lines given, taken by the caller
    // once, when the command starts: what is marked later changes nothing.
    // An empty basis (or the first tree's searched directory) takes each
    // line's own file, as the "nach…" commands do; another basis takes the
    // file at the line's relative path below it ("von… nach…"). Returns
    // every line refused or failed, with the reason.
    TAbgelehnt MarkierteKopieren(std::vector<uint32_t> zeilen, const std::string& basis,
                                 const std::string& zielVerzeichnis, bool verschieben);

    // Moves the files of the lines given (taken once, as above) into the
    // trash, keeping one unchanged copy of each group; returns what it
    // refused, with the reasons. The copies it keeps are no errors.
    TPapierkorbErgebnis MarkierteWegwerfen(const std::vector<uint32_t>& zeilen);

    // What the last search could not read, in the order it met them.
    const std::vector<TUebersprungen>& Uebersprungen() const { return uebersprungen_; }

    // What the last search found, line by line.
    const TFundliste& Funde() const { return funde_; }
    // Empties the result list.
    void ListeLeeren();

    // True while a search, a copy or a move runs (a nested start is refused
    // by the front end).
    bool Beschaeftigt() const { return beschaeftigt_ > 0; }

    // The search's lines: into Funde(), then the observer is told. The
    // line's file is an entry of Funde().Daten() (see TFundliste::Aufnehmen
    // for a path no walk met).
    void FundAnhaengen(const TFund& fund);
    void FundArtSetzen(uint32_t index, char art);
    TFundliste& FundeSchreiben() { return funde_; }

    // The state as the running search changes it, then reported.
    TSuchstand& StandSchreiben() { return stand_; }
    void StandMelden() { beobachter_.StandGeaendert(stand_); }

    // The walks' and searches' reports: kept where the session keeps them,
    // and passed on.
    void UebersprungMelden(std::string pfad, TGrund grund) override;
    void NachrichtenVerarbeiten() override { beobachter_.NachrichtenVerarbeiten(); }
    bool UnterbrechungNachsehen() override { return beobachter_.UnterbrechungNachsehen(); }

private:
    friend class TBeschaeftigt;
    TSuchbeobachter& beobachter_;
    int beschaeftigt_ = 0;
    TFundliste funde_;
    std::vector<TUebersprungen> uebersprungen_;
    TSuchstand stand_;
};
