#pragma once

// Why something was left alone, as data: a directory the search could not
// list, a line a file command refused. The core carries the reason, never
// its words; each front end says it in its own language at its edge: the
// window in German, the command line in English, as it always spoke.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The program's own reasons, and the system's (an error number).
enum class TGrundArt : uint8_t {
    Keiner,                // nothing went wrong
    System,                // fehler: the system's error number (see TGrund)
    UngueltigerName,       // a name the system cannot take
    // The search
    NichtLesbar,           // a file that could not be opened to compare
    ZuWenigDeskriptoren,   // ... for want of descriptors only
    BeimLesenGeaendert,    // changed (or moved away) while it was read
    // Every file command
    KeineZeile,            // a line number past the list's end
    SeitDerSucheGeaendert, // the line's file is gone or no longer what the search read
    KeineGewoehnlicheDatei,
    // The trash
    EinzigeKopie,          // a "- " line: it has no identical file
    LetzteKopie,           // the copy its group keeps
    BehalteneKopieGeaendert, // the copy its group was to keep changed meanwhile
    KeinPapierkorb,        // no trash on the file's file system
    PapierkorbAnderesDateisystem, // the rename into the trash would cross a mount
    PapierkorbOffen,       // ort: a trash directory others may enter
    PapierkorbVerweis,     // ort: a link where a trash directory should be
    PapierkorbFremd,       // ort: a trash directory that is not ours
    KeinFreierName,        // no free name in the trash
    PapierkorbFehlernummer, // fehler: the recycle bin's own error number (Windows)
    // Copy and move
    ZielAnders,            // another file stands at the target
    ZielIstQuelle,         // the target is the source itself
    SchonVerschoben,       // this move took the file already, under another line
    StehtFuerAndere,       // the file stands in for a source this move took
    OrtGeleert,            // this move took a source from that place
    BeimKopierenGeaendert, // the source changed while it was copied
    ZielVerweis,           // ort: a link or file where a target directory should be
    QuelleGeaendert,       // the source changed after it was copied: it stays
    ZielGeaendert,         // what holds the content changed before the source went
};

struct TGrund {
    TGrundArt art = TGrundArt::Keiner;
    // The system's error number (errno; on Windows the nearest errno, or
    // minus the system's own code where there is none).
    int fehler = 0;
    // The path the reason is about where that is not the line's own (a
    // trash, a target directory); may be empty.
    std::string ort;

    bool Leer() const { return art == TGrundArt::Keiner; }
    bool operator==(const TGrund&) const = default;

    static TGrund Eigen(TGrundArt art, std::string ort = {}) { return {art, 0, std::move(ort)}; }
    static TGrund System(int fehler, std::string ort = {}) { return {TGrundArt::System, fehler, std::move(ort)}; }
};

// The reason for the window, in German.
std::string GrundDeutsch(const TGrund& grund);
// The reason for the command line, in English (the system's words for its
// error numbers).
std::string GrundEnglisch(const TGrund& grund);

// Entries left alone, each with its reason, in the order they were met.
using TAbgelehnt = std::vector<std::pair<std::string, TGrund>>;
// The same with the German texts, as the window lists them.
std::vector<std::pair<std::string, std::string>> AbgelehntDeutsch(const TAbgelehnt& abgelehnt);
