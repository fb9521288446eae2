#include "util/Grund.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

// The C library's words for a number it does not know.
#ifdef _WIN32
constexpr const char* Unbekannt = "Unknown error";
#else
constexpr const char* Unbekannt = "Unknown error 9999";
#endif

struct TGrundFall {
    TGrund grund;
    const char* deutsch;
    const char* englisch;
};

class Grund : public ::testing::TestWithParam<TGrundFall> {};

} // namespace

TEST_P(Grund, TheWindowSaysItInGermanTheCommandLineInEnglish)
{
    EXPECT_EQ(GrundDeutsch(GetParam().grund), GetParam().deutsch);
    EXPECT_EQ(GrundEnglisch(GetParam().grund), GetParam().englisch);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Grund,
    ::testing::Values(
        TGrundFall{TGrund::System(EACCES), "Zugriff verweigert", "Permission denied"},
        TGrundFall{TGrund::System(ENOENT, "/z/d"), "/z/d: Datei oder Verzeichnis nicht gefunden",
                   "/z/d: No such file or directory"},
        TGrundFall{TGrund::System(ENOSPC), "Kein Speicherplatz mehr auf dem Gerät", "No space left on device"},
        TGrundFall{TGrund::System(9999), "Systemfehler 9999", Unbekannt},
        TGrundFall{TGrund::Eigen(TGrundArt::NichtLesbar),
                   "nicht lesbar (nicht mehr da, geändert oder Zugriff verweigert)",
                   "not readable (gone, changed or access denied)"},
        TGrundFall{TGrund::Eigen(TGrundArt::PapierkorbOffen, "/h/T"),
                   "Papierkorb /h/T ist für andere Benutzer zugänglich und wird nicht benutzt",
                   "trash /h/T is open to other users and not used"},
        TGrundFall{{}, "", ""}));
