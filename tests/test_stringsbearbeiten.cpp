#include "util/Fehler.h"
#include "reference/Textblock.h"
#include "util/Stringsbearbeiten.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(TextKopie, EmptyTextGivesNoBlock)
{
    EXPECT_EQ(TextKopie(""), nullptr);
    EXPECT_EQ(TextKopie(std::string("\0abc", 4)), nullptr);
}

TEST(TextKopie, StopsAtFirstNulAndRoundTrips)
{
    char* block = TextKopie(std::string("ab\0cd", 5));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(TextAus(block), "ab");
    std::free(block);

    const std::string bytes = "/tmp/\xff\xfe-nicht-utf8 \x01";
    block = TextKopie(bytes);
    EXPECT_EQ(TextAus(block), bytes);
    std::free(block);
    EXPECT_EQ(TextAus(nullptr), "");
}

struct TeilTextFall {
    uint32_t cursor;
    uint32_t ende;
    const char* erwartet;
    uint32_t cursorDanach;
};

class TeilTextLesenTest : public ::testing::TestWithParam<TeilTextFall> {};

TEST_P(TeilTextLesenTest, CutsBetweenPositionsAndAdvancesCursor)
{
    const TeilTextFall& fall = GetParam();
    uint32_t cursor = fall.cursor;
    EXPECT_EQ(TeilTextLesen("abcdef", cursor, fall.ende), fall.erwartet);
    EXPECT_EQ(cursor, fall.cursorDanach);
}

INSTANTIATE_TEST_SUITE_P(Cursors, TeilTextLesenTest,
                         ::testing::Values(TeilTextFall{3, 4, "cd", 5},
                                           TeilTextFall{3, 99, "cdef", 7},
                                           TeilTextFall{0, 4, "", 0},
                                           TeilTextFall{7, 9, "", 7},
                                           TeilTextFall{1, 6, "abcdef", 7},
                                           TeilTextFall{4, 2, "", 4},
                                           TeilTextFall{6, 6, "f", 7}));

TEST(TeilText, LeavesTheCallersStartAlone)
{
    const uint32_t start = 2;
    EXPECT_EQ(TeilText("abcdef", start, 3), "bc");
    EXPECT_EQ(TeilText("abc", 5, 10), "");
}

struct ZahlFall {
    const char* text;
    int32_t wert;
};

class ZahlLesenTest : public ::testing::TestWithParam<ZahlFall> {};

TEST_P(ZahlLesenTest, KeepsDigitsOnly)
{
    EXPECT_EQ(ZahlLesen(GetParam().text), GetParam().wert);
}

INSTANTIATE_TEST_SUITE_P(Texte, ZahlLesenTest,
                         ::testing::Values(ZahlFall{"-8", 8}, ZahlFall{"1.024", 1024}, ZahlFall{"", 0},
                                           ZahlFall{"abc", 0}, ZahlFall{"2147483647", 2147483647},
                                           ZahlFall{"0002147483647", 2147483647}, ZahlFall{"0", 0}));

TEST(ZahlLesen, AboveInt32MaxRaisesTheConversionErrorWithTheDigits)
{
    try {
        ZahlLesen("2147483648");
        FAIL() << "no error raised";
    } catch (const EFehler& fehler) {
        EXPECT_STREQ(fehler.what(), "'2147483648' ist kein gültiger Integerwert");
    }
    try {
        ZahlLesen("-99.999.999.999x");
        FAIL() << "no error raised";
    } catch (const EFehler& fehler) {
        EXPECT_STREQ(fehler.what(), "'99999999999' ist kein gültiger Integerwert");
    }
}
