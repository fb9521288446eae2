#include "reference/Seq.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> AllesHolen(TSequenzen& queue)
{
    std::vector<std::string> geholt;
    while (!queue.IstLeer())
        geholt.push_back(queue.Holen());
    return geholt;
}

} // namespace

TEST(Seq, NewQueueHoldsOneNodeWithoutString)
{
    TSequenzen queue;
    EXPECT_FALSE(queue.IstLeer());
    EXPECT_EQ(queue.Anzahl(), 1u);
    EXPECT_EQ(queue.Holen(), "");
    EXPECT_TRUE(queue.IstLeer());
    EXPECT_EQ(queue.Anzahl(), 0u);
}

TEST(Seq, ClearingEmptiesTheQueue)
{
    TSequenzen queue;
    queue.Leeren();
    EXPECT_TRUE(queue.IstLeer());
    EXPECT_EQ(queue.Anzahl(), 0u);
    EXPECT_EQ(queue.LetztesGlied(), nullptr);
    queue.Leeren();
    EXPECT_EQ(queue.Anzahl(), 0u);
}

TEST(Seq, StringsLeaveInTheOrderAppended)
{
    TSequenzen queue;
    queue.Leeren();
    for (const char* s : {"/a/", "/a/b/", "/a/c/"})
        EXPECT_TRUE(queue.Anhaengen(s));
    EXPECT_EQ(queue.Anzahl(), 3u);
    EXPECT_EQ(AllesHolen(queue), (std::vector<std::string>{"/a/", "/a/b/", "/a/c/"}));
    EXPECT_EQ(queue.Anzahl(), 0u);
}

TEST(Seq, AppendingWhileTakingKeepsBreadthFirstOrder)
{
    TSequenzen queue;
    queue.Leeren();
    queue.Anhaengen("root");
    std::vector<std::string> geholt;
    geholt.push_back(queue.Holen());
    queue.Anhaengen("x");
    queue.Anhaengen("y");
    geholt.push_back(queue.Holen());
    queue.Anhaengen("x1");
    geholt.push_back(queue.Holen());
    geholt.push_back(queue.Holen());
    EXPECT_EQ(geholt, (std::vector<std::string>{"root", "x", "y", "x1"}));
    EXPECT_TRUE(queue.IstLeer());
}

TEST(Seq, EmptyStringMakesANodeWithoutString)
{
    TSequenzen queue;
    queue.Leeren();
    queue.Anhaengen("a");
    queue.Anhaengen("");
    queue.Anhaengen(std::string("b\0c", 3));
    EXPECT_EQ(queue.Anzahl(), 3u);
    EXPECT_EQ(queue.GliedBei(1)->Daten, nullptr);
    EXPECT_EQ(AllesHolen(queue), (std::vector<std::string>{"a", "", "b"}));
}

TEST(Seq, WithoutClearingTheConstructorNodeComesFirst)
{
    TSequenzen queue;
    queue.Anhaengen("root");
    EXPECT_EQ(queue.Anzahl(), 2u);
    EXPECT_EQ(AllesHolen(queue), (std::vector<std::string>{"", "root"}));
}

TEST(Seq, PositionAtTheLengthIsRefused)
{
    TSequenzen queue;
    queue.Leeren();
    queue.Anhaengen("a");
    queue.Anhaengen("b");
    EXPECT_FALSE(queue.Entfernen(2));
    EXPECT_EQ(queue.GliedBei(2), nullptr);
    EXPECT_EQ(queue.Anzahl(), 2u);
    EXPECT_EQ(AllesHolen(queue), (std::vector<std::string>{"a", "b"}));
}

TEST(Seq, RemovingInsideRelinksTheNeighbours)
{
    TSequenzen queue;
    queue.Leeren();
    for (const char* s : {"a", "b", "c", "d"})
        queue.Anhaengen(s);
    EXPECT_TRUE(queue.Entfernen(3));
    EXPECT_TRUE(queue.Entfernen(1));
    EXPECT_EQ(queue.Anzahl(), 2u);
    EXPECT_EQ(queue.LetztesGlied(), queue.GliedBei(1));
    EXPECT_EQ(AllesHolen(queue), (std::vector<std::string>{"a", "c"}));
}

TEST(Seq, TakingFromAnEmptyQueueGivesEmptyStringAndChangesNothing)
{
    TSequenzen queue;
    queue.Leeren();
    EXPECT_EQ(queue.Holen(), "");
    EXPECT_TRUE(queue.IstLeer());
    EXPECT_EQ(queue.Anzahl(), 0u);
}

TEST(Seq, StartingAnewLeavesOneNodeWithoutString)
{
    TSequenzen queue;
    queue.Leeren();
    queue.Anhaengen("a");
    queue.Anhaengen("b");
    SeqGlied* neu = queue.Neuanlegen();
    EXPECT_EQ(queue.Anzahl(), 1u);
    EXPECT_EQ(queue.GliedBei(0), neu);
    EXPECT_EQ(neu->Daten, nullptr);
    EXPECT_EQ(neu->Nachfolger, nullptr);
}

// The sanitizer build proves that every node and block goes back.
TEST(Seq, DeletingAFilledQueueReleasesEveryNode)
{
    auto* queue = new TSequenzen;
    queue->Leeren();
    for (int i = 0; i < 100; ++i)
        queue->Anhaengen("/verzeichnis/" + std::to_string(i) + "/");
    queue->GliedAnhaengen();
    EXPECT_EQ(queue->Anzahl(), 101u);
    delete queue;
}
