#pragma once

// The main window's section of the settings file "Einst.sys", which other
// programs may share: where the window stood, how wide it was, and the two
// directories. The format stays the one the file has always had, so that a
// file written by an older version opens the window where it was. The
// filter follows as two more fields at the end, which an older version
// does not read, and that are written only for a filter; a file without
// them reads as no filter.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The section name and the header of our settings.
inline constexpr const char* FensterAbschnitt = "Kollatrix";
inline constexpr const char* FensterDateikopf = "Kollatrix 2002V1";

// The window's filter as the user wrote it: the patterns that leave entries
// out (see TFilter::MusterHinzufuegen), and the minimum size as "N[KMG]",
// empty for none.
struct TFilterwerte {
    std::vector<std::string> muster;
    std::string mindestgroesse;
    bool operator==(const TFilterwerte&) const = default;
};

// How many bytes a filter takes in our section (FensterwerteSichern), and
// the most it may: the settings file is read only up to 64 MiB, shared with
// other programs, and a filter beyond would cost position and directories.
size_t FilterLaenge(const TFilterwerte& filter);
inline constexpr size_t FilterHoechstens = size_t{1} << 20;

// What our section holds. The position and width are of the outer frame.
struct TFensterwerte {
    int32_t oben = 0;
    int32_t links = 0;
    std::string verzeichnis1;
    std::string verzeichnis2;
    int32_t breite = 0;
    TFilterwerte filter;
};

// Reads our section from the settings body into werte, field by field in
// the stored order. False, with werte untouched, when the body holds no
// section of ours (a first start). A number too large to read throws
// EFehler; the fields before it are already in werte, the ones after it
// keep what they had, so the caller applies werte also when it throws.
// While a save in place runs the section stands twice; the last copy is
// the newer one.
bool FensterwerteLesen(const std::string& einstellungen, TFensterwerte& werte);

// Writes werte as our section into einstellungen and the file at pfad. A
// directory whose name would not read back from the file is stored as
// ersatz1 or ersatz2, its start value, so that the next start opens where a
// first start would. The patterns keep every byte; a minimum size that would
// not read back, and a filter over FilterHoechstens, are stored as none.
// False when the file was not written.
bool FensterwerteSichern(const TFensterwerte& werte, const std::string& ersatz1, const std::string& ersatz2,
                         std::string& einstellungen, const std::string& pfad);
