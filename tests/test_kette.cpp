#include "reference/Textblock.h"
#include "reference/Kette.h"
#include "reference/Loeschen.h"
#include "util/Stringsbearbeiten.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace {

std::string Name(uint32_t i)
{
    std::string name = "e"; // appended, not "e" + ...: g++ 12 warns falsely there
    name += std::to_string(i);
    return name;
}

// A list of n text elements "e0", "e1", ...
void Fuellen(TKette& kette, uint32_t n)
{
    for (uint32_t i = 0; i < n; ++i)
        kette.Anhaengen(TextKopie(Name(i)), 0);
}

// The element at index, found by walking the links, not through the cursor.
const Glied* GliedBei(const TKette& kette, uint32_t index)
{
    const Glied* g = kette.KopfGlied();
    for (uint32_t i = 0; i < index && g; ++i)
        g = g->Nachfolger;
    return g;
}

std::string TextVon(const Glied* g)
{
    return TextAus(static_cast<const char*>(g->Daten));
}

// The texts from the head forward, and checks that the backward links agree.
std::vector<std::string> Inhalt(const TKette& kette)
{
    std::vector<std::string> vorwaerts;
    const Glied* letztes = nullptr;
    for (const Glied* g = kette.KopfGlied(); g; g = g->Nachfolger) {
        EXPECT_EQ(g->Vorgaenger, letztes);
        vorwaerts.push_back(TextVon(g));
        letztes = g;
    }
    EXPECT_EQ(kette.EndeGlied(), letztes);
    EXPECT_EQ(vorwaerts.size(), kette.Anzahl());
    return vorwaerts;
}

} // namespace

TEST(Kette, NewListIsEmptyAndRefusesEveryIndex)
{
    TKette kette;
    EXPECT_TRUE(kette.IstLeer());
    EXPECT_EQ(kette.Anzahl(), 0u);
    EXPECT_EQ(kette.Element(0), nullptr);
    EXPECT_FALSE(kette.Entfernen(0));
    TEntnommen weg = kette.Entnehmen(0);
    EXPECT_EQ(weg.Daten(), nullptr);
    EXPECT_EQ(kette.CursorGlied(), nullptr);
    EXPECT_EQ(kette.CursorPosition(), 0u);
}

TEST(Kette, AppendingToEmptyListMakesFirstLastAndCursor)
{
    TKette kette;
    kette.Anhaengen(TextKopie("a"), 0);
    ASSERT_NE(kette.KopfGlied(), nullptr);
    EXPECT_EQ(kette.KopfGlied(), kette.EndeGlied());
    EXPECT_EQ(kette.CursorGlied(), kette.KopfGlied());
    EXPECT_EQ(kette.CursorPosition(), 0u);
    EXPECT_EQ(kette.KopfGlied()->Vorgaenger, nullptr);
    EXPECT_EQ(kette.KopfGlied()->Nachfolger, nullptr);
}

TEST(Kette, AppendingLeavesTheCursorWhereItWas)
{
    TKette kette;
    Fuellen(kette, 3);
    kette.Element(1);
    const Glied* vorher = kette.CursorGlied();
    kette.Anhaengen(TextKopie("neu"), 0);
    EXPECT_EQ(kette.CursorGlied(), vorher);
    EXPECT_EQ(kette.CursorPosition(), 1u);
    EXPECT_EQ(Inhalt(kette), (std::vector<std::string>{"e0", "e1", "e2", "neu"}));
}

struct PositionsFall {
    uint32_t laenge;
    uint32_t von;
    uint32_t nach;
};

void PrintTo(const PositionsFall& fall, std::ostream* os)
{
    *os << "length " << fall.laenge << ", from " << fall.von << " to " << fall.nach;
}

class KettePositionieren : public ::testing::TestWithParam<PositionsFall> {};

// Every way through the positioning (from the head, back from the cursor,
// on from the cursor, back from the end, and the ties) must land on the
// element that really stands at the index.
TEST_P(KettePositionieren, ReachesTheElementAtTheIndex)
{
    const PositionsFall& fall = GetParam();
    TKette kette;
    Fuellen(kette, fall.laenge);
    ASSERT_NE(kette.Element(fall.von), nullptr);
    ASSERT_EQ(kette.CursorPosition(), fall.von);

    void* daten = kette.Element(fall.nach);
    ASSERT_NE(daten, nullptr);
    EXPECT_EQ(TextAus(static_cast<const char*>(daten)), Name(fall.nach));
    EXPECT_EQ(kette.CursorPosition(), fall.nach);
    EXPECT_EQ(kette.CursorGlied(), GliedBei(kette, fall.nach));
    EXPECT_EQ(kette.CursorGlied()->Daten, daten);
}

