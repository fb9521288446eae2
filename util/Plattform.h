#pragma once

// The operating system, in one place. Everything the core asks of the file
// system goes through here; the implementation is chosen per platform by the
// build: PlattformPosix.cpp or PlattformWindows.cpp.

#include "util/Grund.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plattform {

// The directory separator of this platform.
#ifdef _WIN32
inline constexpr char Trenner = '\\';
#else
inline constexpr char Trenner = '/';
#endif

// True for the characters after which a file name begins: the separator, and
// on Windows also the ':' that ends a drive part.
bool BeendetVerzeichnisteil(char c);

// An existing directory, after following symbolic links.
bool IstVerzeichnis(const std::string& pfad);

// An existing regular file, after following symbolic links.
bool IstDatei(const std::string& pfad);

// What makes a file the same file: device and inode (or their equivalent).
struct TDateiKennung {
    uint64_t geraet = 0;
    uint64_t knoten = 0;
    uint64_t knotenHoch = 0; // the upper half of a 128-bit file id (Windows), else 0
    bool operator==(const TDateiKennung&) const = default;
};

// For sets of identities, such as the directories a walk has entered.
struct TDateiKennungHash {
    size_t operator()(const TDateiKennung& k) const
    {
        return static_cast<size_t>((k.knoten ^ (k.knotenHoch * 0x9E3779B97F4A7C15ull)) * 31 + k.geraet);
    }
};

// What tells whether a file is still the one seen before: the same file,
// with the same length and the same time of its last change.
struct TDateiStand {
    TDateiKennung kennung;
    int64_t groesse = -1;
    int64_t geaendert = 0; // modification time, nanoseconds since 1970
    bool operator==(const TDateiStand&) const = default;
};

// The identity of what the path names, after following links.
bool KennungLesen(const std::string& pfad, TDateiKennung& kennung);

// True when the path is an existing directory after following links; then
// its identity is in kennung. One look at the file system.
bool VerzeichnisKennung(const std::string& pfad, TDateiKennung& kennung);

// What a directory listing says of an entry without a further look.
enum class TEintragsArt { Unbekannt, Verzeichnis, Datei, Anderes };

// What one look at a directory entry tells.
struct TEintragsInfo {
    bool verzeichnis = false;
    bool regulaer = false;   // a regular file
    int64_t groesse = -1;    // of a regular file
    int64_t geaendert = 0;   // modification time, nanoseconds
    int64_t statusGeaendert = 0; // time of the last status change, nanoseconds (Windows: change time)
    TDateiKennung kennung;
};

// One open directory listing. Owns the handle: not copyable, closes itself.
class TVerzeichnisListe {
public:
    // Opens the listing of verzeichnis; the empty text lists the working directory.
    explicit TVerzeichnisListe(const std::string& verzeichnis);
    ~TVerzeichnisListe();
    TVerzeichnisListe(const TVerzeichnisListe&) = delete;
    TVerzeichnisListe& operator=(const TVerzeichnisListe&) = delete;

    // False when the directory could not be listed (it then gives no entries).
    bool Offen() const { return handle_ != nullptr; }

    // The next entry, "." and ".." included, in the file system's order.
    // False at the end of the listing.
    bool Naechster(std::string& name, TEintragsArt& art);

    // What an entry of this directory is, after following links, looked up
    // relative to the open listing (cheaper than by the full path).
    // False when it cannot be looked at.
    bool Info(const std::string& name, TEintragsInfo& info) const;

    // Why the directory could not be listed; empty when it could.
    const TGrund& Grund() const { return grund_; }
    // It could not be listed for want of a descriptor only: it may well be
    // once others are closed.
    bool KeineDeskriptoren() const { return keineDeskriptoren_; }

private:
    void* handle_ = nullptr; // DIR* on POSIX, the search state on Windows
    TGrund grund_;
    bool keineDeskriptoren_ = false;
};

struct TDateiRechte;
struct TQuellStand;

// One open file. Owns the descriptor: copy deleted, move leaves the source
// closed, the destructor closes and never throws.
class TDatei {
public:
    TDatei() = default;
    ~TDatei();
    TDatei(const TDatei&) = delete;
    TDatei& operator=(const TDatei&) = delete;
    TDatei(TDatei&& andere) noexcept;
    TDatei& operator=(TDatei&& andere) noexcept;

