#pragma once

// The main window's section of the settings file "Einst.sys", which other
// programs may share: where the window stood, how wide it was, and the two
// directories. The format stays the one the file has always had, so that a
// file written by an older version opens the window where it was.

#include <cstdint>
#include <string>

// The section name and the header of our settings.
inline constexpr const char* FensterAbschnitt = "Kollatrix";
inline constexpr const char* FensterDateikopf = "Kollatrix 2002V1";

// What our section holds. The position and width are of the outer frame.
struct TFensterwerte {
    int32_t oben = 0;
    int32_t links = 0;
    std::string verzeichnis1;
    std::string verzeichnis2;
    int32_t breite = 0;
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
// first start would. False when the file was not written.
bool FensterwerteSichern(const TFensterwerte& werte, const std::string& ersatz1, const std::string& ersatz2,
                         std::string& einstellungen, const std::string& pfad);
