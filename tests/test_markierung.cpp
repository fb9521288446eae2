#include "app/Ergebnisansicht.h"
#include "app/Ergebnisliste.h"
#include "app/Groessentext.h"
#include "app/Markierung.h"
#include "search/Fundliste.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The list every case starts from: two groups, four lines alone.
struct TZeile {
    char art;
    const char* pfad;
    int64_t groesse;
};
const TZeile Liste[] = {{'!', "/a/m", 300},   {'+', "/b/m", 300},   {'-', "/a/c", 10},  {'!', "/a/b0", 5000},
                        {'+', "/b/b1", 5000}, {'+', "/b/b2", 5000}, {'-', "/a/z", 2},   {'-', "/a/a", 70000},
                        {'-', "/a/b/x", 1}};
constexpr int Zeilen = 9;

class Ergebnisliste : public ::testing::Test {
protected:
    Ergebnisliste() : modell(funde), ansicht(&modell, 13)
    {
        for (const TZeile& z : Liste) {
            plattform::TQuellStand stand;
            stand.stand.groesse = z.groesse;
            funde.Anhaengen(funde.Aufnehmen(z.art, z.art == '+', z.pfad, &stand));
        }
        modell.Zeigen();
        ansicht.resize(300, 13 * Zeilen + 40);
        ansicht.show();
    }

    void Maus(QEvent::Type art, int reihe, Qt::KeyboardModifiers tasten)
    {
        const QPoint stelle(10, reihe * 13 + 6);
        QMouseEvent ereignis(art, QPointF(stelle), QPointF(ansicht.viewport()->mapToGlobal(stelle)), Qt::LeftButton,
                             art == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, tasten);
        QApplication::sendEvent(ansicht.viewport(), &ereignis);
    }

    // The marks as a string of 0 and 1, by line index.
    std::string Marken() const
    {
        std::string m;
        for (uint32_t i = 0; i < Zeilen; ++i)
            m += ansicht.Markierung()->Markiert(i) ? '1' : '0';
        return m;
    }

    TFundliste funde;
    TErgebnisliste modell;
    TErgebnisansicht ansicht;
};

// One step of the user or a command: a click on a row, a drag from one row
// to another (and back to c), a key, or a marking command over lines a to b - 1.
struct TSchritt {
    char art; // 'k' click, 'z' drag, 't' key, '+' / '-' command marks / unmarks
    int a, b = 0;
    Qt::KeyboardModifiers tasten = Qt::NoModifier;
    int c = -1;
};

struct TMarkFall {
    const char* name;
    TErgebnisliste::TOrdnung ordnung;
    std::vector<TSchritt> schritte;
    const char* markiert; // by line index
};

class Markierung : public Ergebnisliste, public ::testing::WithParamInterface<TMarkFall> {};

constexpr auto Strg = Qt::ControlModifier;
constexpr auto Umschalt = Qt::ShiftModifier;
using O = TErgebnisliste::TOrdnung;

} // namespace

