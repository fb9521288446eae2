#include "Testbaum.h"

#include "util/Verzeichniswahl.h"

#include <gtest/gtest.h>

namespace {

struct TStartfall {
    const char* name;
    const char* pfad;      // below the tree; "/" stands for the separator
    const char* erwartet;  // below the tree, or "-" for the empty result
    bool relativ = false;  // the path as it is, not below the tree
};

void PrintTo(const TStartfall& fall, std::ostream* aus)
{
    *aus << fall.name;
}

class Verzeichniswahl : public ::testing::TestWithParam<TStartfall> {};

TEST_P(Verzeichniswahl, StartsInTheNearestDirectoryThatExists)
{
    const TStartfall& fall = GetParam();
    TTestbaum baum;
    baum.Verzeichnis("a/b");
    baum.Datei("a/datei.txt", "inhalt");
    const std::string pfad = (fall.relativ ? "" : baum.Wurzel()) + TTestbaum::Nativ(fall.pfad);
    const std::string erwartet =
        std::string(fall.erwartet) == "-" ? "" : baum.Wurzel() + TTestbaum::Nativ(fall.erwartet);
    EXPECT_EQ(VorhandenesVerzeichnis(pfad), erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Verzeichniswahl,
    ::testing::Values(TStartfall{"ExistingDirectoryWithName", "a/b/x", "a/b/"},
                      TStartfall{"ExistingDirectoryAlone", "a/b/", "a/b/"},
                      TStartfall{"MissingDirectoryGivesItsParent", "a/fehlt/x", "a/"},
                      TStartfall{"SeveralMissingLevels", "a/b/fehlt/auch/x", "a/b/"},
                      TStartfall{"DoubledSeparators", "a/fehlt//x", "a/"},
                      TStartfall{"AFileInThePathIsNoDirectory", "a/datei.txt/unter/x", "a/"},
                      TStartfall{"RelativeWithNothingExisting", "dubrinax-gibt-es-nicht/x", "-", true},
                      TStartfall{"NoDirectoryPartAtAll", "x", "-", true}),
    [](const auto& info) { return info.param.name; });

} // namespace
