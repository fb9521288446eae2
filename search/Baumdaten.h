#pragma once

// What the walks of a search found, each name kept once: a directory as its
// full path, a file as the number of its directory and its own name. A path
// is put together only where one is shown or opened. The result list's
// lines point at these files, so they live as long as the lines.

#include "util/Bytespeicher.h"
#include "util/Plattform.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A directory a walk listed.
struct TBaumVerzeichnis {
    std::string_view pfad;            // ends with the separator
    plattform::TDateiKennung kennung; // after following links
    bool bekannt = false;             // kennung could be read
};

// A file entry of a walk (anything listed that is not a directory).
struct TBaumEintrag {
    const char* name = nullptr;       // its own name, TBytespeicher::KurzAblegen
    int64_t groesse = -1;             // of a regular file
    uint64_t knoten = 0;              // with geraet, the file's identity (see TBaumdaten::Kennung)
    uint32_t verzeichnis = 0;         // index into TBaumdaten::verzeichnisse
    uint32_t geraet = 0;
    int32_t klasse = -1;              // class of identical content, -1 for none (filled in later)
    bool regulaer = false;            // an existing regular file
    int8_t oeffenbar = -1;            // 1 can be opened, 0 cannot, -1 not known yet (filled in later)
};

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

    static std::string_view Name(const TBaumEintrag& eintrag) { return TBytespeicher::Kurz(eintrag.name); }
    std::string Pfad(const TBaumEintrag& eintrag) const;
    size_t PfadLaenge(const TBaumEintrag& eintrag) const;

    plattform::TDateiKennung Kennung(const TBaumEintrag& eintrag) const;
    void KennungSetzen(TBaumEintrag& eintrag, const plattform::TDateiKennung& kennung);
    // Whether two entries have the same identity, without making it.
    static bool GleicheKennung(const TBaumEintrag& x, const TBaumEintrag& y)
    {
        return x.knoten == y.knoten && x.geraet == y.geraet;
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

    TBytespeicher speicher_;
    std::vector<TGeraet> geraete_;
    std::unordered_map<TGeraet, uint32_t, TGeraetHash> geraetNummer_;
};

// True when two entries of one search are one and the same directory entry:
// the same name in the same directory, however the walks spelt that
// directory. Hard links are entries of their own.
bool GleicherEintrag(const TBaumEintrag& x, const TBaumEintrag& y, const TBaumdaten& daten);
