#pragma once

// A file written beside its target and put in the target's place only once
// it is complete, so that a failed write never harms what the target held,
// and a link at the target is replaced rather than written through.

#include "util/Plattform.h"

#include <string>

// What the new file becomes.
enum class TErsatzArt {
    // A file of its own, made as any new file is (0666 less the umask) and
    // renamed into place.
    Neu,
    // As Neu, for a target that is missing: put in place only while the
    // name is still free, so a file that another program made there in the
    // meantime stays (and Einsetzen fails).
    Erster,
    // The successor of an existing file, which the caller gives the old
    // file's owner, mode and attributes: readable by its owner alone until
    // then, so nobody else can open it in between and keep reading what the
    // old file's rights would deny him; put in place by DateiErsetzen.
    Nachfolger
};

class TErsatzDatei {
public:
    // Creates a new file under a fresh name in the directory of ziel,
    // exclusively and never through a link. Check Offen() before writing.
    explicit TErsatzDatei(std::string ziel, TErsatzArt art = TErsatzArt::Neu);
    // Removes the new file unless it took the target's place.
    ~TErsatzDatei();
    TErsatzDatei(const TErsatzDatei&) = delete;
    TErsatzDatei& operator=(const TErsatzDatei&) = delete;

    bool Offen() const { return datei_.Offen(); }

    // The new file, open for writing.
    plattform::TDatei& Datei() { return datei_; }

    // The new file's name while it is not yet in place.
    const std::string& Pfad() const { return pfad_; }

    // Closes the new file and renames it over the target. False when the
    // close or the rename failed: the target is then as it was and the new
    // file is gone. A read-only target is never replaced.
    bool Einsetzen();

private:
    std::string ziel_;
    TErsatzArt art_;
    std::string pfad_;
    plattform::TDatei datei_;
    bool eingesetzt_ = false;
};

// Removes the new files that earlier successors of ziel (TErsatzArt
// Nachfolger or Erster) left in its directory when they were stopped before
// Einsetzen, a kill among them. Only for a caller that holds what keeps
// other successors of ziel from being made meanwhile (the lock of the
// settings file); a successor made without it (Erster) that loses its file
// here fails in Einsetzen and leaves the target as it was.
void VerwaisteEntfernen(const std::string& ziel);
