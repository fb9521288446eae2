#include "reference/Textblock.h"
#include "reference/Hashtabelle.h"
#include "util/Fehler.h"
#include "util/Speicher.h"
#include "util/Stringsbearbeiten.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

namespace {

constexpr uint32_t N = 10'000'000;

std::string Text(void* daten)
{
    return TextAus(static_cast<const char*>(daten));
}

// Each case gets a table of the program's own size: until buckets are
// filled it costs next to nothing.
class Hashtabelle : public ::testing::Test {
protected:
    std::unique_ptr<THashTabelle> tabelle = std::make_unique<THashTabelle>(N);
};

} // namespace

class HashtabelleLeer : public ::testing::TestWithParam<uint64_t> {};

TEST_P(HashtabelleLeer, UntouchedBucketReadsAsEmptyList)
{
    THashTabelle tabelle(N);
    const uint64_t schluessel = GetParam();
    EXPECT_EQ(tabelle.AnzahlBei(schluessel), 0u);
    EXPECT_EQ(tabelle.ElementBei(0, schluessel), nullptr);
    EXPECT_FALSE(tabelle.EntfernenBei(0, schluessel));
    tabelle.EntfernenText("", schluessel);
    EXPECT_EQ(tabelle.AnzahlBei(schluessel), 0u);
}

INSTANTIATE_TEST_SUITE_P(Keys, HashtabelleLeer,
                         ::testing::Values(0u, 5u, 63u, 64u, N - 1, N, 4294967295u,
                                           UINT64_MAX));

TEST_F(Hashtabelle, KeysWithTheSameRemainderShareABucket)
{
    tabelle->Einfuegen(TextKopie("/b/fuenf"), 5, 0);
    tabelle->Einfuegen(TextKopie("/b/n-plus-fuenf"), N + 5, 0);
    EXPECT_EQ(tabelle->AnzahlBei(5), 2u);
    EXPECT_EQ(tabelle->AnzahlBei(N + 5), 2u);
    EXPECT_EQ(tabelle->AnzahlBei(2ull * N + 5), 2u);
    EXPECT_EQ(Text(tabelle->ElementBei(1, 5)), "/b/n-plus-fuenf");
    EXPECT_EQ(Text(tabelle->ElementBei(0, N + 5)), "/b/fuenf");
    EXPECT_EQ(tabelle->AnzahlBei(6), 0u);
}

TEST_F(Hashtabelle, UnreadableSizeFallsIntoItsRemainderBucket)
{
    tabelle->Einfuegen(TextKopie("/b/x"), 4'967'295, 0);
    EXPECT_EQ(tabelle->AnzahlBei(4294967295u), 1u);
    EXPECT_EQ(Text(tabelle->ElementBei(0, 4294967295u)), "/b/x");
}

TEST_F(Hashtabelle, SizesBeyondFourGigabytesAreTakenWhole)
{
    const uint64_t gross = (uint64_t{1} << 32) + 7; // 4294967303: remainder 4967303
    tabelle->Einfuegen(TextKopie("/b/gross"), gross, 0);
    EXPECT_EQ(tabelle->AnzahlBei(4'967'303), 1u);
    EXPECT_EQ(tabelle->AnzahlBei(7), 0u);
}

TEST_F(Hashtabelle, RemovingAtTheBucketLengthChangesNothing)
{
    tabelle->Einfuegen(TextKopie("a"), 42, 0);
    tabelle->Einfuegen(TextKopie("b"), 42, 0);
    EXPECT_FALSE(tabelle->EntfernenBei(2, 42));
    EXPECT_EQ(tabelle->AnzahlBei(42), 2u);
    EXPECT_TRUE(tabelle->EntfernenBei(0, 42));
    EXPECT_EQ(tabelle->AnzahlBei(42), 1u);
    EXPECT_EQ(Text(tabelle->ElementBei(0, 42)), "b");
}

