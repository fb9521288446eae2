#pragma once

// Opens and reads the files the search is about to read a little ahead of
// it, in a thread of its own, and asks the system to fetch their first and
// last blocks meanwhile: a cold disk serves many requests at once, and the
// search compares one file while the next is being opened and read. What
// is read and compared does not change: the search takes a file read here
// when it is next in line, and opens and reads it itself when it is not.
// Files are opened relative to a handle of their directory where that looks
// up the same file, so that the directories are not looked up again for
// every file.
//
// Threads: the search thread calls the public functions; the reader threads
// run Arbeiten. Every member below mutex_ is guarded by it. The TNachschub
// is called only with mutex_ held, from either side, so what it writes (the
// size table's plan cursor) is under this lock too. A TFaden's handles are
// its thread's alone. A TVorrat in work (WirdGeoeffnet, WirdGelesen) is its
// thread's outside the lock; the search takes it only once it is Offen or
// Fertig, and Vergessen waits for it. daten_ is only read. Destruction: the
// destructor ends and joins every thread before any member goes; whatever
// the TNachschub reads must outlive this object (declare it before).

#include "search/Baumdaten.h"
#include "util/Plattform.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>

// The first and the last block of a file are what the search reads of it
// first; a file of at most two such blocks is read whole at once.
inline constexpr int64_t RandBlock = 4096;

// A file the search will open, in the order it will open them.
struct TVorhaben {
    const TBaumEintrag* datei = nullptr; // non-owning: the walk's entry
    int64_t groesse = 0;
    uint32_t gruppe = 0;  // the size group, numbered in the order the search takes them
    uint32_t stelle = 0;  // its place among the files of its group, in that order
};

// What was read of a file: its first and its last block one after the
// other, as the search reads them first (a small file whole).
struct TRand {
    std::unique_ptr<char[]> bytes;
    bool gelesen = false; // the reads were made; ok says whether they gave every byte
    bool ok = false;

    // How many bytes that is for a file of this size.
    static int64_t Laenge(int64_t groesse);
    // Reads them from an open file of this size.
    static bool Lesen(plattform::TDatei& datei, int64_t groesse, char* ziel);
    // The same into a TRand of their own.
    static TRand Gelesen(plattform::TDatei& datei, int64_t groesse);
};

class TVorleser {
public:
    // Appends the files of the next group to plan; false when none are left.
    // Called in the reader threads too (one at a time): it may only read
    // what stays as it is while the search compares.
    using TNachschub = std::function<bool(std::deque<TVorhaben>& plan)>;

    TVorleser(const TBaumdaten& daten, TNachschub nachschub);
    // Stops the threads and waits for them.
    ~TVorleser();
    TVorleser(const TVorleser&) = delete;
    TVorleser& operator=(const TVorleser&) = delete;

    // The search turns to this group: what was planned for earlier ones is
    // let go. The threads start at the first call.
    void GruppeBeginnt(uint32_t gruppe);

    // The file at place stelle of the current group, as the search reads
    // its files in order: the one read ahead (rand then holds its first and
    // last block when they could be read without waiting for the disk),
    // else opened anew (rand.gelesen false). Files before it that were
    // passed over are let go.
    plattform::TDatei Nehmen(const TBaumEintrag& datei, uint32_t stelle, bool& keineDeskriptoren, TRand& rand);

    // Opens the entry's file anew. Short of descriptors it gives back what
    // it holds and tries once more; keineDeskriptoren as for
    // plattform::TDatei::OeffnenLesen.
    plattform::TDatei Oeffnen(const TBaumEintrag& datei, bool& keineDeskriptoren);

    // Closes every file and directory held ahead and holds none from now
    // on: the descriptors are needed for comparing.
    void Freigeben();

private:
    enum class TZustand { WirdGeoeffnet, Offen, WirdGelesen, Fertig };
    struct TVorrat {
        TVorhaben vorhaben;
        plattform::TDatei datei;
        TRand rand;
        TZustand zustand = TZustand::WirdGeoeffnet;
        bool InArbeit() const { return zustand == TZustand::WirdGeoeffnet || zustand == TZustand::WirdGelesen; }
    };
    // Where a file stands in the order of the search: (group, place).
    struct TStelle {
        uint32_t gruppe = 0;
        uint32_t stelle = 0;
        auto operator<=>(const TStelle&) const = default;
    };
    static TStelle StelleVon(const TVorhaben& v) { return {v.gruppe, v.stelle}; }
    // Files a thread takes at once.
    static constexpr size_t Buendel = 32;

    // A directory handle, and the directory it was opened as.
    struct TGriff {
        plattform::TVerzeichnisGriff griff;
        plattform::TDateiKennung kennung;
    };
    // One reader thread's own: handles of directories whose files it opens
    // by name.
    struct TFaden {
        std::thread faden;
        std::unordered_map<uint32_t, TGriff> griffe;
        uint32_t griffeRunde = 0; // the last call for the descriptors it answered
    };

    void Arbeiten(TFaden& faden);
    plattform::TDatei OeffnenImFaden(TFaden& faden, const TVorhaben& vorhaben, size_t griffeHoechstens,
                                     bool& keineDeskriptoren);
    // Opens a file taken from the plan and reads it when the system has it
    // at hand, else asks the system to fetch it.
    void Vorbereiten(TFaden& faden, TVorrat& vorrat, size_t griffeHoechstens, bool& keineDeskriptoren);
    // Reads what the search reads first when the system has it at hand; false
    // when the disk is needed (the reads are then left to later).
    static bool AusCacheLesen(plattform::TDatei& datei, int64_t groesse, TRand& rand);
    // Lets go of what the search has passed; waits for files in work.
    void Vergessen(std::unique_lock<std::mutex>& sperre);
    // Plans until the group the search is at is planned.
    void PlanenBis(uint32_t gruppe);
    // Wakes the waiting threads when there is room for a good many files.
    void FaedenWecken();

    const TBaumdaten& daten_;
    TNachschub nachschub_;

    std::mutex mutex_;
    std::condition_variable zuDenFaeden_; // room, work, or the end for the threads
    std::condition_variable zurSuche_;    // a file opened or read, handles closed
    std::deque<TVorhaben> plan_;          // not taken by a thread yet
    std::deque<TVorrat> vorrat_;          // taken, in the order of the plan
    TStelle naechste_;                    // what the search has not passed yet
    size_t fenster_ = 128;                // files held ahead at most
    bool planZuEnde_ = false;
    size_t griffeHoechstens_ = 0;         // per thread; 0 once the descriptors ran short
    uint32_t griffeRunde_ = 0;            // calls for the descriptors so far
    size_t griffeZurueck_ = 0;            // threads that answered the last one
    size_t wartendeFaeden_ = 0;
    bool ende_ = false;
    std::deque<TFaden> faeden_;
};
