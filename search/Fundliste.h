#pragma once

// What a search found, as data: per line of the result list its kind, its
// tree, its file's path (the directory that tree was searched from, then the
// path below it) and the file's identity. The search writes it; the window's
// list, the terminal output and the copy and move commands read it. The
// text of a line is made from it for display and never read back.

#include "util/Bytespeicher.h"
#include "util/Plattform.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TFund {
    std::string_view pfad;             // in the list's TBytespeicher
    plattform::TDateiKennung kennung;  // of the file the search looked at
    uint32_t basis = 0;                // bytes of pfad that are the searched directory
    char art = '-';                    // '-', '!' or '+', the line's first character
    uint8_t baum = 0;                  // 0 the first tree, 1 the second
    bool kennungBekannt = false;       // false: the search could not look at the file

    // The file's path below the directory its tree was searched from.
    std::string_view Relativ() const { return pfad.substr(basis); }
};

class TFundliste {
public:
    TFundliste() = default;
    // Lines point into the store it owns: neither copied nor moved.
    TFundliste(const TFundliste&) = delete;
    TFundliste& operator=(const TFundliste&) = delete;

    // Where the walks keep their paths, so that a line is a view of the path
    // of its file and costs no second copy.
    TBytespeicher& Speicher() { return speicher_; }

    // The directories the two trees were searched from, as the search took them.
    void VerzeichnisseSetzen(std::string erstes, std::string zweites);
    const std::string& Verzeichnis(uint8_t baum) const { return verzeichnisse_[baum != 0]; }

    uint32_t Anzahl() const { return static_cast<uint32_t>(funde_.size()); }
    const TFund& Fund(uint32_t index) const { return funde_[index]; }

    // Appends a line; fund.pfad must live in Speicher() (see Ablegen).
    void Anhaengen(const TFund& fund) { funde_.push_back(fund); }
    // A lasting copy of a path, for a search that did not walk into Speicher().
    std::string_view Ablegen(std::string_view pfad) { return speicher_.Ablegen(pfad); }
    // Turns a "- " line into a "! " line.
    void ArtSetzen(uint32_t index, char art) { funde_[index].art = art; }
    // The file a line's name was found to name when its content was read.
    void KennungSetzen(uint32_t index, const plattform::TDateiKennung& kennung) { funde_[index].kennung = kennung; }

    // The line as the list shows it: its prefix, then the path.
    std::string Text(uint32_t index) const;
    // The length of that text, without making it.
    size_t TextLaenge(uint32_t index) const;
    static std::string_view Praefix(char art);

    // Every line and every path gone, the memory given back.
    void Leeren();

private:
    TBytespeicher speicher_;
    std::vector<TFund> funde_;
    std::string verzeichnisse_[2];
};