    // Opens an existing regular file read-only, raw bytes, leaving other
    // processes free to read and write it. Anything that is not a regular file
    // (FIFO, device, socket, directory) is refused without blocking.
    static TDatei OeffnenLesen(const std::string& pfad);

    // The search's additions, kept apart from the rest: opening that tells
    // a lack of descriptors from a file that cannot be opened, and asking
    // the system to read ahead.
    //
    // Opens like OeffnenLesen. When it fails, keineDeskriptoren says whether
    // only the process (or the system) had no descriptor to spare: the file
    // may well open once others are closed.
    static TDatei OeffnenLesen(const std::string& pfad, bool& keineDeskriptoren);

    // Asks the system to bring anzahl bytes from position on into its cache
    // without waiting for them: a hint that may do nothing.
    void VorausLesen(int64_t position, int64_t anzahl) const;

    // Reads anzahl bytes from position on only when the system has them in
    // its cache already: true when all of them came. False means nothing
    // (the disk would have to be waited for, or the system cannot tell).
    bool LesenAusCache(int64_t position, void* puffer, int64_t anzahl);

    // Creates a file for writing, raw bytes, emptying an existing one.
    static TDatei ErzeugenSchreiben(const std::string& pfad);

    // Creates a new file for writing, raw bytes. Fails when anything already
    // has that name, a symbolic link included (dangling or not): it never
    // writes through a link someone planted there.
    static TDatei ErzeugenNeu(const std::string& pfad);

    bool Offen() const { return fd_ >= 0; }

    // The length in bytes, or -1. For a file opened for reading, the length
    // it had when it was opened.
    int64_t Laenge() const;

    // Reads up to anzahl bytes from position on, without moving the file
    // position; like Lesen otherwise.
    int64_t LesenAb(int64_t position, void* puffer, int64_t anzahl);

    // Reads up to anzahl bytes, going on after short reads until anzahl bytes
    // came or the file ended. The bytes read, or -1 on an error.
    int64_t Lesen(void* puffer, int64_t anzahl);

    // Writes all anzahl bytes; false when any of them could not be written.
    bool Schreiben(const void* puffer, int64_t anzahl);

    // The identity of the open file.
    bool Kennung(TDateiKennung& kennung) const;

    // Identity, length and time of last change of the open file, now.
    bool Stand(TDateiStand& stand) const;

    // Closes the file; false when the system reported an error on closing
    // (for a written file that means its data may not have arrived).
    bool Schliessen();

    // For rewriting a shared file (defined with the rest of that block):
    // opens an existing regular file for writing from its start, raw bytes,
    // neither creating nor emptying it, never through a link at its end.
    static TDatei OeffnenZumUeberschreiben(const std::string& pfad);
    // Opens an existing regular file for reading and writing, raw bytes,
    // neither creating nor emptying it, never through a link at its end and
    // without waiting on a FIFO. Refused: anything but a regular file, and a
    // file of a file system that only looks like one (/proc, /sys and their
    // kin), where a write is a command to the system. fehlt: nothing has
    // that name (then a new file may be made there).
    static TDatei OeffnenZumAendern(const std::string& pfad, bool& fehlt);
    // Creates a new file like ErzeugenNeu, but readable and writable by its
    // owner alone from its first byte on, whatever the umask (Windows: as
    // ErzeugenNeu; the directory's inherited ACL rules).
    static TDatei ErzeugenNeuPrivat(const std::string& pfad);
    // Gives the file the owner, group and mode of rechte; false when that is
    // refused (another owner, unless we are root). Windows: nothing to give.
    bool RechteSetzen(const TDateiRechte& rechte);
    // What the open file is: type, write bits, links, owner, group, mode.
    bool RechteLesen(TDateiRechte& rechte) const;
    // Gives the file every extended attribute of quelle (POSIX ACLs and
    // security labels included, which live there); false when one could not
    // be read or set. Windows: nothing to do, DateiErsetzen carries them.
    bool ZusatzUebernehmen(const TDatei& quelle);
    // Writes all anzahl bytes at position, without moving the file position.
    bool SchreibenAb(int64_t position, const void* puffer, int64_t anzahl);
    // Waits until what was written is on the disk; false when it may not be.
    bool Festschreiben();
    // Cuts the file, or extends it, to laenge bytes.
    bool LaengeSetzen(int64_t laenge);
    // Locks the whole file against the same lock taken by others (our own
    // saves) until it is closed; waits while another holds it.
    bool Sperren();

