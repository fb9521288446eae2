#include "controls/Cgauges.h"
#include "controls/Kontrast.h"
#include "util/Fehler.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <ostream>
#include <string>

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

const QColor kVorne(0x20, 0x60, 0xC0);   // a fore colour whose complement differs in every channel
const QColor kHinten(Qt::white);

QRgb Rgb(const QColor& farbe) { return farbe.rgb() & 0xFFFFFF; }
QRgb Pixel(const QImage& bild, int x, int y) { return bild.pixel(x, y) & 0xFFFFFF; }

// Counts the paint events a widget receives.
class TPaintZaehler : public QObject {
public:
    explicit TPaintZaehler(QWidget& widget) { widget.installEventFilter(this); }
    int anzahl = 0;

protected:
    bool eventFilter(QObject* /*ziel*/, QEvent* ereignis) override
    {
        if (ereignis->type() == QEvent::Paint) {
            ++anzahl;
        }
        return false;
    }
};

// A gauge shown on the offscreen screen, so that repaints really paint.
struct TSichtbaresGauge {
    TCGauge gauge;
    TPaintZaehler zaehler{gauge};

    TSichtbaresGauge()
    {
        gauge.show();
        QApplication::processEvents();
        zaehler.anzahl = 0;
    }
};

// The gauge of the main window: 163 × 20, framed, no text unless asked for.
void Hauptfenstergauge(TCGauge& gauge, TCGaugeKind art, int32_t prozent, bool text = false)
{
    gauge.resize(163, 20);
    gauge.SeTCGaugeKind(art);
    gauge.SetForeColor(kVorne);
    gauge.SetShowText(text);
    gauge.SetProgress(prozent);
}

struct TZustand {
    int32_t min, max, progress, prozent;
    bool operator==(const TZustand&) const = default;
};

TZustand Zustand(const TCGauge& gauge)
{
    return {gauge.MinValue(), gauge.MaxValue(), gauge.Progress(), gauge.GetPercentDone()};
}

} // namespace

TEST(TCGauge, NewGaugeIsHundredSquareHorizontalBarBlackOnWhiteWithTextAndFrame)
{
    TCGauge gauge;
    EXPECT_EQ(gauge.width(), 100);
    EXPECT_EQ(gauge.height(), 100);
    EXPECT_EQ(gauge.MinValue(), 0);
    EXPECT_EQ(gauge.MaxValue(), 100);
    EXPECT_EQ(gauge.Progress(), 0);
    EXPECT_EQ(gauge.Kind(), gkHorizontalBar);
    EXPECT_TRUE(gauge.ShowText());
    EXPECT_EQ(gauge.BorderStyle(), bsSingle);
    EXPECT_EQ(gauge.ForeColor(), QColor(0, 0, 0));
    EXPECT_EQ(gauge.BackColor(), QColor(255, 255, 255));
}

// ---------------------------------------------------------------- percentage

struct TProzentFall {
    int32_t min, max, progress, erwartet;
};

void PrintTo(const TProzentFall& f, std::ostream* os)
{
    *os << f.progress << " in " << f.min << ".." << f.max;
}

class GetPercentDone : public ::testing::TestWithParam<TProzentFall> {};

