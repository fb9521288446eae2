#pragma once

// The result list written for other programs, as CSV or as JSON, from the
// list's data (never from its display). It is written in steps, group by
// group, so that the terminal hands each group on as it is finished and the
// window writes a whole list without holding its text twice.
//
// A group is a "!" line with the "+" lines under it, or a "- " line alone.
//
// JSON: one object, a group per line:
//   {"format": "dubrinax-list", "version": 1, "directories": [first, second], "groups": [
//   {"kind": "!", "files": [{"kind": "!", "size": 3, "path": "A/x"}, {"kind": "+", "size": 3, "path": "B/y"}]},
//   {"kind": "-", "files": [{"kind": "-", "size": 5, "path": "A/z"}]}
//   ], "complete": true, "counts": {"+": 1, "-": 1, "!": 1}}
// "path" is the whole path as the list shows it; "size" is in bytes, null
// when the file could not be looked at; "complete" is false for a search
// that was stopped; "counts" counts the lines written. A path's bytes that
// are no UTF-8 each stand as an escaped lone surrogate U+DC80 to U+DCFF
// (byte 0x80 to 0xFF), as Python's "surrogateescape" reads them, so that
// os.fsencode() gives the name back; such a path also has "path_hex", its
// bytes in hexadecimal, for readers that replace lone surrogates.
//
// CSV (RFC 4180, lines ended by CR LF): a header "group,kind,size,path",
// then one row per line: the group's number from 1, the kind, the size
// (empty when not known), the path. A field holding a comma, a quote, CR
// or LF is quoted, its quotes doubled. The path's bytes stand as they are,
// UTF-8 or not.

#include "search/Fundliste.h"
#include "util/Ganzdatei.h"

#include <cstdint>
#include <optional>
#include <string>

enum class TExportFormat { Csv, Json };

// The format a file name asks for: ".csv" or ".json", in any case. False
// for any other name.
bool FormatNachName(const std::string& pfad, TExportFormat& format);

class TListenexport {
public:
    explicit TListenexport(TExportFormat format) : format_(format) {}

    // What comes first: the directories the trees were searched from.
    void Anfang(const std::string& erstes, const std::string& zweites, std::string& aus);

    // Lines erste to ende - 1 of liste, which end where a group ends: each
    // group written in turn.
    void Gruppen(const TFundliste& liste, uint32_t erste, uint32_t ende, std::string& aus);

    // What comes last: whether the list is the whole result, and the count
    // of each kind of line written.
    void Ende(bool vollstaendig, std::string& aus);

private:
    void Gruppe(const TFundliste& liste, uint32_t erste, uint32_t ende, std::string& aus);

    TExportFormat format_;
    uint64_t gruppen_ = 0;
    uint64_t plus_ = 0, minus_ = 0, ausrufe_ = 0;
};

// Writes the whole list to the file pfad, whole or not at all (see
// TGanzeDatei). No value when it was written.
std::optional<TDateiFehler> ListeSpeichern(const TFundliste& liste, const std::string& pfad, TExportFormat format,
                                           bool vollstaendig = true);