    // For the copy and move commands (defined with that block):
    // the state of the open file with the time of its last status change.
    bool Stand(TQuellStand& stand) const;
    // Writes the first laenge bytes of quelle into this new, empty file,
    // leaving holes where quelle has them. The bytes it found in quelle
    // (fewer when quelle ended early), or -1 on an error.
    int64_t InhaltKopieren(TDatei& quelle, int64_t laenge);
    // Gives this copy what cp -p keeps of quelle: extended attributes (ACLs
    // among them) where this file system takes them, owner and group where
    // we may, the access and modification time, and the permission bits
    // last. False when a step that could be done failed. Windows: the times.
    bool EigenschaftenUebernehmen(const TDatei& quelle);

private:
    friend class TVerzeichnisGriff;
    friend bool AufPlatteBringen(TDatei* const* dateien, size_t anzahl);
    friend bool UmbenennungenFestschreiben(TDatei* const* dateien, size_t anzahl);
    explicit TDatei(int fd) : fd_(fd) {}
    int fd_ = -1; // the descriptor on POSIX, the HANDLE on Windows
    int64_t laenge_ = -1; // known from opening, -1 when not
};

// Deletes a file; false when that failed.
bool DateiEntfernen(const std::string& pfad);

// Renames a file, replacing an existing file of the new name in one step
// (readers see either the old or the new file, never a mix); false when that
// failed, and then both names stay as they were. A target that we may not
// write to, or that has no write permission at all (on Windows: read-only),
// is not replaced, also not by root, so a file made read-only to keep it is
// kept. A link at the new name is replaced itself, never what it points to.
bool DateiUmbenennen(const std::string& alt, const std::string& neu);

// Identity, length and time of last change of the regular file the path
// names, after following links; false for anything else.
bool StandLesen(const std::string& pfad, TDateiStand& stand);

// Removes an empty directory; false when that failed.
bool VerzeichnisEntfernen(const std::string& pfad);

// Creates one directory; false when that failed (also when it existed).
bool VerzeichnisAnlegen(const std::string& pfad);

// The directory of the running executable, ending with the separator.
std::string ProgrammVerzeichnis();

// The directory for the user's own settings, ending with the separator:
// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config (the home
// directory from the user database when HOME is unset); on Windows %APPDATA%.
// Empty when none is known. It need not exist.
std::string BenutzerEinstellungen();

// True when anything has that name: a file, a directory, a link (dangling
// or not), a FIFO. Nothing is followed or opened.
bool NameBelegt(const std::string& pfad);

// Creates one directory that only its owner may enter (POSIX mode 0700; on
// Windows the user's profile rules); false when that failed (also when it
// existed).
bool PrivatesVerzeichnisAnlegen(const std::string& pfad);

// The system's words for why the last call that failed on this thread
// failed (errno; on Windows GetLastError), for a message to name the reason.
std::string LetzterFehler();

// The same as a reason to carry: the error number (on Windows the nearest
// errno for GetLastError), about the path ort where that is not the line's own.
TGrund LetzterGrund(std::string ort = {});

// --- Rewriting a file shared with other programs -------------------------

// What decides how a shared file may be rewritten without changing what it is.
struct TDateiRechte {
    bool regulaer = false;    // a regular file (not a directory, FIFO, device)
    bool beschreibbar = false; // has a write permission (POSIX: any write bit; Windows: not read-only)
    uint64_t verweise = 1;    // the number of hard links
    uint32_t besitzer = 0;    // owner and group (POSIX); 0 on Windows, where ACLs rule
    uint32_t gruppe = 0;
    uint32_t modus = 0;       // the permission bits (POSIX); on Windows 0444 or 0666 by the read-only attribute
};

// The path with every symbolic link at its last component followed, so that
// it names the file itself (or where a dangling link points). The path itself
// when it is no link or does not exist. False for a loop of links, and on
// Windows for a dangling link, which cannot be asked where it points.
bool EchterPfad(const std::string& pfad, std::string& echt);

