#pragma once

// The target of one copy or move command: puts files at their paths below
// one directory without ever replacing what stands there, and moves by a
// rename where source and target share a file system.
//
// A copy is written under a temporary name beside its place, private, and
// gets its real name only once it is whole and on the disk: a crash or a
// kill leaves no torn file under a real name, and the next command into
// that directory removes what is left. A source goes only once whatever
// holds its content (its copy, or a file found at the target with the same
// content) is on the disk and still as it was checked. These steps go in
// batches, so that thousands of small files cost two flushes, not one each.

#include "util/Grund.h"
#include "util/Plattform.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class TAblage {
public:
    TAblage(std::string zielVerzeichnis, bool verschieben);
    // Finishes what is pending, as Abschliessen does.
    ~TAblage();
    // One per command: not copied.
    TAblage(const TAblage&) = delete;
    TAblage& operator=(const TAblage&) = delete;

    // A directory a move must not remove when it empties it (a searched tree's own).
    void VerzeichnisBehalten(const std::string& verzeichnis);

    // Tells whether the opened source is the file its line stands for.
    using TPruefung = std::function<bool(const plattform::TQuellStand& jetzt)>;

    // Puts the file quelle at relativ below the target directory; quelle
    // ends with relativ. passt, when given, must accept the source as it is
    // now. An existing target is only accepted when it holds byte for byte
    // the source's content: a copy then writes nothing, a move deletes the
    // source. False with the reason when the line was refused or failed;
    // its source then stays. A line that went well so far may still fail
    // in a batch, which Abschliessen reports.
    bool Ablegen(const std::string& quelle, const TPruefung& passt, const std::string& relativ, TGrund& grund);

    // Finishes every pending line: names the copies, brings them and the
    // moves' renames to the disk, then deletes the sources of a move where
    // both they and what holds their content are still as they were. The
    // lines that failed in a batch since the last call (by their sources),
    // with the reasons; a failed flush of the moves' renames is named by
    // the target directory.
    TAbgelehnt Abschliessen();

    // Called after a source's bytes were copied and before they are checked:
    // where the tests let another program write to it.
    std::function<void(const std::string& quelle)> NachDemKopieren;

private:
    // A line waiting for the batch's flush.
    struct TOffen {
        std::string zeile;             // the line's source, for its reason
        std::string quelle;            // the source to delete; empty for a copy
        plattform::TQuellStand stand;  // of the source, as it was copied
        std::shared_ptr<const plattform::TVerzeichnisGriff> verzeichnis; // where the target is
        std::string name;              // the target's name
        std::string teil;              // the copy's temporary name; empty: the target was there
        plattform::TDatei halter;      // the copy, or the file found at the target
        plattform::TQuellStand zielStand; // of halter once it has its name
    };

    // The directory of relativ's directory part below the target, made as
    // needed, never through a link. quellBasis is what relativ counts from
    // at the source: a directory made here is no more open than its own.
    // Null with the reason when it cannot be made or opened.
    std::shared_ptr<const plattform::TVerzeichnisGriff> Verzeichnis(const std::string& teil,
                                                                   const std::string& quellBasis, TGrund& grund);
    // An existing target, opened as da: da when it holds what the source
    // holds and is not the source itself, else a closed file and the reason.
    plattform::TDatei VorhandenesGleich(plattform::TDatei& quelle, const plattform::TQuellStand& stand,
                                        plattform::TDatei da, TGrund& grund);
    // A copy under its temporary name; false with the reason when it could
    // not be made whole. zielPfad names the target in a reason.
    bool Kopieren(const std::string& quelle, plattform::TDatei& ein, const plattform::TQuellStand& vorher,
                  std::shared_ptr<const plattform::TVerzeichnisGriff> verzeichnis, const std::string& name,
                  const std::string& zielPfad, TGrund& grund);
    // A line joins the batch; a full batch is finished at once.
    void Vormerken(TOffen offen);
    // Finishes the batch; failures go to fehler_.
    void StapelSchliessen();
    // Gives a copy its real name; the reason when the line failed.
    TGrund Benennen(TOffen& eintrag);
    // The source of a moved line goes, once checked; the reason when it had to stay.
    TGrund QuelleEntfernen(TOffen& eintrag);
    // Removes the directory that held a moved source when it is now empty.
    void Aufraeumen(const std::string& quelle);
    // Where the path's file stands, by identity of its directory, not by spelling.
    std::string Ort(const std::string& verzeichnis, const std::string& name);

    std::string ziel_;
    bool verschieben_;
    TGrund wurzelGrund_; // why the target directory could not be made or opened
    std::shared_ptr<const plattform::TVerzeichnisGriff> wurzel_;
    std::string letzterTeil_;
    std::shared_ptr<const plattform::TVerzeichnisGriff> letztes_; // the directory of letzterTeil_
    std::unordered_set<std::string> aufgeraeumt_; // directories whose leftovers were removed
    std::vector<TOffen> offen_;
    TAbgelehnt fehler_; // lines failed in a batch since the last Abschliessen
    unsigned long long teilZaehler_ = 0;
    std::string teilStamm_; // of this command's temporary names
    // One file of each file system a rename went to: its flush makes the renames last.
    std::vector<plattform::TDatei> umbenannt_;
    std::string letztesVerzeichnis_, letzteKennung_; // Ort's cache
    std::unordered_set<std::string> weggenommen_; // places (Ort) of sources this move took away
    std::unordered_set<plattform::TDateiKennung, plattform::TDateiKennungHash> bewegt_;
    // Files found at a target with a moved source's content: they stand in for that source now.
    std::unordered_set<plattform::TDateiKennung, plattform::TDateiKennungHash> angenommen_;
    std::unordered_set<plattform::TDateiKennung, plattform::TDateiKennungHash> behalten_;
};
