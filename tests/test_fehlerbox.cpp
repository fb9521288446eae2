#include "fenster/Fehlerbox.h"

#include "util/Fehler.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

namespace {

struct TFall {
    const char* name;
    std::function<void()> aufgabe;
    std::string text;
};

class FehlerboxTest : public ::testing::TestWithParam<TFall> {};

TEST_P(FehlerboxTest, ShowsTheEscapedErrorInOneBoxAndCarriesOn)
{
    std::vector<std::string> boxen;
    EXPECT_FALSE(Abgesichert(GetParam().aufgabe, [&](const std::string& text) { boxen.push_back(text); }));
    EXPECT_EQ(boxen, std::vector<std::string>{GetParam().text});
}

INSTANTIATE_TEST_SUITE_P(
    Fehler, FehlerboxTest,
    ::testing::Values(
        TFall{"Conversion", [] { throw EFehler("'99999999999' ist kein gültiger Integerwert"); },
              "'99999999999' ist kein gültiger Integerwert."},
        TFall{"OutOfMemory", [] { throw std::bad_alloc(); }, "Zu wenig Arbeitsspeicher."},
        TFall{"OtherStandardError", [] { throw std::runtime_error("kaputt"); }, "kaputt."},
        TFall{"EndsInAFullStopAlready", [] { throw EFehler("Bitmap ist ungültig."); }, "Bitmap ist ungültig."},
        TFall{"EndsInAnExclamationMark", [] { throw EFehler("Halt!"); }, "Halt!"}),
    [](const auto& info) { return info.param.name; });

TEST(Fehlerbox, ShowsNothingWhenNothingEscaped)
{
    int boxen = 0;
    bool gelaufen = false;
    EXPECT_TRUE(Abgesichert([&] { gelaufen = true; }, [&](const std::string&) { ++boxen; }));
    EXPECT_TRUE(gelaufen);
    EXPECT_EQ(boxen, 0);
}

} // namespace