// Puts the complete new file neu in the place of the existing file ziel in
// one step, keeping what the old file carried beyond its bytes where the
// system can (Windows: ReplaceFileW keeps its attributes, ACL and streams;
// POSIX: a rename, the caller gives the new file owner, mode and attributes).
// False when the old file stays: neu is then still there.
bool DateiErsetzen(const std::string& neu, const std::string& ziel);

// --- Looking an entry up by its whole path --------------------------------

// What the path names after following links, as TVerzeichnisListe::Info
// tells of an entry. The whole path is looked up as any program would open
// it, so this fails where Info relative to the listing may not: a path too
// long for the system, too many links on the way, a loop of links.
bool PfadInfo(const std::string& pfad, TEintragsInfo& info);

// True when the system refuses every path of this many bytes before looking
// at it (POSIX: PATH_MAX). Windows takes long paths with its \\?\ prefix.
bool PfadZuLang(size_t laenge);

// How many descriptors (handles) this process may hold open at once.
size_t DeskriptorenHoechstens();

// --- Copy and move of listed files ---------------------------------------

// What tells whether a source is still the file a copy read: besides
// identity, length and modification time also the time of its last status
// change, which every write moves on and nobody can set back (a program that
// restores the modification time after rewriting a file, as cp -p and
// rsync -t do, still moves it).
struct TQuellStand {
    TDateiStand stand;
    int64_t statusGeaendert = 0; // nanoseconds; on Windows the change time
    bool operator==(const TQuellStand&) const = default;
};

// The state of the regular file the path names now, after following links.
bool QuellStandLesen(const std::string& pfad, TQuellStand& stand);

// True when the path's last component is a symbolic link (on Windows a
// reparse point) rather than what it points to.
bool IstVerweis(const std::string& pfad);

// How a rename into a directory ended.
enum class TUmbenennung { Erledigt, ZielVorhanden, AnderesGeraet, Fehler };

// An open directory in which files are made, looked up and renamed by name
// alone, so that nothing between it and the root is looked up again. Owns
// its handle: copy deleted, move leaves the source closed.
class TVerzeichnisGriff {
public:
    TVerzeichnisGriff() = default;
    ~TVerzeichnisGriff();
    TVerzeichnisGriff(const TVerzeichnisGriff&) = delete;
    TVerzeichnisGriff& operator=(const TVerzeichnisGriff&) = delete;
    TVerzeichnisGriff(TVerzeichnisGriff&& andere) noexcept;
    TVerzeichnisGriff& operator=(TVerzeichnisGriff&& andere) noexcept;

    // Opens the directory pfad, following links: the user named it.
    static TVerzeichnisGriff Oeffnen(const std::string& pfad);

    bool Offen() const { return fd_ >= 0; }

    // The identity of the open directory (which need no longer be at the
    // path it was opened by).
    bool Kennung(TDateiKennung& kennung) const;

    // The subdirectory name, made first when it is missing. Never through a
    // link: a link there (to a directory elsewhere) gives a closed handle.
    // A directory it makes is never more open than modus (the permission
    // bits of the directory it stands for), not even for a moment; its
    // owner keeps the right to write into it. neu: it was made here.
    // Windows: the inherited ACL rules, modus is not looked at.
    TVerzeichnisGriff Unterverzeichnis(const std::string& name, uint32_t modus, bool& neu) const;

    // The state of the regular file name here, not following a link.
    bool Stand(const std::string& name, TQuellStand& stand) const;

    // Creates the new file name that only its owner may read, for reading
    // and writing, and holds it so that ResteEntfernen (of any process)
    // leaves it alone as long as it is open. Fails on any existing name, a
    // link included; vorhanden then says that the name was taken.
    TDatei TeilNeu(const std::string& name, bool& vorhanden) const;

    // Deletes the files whose names begin with praefix and end with endung
    // that nobody holds any more: what a killed command left of TeilNeu.
    void ResteEntfernen(const std::string& praefix, const std::string& endung) const;

    // Renames the file alt here to neu here, in one step, never replacing
    // what has that name already.
    TUmbenennung Umbenennen(const std::string& alt, const std::string& neu) const;

    // Opens the regular file name for reading, never through a link.
    TDatei DateiLesen(const std::string& name) const;
    // The same for the search, which must tell a lack of descriptors from a
    // file that cannot be opened (see TDatei::OeffnenLesen). On Windows,
    // where calls take whole paths anyway, a link is followed; elsewhere a
    // link fails and the caller opens it by its whole path.
    TDatei DateiLesen(const std::string& name, bool& keineDeskriptoren) const;

