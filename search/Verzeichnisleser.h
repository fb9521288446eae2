#pragma once

// Lists the directories of a walk ahead of it, in threads of its own, and
// looks at each entry there: on a cold disk the looks at many files are
// under way at once, and on a warm one the walk takes what others looked
// at. The walk names the directories in its order and takes their entries
// in that order; what it finds does not depend on which thread looked.
//
// Threads: the walk's thread calls the public functions; the listing threads
// run Arbeiten and Auflisten. Every member is guarded by mutex_, but for
// ende_ (atomic, read between entries without the lock), grund_ (the walk's
// alone) and a listing's pfad and verweis, which a thread reads unlocked
// while it lists: they are set before the listing is begun and never change,
// and a listing stays where it is in the deque until the walk has taken it
// whole. Destruction: the destructor ends and joins every thread before any
// member goes.

#include "util/Plattform.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// One entry of a listing, and what one look at it found.
struct TGelistet {
    std::string name;
    bool verweis = false;    // a link on the way below the walk's start, or the entry may be one
    bool istVerweis = false; // the entry is a symbolic link, for certain
    bool angesehen = false;  // info holds what the look found
    plattform::TEintragsInfo info;
};

// The way the walk looks at an entry (see Baumlesen.cpp).
using TAnsehen = bool (*)(const plattform::TVerzeichnisListe& liste, const std::string& name,
                          const std::string& pfad, plattform::TEintragsArt art, bool verweis,
                          plattform::TEintragsInfo& info);

class TVerzeichnisleser {
public:
    // halten: the walk's look for a stop, asked while Naechster waits for a
    // slow listing (a large directory, /proc); true ends the wait.
    explicit TVerzeichnisleser(TAnsehen ansehen, std::function<bool()> halten = {})
        : ansehen_(ansehen), halten_(std::move(halten))
    {
    }
    // Stops the threads and waits for them.
    ~TVerzeichnisleser();
    TVerzeichnisleser(const TVerzeichnisleser&) = delete;
    TVerzeichnisleser& operator=(const TVerzeichnisleser&) = delete;

    // The walk will list this directory after those named before; verweis
    // as the walk knows it (a link on the way below its start).
    void Einreihen(std::string_view pfad, bool verweis);

    // The next entry of the directory the walk lists now, "." and ".."
    // left out; false at its end, and the walk turns to the next directory
    // named. Waits for a thread when none has come to it yet, asking halten
    // every few hundredths of a second meanwhile: false too when it said
    // stop (Gehalten).
    bool Naechster(TGelistet& eintrag);
    bool Gehalten() const { return gehalten_; }

    // Why the directory whose entries just ended could not be listed;
    // empty when it was.
    const TGrund& Grund() const { return grund_; }

private:
    struct TListung {
        std::string pfad;
        bool verweis = false;
        bool begonnen = false; // a thread lists it
        bool fertig = false;
        TGrund grund; // why it could not be listed
        std::deque<TGelistet> eintraege; // listed, not taken yet
    };

    void Arbeiten();
    void Auflisten(TListung& listung);

    TAnsehen ansehen_;
    std::function<bool()> halten_; // the walk's alone
    bool gehalten_ = false;        // the walk's alone
    std::mutex mutex_;
    std::condition_variable zuDenFaeden_;
    std::condition_variable zumWeg_;
    std::deque<TListung> listungen_; // the front one is the walk's
    size_t gepuffert_ = 0;           // entries listed and not taken, all listings
    size_t offeneListen_ = 0;        // listings the threads hold open or are opening
    size_t deskriptorWartende_ = 0;  // threads waiting for a descriptor to list
    TGrund grund_;                   // the walk's, see Grund
    std::atomic<bool> ende_ = false; // looked at between the entries, without the lock
    std::vector<std::thread> faeden_;
};