INSTANTIATE_TEST_SUITE_P(
    BothEnds, KettePositionieren,
    ::testing::Values(PositionsFall{10, 0, 5},  // tie upward: from the cursor
                      PositionsFall{10, 0, 6},  // back from the end
                      PositionsFall{10, 0, 9},  // the end itself
                      PositionsFall{10, 2, 4},  // on from the cursor
                      PositionsFall{10, 9, 4},  // from the head
                      PositionsFall{10, 8, 4},  // tie downward: back from the cursor
                      PositionsFall{10, 9, 0},  // the head itself
                      PositionsFall{10, 6, 5},  // one step back
                      PositionsFall{10, 4, 4},  // staying
                      PositionsFall{1, 0, 0},
                      PositionsFall{2, 0, 1},
                      PositionsFall{2, 1, 0}));

TEST(Kette, IndexPastTheEndChangesNothing)
{
    TKette kette;
    Fuellen(kette, 3);
    kette.Element(1);
    const Glied* vorher = kette.CursorGlied();
    EXPECT_EQ(kette.Element(3), nullptr);
    EXPECT_FALSE(kette.Entfernen(3));
    EXPECT_EQ(kette.Entnehmen(7).Daten(), nullptr);
    EXPECT_EQ(kette.CursorGlied(), vorher);
    EXPECT_EQ(kette.CursorPosition(), 1u);
    EXPECT_EQ(kette.Anzahl(), 3u);
}

TEST(Kette, RemovingLastElementMovesCursorToHead)
{
    TKette kette;
    Fuellen(kette, 3);
    EXPECT_TRUE(kette.Entfernen(2));
    EXPECT_EQ(kette.CursorGlied(), kette.KopfGlied());
    EXPECT_EQ(kette.CursorPosition(), 0u);
    EXPECT_EQ(Inhalt(kette), (std::vector<std::string>{"e0", "e1"}));
}

TEST(Kette, RemovingCursorElementHandsItsIndexToTheSuccessor)
{
    TKette kette;
    Fuellen(kette, 4);
    EXPECT_TRUE(kette.Entfernen(1));
    EXPECT_EQ(kette.CursorPosition(), 1u);
    EXPECT_EQ(TextVon(kette.CursorGlied()), "e2");
    EXPECT_EQ(kette.CursorGlied(), GliedBei(kette, 1));
    EXPECT_EQ(Inhalt(kette), (std::vector<std::string>{"e0", "e2", "e3"}));
}

TEST(Kette, RemovingTheOnlyElementEmptiesEveryField)
{
    TKette kette;
    Fuellen(kette, 1);
    EXPECT_TRUE(kette.Entfernen(0));
    EXPECT_TRUE(kette.IstLeer());
    EXPECT_EQ(kette.EndeGlied(), nullptr);
    EXPECT_EQ(kette.CursorGlied(), nullptr);
    EXPECT_EQ(kette.CursorPosition(), 0u);
}

TEST(Kette, DrainingFromTheFrontKeepsOrderAndCursorAtZero)
{
    TKette kette;
    Fuellen(kette, 3);
    for (uint32_t i = 0; i < 3; ++i) {
        TEntnommen weg = kette.Entnehmen(0);
        EXPECT_EQ(weg.Text(), Name(i));
        EXPECT_EQ(kette.CursorPosition(), 0u);
        EXPECT_EQ(kette.CursorGlied(), kette.KopfGlied());
    }
    EXPECT_TRUE(kette.IstLeer());
    EXPECT_EQ(kette.Anzahl(), 0u);
    EXPECT_EQ(kette.KopfGlied(), nullptr);
    EXPECT_EQ(kette.EndeGlied(), nullptr);
    EXPECT_EQ(kette.CursorGlied(), nullptr);
}

