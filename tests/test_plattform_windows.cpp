// What only Windows has: names that are not valid UTF-16, opening rules.

#include "Testbaum.h"

#include "util/Plattform.h"
#include "util/Speila.h"

#include <gtest/gtest.h>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace {

std::wstring Breit(const std::string& pfad)
{
    return TTestbaum::Pfad(pfad).wstring();
}

} // namespace

// Windows lets a name hold a lone surrogate. The listing must give a text
// that names that same file again, or it would drop out of a search.
TEST(WindowsNamen, ALoneSurrogateNameCanBeFoundAndOpened)
{
    TTestbaum baum;
    const std::wstring name = std::wstring(L"a") + wchar_t(0xD800) + L"b";
    const HANDLE griff = ::CreateFileW((Breit(baum.Wurzel()) + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (griff == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "this file system takes no such name";
    DWORD geschrieben = 0;
    ::WriteFile(griff, "xyz", 3, &geschrieben, nullptr);
    ::CloseHandle(griff);

    plattform::TVerzeichnisListe liste(baum.Wurzel());
    std::string gefunden, eintrag;
    plattform::TEintragsArt art;
    while (liste.Naechster(eintrag, art))
        if (eintrag != "." && eintrag != "..")
            gefunden = eintrag;
    EXPECT_EQ(gefunden, "a\xED\xA0\x80" "b");
    EXPECT_EQ(DateiGroesse(baum.Wurzel() + gefunden), 3);
    EXPECT_TRUE(plattform::DateiEntfernen(baum.Wurzel() + gefunden));
}

// A file that another program holds without sharing cannot be read; that is
// a failed open, never an empty file.
TEST(WindowsTeilen, AFileHeldExclusivelyIsNotOpened)
{
    TTestbaum baum;
    const std::string pfad = baum.Datei("f", "inhalt");
    const HANDLE griff = ::CreateFileW(Breit(pfad).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(griff, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(plattform::TDatei::OeffnenLesen(pfad).Offen());
    EXPECT_EQ(DateiGroesse(pfad), -1);
    // Looking at it needs no access to its contents.
    EXPECT_TRUE(plattform::IstDatei(pfad));
    ::CloseHandle(griff);
    EXPECT_EQ(DateiGroesse(pfad), 6);
}

// The device names answer in every directory, yet no file lies there.
TEST(WindowsGeraete, DeviceNamesInAnyDirectoryAreNoFiles)
{
    TTestbaum baum;
    for (const char* name : {"NUL", "nul", "COM1", "CON", "AUX", "PRN", "LPT1"}) {
        EXPECT_FALSE(plattform::IstDatei(baum.Wurzel() + name)) << name;
        EXPECT_FALSE(plattform::IstVerzeichnis(baum.Wurzel() + name)) << name;
        EXPECT_EQ(DateiGroesse(baum.Wurzel() + name), -1) << name;
    }
}