TEST_P(Markierung, GesturesAndCommandsMarkLinesAndKeepTheirSums)
{
    modell.Sortieren(GetParam().ordnung);
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
            QApplication::sendEvent(&ansicht, &taste);
            break;
        }
        default: ansicht.Markierung()->Setzen(s.a, s.b, s.art == '+');
        }
    }
    EXPECT_EQ(Marken(), GetParam().markiert);
    // The running sums and the copy's list agree with the bits.
    std::vector<uint32_t> zeilen;
    uint64_t bytes = 0;
    for (uint32_t i = 0; i < Zeilen; ++i)
        if (GetParam().markiert[i] == '1') {
            zeilen.push_back(i);
            bytes += Liste[i].groesse;
        }
    EXPECT_EQ(ansicht.Markierung()->Zeilen(Zeilen), zeilen);
    EXPECT_EQ(ansicht.Markierung()->Anzahl(), zeilen.size());
    EXPECT_EQ(ansicht.Markierung()->Bytes(), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Markierung,
    ::testing::Values(
        TMarkFall{"CommandsMarkAndUnmarkRanges", O::Lauf, {{'+', 1, 7}, {'-', 3, 5}}, "011001100"},
        TMarkFall{"AClickReplacesEverything", O::Lauf, {{'+', 1, 7}, {'k', 2}}, "001000000"},
        TMarkFall{"ControlClickAddsAndRemoves", O::Lauf, {{'k', 1}, {'k', 3, 0, Strg}, {'k', 1, 0, Strg}}, "000100000"},
        TMarkFall{"ASecondShiftClickReplacesTheFirstRange",
                  O::Lauf, {{'k', 1}, {'k', 6, 0, Umschalt}, {'k', 3, 0, Umschalt}}, "011100000"},
        TMarkFall{"ShiftClickKeepsWhatControlClicksMarked",
                  O::Lauf, {{'k', 5}, {'k', 0, 0, Strg}, {'k', 2, 0, Umschalt}}, "111001000"},
        TMarkFall{"ADragThatComesBackGivesTheLinesItLeavesTheirOldState",
                  O::Lauf, {{'+', 5, 6}, {'z', 2, 7, Strg, 4}}, "001111000"},
        TMarkFall{"AControlDragFromAMarkedLineUnmarks", O::Lauf, {{'+', 0, 9}, {'z', 3, 5, Strg}}, "111000111"},
        TMarkFall{"ShiftArrowsExtendAndSpaceMarks",
                  O::Lauf,
                  {{'k', 2}, {'t', Qt::Key_Down, 0, Umschalt}, {'t', Qt::Key_Down, 0, Umschalt},
                   {'t', Qt::Key_Down, 0, Strg}, {'t', Qt::Key_Down, 0, Strg}, {'t', Qt::Key_Space}},
                  "001110100"},
        TMarkFall{"ControlAMarksAll", O::Lauf, {{'t', Qt::Key_A, 0, Strg}}, "111111111"},
        // Sorted by size: rows show lines 7 3 4 5 0 1 2 6 8.
        TMarkFall{"InASortedListRowsMarkTheirLines", O::Groesse, {{'k', 1}, {'k', 4, 0, Umschalt}},
                  "100111000"},
        TMarkFall{"AnArrowMovesInTheSortedOrder", O::Groesse, {{'k', 3}, {'t', Qt::Key_Down}}, "100000000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Ergebnisliste, SortingKeepsGroupsWholeAndMarksWithTheirLines)
{
    ansicht.Markierung()->Setzen(3, 4, true);
    const struct {
        O ordnung;
        std::vector<uint32_t> zeilen;
    } faelle[] = {
        {O::Pfad, {7, 8, 3, 4, 5, 2, 0, 1, 6}}, // "/a/b/x" before "/a/b0", as whole paths sort
        {O::Groesse, {7, 3, 4, 5, 0, 1, 2, 6, 8}},
        {O::Lauf, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const auto& fall : faelle) {
        modell.Sortieren(fall.ordnung);
        std::vector<uint32_t> zeilen;
        for (uint32_t reihe = 0; reihe < Zeilen; ++reihe)
            zeilen.push_back(modell.Zeile(reihe));
        EXPECT_EQ(zeilen, fall.zeilen);
        EXPECT_EQ(Marken(), "000100000");
    }
}

TEST(Groessentext, SizesShowGermanStyleInStepsOf1024)
{
    const std::pair<uint64_t, const char*> faelle[] = {
        {0, "0 Bytes"},          {1, "1 Byte"},           {1023, "1023 Bytes"},
        {1024, "1,0 KB"},        {1536, "1,5 KB"},        {1048575, "1,0 MB"},
        {1288490189, "1,2 GB"},  {UINT64_MAX, "16384,0 PB"},
    };
    for (const auto& [bytes, text] : faelle)
        EXPECT_EQ(Groessentext(bytes).toStdString(), text) << bytes;
}

TEST_F(Ergebnisliste, TheSizeColumnNamesEachGroupOnceAndThePlusLinesAreSummed)
{
    std::vector<std::string> spalte;
    for (uint32_t reihe = 0; reihe < 6; ++reihe)
        spalte.push_back(modell.Groessenspalte(reihe).toStdString());
    EXPECT_EQ(spalte, (std::vector<std::string>{"300 Bytes", "", "10 Bytes", "4,9 KB", "", ""}));
    EXPECT_EQ(modell.PlusBytes(), 10300u);
}

TEST_F(Ergebnisliste, DoubleClickAndEnterActOnTheLineTheSortedRowShows)
{
    modell.Sortieren(O::Groesse); // rows show lines 7 3 4 5 0 1 2 6 8
    std::vector<uint32_t> aktiviert;
    QObject::connect(&ansicht, &TErgebnisansicht::ZeileAktiviert, [&](uint32_t zeile) { aktiviert.push_back(zeile); });
    Maus(QEvent::MouseButtonPress, 1, Qt::NoModifier);
    Maus(QEvent::MouseButtonRelease, 1, Qt::NoModifier);
    Maus(QEvent::MouseButtonDblClick, 1, Qt::NoModifier);
    Maus(QEvent::MouseButtonPress, 4, Qt::NoModifier);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&ansicht, &enter);
    EXPECT_EQ(aktiviert, (std::vector<uint32_t>{3, 0}));
    EXPECT_EQ(Marken(), "100000000");
}

TEST(Dateisummen, AFileUnderSeveralLinesCountsOnce)
{
    // "+ /b/y" stands under both "!" lines: the walk's one entry, twice.
    TFundliste funde;
    for (const TZeile& z : {TZeile{'!', "/a/1", 100}, TZeile{'+', "/b/y", 300}, TZeile{'!', "/a/2", 100}}) {
        plattform::TQuellStand stand;
        stand.stand.groesse = z.groesse;
        funde.Anhaengen(funde.Aufnehmen(z.art, z.art == '+', z.pfad, &stand));
    }
    funde.Anhaengen(funde.Fund(1));
    TErgebnisliste modell(funde);
    modell.Zeigen();
    EXPECT_EQ(modell.PlusBytes(), 300u);
    TErgebnisansicht ansicht(&modell, 13);
    const struct {
        uint32_t erste, ende;
        bool an;
        uint32_t dateien;
        uint64_t bytes;
    } schritte[] = {{0, 4, true, 3, 500}, {1, 2, false, 3, 500}, {3, 4, false, 2, 200}, {1, 2, true, 3, 500}};
    for (const auto& s : schritte) {
        ansicht.Markierung()->Setzen(s.erste, s.ende, s.an);
        EXPECT_EQ(ansicht.Markierung()->Anzahl(), s.dateien);
        EXPECT_EQ(ansicht.Markierung()->Bytes(), s.bytes);
    }
}