TEST(Kette, PrependingKeepsTheCursorOnItsElement)
{
    TKette kette;
    Fuellen(kette, 2);
    kette.Element(1);
    const Glied* vorher = kette.CursorGlied();
    EXPECT_TRUE(kette.Voranstellen(TextKopie("vorn"), 0));
    EXPECT_EQ(kette.CursorGlied(), vorher);
    EXPECT_EQ(kette.CursorPosition(), 2u);
    EXPECT_EQ(kette.KopfGlied()->Vorgaenger, nullptr);

    const Glied* g = kette.EndeGlied();
    while (g->Vorgaenger)
        g = g->Vorgaenger;
    EXPECT_EQ(g, kette.KopfGlied());
    EXPECT_EQ(TextVon(g), "vorn");
    EXPECT_EQ(Inhalt(kette), (std::vector<std::string>{"vorn", "e0", "e1"}));
}

TEST(Kette, PrependingToEmptyListPutsTheCursorOnIt)
{
    TKette kette;
    kette.Voranstellen(nullptr, 0);
    EXPECT_EQ(kette.CursorGlied(), kette.KopfGlied());
    EXPECT_EQ(kette.EndeGlied(), kette.KopfGlied());
    EXPECT_EQ(kette.Anzahl(), 1u);
}

TEST(Kette, SearchWithoutMatchLeavesCursorOnTheLast)
{
    TKette kette;
    Fuellen(kette, 4);
    kette.Suchen("fehlt");
    EXPECT_EQ(kette.CursorGlied(), kette.EndeGlied());
    EXPECT_EQ(kette.CursorPosition(), 3u);
    EXPECT_FALSE(kette.EntfernenText("fehlt"));
    EXPECT_EQ(kette.Anzahl(), 4u);
    EXPECT_EQ(kette.CursorGlied(), kette.EndeGlied());
}

TEST(Kette, SearchStopsOnTheFirstExactMatch)
{
    TKette kette;
    for (const char* s : {"Datei", "datei", "Datei.txt", "datei"})
        kette.Anhaengen(TextKopie(s), 0);
    kette.Suchen("datei");
    EXPECT_EQ(kette.CursorPosition(), 1u);
    kette.Suchen("Date");
    EXPECT_EQ(kette.CursorPosition(), 3u); // no prefix match: stays on the last
}

TEST(Kette, SearchOnEmptyListFindsNothing)
{
    TKette kette;
    kette.Suchen("");
    EXPECT_EQ(kette.CursorGlied(), nullptr);
    EXPECT_FALSE(kette.EntfernenText(""));
}

