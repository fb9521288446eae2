#include "app/Markierung.h"

#include <QStringListModel>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using F = QItemSelectionModel;

// One step: a marking command (Setzen) over erste..letzte, or what the view
// asks for as the user clicks, drags and types.
struct TSchritt {
    int erste, letzte;
    QItemSelectionModel::SelectionFlags befehl;
    bool setzen = false;
};

struct TMarkFall {
    const char* name;
    std::vector<TSchritt> schritte;
    const char* markiert; // per line of eight
};

class Markierung : public ::testing::TestWithParam<TMarkFall> {};

} // namespace

TEST_P(Markierung, MarksFollowTheStepsAndGiveTheMarkedLinesInOrder)
{
    QStringListModel modell(QStringList(8, QStringLiteral("zeile")));
    TMarkierung markierung(&modell);
    for (const TSchritt& s : GetParam().schritte) {
        if (s.setzen)
            markierung.Setzen(s.erste, s.letzte + 1, s.befehl & F::Select);
        else
            markierung.select(QItemSelection(modell.index(s.erste), modell.index(s.letzte)), s.befehl);
    }
    std::string markiert;
    std::vector<uint32_t> erwartet;
    for (uint32_t i = 0; i < 8; ++i) {
        markiert += markierung.Markiert(i) ? '1' : '0';
        if (GetParam().markiert[i] == '1')
            erwartet.push_back(i);
    }
    EXPECT_EQ(markiert, GetParam().markiert);
    EXPECT_EQ(markierung.Zeilen(8), erwartet);
    // A copy asked for fewer lines than are marked takes those only.
    std::erase_if(erwartet, [](uint32_t zeile) { return zeile >= 5; });
    EXPECT_EQ(markierung.Zeilen(5), erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Markierung,
    ::testing::Values(
        TMarkFall{"CommandsMarkAndUnmarkRanges", {{1, 6, F::Select, true}, {3, 4, F::Deselect, true}}, "01100110"},
        TMarkFall{"AClickReplacesEverything", {{1, 6, F::Select, true}, {2, 2, F::ClearAndSelect}}, "00100000"},
        TMarkFall{"ShiftRangesReplaceEachOther",
                  {{7, 7, F::Select, true}, {2, 2, F::ClearAndSelect}, {2, 6, F::SelectCurrent}, {2, 4, F::SelectCurrent}},
                  "00111000"},
        TMarkFall{"ADragOverMarkedLinesUnmarks",
                  {{0, 7, F::Select, true}, {3, 3, F::Deselect}, {3, 5, F::Deselect | F::Current}}, "11100011"},
        TMarkFall{"AToggleRangeTurnsEachLine",
                  {{0, 1, F::Select, true}, {1, 2, F::Toggle}, {7, 7, F::Select, true}}, "10100001"},
        TMarkFall{"ARangeInProgressCountsBeforeItSettles", {{6, 7, F::Select}}, "00000011"}),
    [](const auto& info) { return std::string(info.param.name); });
