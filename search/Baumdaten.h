#pragma once

// What the walks of a search found, each name kept once: a directory as its
// full path, a file as the number of its directory and its own name. A path
// is put together only where one is shown or opened. The result list's
// lines point at these files, so they live as long as the lines.

#include "util/Bytespeicher.h"
#include "util/Plattform.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A directory a walk listed.
struct TBaumVerzeichnis {
    std::string_view pfad;            // ends with the separator
    plattform::TDateiKennung kennung; // after following links
    bool bekannt = false;             // kennung could be read
    // A link was followed on the way to it below where its walk began: its
    // files are looked at and opened by their whole paths, which is what
    // the system's limit of links in one lookup applies to.
    bool verweis = true;
    // A symbolic link stands on its path below where its walk began, for
    // certain (verweis also holds where the listing could not tell): its
    // files' names are not their own.
    bool ueberVerweis = false;
};

// A file entry of a walk (anything listed that is not a directory). There
// is one per file of both trees: 40 bytes, its name apart.
struct TBaumEintrag {
    uint32_t name = 0;                // its own name, see TBaumdaten::Name
    uint32_t verzeichnis = 0;         // index into TBaumdaten::verzeichnisse
    int64_t groesse = -1;             // of a regular file
    uint64_t knoten = 0;              // with geraet, the file's identity (see TBaumdaten::Kennung)
    uint64_t zeiten = 0;              // its modification and status change time as last looked at (ZeitenMischen), 0 never looked at
    int32_t klasse = -1;              // class of identical content, -1 for none (filled in later)
    // (Bit fields of one type: only those share their storage on every
    // platform's layout.)
    uint32_t geraet : 24 = 0;         // index into the data's devices
    uint32_t regulaer : 1 = 0;        // an existing regular file
    uint32_t kennungBekannt : 1 = 0;  // knoten and geraet were read, also of what is no regular file
    // The name is a symbolic link or lies below one: the file's own name,
    // where the tree holds it too, heads its group in its place.
    uint32_t verweis : 1 = 0;
    int32_t oeffenbar : 2 = -1;       // 1 can be opened, 0 cannot, -1 not known yet (filled in later)
};
static_assert(sizeof(TBaumEintrag) == 40);

// The two times that tell whether a file is still as it was seen, in the
// eight bytes an entry has for them. Any write moves the status change time
// on, and nobody can set it back, so a different file or a changed one
// gives a different number (but for a collision of 2^-64).
uint64_t ZeitenMischen(int64_t geaendert, int64_t statusGeaendert);

class TBaumdaten {
public:
    TBaumdaten() = default;
    // Entries point into the store it owns: neither copied nor moved.
    TBaumdaten(const TBaumdaten&) = delete;
    TBaumdaten& operator=(const TBaumdaten&) = delete;

    // The directories of every walk, and each walk's file entries in the
    // order it met them. Deques, so that entries never move as they grow.
    std::vector<TBaumVerzeichnis> verzeichnisse;
    std::deque<std::deque<TBaumEintrag>> laeufe;

    // A walk's number, for its entries to come.
    uint16_t NeuerLauf();

    // Keeps a directory's path; the view lives as long as the data.
    std::string_view Ablegen(std::string_view pfad) { return speicher_.Ablegen(pfad); }
    // A new entry at the end of walk lauf, named name in directory verzeichnis.
    TBaumEintrag& Eintragen(uint16_t lauf, uint32_t verzeichnis, std::string_view name);

    std::string_view Name(const TBaumEintrag& eintrag) const;
    // Longer than any name a file system gives.
    static constexpr size_t NameMax = 0xFFFF;
    std::string Pfad(const TBaumEintrag& eintrag) const;
    size_t PfadLaenge(const TBaumEintrag& eintrag) const;

    plattform::TDateiKennung Kennung(const TBaumEintrag& eintrag) const;
    void KennungSetzen(TBaumEintrag& eintrag, const plattform::TDateiKennung& kennung);
    // Whether two entries have the same identity, without making it.
    // (Entries never looked at have none; they are alike among themselves.)
    static bool GleicheKennung(const TBaumEintrag& x, const TBaumEintrag& y)
    {
        return x.knoten == y.knoten && x.geraet == y.geraet;
    }
    // Whether two entries were surely one file when last looked at: the
    // same identity and the same times. A number freed by a deleted file
    // is soon given to a new one, which has times of its own.
    static bool GleicherStand(const TBaumEintrag& x, const TBaumEintrag& y)
    {
        return GleicheKennung(x, y) && x.zeiten == y.zeiten;
    }

    // Everything gone, the memory given back.
    void Leeren();

private:
    // The rest of an identity besides the file's number: nearly always one
    // value per file system, so kept once each.
    struct TGeraet {
        uint64_t geraet = 0;
        uint64_t knotenHoch = 0;
        bool operator==(const TGeraet&) const = default;
    };
    struct TGeraetHash {
        size_t operator()(const TGeraet& g) const { return static_cast<size_t>(g.geraet * 31 + g.knotenHoch); }
    };

    // Names lie in blocks of one size, numbered by block and place, so that
    // four bytes find one.
    static constexpr unsigned NamenBlockBits = 20;
    static constexpr size_t NamenBlock = size_t{1} << NamenBlockBits;

    TBytespeicher speicher_;
    std::vector<std::unique_ptr<char[]>> namen_;
    size_t namenFrei_ = 0;
    std::vector<TGeraet> geraete_;
    std::unordered_map<TGeraet, uint32_t, TGeraetHash> geraetNummer_;
};

// True when two entries of one search are one and the same directory entry:
// the same name in the same directory, however the walks spelt that
// directory.
bool GleicherEintrag(const TBaumEintrag& x, const TBaumEintrag& y, const TBaumdaten& daten);

// True when two entries are names of one file (hard links, a link and what
// it leads to, one file reached by two ways), as last looked at: such names
// are never copies of each other.
inline bool EineDatei(const TBaumEintrag& x, const TBaumEintrag& y)
{
    return x.regulaer && y.regulaer && TBaumdaten::GleicheKennung(x, y);
}

// The directory text a walk starts from: with the separator at its end, so
// that "x" and "x/" name one directory and its files are x/name. The empty
// text (the working directory) stays empty.
std::string MitTrenner(std::string verzeichnis);
