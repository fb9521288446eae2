#pragma once

// A file written whole or not at all: its bytes go to a new file beside the
// target, which takes the target's place only once every byte is written
// and on the disk. Whoever reads the target meanwhile, and whatever stops
// the program, finds the old file or the new one, never a torn one; a
// failure leaves the target as it was and reports why.

#include "util/Ersatzdatei.h"
#include "util/Grund.h"

#include <optional>
#include <string>
#include <string_view>

// Why a file could not be written: the path a user will recognise, and the
// system's reason.
struct TDateiFehler {
    std::string pfad;
    TGrund grund;
};

class TGanzeDatei {
public:
    // Makes the new file beside ziel (a failure is kept for Abschliessen).
    explicit TGanzeDatei(std::string ziel);
    // Without Abschliessen the new file is removed and the target stays.
    ~TGanzeDatei() = default;
    TGanzeDatei(const TGanzeDatei&) = delete;
    TGanzeDatei& operator=(const TGanzeDatei&) = delete;

    // Appends bytes. After a failure nothing more is written: Abschliessen
    // reports the first one.
    void Schreiben(std::string_view bytes);

    // Writes the rest, brings the file to the disk and renames it over the
    // target. No value when the target now holds every byte written.
    std::optional<TDateiFehler> Abschliessen();

private:
    void Leeren();
    void Scheitern();

    std::string ziel_;
    TErsatzDatei ersatz_;
    std::string puffer_; // written in blocks, not one call per line
    std::optional<TDateiFehler> fehler_;
};
