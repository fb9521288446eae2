#pragma once

// What the walks leave out: entries whose name or path matches a pattern,
// and files below a minimum size. A left-out file is in no list and is no
// candidate; a left-out directory is not entered. Both searches ask it at
// every entry, so they agree on what there is to compare.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TFilter {
public:
    // Leaves out every entry that matches muster. The pattern takes "*"
    // (any characters), "?" (one character) and "[...]" (one of them,
    // ranges "a-z", "!" or "^" first for none of them); on POSIX "\"
    // takes the next character as it is. "/" separates directories and
    // is matched by itself alone. A pattern without "/" is matched
    // against each entry's name, one with "/" (or beginning with "/")
    // against its path below the searched directory; a final "/" makes it
    // match directories only. On Windows "\" separates, as "/" does.
    // Characters are UTF-8 characters; a byte that begins none is a
    // character of its own. Matching is case-sensitive on every platform.
    void MusterHinzufuegen(std::string_view muster);

    // Leaves out every file smaller than groesse bytes (0 or more), and
    // with a minimum set, also one of 0, every entry whose size is not known
    // (no regular file, or one that could not be looked at).
    void MindestgroesseSetzen(int64_t groesse) { mindestgroesse_ = groesse < 0 ? 0 : groesse; }
    // The minimum, -1 when none is set.
    int64_t Mindestgroesse() const { return mindestgroesse_; }

    // Whether the entry name in the directory ort is left out by a
    // pattern; ort is the directory's path below the searched directory
    // (empty for that one, else ending with a separator).
    bool Ausgeschlossen(std::string_view ort, std::string_view name, bool verzeichnis) const;

    // Whether a file of this size (-1 not known) is left out.
    bool ZuKlein(int64_t groesse) const { return mindestgroesse_ >= 0 && groesse < mindestgroesse_; }

private:
    // One piece of a pattern: a character, "*", "?" or a set.
    struct TTeil {
        enum class TArt : uint8_t { Zeichen, Stern, Frage, Menge } art = TArt::Zeichen;
        bool verneint = false;
        uint32_t zeichen = 0;
        std::vector<std::pair<uint32_t, uint32_t>> bereiche; // of a set, both ends included
    };
    using TStueck = std::vector<TTeil>; // what lies between two separators
    struct TMuster {
        std::vector<TStueck> stuecke;
        bool nurVerzeichnisse = false;
        bool ganzerPfad = false; // matched against the path, not the name
    };

    static bool MengeLesen(std::string_view text, size_t& pos, TTeil& teil);
    static bool StueckPasst(const TStueck& muster, const std::vector<uint32_t>& zeichen);

    std::vector<TMuster> muster_;
    bool pfadMuster_ = false; // some pattern is matched against the whole path
    int64_t mindestgroesse_ = -1;
};

// Reads a size as given on the command line: digits, then optionally K, M
// or G (powers of 1024, either case). False for anything else, and for a
// size above GroesseHoechstens, however it is spelt.
inline constexpr int64_t GroesseHoechstens = INT64_MAX; // 2^63 - 1 bytes, the most a file can have
bool GroesseLesen(std::string_view text, int64_t& groesse);