TEST_P(GetPercentDone, IsTheFloorOfTheExactQuotient)
{
    const TProzentFall fall = GetParam();
    TCGauge gauge;
    // Widen first so that every range can be set from the defaults.
    gauge.SetMaxValue(kMax);
    gauge.SetMinValue(fall.min);
    gauge.SetMaxValue(fall.max);
    gauge.SetProgress(fall.progress);
    ASSERT_EQ(gauge.Progress(), fall.progress);
    EXPECT_EQ(gauge.GetPercentDone(), fall.erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, GetPercentDone,
    ::testing::Values(TProzentFall{0, 3, 1, 33}, TProzentFall{0, 3, 2, 66},
                      // 29 / 100 × 100 is 28.999… in floating point
                      TProzentFall{0, 100, 29, 29}, TProzentFall{0, 1000, 509, 50},
                      TProzentFall{0, 1000, 510, 51}, TProzentFall{-10, 10, 0, 50},
                      TProzentFall{7, 7, 7, 0},
                      // the range and the product exceed 32 bits
                      TProzentFall{kMin, kMax, 0, 50}, TProzentFall{kMin, kMax, kMax, 100},
                      TProzentFall{kMin, kMax, kMax - 1, 99}, TProzentFall{kMin, kMax, kMin, 0}));

// ------------------------------------------------------------ value setters

struct TWertFall {
    const char* name;
    std::function<void(TCGauge&)> aktion;
    TZustand erwartet;
};

void PrintTo(const TWertFall& f, std::ostream* os) { *os << f.name; }

class Values : public ::testing::TestWithParam<TWertFall> {};

TEST_P(Values, EndInTheExpectedState)
{
    TCGauge gauge;
    GetParam().aktion(gauge);
    EXPECT_EQ(Zustand(gauge), GetParam().erwartet);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Faelle, Values, ::testing::Values(
    TWertFall{"ProgressBelowMinBecomesMin", [](TCGauge& g) { g.SetMinValue(-5); g.SetProgress(-6); }, {-5, 100, -5, 0}},
    TWertFall{"ProgressAboveMaxBecomesMax", [](TCGauge& g) { g.SetProgress(101); }, {0, 100, 100, 100}},
    TWertFall{"LowerMaxPullsProgressDown", [](TCGauge& g) { g.SetProgress(60); g.SetMaxValue(40); }, {0, 40, 40, 100}},
    TWertFall{"HigherMinPullsProgressUp", [](TCGauge& g) { g.SetProgress(10); g.SetMinValue(20); }, {20, 100, 20, 0}},
    TWertFall{"MinEqualToMaxGivesZeroPercent", [](TCGauge& g) { g.SetMinValue(100); }, {100, 100, 100, 0}},
    // A search over an empty first tree: no maximum, then SetProgress(MaxValue).
    TWertFall{"MaxZeroKeepsTheMaximum", [](TCGauge& g) { g.SetMaxValue(0); g.SetProgress(g.MaxValue()); }, {0, 100, 100, 100}},
    TWertFall{"MaxZeroIsIgnoredEvenBelowMin",
              [](TCGauge& g) { g.SetMaxValue(70); g.SetMinValue(5); g.SetProgress(30); g.SetMaxValue(0); }, {5, 70, 30, 38}},
    TWertFall{"AddProgressAdds", [](TCGauge& g) { g.AddProgress(30); g.AddProgress(12); }, {0, 100, 42, 42}},
    TWertFall{"AddProgressClamps", [](TCGauge& g) { g.AddProgress(30); g.AddProgress(-50); }, {0, 100, 0, 0}},
    TWertFall{"AddProgressSaturatesAtTheTop",
              [](TCGauge& g) { g.SetMaxValue(kMax); g.SetProgress(kMax - 1); g.AddProgress(10); }, {0, kMax, kMax, 100}},
    TWertFall{"AddProgressSaturatesAtTheBottom",
              [](TCGauge& g) { g.SetMinValue(kMin); g.SetProgress(kMin + 1); g.AddProgress(-10); }, {kMin, 100, kMin, 0}}),
    [](const ::testing::TestParamInfo<TWertFall>& info) { return std::string(info.param.name); });
// clang-format on

struct TFehlerFall {
    const char* name;
    std::function<void(TCGauge&)> vorbereiten;
    std::function<void(TCGauge&)> ausloesen;
    const char* meldung;
};

void PrintTo(const TFehlerFall& f, std::ostream* os) { *os << f.name; }

class BoundError : public ::testing::TestWithParam<TFehlerFall> {};

TEST_P(BoundError, ThrowsTheRangeMessageAndChangesNothing)
{
    const TFehlerFall& fall = GetParam();
    TSichtbaresGauge sichtbar;
    TCGauge& gauge = sichtbar.gauge;
    fall.vorbereiten(gauge);
    const TZustand vorher = Zustand(gauge);
    sichtbar.zaehler.anzahl = 0;
    try {
        fall.ausloesen(gauge);
        FAIL() << "no error raised";
    } catch (const EFehler& fehler) {
        EXPECT_EQ(std::string(fehler.what()), fall.meldung);
    }
    EXPECT_EQ(Zustand(gauge), vorher);
    EXPECT_EQ(sichtbar.zaehler.anzahl, 0);
}

const auto Nichts = [](TCGauge&) {};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Faelle, BoundError, ::testing::Values(
    TFehlerFall{"MinAboveMax", [](TCGauge& g) { g.SetProgress(40); }, [](TCGauge& g) { g.SetMinValue(101); },
                "Wert muß zwischen -2147483647 und 99 liegen"},
    TFehlerFall{"MaxBelowMin", [](TCGauge& g) { g.SetMinValue(10); g.SetProgress(40); }, [](TCGauge& g) { g.SetMaxValue(9); },
                "Wert muß zwischen 11 und 2147483647 liegen"},
    TFehlerFall{"NegativeMaxBelowMin", Nichts, [](TCGauge& g) { g.SetMaxValue(-1); },
                "Wert muß zwischen 1 und 2147483647 liegen"},
    // The bounds in the message lie beyond 32 bits here.
    TFehlerFall{"MinAboveSmallestMax", [](TCGauge& g) { g.SetMinValue(kMin); g.SetMaxValue(kMin); },
                [](TCGauge& g) { g.SetMinValue(5); }, "Wert muß zwischen -2147483647 und -2147483649 liegen"},
    TFehlerFall{"MaxBelowLargestMin", [](TCGauge& g) { g.SetMaxValue(kMax); g.SetMinValue(kMax); },
                [](TCGauge& g) { g.SetMaxValue(5); }, "Wert muß zwischen 2147483648 und 2147483647 liegen"}),
    [](const ::testing::TestParamInfo<TFehlerFall>& info) { return std::string(info.param.name); });