TEST_F(Hashtabelle, RemovingByTextStaysInTheKeysBucket)
{
    tabelle->Einfuegen(TextKopie("/b/eins"), 1, 0);
    tabelle->Einfuegen(TextKopie("/b/zwei"), 2, 0);
    tabelle->EntfernenText("/b/zwei", 1);
    EXPECT_EQ(tabelle->AnzahlBei(1), 1u);
    EXPECT_EQ(tabelle->AnzahlBei(2), 1u);
    tabelle->EntfernenText("/b/zwei", 2);
    EXPECT_EQ(tabelle->AnzahlBei(2), 0u);
    EXPECT_EQ(tabelle->ElementBei(0, 2), nullptr);
}

TEST_F(Hashtabelle, EachBucketKeepsItsOwnCursor)
{
    for (const char* s : {"a0", "a1", "a2"})
        tabelle->Einfuegen(TextKopie(s), 100, 0);
    for (const char* s : {"b0", "b1"})
        tabelle->Einfuegen(TextKopie(s), 200, 0);
    EXPECT_EQ(Text(tabelle->ElementBei(2, 100)), "a2");
    EXPECT_EQ(Text(tabelle->ElementBei(0, 200)), "b0");
    // The search removes a matched entry and looks at the same index again.
    EXPECT_TRUE(tabelle->EntfernenBei(1, 100));
    EXPECT_EQ(Text(tabelle->ElementBei(1, 100)), "a2");
    EXPECT_EQ(Text(tabelle->ElementBei(1, 200)), "b1");
}

// Buckets at both ends of the array and on both sides of a bitmap word's
// boundary; the sanitizer build proves that destruction reaches every one.
TEST(HashtabelleZerstoeren, DeletingAFilledTableReleasesEveryEntry)
{
    auto* tabelle = new THashTabelle(N);
    for (uint64_t schluessel : {uint64_t{0}, uint64_t{1}, uint64_t{63}, uint64_t{64},
                                uint64_t{127}, uint64_t{128}, uint64_t{N - 65},
                                uint64_t{N - 64}, uint64_t{N - 1}}) {
        tabelle->Einfuegen(TextKopie("/b/" + std::to_string(schluessel)), schluessel, 0);
        tabelle->Einfuegen(nullptr, schluessel, 0);
    }
    for (uint64_t i = 0; i < 5000; ++i)
        tabelle->Einfuegen(TextKopie("/c/" + std::to_string(i)), i * 7919, 0);
    EXPECT_EQ(tabelle->AnzahlBei(N - 1), 2u);
    EXPECT_EQ(tabelle->AnzahlBei(0), 3u); // 0 and 0 * 7919
    delete tabelle;
}

TEST(HashtabelleGroesse, ZeroBucketsIsTakenAsOne)
{
    THashTabelle tabelle(0);
    EXPECT_EQ(tabelle.ListenZahl(), 1u);
    tabelle.Einfuegen(TextKopie("a"), 17, 0);
    tabelle.Einfuegen(TextKopie("b"), 4294967295u, 0);
    EXPECT_EQ(tabelle.AnzahlBei(0), 2u);
}

TEST(HashtabelleGroesse, OddBucketCountsUseEveryBucket)
{
    THashTabelle tabelle(65); // the bitmap's last word holds one bucket
    tabelle.Einfuegen(TextKopie("letzter"), 64, 0);
    tabelle.Einfuegen(TextKopie("erster"), 65, 0);
    EXPECT_EQ(Text(tabelle.ElementBei(0, 129)), "letzter");
    EXPECT_EQ(Text(tabelle.ElementBei(0, 0)), "erster");
}

TEST(HashtabelleGroesse, BucketsThatCannotBeHadRaiseTheMemoryError)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator reserves without asking the system";
#else
    // 4294967295 buckets of 32 bytes: far more than the machine can promise.
    std::unique_ptr<THashTabelle> tabelle;
    try {
        tabelle = std::make_unique<THashTabelle>(4294967295u);
    } catch (const EFehler& fehler) {
        EXPECT_STREQ(fehler.what(), SpeicherFehlerText);
        return;
    }
    GTEST_SKIP() << "this system overcommits memory and granted 128 GiB";
#endif
}
