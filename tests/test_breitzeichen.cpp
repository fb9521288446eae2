#include "util/Breitzeichen.h"

#include <gtest/gtest.h>

namespace {

struct UmkehrFall {
    const char* name;
    std::string text;
    std::u16string breit;
};

class BreitzeichenHinUndZurueck : public ::testing::TestWithParam<UmkehrFall> {};

} // namespace

TEST_P(BreitzeichenHinUndZurueck, BothWaysGiveTheOtherForm)
{
    std::u16string breit = u"vorher";
    ASSERT_TRUE(BreitAus(GetParam().text, breit));
    EXPECT_EQ(breit, GetParam().breit);
    EXPECT_EQ(Utf8Aus(GetParam().breit.data(), GetParam().breit.size()), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, BreitzeichenHinUndZurueck,
    ::testing::Values(UmkehrFall{"Empty", "", u""},
                      UmkehrFall{"Ascii", "C:\\A\\x.txt", u"C:\\A\\x.txt"},
                      UmkehrFall{"TwoBytes", "Gr\xC3\xBC\xC3\x9F" "e", u"Gr\u00FC\u00DFe"},
                      UmkehrFall{"ThreeBytes", "\xE6\x97\xA5\xE2\x82\xAC", u"\u65E5\u20AC"},
                      UmkehrFall{"LastOfEachLength", "\x7F\xDF\xBF\xEF\xBF\xBF", u"\u007F\u07FF\uFFFF"},
                      // Outside the first plane: one four-byte sequence, two UTF-16 units.
                      UmkehrFall{"SurrogatePair", "\xF0\x9F\x98\x80", u"\U0001F600"},
                      UmkehrFall{"HighestCodePoint", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
                      // Lone surrogates, which Windows allows in names, keep their three bytes.
                      UmkehrFall{"LoneHighSurrogate", "a\xED\xA0\x80" "b", std::u16string{u'a', 0xD800, u'b'}},
                      UmkehrFall{"LoneLowSurrogate", "\xED\xBF\xBF", std::u16string(1, 0xDFFF)},
                      UmkehrFall{"LowBeforeHigh", "\xED\xB0\x80\xED\xA0\x80",
                                 std::u16string{0xDC00, 0xD800}},
                      UmkehrFall{"HighAtTheEnd", "x\xED\xAF\xBF", std::u16string{u'x', 0xDBFF}}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

struct FehlerFall {
    const char* name;
    std::string text;
};

class BreitzeichenAbgelehnt : public ::testing::TestWithParam<FehlerFall> {};

} // namespace

TEST_P(BreitzeichenAbgelehnt, BytesThatAreNoTextNameNoFile)
{
    std::u16string breit;
    EXPECT_FALSE(BreitAus(GetParam().text, breit));
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, BreitzeichenAbgelehnt,
    ::testing::Values(FehlerFall{"Latin1Byte", "Gr\xFC\xDF" "e"},
                      FehlerFall{"LoneContinuationByte", "a\x80"},
                      FehlerFall{"TruncatedAtTheEnd", "a\xE6\x97"},
                      FehlerFall{"TruncatedBeforeAscii", "\xC3" "a"},
                      FehlerFall{"OverlongSlash", "\xC0\xAF"},
                      FehlerFall{"OverlongThreeBytes", "\xE0\x80\xAF"},
                      FehlerFall{"OverlongFourBytes", "\xF0\x80\x80\xAF"},
                      FehlerFall{"AboveHighestCodePoint", "\xF4\x90\x80\x80"},
                      FehlerFall{"FiveByteLead", "\xF8\x88\x80\x80\x80"},
                      FehlerFall{"ByteFF", "\xFF"},
                      // A pair has its one four-byte form; two three-byte halves would be a second name for it.
                      FehlerFall{"PairAsTwoHalves", "\xED\xA0\xBD\xED\xB8\x80"},
                      // The system would read the name only up to the NUL.
                      FehlerFall{"NulInside", std::string("a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.name); });