    // Deletes the file name.
    bool DateiEntfernen(const std::string& name) const;

    // Brings the directory's entries to the disk: a rename into it is only
    // safe from a power cut once this returned. Nothing to do on Windows,
    // where a directory's entries go with their files' flushes.
    void Festschreiben() const;

    // Renames the file at the path quelle to name here, in one step, never
    // replacing what has that name already.
    TUmbenennung Hereinholen(const std::string& quelle, const std::string& name) const;

private:
    int fd_ = -1;      // the descriptor on POSIX, a HANDLE on Windows
    std::string pfad_; // on Windows, where calls take names, with a final separator
};

// Brings the renames Hereinholen made on the file systems of these files
// (one file of each) to the disk: on POSIX one syncfs each; nothing to do
// on Windows, where Hereinholen renames write-through. False when that failed.
bool UmbenennungenFestschreiben(TDatei* const* dateien, size_t anzahl);

// The permission bits of the directory the path names after following
// links (POSIX); false on Windows, where ACLs rule.
bool VerzeichnisModus(const std::string& pfad, uint32_t& modus);

// Forces the data of newly written files, and their names, to the disk:
// on POSIX one syncfs for each file system among them, on Windows each file
// flushed. False when any of that failed.
bool AufPlatteBringen(TDatei* const* dateien, size_t anzahl);

// --- Ending when asked to ---------------------------------------------------

// Turns the signals that ask a program to end (SIGTERM, SIGHUP at the
// terminal's or the session's end, SIGINT for Ctrl-C) into a byte each on a
// pipe, so that the program ends where it is safe to and not inside the
// handler. The pipe's read end, or -1 where there is none (Windows).
int EndesignaleUmleiten();

// The signal whose byte is next on the pipe; 0 when none is waiting.
int EndesignalLesen(int lesen);

// True once such a signal came: a look for code that waits for no pipe
// (a walk between its entries), without a system call.
bool EndesignalWartet();

// Ends the process as the signal would have without a handler: its
// status tells the parent which signal ended it.
[[noreturn]] void AmSignalEnden(int signal);

// --- The desktop's trash -----------------------------------------------------

// One command's way into the desktop's trash, in batches: Vormerken readies
// a file (finds its trash, claims a free name there and writes its info),
// Verschieben brings the readied infos to the disk, only then renames each
// file into its trash, and brings the trashes' new entries to the disk
// before it returns. A power cut leaves every file with its complete info,
// or where it was; a kill leaves infos without a file that the next command
// into that trash removes (only ours, and none another command still holds).
//
// POSIX: the freedesktop.org trash, the home one ($XDG_DATA_HOME/Trash) for
// a file on the home trash's mount, else $topdir/.Trash/$uid or
// $topdir/.Trash-$uid at the top of the file's own mount (a bind mount's
// own top): the file is renamed into it, never copied. A trash directory
// that another user may enter, that is not ours or that holds a link for
// files/ or info/ is not used; below the checked directory everything is
// reached through its handle, never by path again. A name the trash has
// already gets a short random suffix; a name too long for its info file is
// shortened there (the info keeps the whole path). Windows: the recycle bin,
// a file at a time in Verschieben. Not copied; the destructor takes back
// the infos of files readied and never moved.
class TPapierkorb {
public:
    TPapierkorb();
    ~TPapierkorb();
    TPapierkorb(const TPapierkorb&) = delete;
    TPapierkorb& operator=(const TPapierkorb&) = delete;

    // Readies the file pfad for the trash. A symbolic link, a directory or
    // anything else but a regular file is refused. False with the reason
    // when it cannot go; then nothing was changed.
    bool Vormerken(const std::string& pfad, TGrund& grund);
    // The files readied and not moved yet.
    size_t Vorgemerkt() const;

    // Moves the readied files, in the order they were readied. pruefen
    // (when set) is asked about each right before it is moved, by its
    // number in that order: a reason keeps it where it is. One reason per
    // readied file, empty for those now in the trash.
    std::vector<TGrund> Verschieben(const std::function<TGrund(size_t)>& pruefen);

private:
    struct TInnen;
    std::unique_ptr<TInnen> innen_;
};

} // namespace plattform