TEST(Kette, RemovingByTextTakesOnlyTheFirstEqualElement)
{
    TKette kette;
    for (const char* s : {"a", "b", "a", "c"})
        kette.Anhaengen(TextKopie(s), 0);
    EXPECT_TRUE(kette.EntfernenText("a"));
    EXPECT_EQ(Inhalt(kette), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_TRUE(kette.EntfernenText("a"));
    EXPECT_EQ(Inhalt(kette), (std::vector<std::string>{"b", "c"}));
    EXPECT_FALSE(kette.EntfernenText("a"));
}

TEST(Kette, EmptyTextMatchesAnElementWithoutPayload)
{
    TKette kette;
    kette.Anhaengen(TextKopie("x"), 0);
    kette.Anhaengen(nullptr, 0);
    kette.Anhaengen(TextKopie("y"), 0);
    EXPECT_TRUE(kette.EntfernenText(""));
    EXPECT_EQ(Inhalt(kette), (std::vector<std::string>{"x", "y"}));
}

TEST(Kette, TextWithNulNeverMatches)
{
    TKette kette;
    kette.Anhaengen(TextKopie("ab"), 0);
    EXPECT_FALSE(kette.EntfernenText(std::string("ab\0c", 4)));
    EXPECT_EQ(kette.Anzahl(), 1u);
}

// A typed record is no text: reading it as one could run past its end.
TEST(Kette, TypedRecordIsNeverReadAsText)
{
    TKette kette;
    auto* ohneNul = new char[4]{'a', 'b', 'c', 'd'};
    auto* mitNul = new char[4]{'a', 'b', 'c', '\0'};
    kette.Anhaengen(ohneNul, 200);
    kette.Anhaengen(mitNul, 200);
    EXPECT_FALSE(kette.EntfernenText("abcd"));
    EXPECT_FALSE(kette.EntfernenText("abc"));
    EXPECT_EQ(kette.Anzahl(), 2u);
    EXPECT_EQ(kette.Entnehmen(0).Text(), "");
}

TEST(Kette, ClearingReleasesEverythingAndLeavesAUsableList)
{
    TKette kette;
    Fuellen(kette, 5);
    kette.Element(3);
    kette.Leeren();
    EXPECT_TRUE(kette.IstLeer());
    EXPECT_EQ(kette.Anzahl(), 0u);
    EXPECT_EQ(kette.EndeGlied(), nullptr);
    EXPECT_EQ(kette.CursorGlied(), nullptr);
    EXPECT_EQ(kette.CursorPosition(), 0u);
    Fuellen(kette, 2);
    EXPECT_EQ(Inhalt(kette), (std::vector<std::string>{"e0", "e1"}));
}

// --- typed payloads: the sanitizer build proves that each is released fully
// and that the borrowed pointer of Typ 3 is left alone ---

namespace {

char* Block(const char* s)
{
    auto* b = new char[std::strlen(s) + 1];
    std::strcpy(b, s);
    return b;
}

TKette* InnereKette()
{
    auto* innen = new TKette;
    innen->Anhaengen(TextKopie("innen"), 0);
    innen->Anhaengen(new TBlockSatz{Block("tief")}, 1);
    return innen;
}

char fremdesZeichen = 'f'; // Typ 3's borrowed pointer; freeing it would be caught

void* Satz(uint8_t typ)
{
    switch (typ) {
    case 1:
    case 4:
        return new TBlockSatz{Block("block")};
    case 2:
        return new TKettenSatz{InnereKette()};
    case 3:
        return new TGemischterSatz{Block("block"), &fremdesZeichen, InnereKette()};
    default:
        return new char[24]();
    }
}

} // namespace

class KetteTypen : public ::testing::TestWithParam<uint8_t> {};

TEST_P(KetteTypen, RemovingReleasesTheRecordAndWhatItOwns)
{
    TKette kette;
    kette.Anhaengen(Satz(GetParam()), GetParam());
    kette.Anhaengen(TextKopie("bleibt"), 0);
    EXPECT_TRUE(kette.Entfernen(0));
    EXPECT_EQ(Inhalt(kette), (std::vector<std::string>{"bleibt"}));
    EXPECT_EQ(fremdesZeichen, 'f');
}

TEST_P(KetteTypen, DestroyingANestedListReleasesEveryLevel)
{
    auto* kette = new TKette;
    kette->Anhaengen(Satz(GetParam()), GetParam());
    kette->Anhaengen(new TKettenSatz{InnereKette()}, 2);
    delete kette;
    EXPECT_EQ(fremdesZeichen, 'f');
}

TEST_P(KetteTypen, TakenRecordIsReleasedByItsHolder)
{
    TKette kette;
    kette.Anhaengen(Satz(GetParam()), GetParam());
    TEntnommen weg = kette.Entnehmen(0);
    EXPECT_EQ(weg.Typ(), GetParam());
    EXPECT_NE(weg.Daten(), nullptr);
    EXPECT_TRUE(kette.IstLeer());
}

TEST_P(KetteTypen, ReleasingDirectlyByTypeFreesTheRecord)
{
    DatenFreigeben(Satz(GetParam()), GetParam());
    EXPECT_EQ(fremdesZeichen, 'f');
}

INSTANTIATE_TEST_SUITE_P(Loeschen, KetteTypen, ::testing::Values(1, 2, 3, 4, 200));

TEST(Entnommen, MovingHandsOverAndAssignmentReleasesTheOld)
{
    TKette kette;
    kette.Anhaengen(TextKopie("eins"), 0);
    kette.Anhaengen(new TBlockSatz{Block("zwei")}, 1);
    TEntnommen a = kette.Entnehmen(0);
    TEntnommen b(std::move(a));
    EXPECT_EQ(a.Daten(), nullptr);
    EXPECT_EQ(b.Text(), "eins");
    b = kette.Entnehmen(0); // "eins" goes back to the C heap here
    EXPECT_EQ(b.Typ(), 1u);
    EXPECT_EQ(b.Text(), "");
}

TEST(Entnommen, LettingGoLeavesThePayloadToTheCaller)
{
    TKette kette;
    kette.Anhaengen(TextKopie("frei"), 0);
    void* daten = nullptr;
    {
        TEntnommen weg = kette.Entnehmen(0);
        daten = weg.Loslassen();
        EXPECT_EQ(weg.Daten(), nullptr);
    }
    EXPECT_EQ(TextAus(static_cast<const char*>(daten)), "frei");
    std::free(daten);
}
