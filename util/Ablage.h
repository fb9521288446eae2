#pragma once

// The target of one copy or move command: puts files at their paths below
// one directory without ever replacing what stands there, and moves by a
// rename where source and target share a file system. Across file systems a
// move copies, checks the source was left alone, brings the copy to the disk
// and only then deletes the source; those last steps go in batches, so that
// thousands of small files cost one flush, not one each.

#include "util/Plattform.h"

#include <functional>
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

    // Puts the file quelle at relativ below the target directory. erwartet,
    // when given, is the file quelle must still be. An existing target is
    // only accepted when it holds byte for byte the source's content: a
    // copy then writes nothing, a move deletes the source. False when the
    // line was refused or failed; its source then stays. A move across file
    // systems may still fail in Abschliessen.
    bool Ablegen(const std::string& quelle, const plattform::TDateiKennung* erwartet, const std::string& relativ);

    // Brings the pending copies of a move to the disk, then deletes their
    // sources where they are still as they were copied. False when any
    // source had to be kept since the last call.
    bool Abschliessen();

    // Called after a source's bytes were copied and before they are checked:
    // where the tests let another program write to it.
    std::function<void(const std::string& quelle)> NachDemKopieren;

private:
    // A copy whose source waits for the flush before it is deleted.
    struct TOffen {
        std::string quelle;
        plattform::TQuellStand stand;
        plattform::TDatei kopie; // closed when the target existed already with that content
    };

    // The directory of relativ's directory part below the target, made as
    // needed, never through a link.
    const plattform::TVerzeichnisGriff* Verzeichnis(const std::string& teil);
    // An existing target: true when it holds what the source holds and is not the source itself.
    bool VorhandenesGleich(plattform::TDatei& quelle, const plattform::TQuellStand& stand,
                           const plattform::TVerzeichnisGriff& verzeichnis, const std::string& name);
    // The source is copied and still as it was: it may go after the flush.
    void Vormerken(const std::string& quelle, const plattform::TQuellStand& stand, plattform::TDatei kopie);
    // Removes the directory that held a moved source when it is now empty.
    void Aufraeumen(const std::string& quelle);

    std::string ziel_;
    bool verschieben_;
    plattform::TVerzeichnisGriff wurzel_;
    std::string letzterTeil_;
    plattform::TVerzeichnisGriff letztes_; // the directory of letzterTeil_
    std::vector<TOffen> offen_;
    bool fehler_ = false; // a pending source was kept
    std::unordered_set<std::string> weggenommen_; // sources this move took away
    std::unordered_set<plattform::TDateiKennung, plattform::TDateiKennungHash> bewegt_;
    // Files found at a target with a moved source's content: they stand in for that source now.
    std::unordered_set<plattform::TDateiKennung, plattform::TDateiKennungHash> angenommen_;
    std::unordered_set<plattform::TDateiKennung, plattform::TDateiKennungHash> behalten_;
};