// clang-format on

// ----------------------------------------------------------------- repaints

struct TRepaintFall {
    const char* name;
    std::function<void(TCGauge&)> vorbereiten;
    std::function<void(TCGauge&)> aktion;
    int repaints;
};

void PrintTo(const TRepaintFall& f, std::ostream* os) { *os << f.name; }

class Repaint : public ::testing::TestWithParam<TRepaintFall> {};

TEST_P(Repaint, HappensExactlyWhenTheCallChangesWhatIsShown)
{
    TSichtbaresGauge sichtbar;
    GetParam().vorbereiten(sichtbar.gauge);
    sichtbar.zaehler.anzahl = 0;
    GetParam().aktion(sichtbar.gauge);
    EXPECT_EQ(sichtbar.zaehler.anzahl, GetParam().repaints);
}

const auto Tausend = [](TCGauge& g) { g.SetMaxValue(1000); g.SetProgress(500); };

// clang-format off
INSTANTIATE_TEST_SUITE_P(Faelle, Repaint, ::testing::Values(
    TRepaintFall{"SameKind", Nichts, [](TCGauge& g) { g.SeTCGaugeKind(gkHorizontalBar); }, 0},
    TRepaintFall{"NewKind", Nichts, [](TCGauge& g) { g.SeTCGaugeKind(gkPie); }, 1},
    TRepaintFall{"SameShowText", Nichts, [](TCGauge& g) { g.SetShowText(true); }, 0},
    TRepaintFall{"NewShowText", Nichts, [](TCGauge& g) { g.SetShowText(false); }, 1},
    TRepaintFall{"SameBorder", Nichts, [](TCGauge& g) { g.SetBorderStyle(bsSingle); }, 0},
    TRepaintFall{"NewBorder", Nichts, [](TCGauge& g) { g.SetBorderStyle(bsNone); }, 1},
    TRepaintFall{"SameForeColor", Nichts, [](TCGauge& g) { g.SetForeColor(QColor(0, 0, 0)); }, 0},
    TRepaintFall{"NewForeColor", Nichts, [](TCGauge& g) { g.SetForeColor(kVorne); }, 1},
    TRepaintFall{"SameBackColor", Nichts, [](TCGauge& g) { g.SetBackColor(QColor(255, 255, 255)); }, 0},
    TRepaintFall{"NewBackColor", Nichts, [](TCGauge& g) { g.SetBackColor(kVorne); }, 1},
    TRepaintFall{"SameMin", Nichts, [](TCGauge& g) { g.SetMinValue(0); }, 0},
    TRepaintFall{"NewMin", Nichts, [](TCGauge& g) { g.SetMinValue(10); }, 1},
    TRepaintFall{"MaxZero", Nichts, [](TCGauge& g) { g.SetMaxValue(0); }, 0},
    TRepaintFall{"SameMax", Nichts, [](TCGauge& g) { g.SetMaxValue(100); }, 1},
    TRepaintFall{"SameProgress", Nichts, [](TCGauge& g) { g.SetProgress(0); }, 0},
    TRepaintFall{"ClampedToSameProgress", Nichts, [](TCGauge& g) { g.SetProgress(-3); }, 0},
    TRepaintFall{"AddNothing", Nichts, [](TCGauge& g) { g.AddProgress(0); }, 1},
    TRepaintFall{"SameWholePercentage", Tausend, [](TCGauge& g) { g.SetProgress(509); }, 0},
    TRepaintFall{"NextWholePercentage", Tausend, [](TCGauge& g) { g.SetProgress(510); }, 1},
    TRepaintFall{"LowerWholePercentage", Tausend, [](TCGauge& g) { g.SetProgress(499); }, 1}),
    [](const ::testing::TestParamInfo<TRepaintFall>& info) { return std::string(info.param.name); });
