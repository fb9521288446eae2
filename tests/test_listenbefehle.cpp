#include "FensterAttrappe.h"
#include "Testbaum.h"
#include "Testsystem.h"

#include "util/Plattform.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class ListenbefehleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = baum.Verzeichnis("A");
        b = baum.Verzeichnis("B");
        t = baum.Verzeichnis("T");
        fenster.Feld(TFeld::Edit1) = a;
        fenster.Feld(TFeld::Edit3) = b;
    }

    void Zeilen(std::initializer_list<std::pair<std::string, bool>> zeilen)
    {
        fenster.liste.clear();
        for (const auto& [text, markiert] : zeilen)
            fenster.liste.push_back({text, markiert});
    }

    std::vector<bool> Markierungen() const
    {
        std::vector<bool> markiert;
        for (const auto& zeile : fenster.liste)
            markiert.push_back(zeile.markiert);
        return markiert;
    }

    static bool Gibt(const std::string& pfad) { return plattform::IstDatei(pfad); }

    TTestbaum baum;
    TFensterAttrappe fenster;
    std::string a, b, t;
};

const char* const KeinFehler = "kein Fehler aufgetreten";
const char* const Fehler = "es ist mindestens ein Fehler aufgetreten";

} // namespace

TEST_F(ListenbefehleTest, MarkingAccumulatesAndKeepsHandMadeSelections)
{
    Zeilen({{"! x", false}, {"+     y", false}, {"- z", true}, {"! w", false}, {"", false}});
    fenster.EintraegeMarkieren('!');
    EXPECT_EQ(Markierungen(), (std::vector<bool>{true, false, true, true, false}));
    fenster.EintraegeMarkieren('+');
    fenster.EintraegeMarkieren('+');
    EXPECT_EQ(Markierungen(), (std::vector<bool>{true, true, true, true, false}));

    fenster.MarkierungenLoeschen();
    fenster.EintraegeMarkieren('!');
    EXPECT_EQ(Markierungen(), (std::vector<bool>{true, false, false, true, false}));
    EXPECT_EQ(fenster.dispatches, 0);
}

TEST_F(ListenbefehleTest, CopyKeepsPathsRelativeToTheirTrees)
{
    baum.Datei("A/sub/f.txt", "erster Baum");
    baum.Datei("B/x/g.txt", "zweiter Baum");
    Zeilen({{"- " + a + TTestbaum::Nativ("sub/f.txt"), true},
            {"+     " + b + TTestbaum::Nativ("x/g.txt"), true},
            {"! " + a + "nicht", false}});
    const auto vorher = fenster.liste;

    fenster.MarkierteKopieren(a, t, false);

    EXPECT_EQ(TTestbaum::Lesen(t + TTestbaum::Nativ("sub/f.txt")), "erster Baum");
    EXPECT_EQ(TTestbaum::Lesen(t + TTestbaum::Nativ("x/g.txt")), "zweiter Baum");
    EXPECT_TRUE(Gibt(a + TTestbaum::Nativ("sub/f.txt")));
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), KeinFehler);
    EXPECT_EQ(fenster.Feld(TFeld::Edit6), "");
    EXPECT_EQ(fenster.edit6Verlauf.front(), "Kopieren");
    EXPECT_EQ(fenster.edit5Verlauf[0], "kopiere Datei: f.txt");
    EXPECT_EQ(fenster.dispatches, 2);
    EXPECT_EQ(Markierungen(), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(fenster.liste.size(), vorher.size());
}

TEST_F(ListenbefehleTest, FromBaseTakesSecondTreeLinesBelowTheBase)
{
    const std::string v = baum.Verzeichnis("V");
    baum.Datei("V/x/g.txt", "aus der Basis");
    baum.Datei("B/x/g.txt", "aus dem zweiten Baum");
    Zeilen({{"+     " + b + TTestbaum::Nativ("x/g.txt"), true}});
    fenster.MarkierteKopieren(v, t, false);
    EXPECT_EQ(TTestbaum::Lesen(t + TTestbaum::Nativ("x/g.txt")), "aus der Basis");

    // A base equal to the first tree behaves like the plain command.
    fenster.MarkierteKopieren(a, t, false);
    EXPECT_EQ(TTestbaum::Lesen(t + TTestbaum::Nativ("x/g.txt")), "aus dem zweiten Baum");
}

