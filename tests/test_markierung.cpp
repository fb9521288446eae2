#include "Testbaum.h"
#include "Testfenster.h"

#include "app/Ergebnisansicht.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The list every case starts from: two groups, four lines alone.
const char* const Liste[] = {"! /a/m",  "+     /b/m", "- /a/c", "! /a/b0",  "+     /b/b1",
                             "+     /b/b2", "- /a/z", "- /a/a", "- /a/b/x"};
constexpr int Zeilen = 9;

// The list's mouse and keys, as the user gives them, reach the window's
// marks: the view hands them on by row.
class Ergebnisansicht : public ::testing::Test {
protected:
    Ergebnisansicht()
    {
        for (const char* zeile : Liste)
            f.ListeAnhaengen(zeile);
        f.resize(519, 13 * Zeilen + 60);
        f.show();
    }

    void Maus(QEvent::Type art, int reihe, Qt::KeyboardModifiers tasten)
    {
        const QPoint stelle(10, reihe * 13 + 6);
        QMouseEvent ereignis(art, QPointF(stelle), QPointF(f.ListBox1->viewport()->mapToGlobal(stelle)), Qt::LeftButton,
                             art == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, tasten);
        QApplication::sendEvent(f.ListBox1->viewport(), &ereignis);
    }

    // The marks as a string of 0 and 1, by line index.
    std::string Marken() const
    {
        std::string m;
        for (uint32_t i = 0; i < Zeilen; ++i)
            m += f.Logik().ListeMarkiert(i) ? '1' : '0';
        return m;
    }

    TTestbaum baum;
    TTestfenster f{baum.Wurzel()};
};

// One step: a click on a row ('k'), a drag from one row to another and back
// to c ('z'), a key ('t'), or a marking command over lines a to b - 1 ('+').
struct TSchritt {
    char art;
    int a, b = 0;
    Qt::KeyboardModifiers tasten = Qt::NoModifier;
    int c = -1;
};

struct TMarkFall {
    const char* name;
    bool nachPfad; // the rows sorted by path: lines 7 8 3 4 5 2 0 1 6
    std::vector<TSchritt> schritte;
    const char* markiert; // by line index
};

class Gesten : public Ergebnisansicht, public ::testing::WithParamInterface<TMarkFall> {};

constexpr auto Strg = Qt::ControlModifier;
constexpr auto Umschalt = Qt::ShiftModifier;

} // namespace

TEST_P(Gesten, ClicksDragsAndKeysMarkLinesAsInAnyListWithExtendedSelection)
{
    if (GetParam().nachPfad)
        f.Logik().Ausfuehren(TBefehl::NachPfadSortieren);
    for (const TSchritt& s : GetParam().schritte) {
        switch (s.art) {
        case 'k':
            Maus(QEvent::MouseButtonPress, s.a, s.tasten);
            Maus(QEvent::MouseButtonRelease, s.a, s.tasten);
            break;
        case 'z':
            Maus(QEvent::MouseButtonPress, s.a, s.tasten);
            for (int r = s.a; r != s.b; r += s.b > s.a ? 1 : -1)
                Maus(QEvent::MouseMove, r, s.tasten);
            Maus(QEvent::MouseMove, s.b, s.tasten);
            for (int r = s.b; s.c >= 0 && r != s.c; r += s.c > s.b ? 1 : -1)
                Maus(QEvent::MouseMove, r, s.tasten);
            Maus(QEvent::MouseMove, s.c >= 0 ? s.c : s.b, s.tasten);
            Maus(QEvent::MouseButtonRelease, s.c >= 0 ? s.c : s.b, s.tasten);
            break;
        case 't': {
            QKeyEvent taste(QEvent::KeyPress, s.a, s.tasten);
            QApplication::sendEvent(f.ListBox1, &taste);
            break;
        }
        default: f.Logik().ListeBereichMarkieren(s.a, s.b, true);
        }
    }
    EXPECT_EQ(Marken(), GetParam().markiert);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Gesten,
    ::testing::Values(
        TMarkFall{"AClickReplacesEverything", false, {{'+', 1, 7}, {'k', 2}}, "001000000"},
        TMarkFall{"AClickBelowTheLastLineClears", false, {{'+', 1, 7}, {'k', 12}}, "000000000"},
        TMarkFall{"ControlClickAddsAndRemoves", false, {{'k', 1}, {'k', 3, 0, Strg}, {'k', 1, 0, Strg}}, "000100000"},
        TMarkFall{"ShiftClickKeepsWhatControlClicksMarked",
                  false, {{'k', 5}, {'k', 0, 0, Strg}, {'k', 2, 0, Umschalt}}, "111001000"},
        TMarkFall{"ADragThatComesBackGivesTheLinesItLeavesTheirOldState",
                  false, {{'+', 5, 6}, {'z', 2, 7, Strg, 4}}, "001111000"},
        TMarkFall{"ShiftArrowsExtendAndSpaceMarks",
                  false,
                  {{'k', 2}, {'t', Qt::Key_Down, 0, Umschalt}, {'t', Qt::Key_Down, 0, Umschalt},
                   {'t', Qt::Key_Down, 0, Strg}, {'t', Qt::Key_Down, 0, Strg}, {'t', Qt::Key_Space}},
                  "001110100"},
        TMarkFall{"ControlAMarksAll", false, {{'t', Qt::Key_A, 0, Strg}}, "111111111"},
        TMarkFall{"InASortedListRowsMarkTheirLines", true, {{'k', 1}, {'k', 4, 0, Umschalt}}, "000111001"},
        TMarkFall{"AnArrowMovesInTheSortedOrder", true, {{'k', 3}, {'t', Qt::Key_Down}}, "000001000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Ergebnisansicht, DoubleClickAndEnterOpenTheLineTheSortedRowShows)
{
    f.Logik().Ausfuehren(TBefehl::NachPfadSortieren); // rows show lines 7 8 3 4 5 2 0 1 6
    Maus(QEvent::MouseButtonPress, 1, Qt::NoModifier);
    Maus(QEvent::MouseButtonRelease, 1, Qt::NoModifier);
    Maus(QEvent::MouseButtonDblClick, 1, Qt::NoModifier);
    Maus(QEvent::MouseButtonPress, 4, Qt::NoModifier);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(f.ListBox1, &enter);
    EXPECT_EQ(f.flaeche.geoeffnet, (std::vector<std::string>{"file:///a/b/x", "file:///b/b2"}));
    EXPECT_EQ(Marken(), "000001000");
}