// clang-format on

TEST(TCGauge, RunOverManyFilesRepaintsOncePerWholePercentage)
{
    TSichtbaresGauge sichtbar;
    sichtbar.gauge.SetMaxValue(100000);
    sichtbar.zaehler.anzahl = 0;
    for (int32_t i = 1; i <= 100000; ++i) {
        sichtbar.gauge.SetProgress(i);
    }
    EXPECT_EQ(sichtbar.zaehler.anzahl, 100);
}

// ------------------------------------------------------------------- pixels

// The frame: the outermost ring of pixels is black.
void RahmenPruefen(const QImage& bild)
{
    for (int x = 0; x < bild.width(); ++x) {
        ASSERT_EQ(Pixel(bild, x, 0), 0u) << x;
        ASSERT_EQ(Pixel(bild, x, bild.height() - 1), 0u) << x;
    }
    for (int y = 0; y < bild.height(); ++y) {
        ASSERT_EQ(Pixel(bild, 0, y), 0u) << y;
        ASSERT_EQ(Pixel(bild, bild.width() - 1, y), 0u) << y;
    }
}

struct TBalkenFall {
    TCGaugeKind art;
    TBorderStyle rahmen;
    int32_t prozent;
    QRect gefuellt;   // the rest of the inside is empty
};

void PrintTo(const TBalkenFall& f, std::ostream* os)
{
    *os << "kind " << int(f.art) << (f.rahmen == bsSingle ? " framed " : " unframed ") << f.prozent << "%";
}

class Bar : public ::testing::TestWithParam<TBalkenFall> {};

