#pragma once

// What a search reports besides its lines and how it learns of a stop, as
// plain data: the front ends turn the numbers into their own texts, and the
// walk and the search loops know nothing of a window or a terminal.

#include <cstdint>
#include <functional>
#include <string>

// Something a search could not read, as data: a directory it could not
// list or a file it could not open to compare, and why, in the system's
// words. The list of lines stays as it is defined; this says where it may
// know less than the trees hold.
struct TUebersprungen {
    std::string pfad;
    std::string grund;
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

    // A counter has moved (after the step).
    virtual void ZaehlerGeaendert(TZaehler /*zaehler*/) {}

    // The search could not read this (the front end keeps the list).
    virtual void UebersprungMelden(std::string pfad, std::string grund) = 0;

    // A point where the front end may handle its messages (and so a close
    // request) before the search goes on.
    virtual void NachrichtenVerarbeiten() = 0;

    // Called by the walks at every entry, where no messages are handled: a
    // front end whose stop comes as a signal rather than as a message
    // requests the stop here and answers true, and the walk then polls at
    // once, directory entries included. The window answers false, so its
    // walks poll only as they always did.
    virtual bool UnterbrechungNachsehen() { return false; }
};