TEST_F(ListenbefehleTest, OverwritesTargetsAndCopiesEmptyFiles)
{
    baum.Datei("A/voll", "neu");
    baum.Datei("A/leer", "");
    baum.Datei("T/voll", "alt und laenger");
    Zeilen({{"- " + a + "voll", true}, {"- " + a + "leer", true}});
    fenster.MarkierteKopieren(a, t, false);
    EXPECT_EQ(TTestbaum::Lesen(t + "voll"), "neu");
    EXPECT_TRUE(Gibt(t + "leer"));
    EXPECT_EQ(TTestbaum::Lesen(t + "leer"), "");
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), KeinFehler);
}

TEST_F(ListenbefehleTest, VanishedSourceAndShortLineCountAsErrors)
{
    Zeilen({{"- " + a + "verschwunden", true}});
    fenster.MarkierteKopieren(a, t, true);
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), Fehler);

    Zeilen({{"- /", true}});
    fenster.MarkierteKopieren(a, t, false);
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), Fehler);
}

TEST_F(ListenbefehleTest, MoveOfAFileUnderTwoLinesFailsTheSecondTime)
{
    baum.Datei("A/1", "z");
    baum.Datei("A/2", "z");
    baum.Datei("B/s/z", "z");
    const std::string z = b + TTestbaum::Nativ("s/z");
    Zeilen({{"! " + a + "1", false}, {"+     " + z, true}, {"! " + a + "2", false}, {"+     " + z, true}});
    fenster.MarkierteKopieren(a, t, true);
    EXPECT_EQ(TTestbaum::Lesen(t + TTestbaum::Nativ("s/z")), "z");
    EXPECT_FALSE(Gibt(b + TTestbaum::Nativ("s/z")));
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), Fehler);
    EXPECT_EQ(fenster.edit6Verlauf.front(), "Verschieben");
    EXPECT_EQ(fenster.edit5Verlauf[0], "verschiebe Datei: z");
}

TEST_F(ListenbefehleTest, MovingTheLastFileRemovesItsDirectoryButNotTheParent)
{
    baum.Datei("A/tief/unten/f", "f");
    Zeilen({{"- " + a + TTestbaum::Nativ("tief/unten/f"), true}});
    fenster.MarkierteKopieren(a, t, true);
    EXPECT_EQ(TTestbaum::Lesen(t + TTestbaum::Nativ("tief/unten/f")), "f");
    EXPECT_FALSE(plattform::IstVerzeichnis(a + TTestbaum::Nativ("tief/unten")));
    EXPECT_TRUE(plattform::IstVerzeichnis(a + "tief"));
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), KeinFehler);
}

TEST_F(ListenbefehleTest, TargetThatIsTheSourceIsLeftAloneAndCounted)
{
    baum.Datei("A/s/f", "kostbar");
    Zeilen({{"- " + a + TTestbaum::Nativ("s/f"), true}});
    for (bool verschieben : {false, true}) {
        fenster.MarkierteKopieren(a, a, verschieben);
        EXPECT_EQ(TTestbaum::Lesen(a + TTestbaum::Nativ("s/f")), "kostbar");
        EXPECT_EQ(fenster.Feld(TFeld::Edit5), Fehler);
    }
}

TEST_F(ListenbefehleTest, IncompleteCopyNeverDeletesTheSourceOfAMove)
{
    baum.Datei("A/s/f", "kostbar");
    baum.Datei("T/s", "eine Datei, wo das Verzeichnis hin muesste");
    Zeilen({{"- " + a + TTestbaum::Nativ("s/f"), true}});
    fenster.MarkierteKopieren(a, t, true);
    EXPECT_EQ(TTestbaum::Lesen(a + TTestbaum::Nativ("s/f")), "kostbar");
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), Fehler);
}

TEST_F(ListenbefehleTest, ReadOnlyTargetKeepsTheSourceOfAMove)
{
    if (!testsystem::RechteGelten())
        GTEST_SKIP() << "permissions keep nobody out here (root, or Windows)";
    baum.Datei("A/f", "kostbar");
    std::filesystem::permissions(TTestbaum::Pfad(t), std::filesystem::perms::owner_read
                                                         | std::filesystem::perms::owner_exec);
    Zeilen({{"- " + a + "f", true}});
    fenster.MarkierteKopieren(a, t, true);
    EXPECT_EQ(TTestbaum::Lesen(a + "f"), "kostbar");
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), Fehler);
}

TEST_F(ListenbefehleTest, NothingSelectedTouchesNothing)
{
    baum.Datei("A/f", "x");
    Zeilen({{"- " + a + "f", false}});
    fenster.MarkierteKopieren(a, t, true);
    EXPECT_TRUE(Gibt(a + "f"));
    EXPECT_FALSE(Gibt(t + "f"));
    EXPECT_EQ(fenster.Feld(TFeld::Edit5), KeinFehler);
    EXPECT_EQ(fenster.Feld(TFeld::Edit6), "");
}