TEST_P(Bar, MainWindowGaugeFillsExactlyTheExpectedRectangle)
{
    const TBalkenFall fall = GetParam();
    TCGauge gauge;
    Hauptfenstergauge(gauge, fall.art, fall.prozent);
    gauge.SetBorderStyle(fall.rahmen);
    const QImage bild = gauge.ComposeImage();
    ASSERT_EQ(bild.size(), QSize(163, 20));
    QRect innen = bild.rect();
    if (fall.rahmen == bsSingle) {
        RahmenPruefen(bild);
        innen.adjust(1, 1, -1, -1);
    }
    for (int y = innen.top(); y <= innen.bottom(); ++y) {
        for (int x = innen.left(); x <= innen.right(); ++x) {
            const QRgb erwartet = fall.gefuellt.contains(x, y) ? Rgb(kVorne) : Rgb(kHinten);
            ASSERT_EQ(Pixel(bild, x, y), erwartet) << x << "," << y;
        }
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Faelle, Bar, ::testing::Values(
    TBalkenFall{gkHorizontalBar, bsSingle, 0, QRect()},
    // (1, 1, 81, 19) with the right and bottom edge excluded
    TBalkenFall{gkHorizontalBar, bsSingle, 50, QRect(1, 1, 80, 18)},
    TBalkenFall{gkHorizontalBar, bsSingle, 100, QRect(1, 1, 161, 18)},
    TBalkenFall{gkVerticalBar, bsSingle, 0, QRect()},
    // h = 19, f = 9: (1, 10, 162, 19)
    TBalkenFall{gkVerticalBar, bsSingle, 50, QRect(1, 10, 161, 9)},
    TBalkenFall{gkVerticalBar, bsSingle, 100, QRect(1, 1, 161, 18)},
    TBalkenFall{gkHorizontalBar, bsNone, 100, QRect(0, 0, 163, 20)},
    // text alone: the inside is all BackColor whatever the percentage
    TBalkenFall{gkText, bsSingle, 70, QRect()}));
// clang-format on

TEST(TCGauge, TextShowsTheInverseOfWhatLiesBeneath)
{
    TCGauge gauge;
    Hauptfenstergauge(gauge, gkHorizontalBar, 50);
    const QImage ohne = gauge.ComposeImage();
    gauge.SetShowText(true);
    const QImage mit = gauge.ComposeImage();

    int ueberGefuelltem = 0;
    int ueberLeerem = 0;
    for (int y = 0; y < mit.height(); ++y) {
        for (int x = 0; x < mit.width(); ++x) {
            const QRgb darunter = Pixel(ohne, x, y);
            const QRgb jetzt = Pixel(mit, x, y);
            if (jetzt == darunter) {
                continue;
            }
            ASSERT_EQ(jetzt, darunter ^ 0xFFFFFFu) << x << "," << y;
            ASSERT_TRUE(QRect(1, 1, 161, 18).contains(x, y)) << x << "," << y;
            if (darunter == Rgb(kVorne)) {
                ++ueberGefuelltem;
            } else {
                ASSERT_EQ(darunter, Rgb(kHinten));
                ++ueberLeerem;
            }
        }
    }
    // "50%" sits in the middle, across the edge of the bar at x = 81.
    EXPECT_GT(ueberGefuelltem, 10);
    EXPECT_GT(ueberLeerem, 10);
}

TEST(TCGauge, EmptyRangeShowsTheSameTextAsZeroPercent)
{
    TCGauge leer;
    Hauptfenstergauge(leer, gkHorizontalBar, 0, true);
    leer.SetMaxValue(7);
    leer.SetMinValue(7);
    ASSERT_EQ(leer.GetPercentDone(), 0);

    TCGauge null;
    Hauptfenstergauge(null, gkHorizontalBar, 0, true);
    TCGauge eins;
    Hauptfenstergauge(eins, gkHorizontalBar, 1, true);
    eins.SetForeColor(kHinten);   // the same picture as 0 % except for the text
    TCGauge ohneText;
    Hauptfenstergauge(ohneText, gkHorizontalBar, 0);

    const QImage bild = leer.ComposeImage();
    EXPECT_EQ(bild, null.ComposeImage());
    EXPECT_NE(bild, eins.ComposeImage());
    EXPECT_NE(bild, ohneText.ComposeImage());
}

// Pie and needle on the new gauge: 100 × 100 with frame, no text.
QImage Rund(TCGaugeKind art, int32_t prozent)
{
    TCGauge gauge;
    gauge.SeTCGaugeKind(art);
    gauge.SetForeColor(kVorne);
    gauge.SetShowText(false);
    gauge.SetProgress(prozent);
    return gauge.ComposeImage();
}

struct TTortenFall {
    int32_t prozent;
    // whether the quadrant is filled: upper right, lower right, lower left, upper left
    bool or_, ur, ul, ol;
};

void PrintTo(const TTortenFall& f, std::ostream* os) { *os << f.prozent << "%"; }

class Pie : public ::testing::TestWithParam<TTortenFall> {};

TEST_P(Pie, FillsClockwiseFromTwelveOClock)
{
    const TTortenFall fall = GetParam();
    const QImage bild = Rund(gkPie, fall.prozent);
    RahmenPruefen(bild);
    auto farbe = [](bool gefuellt) { return gefuellt ? Rgb(kVorne) : Rgb(kHinten); };
    // Points halfway out along the diagonals from the centre (49.5, 49.5).
    EXPECT_EQ(Pixel(bild, 67, 32), farbe(fall.or_));
    EXPECT_EQ(Pixel(bild, 67, 67), farbe(fall.ur));
    EXPECT_EQ(Pixel(bild, 32, 67), farbe(fall.ul));
    EXPECT_EQ(Pixel(bild, 32, 32), farbe(fall.ol));
    // The outline is there in every case, the corners keep the control's colour.
    EXPECT_EQ(Pixel(bild, 49, 1), Rgb(kVorne));
    EXPECT_EQ(Pixel(bild, 1, 49), Rgb(kVorne));
    EXPECT_EQ(Pixel(bild, 3, 3), QColor(QApplication::palette().color(QPalette::Window)).rgb() & 0xFFFFFF);
}

INSTANTIATE_TEST_SUITE_P(Faelle, Pie,
                         ::testing::Values(TTortenFall{0, false, false, false, false}, TTortenFall{25, true, false, false, false},
                                           TTortenFall{50, true, true, false, false}, TTortenFall{75, true, true, true, false},
                                           TTortenFall{100, true, true, true, true}));

// On the flat main-window gauge the ellipse is 18 pixels high; Qt's own
// aliased ellipse would overshoot into the frame at that size.
TEST(TCGauge, FlatPieStaysInsideTheFrame)
{
    for (int32_t prozent : {0, 50, 100}) {
        TCGauge gauge;
        Hauptfenstergauge(gauge, gkPie, prozent);
        const QImage bild = gauge.ComposeImage();
        RahmenPruefen(bild);
        // the tips of the ellipse touch the inside of the frame
        EXPECT_EQ(Pixel(bild, 1, 9), Rgb(kVorne)) << prozent;
        EXPECT_EQ(Pixel(bild, 161, 9), Rgb(kVorne)) << prozent;
    }
}

struct TNadelFall {
    int32_t prozent;
    QPoint spitze;   // from (50, 98): floor((1 − cos a) × 50), floor((1 − sin a) × 98)
};

void PrintTo(const TNadelFall& f, std::ostream* os) { *os << f.prozent << "%"; }

class Needle : public ::testing::TestWithParam<TNadelFall> {};

// The needle is what the percentage adds to the outline of 0 %: every added
// pixel lies on the line from the pivot to the tip, and the line reaches the tip.
TEST_P(Needle, PointsFromThePivotToTheTip)
{
    const TNadelFall fall = GetParam();
    const QImage umriss = Rund(gkNeedle, 0);
    const QImage bild = Rund(gkNeedle, fall.prozent);
    const QPointF drehpunkt(50, 98);
    const QPointF richtung = QPointF(fall.spitze) - drehpunkt;
    const double laenge = std::hypot(richtung.x(), richtung.y());

    int hinzu = 0;
    double weitester = 0;
    for (int y = 0; y < bild.height(); ++y) {
        for (int x = 0; x < bild.width(); ++x) {
            if (Pixel(bild, x, y) == Pixel(umriss, x, y)) {
                continue;
            }
            ++hinzu;
            ASSERT_EQ(Pixel(bild, x, y), Rgb(kVorne)) << x << "," << y;
            const QPointF p = QPointF(x, y) - drehpunkt;
            const double abstand = std::abs(p.x() * richtung.y() - p.y() * richtung.x()) / laenge;
            ASSERT_LE(abstand, 1.0) << x << "," << y;
            weitester = std::max(weitester, (p.x() * richtung.x() + p.y() * richtung.y()) / laenge);
        }
    }
    EXPECT_GT(hinzu, 20);
    EXPECT_GE(weitester, laenge - 4);
}

INSTANTIATE_TEST_SUITE_P(Faelle, Needle,
                         ::testing::Values(TNadelFall{25, QPoint(14, 28)}, TNadelFall{50, QPoint(49, 0)},
                                           TNadelFall{75, QPoint(85, 28)}, TNadelFall{100, QPoint(100, 97)}));

TEST(TCGauge, NeedleAtZeroDrawsOnlyTheHalfEllipseOutline)
{
    const QImage bild = Rund(gkNeedle, 0);
    const QRgb umgebung = QColor(QApplication::palette().color(QPalette::Window)).rgb() & 0xFFFFFF;
    EXPECT_EQ(Pixel(bild, 49, 1), Rgb(kVorne));    // top of the arc
    EXPECT_EQ(Pixel(bild, 49, 50), Rgb(kHinten));  // inside, empty
    EXPECT_EQ(Pixel(bild, 3, 3), umgebung);        // outside the arc
    EXPECT_EQ(Pixel(bild, 96, 3), umgebung);
}

TEST(TCGauge, PieAndNeedleAtZeroStillShowText)
{
    for (TCGaugeKind art : {gkPie, gkNeedle}) {
        TCGauge gauge;
        gauge.SeTCGaugeKind(art);
        gauge.SetShowText(false);
        const QImage ohne = gauge.ComposeImage();
        gauge.SetShowText(true);
        EXPECT_NE(gauge.ComposeImage(), ohne) << int(art);
    }
}

// ----------------------------------------------------- widget and high density

TEST(TCGauge, PaintCopiesTheComposedImageOntoTheControl)
{
    TCGauge gauge;
    Hauptfenstergauge(gauge, gkHorizontalBar, 37, true);
    const QImage gemalt = gauge.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(gemalt, gauge.ComposeImage());
}

TEST(TCGauge, HighDensityImageHasDevicePixelsForEveryLogicalPixel)
{
    TCGauge gauge;
    Hauptfenstergauge(gauge, gkHorizontalBar, 50);
    const QImage bild = gauge.ComposeImage(2.0);
    ASSERT_EQ(bild.size(), QSize(326, 40));
    EXPECT_EQ(bild.devicePixelRatio(), 2.0);
    // The frame is two device pixels wide, the bar ends at logical x = 81.
    EXPECT_EQ(Pixel(bild, 1, 20), 0u);
    EXPECT_EQ(Pixel(bild, 2, 20), Rgb(kVorne));
    EXPECT_EQ(Pixel(bild, 161, 20), Rgb(kVorne));
    EXPECT_EQ(Pixel(bild, 162, 20), Rgb(kHinten));
    EXPECT_EQ(Pixel(bild, 323, 20), Rgb(kHinten));
    EXPECT_EQ(Pixel(bild, 324, 20), 0u);
}

TEST(TBltBitmap, AdoptSizeTakesSizeAndPixelRatioOfTheOther)
{
    TBltBitmap vorlage(30, 12, 1.5);
    TBltBitmap bild(3, 3, 1.0);
    bild.AdoptSize(vorlage);
    EXPECT_EQ(bild.size(), QSize(45, 18));
    EXPECT_EQ(bild.devicePixelRatio(), 1.5);
    EXPECT_EQ(bild.format(), QImage::Format_RGB32);
}

// The fill colour chosen from the system's highlight colour.

TEST(Kontrast, MeasuresAsTheAccessibilityGuidelinesDo)
{
    EXPECT_DOUBLE_EQ(Kontrastverhaeltnis(Qt::black, Qt::white), 21.0);
    EXPECT_DOUBLE_EQ(Kontrastverhaeltnis(kVorne, kVorne), 1.0);
    EXPECT_NEAR(Kontrastverhaeltnis(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
    EXPECT_EQ(Komplement(kVorne), QColor(0xDF, 0x9F, 0x3F));
}

struct THervorhebung {
    const char* name;
    QColor farbe;
    bool bleibt; // its complement reads well enough already
};

void PrintTo(const THervorhebung& fall, std::ostream* aus)
{
    *aus << fall.name;
}

class LesbareFuellfarbeTest : public ::testing::TestWithParam<THervorhebung> {};

TEST_P(LesbareFuellfarbeTest, KeepsAReadableHighlightAndDarkensAnUnreadableOne)
{
    const THervorhebung& fall = GetParam();
    const QColor fuellung = LesbareFuellfarbe(fall.farbe);
    const double kontrast = Kontrastverhaeltnis(fuellung, Komplement(fuellung));
    if (fall.bleibt) {
        EXPECT_EQ(fuellung, fall.farbe);
        EXPECT_GE(kontrast, LesbarerKontrast);
        return;
    }
    EXPECT_GE(kontrast, ZielKontrast);
    // A darker shade of the same colour, the text over it light.
    EXPECT_LT(fuellung.value(), fall.farbe.value());
    EXPECT_NEAR(fuellung.hsvHue(), fall.farbe.hsvHue(), 2);
    EXPECT_GT(Kontrastverhaeltnis(Komplement(fuellung), Qt::black), Kontrastverhaeltnis(fuellung, Qt::black));
}

INSTANTIATE_TEST_SUITE_P(
    Farben, LesbareFuellfarbeTest,
    ::testing::Values(THervorhebung{"MidBlue", QColor(0x30, 0x8C, 0xC6), false},
                      THervorhebung{"MidGrey", QColor(0x80, 0x80, 0x80), false},
                      THervorhebung{"Orange", QColor(0xFF, 0x80, 0x00), false},
                      THervorhebung{"Navy", QColor(0x00, 0x00, 0x80), true},
                      THervorhebung{"Yellow", QColor(0xFF, 0xFF, 0x00), true},
                      THervorhebung{"LightSkyBlue", QColor(0x87, 0xCE, 0xFA), true}),
    [](const auto& info) { return info.param.name; });
