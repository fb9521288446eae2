#include "Testbaum.h"
#include "Testfenster.h"

#include "reference/Referenzsuche.h"
#include "app/Endesignale.h"
#include "app/Ergebnisansicht.h"
#include "app/Ergebnisliste.h"
#include "app/Fehlerbox.h"
#include "app/Fensterlage.h"
#include "app/Glyphe.h"
#include "app/Schrift.h"
#include "search/Baumlesen.h"
#include "controls/Cgauges.h"
#include "controls/Kontrast.h"
#include "util/Fehler.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <filesystem>
#include <memory>
#include <csignal>
#include <unistd.h>

namespace {

const std::string Kopf = "Kollatrix 2002V1";

// Our section as FormClose writes it.
std::string Abschnitt(int oben, int links, const std::string& eins, const std::string& zwei, int breite)
{
    const std::string t = "\x03";
    return "Kollatrix\x02" + t + std::to_string(oben) + t + std::to_string(links) + t + eins + t + zwei + t +
           std::to_string(breite) + t + "\x01";
}

class Form1Test : public ::testing::Test {
protected:
    // The window of a program living in the test's directory.
    std::unique_ptr<TTestfenster> Fenster() { return std::make_unique<TTestfenster>(baum.Wurzel()); }

    std::string Einstellungsdatei() const { return baum.Wurzel() + "Einst.sys"; }
    void EinstellungenSchreiben(const std::string& body) const { baum.Datei("Einst.sys", Kopf + body); }
    std::string EinstellungenLesen() const { return TTestbaum::Lesen(Einstellungsdatei()); }

    void LampenAblegen(bool rot = true, bool gruen = true, const std::string& wohin = "") const
    {
        const std::filesystem::path quelle = DUBRINAX_GLYPHEN;
        if (rot)
            std::filesystem::copy_file(quelle / "LED_Rot.bmp", baum.Verzeichnis(wohin) + "LED_Rot.bmp");
        if (gruen)
            std::filesystem::copy_file(quelle / "LED_Grün.bmp", baum.Verzeichnis(wohin) + "LED_Grün.bmp");
    }

    // Where an installation keeps the lamps of a program in the test's
    // directory: share/dubrinax beside it, the last place they are looked for.
    std::string Datenort() const
    {
        return TTestbaum::Text(std::filesystem::path(baum.Wurzel()).parent_path().parent_path() / "share/dubrinax/");
    }

    // A close as the window system asks for it, delivered at the next look
    // at the message queue: closeEvent, then hiding unless refused.
    static void Schliessen(QWidget& fenster)
    {
        QMetaObject::invokeMethod(&fenster, &QWidget::close, Qt::QueuedConnection);
    }

    // The three counters as "+/-/!".
    static std::string Zaehler(const TForm1& f)
    {
        return f.FeldText(TFeld::Edit7) + "/" + f.FeldText(TFeld::Edit8) + "/" + f.FeldText(TFeld::Edit9);
    }

    // The marks as a string of 0 and 1, one per line.
    static std::string Markierungen(const TForm1& f)
    {
        std::string m;
        for (uint32_t i = 0; i < f.ListeAnzahl(); ++i)
            m += f.ListeMarkiert(i) ? '1' : '0';
        return m;
    }

    // Whether the list's first row on screen holds anything but its background.
    static bool ZeigtZeilen(TForm1& f)
    {
        const QImage bild = f.ListBox1->viewport()->grab().toImage();
        const QRgb grund = bild.pixel(0, 0);
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < bild.width(); ++x)
                if (bild.pixel(x, y) != grund)
                    return true;
        return false;
    }

    static std::vector<std::string> Zeilen(const TForm1& f)
    {
        std::vector<std::string> zeilen;
        for (uint32_t i = 0; i < f.ListeAnzahl(); ++i)
            zeilen.push_back(f.ListeZeile(i));
        return zeilen;
    }

    // The small tree of the worked example: one pair, one file alone.
    void BeispielbaumAnlegen(TForm1& f)
    {
        a = baum.Verzeichnis("A");
        b = baum.Verzeichnis("B");
        baum.Datei("A/x.txt", "abc");
        baum.Datei("A/y.txt", "abd");
        baum.Datei("B/z.txt", "abc");
        f.FeldSetzen(TFeld::Edit1, a);
        f.FeldSetzen(TFeld::Edit3, b);
    }

    void SetUp() override
    {
        FehlerAnzeige() = [this](const std::string& text) { fehlerboxen.push_back(text); };
    }

    TTestbaum baum;
    std::string a, b;
    std::vector<std::string> fehlerboxen;
};

// Settings

TEST_F(Form1Test, FirstStartCentresTheWindowOnThePrimaryScreenWithTheStartDirectories)
{
    auto f = Fenster();
    EXPECT_TRUE(f->Einstellungen.empty());
    f->FormCreate();
    const QSize schirm = QGuiApplication::primaryScreen()->geometry().size();
    const QRect rahmen = f->frameGeometry();
    EXPECT_EQ(rahmen.top(), (schirm.height() - rahmen.height()) / 2);
    EXPECT_EQ(rahmen.left(), (schirm.width() - rahmen.width()) / 2);
    EXPECT_EQ(f->FeldText(TFeld::Edit1), "/A/");
    EXPECT_EQ(f->FeldText(TFeld::Edit3), "/B/");
}

TEST_F(Form1Test, FirstCloseOnA1024x768ScreenWritesTheHeaderAndOurOneSection)
{
    auto f = Fenster();
    f->schirm = QSize(1024, 768);
    f->FormCreate();
    f->FormClose();
    // 519 × 356 without a frame: (768 − 356) / 2 = 206, (1024 − 519) / 2 = 252.5.
    const std::string erwartet = Kopf + Abschnitt(206, 252, "/A/", "/B/", 519);
    EXPECT_EQ(erwartet.size(), 48u);
    EXPECT_EQ(EinstellungenLesen(), erwartet);
    EXPECT_TRUE(f->meldungen.empty());
}

TEST_F(Form1Test, AScreenLowerThanTheWindowGivesANegativeTopTruncatedTowardZero)
{
    auto f = Fenster();
    f->schirm = QSize(800, 347); // (347 − 356) / 2 = −4.5
    f->FormCreate();
    EXPECT_EQ(f->frameGeometry().top(), -4);
    EXPECT_EQ(f->frameGeometry().left(), 140);
}

struct TWiederherstellung {
    const char* name;
    std::string inhalt;
    int oben, links;
    std::string eins, zwei;
    int breite;
};

class Form1Wiederherstellung : public Form1Test, public ::testing::WithParamInterface<TWiederherstellung> {};

TEST_P(Form1Wiederherstellung, RestoresPositionWidthAndDirectories)
{
    const TWiederherstellung& fall = GetParam();
    EinstellungenSchreiben("Kollatrix\x02" + fall.inhalt + "\x01");
    auto f = Fenster();
    f->FormCreate();
    EXPECT_EQ(f->frameGeometry().top(), fall.oben);
    EXPECT_EQ(f->frameGeometry().left(), fall.links);
    EXPECT_EQ(f->FeldText(TFeld::Edit1), fall.eins);
    EXPECT_EQ(f->FeldText(TFeld::Edit3), fall.zwei);
    EXPECT_EQ(f->frameGeometry().width(), fall.breite);
    EXPECT_EQ(f->height(), 356);
}

INSTANTIATE_TEST_SUITE_P(
    Abschnitte, Form1Wiederherstellung,
    ::testing::Values(
        TWiederherstellung{"Stored", "\x03" "120\x03" "33\x03/p/\x03/q r/\x03" "700\x03", 120, 33, "/p/", "/q r/", 700},
        // One delimiter and nothing else: zeros, empty fields, the least width.
        TWiederherstellung{"OneDelimiter", "\x03", 0, 0, "", "", 265},
        // A window left of the primary screen stays there.
        TWiederherstellung{"MinusKept", "\x03" "5\x03-8\x03/p/\x03/q/\x03" "600\x03", 5, -8, "/p/", "/q/", 600},
        // Off the offscreen platform's one 800 × 800 screen: in its middle.
        TWiederherstellung{"OffTheScreen", "\x03" "100\x03" "5000\x03/p/\x03/q/\x03" "600\x03", 222, 100, "/p/", "/q/", 600},
        TWiederherstellung{"WiderThanTheScreen", "\x03" "0\x03" "0\x03/p/\x03/q/\x03" "32767\x03", 0, 0, "/p/", "/q/", 800},
        TWiederherstellung{"NarrowerThanTheLeftColumn", "\x03" "1\x03" "2\x03/p/\x03/q/\x03" "100\x03", 1, 2, "/p/", "/q/",
                           265},
        // Written by hand, without the final delimiter.
        TWiederherstellung{"NoFinalDelimiter", "\x03" "7\x03" "9\x03/p/\x03/q/\x03" "640", 7, 9, "/p/", "/q/", 640}),
    [](const auto& info) { return info.param.name; });

struct TLagefall {
    const char* name;
    QRect gespeichert;
    std::vector<QRect> schirme;
    QRect erwartet;
};

class Fensterlage : public ::testing::TestWithParam<TLagefall> {};

TEST_P(Fensterlage, AStoredPlaceOffEveryScreenOpensInTheMiddleOfThePrimaryOne)
{
    EXPECT_EQ(FensterlageAufSchirm(GetParam().gespeichert, GetParam().schirme, 20), GetParam().erwartet);
}

const QRect Klein(0, 0, 1024, 768);
const QRect Links(-2560, 0, 2560, 1440); // a second screen left of the primary one

INSTANTIATE_TEST_SUITE_P(
    Faelle, Fensterlage,
    ::testing::Values(TLagefall{"OnTheScreen", {100, 50, 527, 390}, {Klein}, {100, 50, 527, 390}},
                      TLagefall{"RightOfIt", {5000, 50, 527, 390}, {Klein}, {248, 189, 527, 390}},
                      TLagefall{"LeftOfIt", {-2252, 40, 527, 390}, {Klein}, {248, 189, 527, 390}},
                      TLagefall{"OnTheSecondScreen", {-2252, 40, 527, 390}, {Klein, Links}, {-2252, 40, 527, 390}},
                      TLagefall{"TitleBarAboveIt", {100, -5, 527, 390}, {Klein, Links}, {248, 189, 527, 390}},
                      TLagefall{"AStripOfFiftyPixels", {974, 50, 527, 390}, {Klein}, {248, 189, 527, 390}},
                      TLagefall{"AThirdShows", {849, 50, 525, 390}, {Klein}, {849, 50, 525, 390}},
                      TLagefall{"Wide", {0, 0, 32767, 390}, {Klein}, {0, 0, 1024, 390}},
                      TLagefall{"NoScreen", {5000, 0, 527, 390}, {}, {5000, 0, 527, 390}}),
    [](const auto& info) { return info.param.name; });

// Ended by a signal, the window saves as a close does, shows nothing, and
// ends as the signal ends a program: at its look at the message queue, or
// in a walk, which handles no messages, between two entries.
class Form1Endesignal : public Form1Test, public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(Form1Endesignal, SavesTheWindowsPlaceAndEndsWithTheSignal)
{
    EinstellungenSchreiben("Kollatrix\x02\x03" "40\x03-2252\x03/p/\x03/q/\x03" "600\x03\x01");
    const auto [signal, imWeg] = GetParam();
    EXPECT_EXIT(
        {
            auto f = Fenster();
            f->FormCreate();
            f->move(30, 20);
            new TEndesignale([&] { f->EinstellungenSichern(); }, f.get());
            QTimer::singleShot(0, [signal] { ::kill(::getpid(), signal); });
            TBaumdaten d;
            if (imWeg && ::kill(::getpid(), signal) == 0)
                std::exit(BaumLesen(TFilter(), f->Sitzung().Stopp, f->Sitzung(), baum.Wurzel(), d, d.NeuerLauf()) ? 0 : 1);
            QCoreApplication::exec();
        },
        ::testing::KilledBySignal(signal), "");
    EXPECT_EQ(EinstellungenLesen(), Kopf + Abschnitt(20, 30, "/p/", "/q/", 600));
}

INSTANTIATE_TEST_SUITE_P(Signale, Form1Endesignal, ::testing::Combine(::testing::Values(SIGTERM, SIGHUP, SIGINT), ::testing::Bool()));

TEST_F(Form1Test, ANumberTooLargeThrowsAndLeavesTheLaterFieldsAtTheirDesignedValues)
{
    EinstellungenSchreiben("Kollatrix\x02\x03" "120\x03" "99999999999\x03/p/\x03/q/\x03" "700\x03\x01");
    auto f = Fenster();
    try {
        f->FormCreate();
        FAIL() << "no conversion error";
    } catch (const EFehler& fehler) {
        EXPECT_STREQ(fehler.what(), "'99999999999' ist kein gültiger Integerwert");
    }
    // The top came before the failing field; the rest keeps the design.
    EXPECT_EQ(f->frameGeometry().top(), 120);
    EXPECT_EQ(f->frameGeometry().left(), 192);
    EXPECT_EQ(f->FeldText(TFeld::Edit1), "");
    EXPECT_EQ(f->FeldText(TFeld::Edit3), "");
    EXPECT_EQ(f->width(), 519);
}

TEST_F(Form1Test, OtherProgramsSectionsKeepTheirOrderAndOursMovesToTheEnd)
{
    const std::string alpha = "Alpha\x02" "eins\x03zwei\x01";
    const std::string beta = "Beta\x02\x01";
    EinstellungenSchreiben(alpha + Abschnitt(10, 20, "/p/", "/q/", 600) + beta);
    auto f = Fenster();
    f->FormCreate();
    f->FeldSetzen(TFeld::Edit1, "/neu/");
    f->FormClose();
    EXPECT_EQ(EinstellungenLesen(), Kopf + alpha + beta + Abschnitt(10, 20, "/neu/", "/q/", 600));
}

TEST_F(Form1Test, ASecondCloseReplacesTheSectionOfTheFirst)
{
    auto f = Fenster();
    f->FormCreate();
    f->FormClose();
    f->move(30, 40);
    f->FeldSetzen(TFeld::Edit3, "/zwei/");
    f->FormClose();
    EXPECT_EQ(EinstellungenLesen(), Kopf + Abschnitt(40, 30, "/A/", "/zwei/", 519));
}

TEST_F(Form1Test, ASettingsFileThatCannotBeWrittenIsReportedAndLeftAsItWas)
{
    const std::string alt = "Alpha\x02x\x01";
    EinstellungenSchreiben(alt);
    auto f = Fenster();
    f->FormCreate();
    // A file made read-only is kept, by root too.
    std::filesystem::permissions(Einstellungsdatei(), std::filesystem::perms::owner_read);
    f->FormClose();
    ASSERT_EQ(f->meldungen.size(), 1u);
    EXPECT_EQ(f->meldungen[0].first, "Datei " + Einstellungsdatei() + " konnte nicht gespeichert werden!");
    EXPECT_EQ(f->meldungen[0].second, "Fehler");
    EXPECT_EQ(EinstellungenLesen(), Kopf + alt);
}

TEST_F(Form1Test, ASectionAnotherProgramAddedWhileTheWindowWasOpenSurvivesTheClose)
{
    const std::string alpha = "Alpha\x02" "a\x01";
    EinstellungenSchreiben(alpha + Abschnitt(10, 20, "/p/", "/q/", 600));
    auto f = Fenster();
    f->FormCreate();
    const std::string beta = "Beta\x02" "b\x01";
    EinstellungenSchreiben(alpha + Abschnitt(10, 20, "/p/", "/q/", 600) + beta);
    f->FormClose();
    EXPECT_EQ(EinstellungenLesen(), Kopf + alpha + beta + Abschnitt(10, 20, "/p/", "/q/", 600));
}

TEST_F(Form1Test, ADirectoryWhoseNameWouldNotReadBackIsStoredAsItsStartValue)
{
    const std::string fremd = "Fremd\x02" "f\x01";
    EinstellungenSchreiben(fremd);
    auto f = Fenster();
    f->FormCreate();
    f->move(20, 10);
    f->FeldSetzen(TFeld::Edit1, "/a\x01" "Fremd\x02" "g\x03/");
    f->FeldSetzen(TFeld::Edit3, "/b\x1A/");
    f->FormClose();
    EXPECT_EQ(EinstellungenLesen(), Kopf + fremd + Abschnitt(10, 20, "/A/", "/B/", 519));
}

TEST_F(Form1Test, ClosingWhileIdleSavesAndLetsTheWindowClose)
{
    auto f = Fenster();
    f->FormCreate();
    f->show();
    const QRect rahmen = f->frameGeometry();
    EXPECT_TRUE(f->close());
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(f->Sitzung().Stopp.Angefordert());
    EXPECT_EQ(EinstellungenLesen(), Kopf + Abschnitt(rahmen.top(), rahmen.left(), "/A/", "/B/", rahmen.width()));
    EXPECT_EQ(f->beendet, 0);
}

// The Start button

// A field without its final "/" names the same directory; a directory that
// cannot be listed leaves the list as it is and is said under it and in
// the menu entry after the list's own.
TEST_F(Form1Test, AFieldWithoutFinalSeparatorListsTheSameAndWhatCouldNotBeReadIsSaid)
{
    LampenAblegen();
    auto f = Fenster();
    a = baum.Verzeichnis("A");
    baum.Datei("A/x", "gleich");
    baum.Datei("A/sub/y", "gleich");
    std::vector<std::string> gelistet[2];
    for (int ohne = 0; ohne < 2; ++ohne) {
        const std::string feld = ohne ? a.substr(0, a.size() - 1) : a;
        f->FeldSetzen(TFeld::Edit1, feld);
        f->FeldSetzen(TFeld::Edit3, feld);
        f->BitBtn1->click();
        gelistet[ohne] = Zeilen(*f);
        EXPECT_FALSE(f->HinweisNichtGelesen->isVisibleTo(f.get()));
    }
    EXPECT_EQ(gelistet[0], (std::vector<std::string>{"! " + a + "x", "+     " + a + "sub/y"}));
    EXPECT_EQ(gelistet[1], gelistet[0]);

    f->FeldSetzen(TFeld::Edit3, baum.Wurzel() + "fehlt/");
    f->BitBtn1->click();
    EXPECT_EQ(Zeilen(*f), (std::vector<std::string>{"- " + a + "x", "- " + a + "sub/y"}));
    EXPECT_TRUE(f->HinweisNichtGelesen->isVisibleTo(f.get()));
    EXPECT_TRUE(f->NichtGeleseneAnzeigen1->isEnabled());
    ASSERT_EQ(f->Uebersprungen().size(), 1u);
    EXPECT_EQ(f->Uebersprungen()[0].pfad, baum.Wurzel() + "fehlt/");
}

TEST_F(Form1Test, StartRunsTheSearchOverTheTwoDirectories)
{
    LampenAblegen();
    auto f = Fenster();
    BeispielbaumAnlegen(*f);
    // What an earlier run left goes first.
    f->ListeAnhaengen("- /alt");
    f->FeldSetzen(TFeld::Edit7, "4");
    f->FeldSetzen(TFeld::Edit8, "5");
    f->FeldSetzen(TFeld::Edit9, "6");
    f->BitBtn1->click();
    const std::vector<std::string> zeilen = Zeilen(*f);
    ASSERT_EQ(zeilen.size(), 3u);
    const auto paar = std::find(zeilen.begin(), zeilen.end(), "! " + a + "x.txt");
    ASSERT_NE(paar, zeilen.end());
    ASSERT_NE(paar + 1, zeilen.end());
    EXPECT_EQ(*(paar + 1), "+     " + b + "z.txt");
    EXPECT_NE(std::find(zeilen.begin(), zeilen.end(), "- " + a + "y.txt"), zeilen.end());
    EXPECT_EQ(Zaehler(*f), "1/1/1");
    EXPECT_EQ(f->CGauge1->Progress(), f->CGauge1->MaxValue());
    EXPECT_TRUE(fehlerboxen.empty());
    EXPECT_TRUE(f->fragen.empty());
}

TEST_F(Form1Test, AnInstalledProgramFindsItsLampsAndKeepsItsSettingsInTheUsersDirectory)
{
    LampenAblegen(true, true, "share/dubrinax");
    ::setenv("XDG_CONFIG_HOME", (baum.Wurzel() + "konfig").c_str(), 1);
    auto f = std::make_unique<TTestfenster>(baum.Verzeichnis("bin"));
    BeispielbaumAnlegen(*f);
    f->BitBtn1->click();
    EXPECT_TRUE(fehlerboxen.empty());
    EXPECT_EQ(Zaehler(*f), "1/1/1");
    f->FormClose();
    EXPECT_TRUE(f->meldungen.empty());
    EXPECT_EQ(TTestbaum::Lesen(baum.Wurzel() + "konfig/dubrinax/Einst.sys").substr(0, Kopf.size() + 10),
              Kopf + "Kollatrix\x02");
}

TEST_F(Form1Test, AMissingRedLampEndsStartBeforeTheListAndCountersAreTouched)
{
    LampenAblegen(false, true);
    auto f = Fenster();
    BeispielbaumAnlegen(*f);
    f->ListeAnhaengen("- /alt/datei");
    f->FeldSetzen(TFeld::Edit7, "4");
    f->FeldSetzen(TFeld::Edit8, "5");
    f->FeldSetzen(TFeld::Edit9, "6");
    f->BitBtn1->click();
    ASSERT_EQ(fehlerboxen.size(), 1u);
    EXPECT_EQ(fehlerboxen[0], "Datei " + Datenort() + "LED_Rot.bmp kann nicht geöffnet werden.");
    EXPECT_EQ(Zeilen(*f), std::vector<std::string>{"- /alt/datei"});
    EXPECT_EQ(Zaehler(*f), "4/5/6");
}

TEST_F(Form1Test, AMissingGreenLampLeavesTheResultsAndTheRedLamp)
{
    LampenAblegen(true, false);
    auto f = Fenster();
    BeispielbaumAnlegen(*f);
    f->BitBtn1->click();
    ASSERT_EQ(fehlerboxen.size(), 1u);
    EXPECT_EQ(fehlerboxen[0], "Datei " + Datenort() + "LED_Grün.bmp kann nicht geöffnet werden.");
    EXPECT_EQ(f->ListeAnzahl(), 3u);
    EXPECT_EQ(Zaehler(*f), "1/1/1");
    const QImage rot = GlypheLaden(baum.Wurzel() + "LED_Rot.bmp").toImage();
    EXPECT_EQ(f->BitBtn1->icon().pixmap(15, 15).toImage().convertToFormat(rot.format()), rot);
}

TEST_F(Form1Test, StartPressedDuringARunIsIgnored)
{
    LampenAblegen();
    auto f = Fenster();
    BeispielbaumAnlegen(*f);
    // Delivered at the run's first look at the message queue.
    QMetaObject::invokeMethod(f->BitBtn1, &QPushButton::click, Qt::QueuedConnection);
    f->BitBtn1->click();
    // A nested run would have emptied the list and written it twice.
    EXPECT_EQ(f->ListeAnzahl(), 3u);
    EXPECT_EQ(Zaehler(*f), "1/1/1");
}

// Closing during a search

TEST_F(Form1Test, ClosingDuringASearchSavesAtOnceAsksOnceAndEndsWhenTheRunHasReturned)
{
    LampenAblegen();
    auto f = Fenster();
    f->FormCreate();
    BeispielbaumAnlegen(*f);
    f->show();
    bool gespeichertBeiFrage = false;
    bool sichtbarBeiFrage = false;
    int beendetBeiFrage = -1;
    f->beiFrage = [&] {
        gespeichertBeiFrage = std::filesystem::exists(Einstellungsdatei());
        sichtbarBeiFrage = f->isVisible();
        beendetBeiFrage = f->beendet;
    };
    Schliessen(*f);
    f->BitBtn1->click();
    ASSERT_EQ(f->fragen.size(), 1u);
    EXPECT_EQ(f->fragen[0].first, "Soll wirklich abgerochen werden?");
    EXPECT_EQ(f->fragen[0].second, "Abbrechen?");
    EXPECT_TRUE(gespeichertBeiFrage);
    EXPECT_TRUE(sichtbarBeiFrage);
    EXPECT_EQ(beendetBeiFrage, 0);
    // Stopped before any line: the walk polls before every entry.
    EXPECT_EQ(f->ListeAnzahl(), 0u);
    EXPECT_EQ(f->beendet, 1);
}

TEST_F(Form1Test, TwoClosesDuringASearchLeaveOneSectionWithTheValuesOfTheSecond)
{
    LampenAblegen();
    auto f = Fenster();
    f->FormCreate();
    BeispielbaumAnlegen(*f);
    f->show();
    f->antwortJa = false;
    std::string nachDemErsten;
    // Both closes come at the run's first look at the messages, before the
    // walks; the window moves and widens between them.
    Schliessen(*f);
    QMetaObject::invokeMethod(
        f.get(),
        [&] {
            nachDemErsten = EinstellungenLesen();
            f->move(11, 22);
            f->resize(600, f->height());
        },
        Qt::QueuedConnection);
    Schliessen(*f);
    f->BitBtn1->click();
    // Answered No: the run finished with its full result.
    EXPECT_EQ(f->fragen.size(), 1u);
    EXPECT_EQ(f->ListeAnzahl(), 3u);
    EXPECT_NE(nachDemErsten.find("Kollatrix\x02"), std::string::npos);
    const QRect rahmen = f->frameGeometry();
    EXPECT_GE(rahmen.width(), 600);
    EXPECT_EQ(EinstellungenLesen(), Kopf + Abschnitt(22, 11, a, b, rahmen.width()));
    EXPECT_EQ(f->beendet, 1);
}

// Double-clicks

struct TDoppelklick {
    const char* name;
    std::function<QWidget*(TForm1&)> ziel;
    QPoint stelle;
    int dialoge;
    int aboutBoxen;
};

class Form1Doppelklick : public Form1Test, public ::testing::WithParamInterface<TDoppelklick> {};

TEST_P(Form1Doppelklick, OpensTheDialogOfTheClickedPlaceOnly)
{
    const TDoppelklick& fall = GetParam();
    auto f = Fenster();
    f->FormCreate();
    f->ListeAnhaengen("- /a/b");
    f->show();
    QWidget* ziel = fall.ziel(*f);
    QMouseEvent klick(QEvent::MouseButtonDblClick, QPointF(fall.stelle), QPointF(ziel->mapToGlobal(fall.stelle)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &klick);
    EXPECT_EQ(static_cast<int>(f->dialogStartnamen.size()), fall.dialoge);
    EXPECT_EQ(f->aboutBoxGezeigt, fall.aboutBoxen);
}

INSTANTIATE_TEST_SUITE_P(
    Stellen, Form1Doppelklick,
    ::testing::Values(TDoppelklick{"Edit1", [](TForm1& f) -> QWidget* { return f.Edit1; }, {5, 5}, 1, 0},
                      TDoppelklick{"Edit3", [](TForm1& f) -> QWidget* { return f.Edit3; }, {5, 5}, 1, 0},
                      TDoppelklick{"Edit2", [](TForm1& f) -> QWidget* { return f.Edit2; }, {5, 5}, 0, 0},
                      TDoppelklick{"Edit5", [](TForm1& f) -> QWidget* { return f.Edit5; }, {5, 5}, 0, 0},
                      TDoppelklick{"Edit9", [](TForm1& f) -> QWidget* { return f.Edit9; }, {5, 5}, 0, 0},
                      TDoppelklick{"ListLine", [](TForm1& f) -> QWidget* { return f.ListBox1->viewport(); }, {5, 5}, 0, 0},
                      TDoppelklick{"ListBelowLines", [](TForm1& f) -> QWidget* { return f.ListBox1->viewport(); }, {5, 200}, 0, 0},
                      TDoppelklick{"Label1", [](TForm1& f) -> QWidget* { return f.Label1; }, {2, 2}, 0, 0},
                      TDoppelklick{"GroupBox1", [](TForm1& f) -> QWidget* { return f.GroupBox1; }, {200, 16}, 0, 1},
                      TDoppelklick{"GroupBox4", [](TForm1& f) -> QWidget* { return f.GroupBox4; }, {60, 18}, 0, 1},
                      TDoppelklick{"FreeArea", [](TForm1& f) -> QWidget* { return &f; }, {1, 355}, 0, 1}),
    [](const auto& info) { return info.param.name; });

// Keys

struct TTaste {
    const char* name;
    std::function<QWidget*(TForm1&)> ziel;
    int taste;
    Qt::KeyboardModifiers umschalter;
    const char* startname; // the directory dialog's start name; nullptr: no dialog
};

void PrintTo(const TTaste& fall, std::ostream* aus)
{
    *aus << fall.name;
}

class Form1Taste : public Form1Test, public ::testing::WithParamInterface<TTaste> {};

TEST_P(Form1Taste, EnterOrF4OnADirectoryFieldOpensItsChoiceAndNothingElseDoes)
{
    const TTaste& fall = GetParam();
    auto f = Fenster();
    f->FeldSetzen(TFeld::Edit1, "/eins/");
    f->FeldSetzen(TFeld::Edit3, "/zwei/");
    QKeyEvent taste(QEvent::KeyPress, fall.taste, fall.umschalter);
    QApplication::sendEvent(fall.ziel(*f), &taste);
    const std::vector<std::string> erwartet =
        fall.startname ? std::vector<std::string>{fall.startname} : std::vector<std::string>{};
    EXPECT_EQ(f->dialogStartnamen, erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Tasten, Form1Taste,
    ::testing::Values(
        TTaste{"Edit1Return", [](TForm1& f) -> QWidget* { return f.Edit1; }, Qt::Key_Return, Qt::NoModifier, "/eins/x"},
        TTaste{"Edit3KeypadEnter", [](TForm1& f) -> QWidget* { return f.Edit3; }, Qt::Key_Enter, Qt::KeypadModifier,
               "/zwei/x"},
        TTaste{"Edit3F4", [](TForm1& f) -> QWidget* { return f.Edit3; }, Qt::Key_F4, Qt::NoModifier, "/zwei/x"},
        TTaste{"Edit1AltF4", [](TForm1& f) -> QWidget* { return f.Edit1; }, Qt::Key_F4, Qt::AltModifier, nullptr},
        TTaste{"Edit1CtrlReturn", [](TForm1& f) -> QWidget* { return f.Edit1; }, Qt::Key_Return, Qt::ControlModifier,
               nullptr},
        TTaste{"Edit2F4", [](TForm1& f) -> QWidget* { return f.Edit2; }, Qt::Key_F4, Qt::NoModifier, nullptr},
        TTaste{"Edit5Return", [](TForm1& f) -> QWidget* { return f.Edit5; }, Qt::Key_Return, Qt::NoModifier, nullptr}),
    [](const auto& info) { return info.param.name; });

TEST_F(Form1Test, ShiftF10OpensTheListsMenuAtTheCurrentLine)
{
    auto f = Fenster();
    f->ListeAnhaengen("! /a/1");
    f->ListeAnhaengen("- /a/2");
    f->show();
    f->ListBox1->setFocus();
    f->ListBox1->setCurrentIndex(f->ListBox1->model()->index(1, 0));
    QKeyEvent taste(QEvent::KeyPress, Qt::Key_F10, Qt::ShiftModifier);
    QApplication::sendEvent(f->ListBox1, &taste);
    ASSERT_TRUE(f->PopupMenu1->isVisible());
    const QRect zeile = f->ListBox1->visualRect(f->ListBox1->currentIndex());
    EXPECT_EQ(f->PopupMenu1->pos().y(), f->ListBox1->viewport()->mapToGlobal(zeile.center()).y());
    f->PopupMenu1->hide();
}

TEST_F(Form1Test, TheDirectoryChoiceStartsInTheFieldsDirectoryAndTakesTheDirectoryPartOfTheName)
{
    auto f = Fenster();
    f->FeldSetzen(TFeld::Edit3, "/daten/alt/");
    f->dialogAntworten = {std::string("/daten/neu/unter/gibt es nicht")};
    f->Edit3DblClick();
    EXPECT_EQ(f->dialogStartnamen, std::vector<std::string>{"/daten/alt/x"});
    EXPECT_EQ(f->FeldText(TFeld::Edit3), "/daten/neu/unter/");
}

TEST_F(Form1Test, CancellingTheDirectoryChoiceKeepsTheField)
{
    auto f = Fenster();
    f->FeldSetzen(TFeld::Edit1, "/gibt/es/nicht/");
    f->dialogAntworten = {std::nullopt};
    f->Edit1DblClick();
    EXPECT_EQ(f->dialogStartnamen.size(), 1u);
    EXPECT_EQ(f->FeldText(TFeld::Edit1), "/gibt/es/nicht/");
}

// The result list and its menu

TEST_F(Form1Test, ListLinesAndFieldsGiveBackTheirExactBytes)
{
    auto f = Fenster();
    const std::string zeile = std::string("- /tmp/\xff\xfe-latin1-\xe4\xf6\xfc/", 21) + '\0' + "x";
    f->ListeAnhaengen(zeile);
    EXPECT_EQ(f->ListeZeile(0), zeile);
    const std::string pfad = "/tmp/gr\xf6\xdf" "e/";
    f->FeldSetzen(TFeld::Edit1, pfad);
    EXPECT_EQ(f->FeldText(TFeld::Edit1), pfad);
}

TEST_F(Form1Test, ThePopupMenuHasItsElevenEntriesInOrderThenOurOwn)
{
    auto f = Fenster();
    const QList<QAction*> eintraege = f->PopupMenu1->actions();
    std::vector<std::string> texte;
    for (const QAction* eintrag : eintraege)
        texte.push_back(eintrag->isSeparator() ? "---" : eintrag->text().toStdString());
    const std::vector<std::string> erwartet = {
        "alle Einträge mit + markieren",
        "alle Einträge mit - markieren",
        "alle Einträge mit ! markieren",
        "---",
        "alle Markierungen löschen",
        "---",
        "markierte Einträge kopieren nach…",
        "markierte Einträge kopieren von… nach…",
        "---",
        "markierte Einträge verschieben nach…",
        "markierte Einträge verschieben von… nach…",
        "---",
        "nicht gelesene Einträge anzeigen…",
        "---",
        "Datei öffnen",
        "Ordner öffnen",
        "---",
        "markierte Einträge in den Papierkorb",
        "---",
        "Liste speichern…",
        "Filter…",
        "---",
        "Liste nach Pfad sortieren",
        "Liste nach Größe sortieren",
    };
    EXPECT_EQ(texte, erwartet);
}

TEST_F(Form1Test, TheMarkingEntriesSelectTheirCategoryAndClearTheSelection)
{
    auto f = Fenster();
    for (const char* zeile : {"! /a/1", "+     /b/1", "- /a/2", "! /a/3", "+     /b/3"})
        f->ListeAnhaengen(zeile);
    const auto markiert = [&] { return Markierungen(*f); };
    f->AlleEintrgemitMarkieren3->trigger();
    EXPECT_EQ(markiert(), "10010");
    f->AlleEintrgemitMarkieren1->trigger();
    EXPECT_EQ(markiert(), "11011");
    f->AlleMarkierungenlschen1->trigger();
    EXPECT_EQ(markiert(), "00000");
    f->AlleEintrgemitMarkieren2->trigger();
    EXPECT_EQ(markiert(), "00100");
}

struct TKlickfolge {
    const char* name;
    std::vector<std::pair<int, Qt::KeyboardModifiers>> klicks; // line, keys held
    std::string markiert;
};

class Form1Klickfolge : public Form1Test, public ::testing::WithParamInterface<TKlickfolge> {};

TEST_P(Form1Klickfolge, ClicksMarkLinesAsInAnyListWithExtendedSelection)
{
    auto f = Fenster();
    for (int i = 0; i < 5; ++i)
        f->ListeAnhaengen("- /a/" + std::to_string(i));
    f->show();
    for (const auto& [zeile, tasten] : GetParam().klicks) {
        const QPoint stelle = f->ListBox1->visualRect(f->Ergebnisliste->index(zeile)).center();
        for (const QEvent::Type art : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent klick(art, QPointF(stelle), QPointF(f->ListBox1->viewport()->mapToGlobal(stelle)),
                              Qt::LeftButton, art == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              tasten);
            QApplication::sendEvent(f->ListBox1->viewport(), &klick);
        }
    }
    EXPECT_EQ(Markierungen(*f), GetParam().markiert);
}

INSTANTIATE_TEST_SUITE_P(
    Folgen, Form1Klickfolge,
    ::testing::Values(TKlickfolge{"AClickMarksItsLineAlone", {{1, Qt::NoModifier}, {3, Qt::NoModifier}}, "00010"},
                      TKlickfolge{"ControlClickAddsAndRemoves",
                                  {{1, Qt::NoModifier}, {3, Qt::ControlModifier}, {1, Qt::ControlModifier}},
                                  "00010"},
                      TKlickfolge{"ShiftClickMarksFromTheAnchor", {{1, Qt::NoModifier}, {3, Qt::ShiftModifier}}, "01110"},
                      TKlickfolge{"ASecondShiftClickReplacesTheFirstRange",
                                  {{1, Qt::NoModifier}, {4, Qt::ShiftModifier}, {2, Qt::ShiftModifier}},
                                  "01100"},
                      TKlickfolge{"ShiftClickKeepsWhatControlClicksMarked",
                                  {{4, Qt::NoModifier}, {0, Qt::ControlModifier}, {2, Qt::ShiftModifier}},
                                  "11101"}),
    [](const auto& info) { return info.param.name; });

TEST_F(Form1Test, LinesOfAnyLengthKeepTheirBytesWhenTheirKindChanges)
{
    auto f = Fenster();
    // Around the size of the blocks the paths are packed into.
    const std::string knappKleiner((1 << 20) - 3, 'k');
    const std::string groesser((1 << 20) + 5, 'g');
    for (const std::string& zeile : {std::string("- /a"), "- " + knappKleiner, "- " + groesser, std::string("+     /b")})
        f->ListeAnhaengen(zeile);
    f->FundArtSetzen(0, '!');
    f->FundArtSetzen(2, '!');
    EXPECT_EQ(Zeilen(*f), (std::vector<std::string>{"! /a", "- " + knappKleiner, "! " + groesser, "+     /b"}));
}

TEST_F(Form1Test, DuringASearchEachDispatchAddsTheNewLinesAndTheListNeverShowsBlank)
{
    LampenAblegen();
    auto f = Fenster();
    a = baum.Verzeichnis("A");
    for (int i = 1; i <= 6; ++i)
        baum.Datei("A/" + std::to_string(i), std::string(static_cast<size_t>(i), 'x'));
    f->FeldSetzen(TFeld::Edit1, a);
    f->FeldSetzen(TFeld::Edit3, a);
    // The pairwise run looks at the messages once per file.
    ReferenzWaehlen(f->Sitzung(), true);
    f->show();
    int zurueckgesetzt = 0;
    int umgestellt = 0;
    QObject::connect(f->Ergebnisliste, &QAbstractItemModel::modelReset, [&] { ++zurueckgesetzt; });
    QObject::connect(f->Ergebnisliste, &QAbstractItemModel::layoutChanged, [&] { ++umgestellt; });
    // At every dispatch: a list with lines shows them, not an empty area.
    int bilder = 0;
    int leer = 0;
    QTimer beiDispatch;
    beiDispatch.setInterval(0);
    QObject::connect(&beiDispatch, &QTimer::timeout, [&] {
        if (f->Ergebnisliste->rowCount() == 0)
            return;
        ++bilder;
        leer += ZeigtZeilen(*f) ? 0 : 1;
    });
    beiDispatch.start();
    f->BitBtn1->click();
    beiDispatch.stop();
    EXPECT_EQ(f->ListeAnzahl(), 6u);
    EXPECT_EQ(zurueckgesetzt, 1); // the Start button's clearing, and no other
    EXPECT_EQ(umgestellt, 0);
    EXPECT_GE(bilder, 4);
    EXPECT_EQ(leer, 0);
}

TEST_F(Form1Test, AtTheFirstDispatchOfAStartTheOldLinesAreGoneFromTheScreen)
{
    LampenAblegen();
    auto f = Fenster();
    BeispielbaumAnlegen(*f);
    for (int i = 0; i < 40; ++i)
        f->ListeAnhaengen("- /alt/" + std::to_string(i));
    f->show();
    int zeilen = -1;
    bool gezeigt = true;
    QMetaObject::invokeMethod(
        f.get(),
        [&] {
            zeilen = f->Ergebnisliste->rowCount();
            gezeigt = ZeigtZeilen(*f);
        },
        Qt::QueuedConnection);
    f->BitBtn1->click();
    EXPECT_EQ(zeilen, 0);
    EXPECT_FALSE(gezeigt);
}

TEST_F(Form1Test, TheRightButtonKeepsTheMarkedLines)
{
    auto f = Fenster();
    f->ListeAnhaengen("! /a/1");
    f->ListeAnhaengen("- /a/2");
    f->show();
    f->ListeMarkieren(0, true);
    const QPoint stelle = f->ListBox1->visualRect(f->Ergebnisliste->index(1)).center();
    QMouseEvent druck(QEvent::MouseButtonPress, QPointF(stelle), QPointF(f->ListBox1->viewport()->mapToGlobal(stelle)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(f->ListBox1->viewport(), &druck);
    EXPECT_TRUE(f->ListeMarkiert(0));
    EXPECT_FALSE(f->ListeMarkiert(1));
}

TEST_F(Form1Test, CopyFromToAsksForTheBaseThenTheTargetStartingFromTheFirstChoice)
{
    auto f = Fenster();
    a = baum.Verzeichnis("A");
    b = baum.Verzeichnis("B");
    const std::string t = baum.Verzeichnis("T");
    baum.Datei("Kopie/sub/f.txt", "inhalt");
    f->FeldSetzen(TFeld::Edit1, a);
    f->FeldSetzen(TFeld::Edit3, b);
    f->ListeAnhaengen("- " + a + "sub/f.txt");
    f->ListeMarkieren(0, true);
    f->OpenDialog1.FileName = "/vorher";
    f->dialogAntworten = {baum.Wurzel() + "Kopie/x", t + "x"};
    f->markierteEintrgekopierenvonnach1->trigger();
    EXPECT_EQ(f->dialogStartnamen, (std::vector<std::string>{"/vorher", baum.Wurzel() + "Kopie/x"}));
    EXPECT_EQ(TTestbaum::Lesen(t + "sub/f.txt"), "inhalt");
    EXPECT_EQ(f->FeldText(TFeld::Edit5), "kein Fehler aufgetreten");
}

TEST_F(Form1Test, CancellingEitherDialogOfAMoveChangesNothing)
{
    auto f = Fenster();
    a = baum.Verzeichnis("A");
    const std::string quelle = baum.Datei("A/f.txt", "x");
    f->FeldSetzen(TFeld::Edit1, a);
    f->FeldSetzen(TFeld::Edit5, "vorher");
    f->ListeAnhaengen("- " + quelle);
    f->ListeMarkieren(0, true);
    f->dialogAntworten = {std::string(baum.Verzeichnis("T") + "x"), std::nullopt};
    f->markierteEintrgeverschiebenvonnach1->trigger();
    f->dialogAntworten = {std::nullopt};
    f->markierteEintrgeverschiebennach1->trigger();
    EXPECT_EQ(f->dialogStartnamen.size(), 3u);
    EXPECT_TRUE(std::filesystem::exists(quelle));
    EXPECT_EQ(f->FeldText(TFeld::Edit5), "vorher");
}

// A unique first-tree file and a second-tree twin of another file share
// their relative path: the move through the menu keeps the unique content at
// the target and leaves the twin where it was, and says which line failed
// and why, in German.
TEST_F(Form1Test, MovingAllCategoriesNeverLetsATwinOverwriteAUniqueFile)
{
    LampenAblegen();
    auto f = Fenster();
    a = baum.Verzeichnis("A");
    b = baum.Verzeichnis("B");
    const std::string t = baum.Verzeichnis("T");
    baum.Datei("A/f", "einzig");
    baum.Datei("A/sub/g", "zwilling");
    baum.Datei("B/f", "zwilling");
    f->FeldSetzen(TFeld::Edit1, a);
    f->FeldSetzen(TFeld::Edit3, b);
    f->BitBtn1->click();
    const std::vector<std::string> gefunden = Zeilen(*f);
    ASSERT_EQ(gefunden.size(), 3u);
    f->AlleEintrgemitMarkieren1->trigger();
    f->AlleEintrgemitMarkieren2->trigger();
    f->AlleEintrgemitMarkieren3->trigger();
    f->dialogAntworten = {t + "x"};
    f->markierteEintrgeverschiebennach1->trigger();
    EXPECT_EQ(TTestbaum::Lesen(t + "f"), "einzig");
    EXPECT_EQ(TTestbaum::Lesen(b + "f"), "zwilling");
    EXPECT_EQ(TTestbaum::Lesen(t + "sub/g"), "zwilling");
    EXPECT_EQ(f->FeldText(TFeld::Edit5), "es ist mindestens ein Fehler aufgetreten");
    ASSERT_EQ(f->abgelehnt.size(), 1u);
    EXPECT_EQ(f->abgelehnt[0].titel, "Nicht verschoben");
    EXPECT_EQ(f->abgelehnt[0].eintraege,
              (std::vector<std::pair<std::string, std::string>>{{b + "f", "am Ziel steht schon eine andere Datei"}}));
    EXPECT_EQ(Zeilen(*f), gefunden);
    for (uint32_t i = 0; i < f->ListeAnzahl(); ++i)
        EXPECT_TRUE(f->ListeMarkiert(i));
}

// Through the menus: a move started while another runs does nothing, and
// a directory chosen anew after the search does not change which files the
// lines name.
TEST_F(Form1Test, FileCommandsActOnWhatTheSearchFoundAndOneAtATime)
{
    LampenAblegen();
    auto f = Fenster();
    a = baum.Verzeichnis("A");
    b = baum.Verzeichnis("B");
    const std::string c = baum.Verzeichnis("C");
    const std::string t = baum.Verzeichnis("T");
    baum.Datei("A/f", "gefunden");
    baum.Datei("C/f", "nie gelistet");
    f->FeldSetzen(TFeld::Edit1, a);
    f->FeldSetzen(TFeld::Edit3, b);
    f->BitBtn1->click();
    f->FeldSetzen(TFeld::Edit1, c);
    f->AlleEintrgemitMarkieren2->trigger();
    f->dialogAntworten = {t + "x", t + "x"};
    // Fires at the first command's message dispatch.
    QTimer::singleShot(0, f.get(), [&] { f->markierteEintrgeverschiebennach1->trigger(); });
    f->markierteEintrgeverschiebennach1->trigger();
    EXPECT_EQ(f->dialogStartnamen.size(), 1u);
    EXPECT_EQ(TTestbaum::Lesen(t + "f"), "gefunden");
    EXPECT_EQ(TTestbaum::Lesen(c + "f"), "nie gelistet");
    EXPECT_EQ(f->FeldText(TFeld::Edit5), "kein Fehler aufgetreten");
}

// Layout

TEST_F(Form1Test, NoLabelOrTitleIsCutAndNoLabelRunsIntoItsField)
{
    auto f = Fenster();
    // The layout holds for the face it was measured with; that face, and no
    // other the machine happens to have, must be the one drawn.
    const QFontInfo schrift(f->Label5->font());
    EXPECT_EQ(schrift.family().toStdString(), FensterSchriftFamilie);
    EXPECT_EQ(schrift.pixelSize(), FensterSchriftPixel);
    for (QLabel* label : f->findChildren<QLabel*>()) {
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        EXPECT_GE(label->height(), label->sizeHint().height()) << label->text().toStdString();
    }
    EXPECT_LE(f->Label2->geometry().right(), f->Edit2->geometry().left());
    EXPECT_LE(f->Label4->geometry().right(), f->Edit4->geometry().left());
    EXPECT_LE(f->Label5->geometry().right(), f->CGauge1->geometry().left());
    const QFontMetrics masse(f->font());
    for (QGroupBox* gruppe : {f->GroupBox1, f->GroupBox2, f->GroupBox3, f->GroupBox4}) {
        EXPECT_LT(masse.horizontalAdvance(gruppe->title()) + 10, gruppe->width());
        for (QWidget* kind : gruppe->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(gruppe->rect().contains(kind->geometry())) << kind->metaObject()->className();
    }
}

// The gauge's percentage over both parts, with the system's highlight
// colour as it comes and with ones of middle brightness, whose complement
// is about as bright as they are.
struct TGaugeText {
    const char* name;
    QColor hervorhebung; // invalid: the platform's own
    int prozent;
};

void PrintTo(const TGaugeText& fall, std::ostream* aus)
{
    *aus << fall.name;
}

class Form1GaugeText : public Form1Test, public ::testing::WithParamInterface<TGaugeText> {};

// The colour most pixels of the area have (the ground), the one most of the
// rest have (the text), and how many pixels show the text.
struct TGrundUndText {
    QRgb grund = 0;
    QRgb text = 0;
    int textPixel = 0;
};

TGrundUndText GrundUndText(const QImage& bild, const QRect& bereich)
{
    std::map<QRgb, int> anzahl;
    for (int y = bereich.top(); y <= bereich.bottom(); ++y)
        for (int x = bereich.left(); x <= bereich.right(); ++x)
            ++anzahl[bild.pixel(x, y) & 0xFFFFFF];
    const auto meiste = [](const std::map<QRgb, int>& farben) {
        return std::max_element(farben.begin(), farben.end(),
                                [](const auto& a, const auto& b) { return a.second < b.second; });
    };
    TGrundUndText ergebnis;
    ergebnis.grund = meiste(anzahl)->first;
    anzahl.erase(ergebnis.grund);
    if (!anzahl.empty()) {
        ergebnis.text = meiste(anzahl)->first;
        ergebnis.textPixel = meiste(anzahl)->second;
    }
    return ergebnis;
}

TEST_P(Form1GaugeText, ReadsAtLeastThreeToOneOverTheFilledAndTheEmptyPart)
{
    const TGaugeText& fall = GetParam();
    const QPalette vorher = QApplication::palette();
    if (fall.hervorhebung.isValid()) {
        QPalette farben = vorher;
        farben.setColor(QPalette::Highlight, fall.hervorhebung);
        QApplication::setPalette(farben);
    }
    auto f = Fenster();
    QApplication::setPalette(vorher);
    f->CGauge1->SetProgress(fall.prozent);
    const QImage bild = f->CGauge1->ComposeImage();
    ASSERT_EQ(bild.size(), QSize(163, 20));
    // Inside the frame the fill reaches x = 81 at 50 %, the whole inside at 100 %.
    const int fuellEnde = fall.prozent == 100 ? 162 : 81;
    std::vector<QRect> teile = {QRect(QPoint(1, 1), QPoint(fuellEnde - 1, 18))};
    if (fuellEnde < 162)
        teile.push_back(QRect(QPoint(fuellEnde, 1), QPoint(161, 18)));
    for (const QRect& teil : teile) {
        const TGrundUndText farben = GrundUndText(bild, teil);
        EXPECT_GT(farben.textPixel, 10) << "part from x = " << teil.left();
        EXPECT_GE(Kontrastverhaeltnis(QColor(farben.grund), QColor(farben.text)), LesbarerKontrast)
            << "part from x = " << teil.left() << ": text " << std::hex << farben.text << " on " << farben.grund;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Farben, Form1GaugeText,
    ::testing::Values(TGaugeText{"PlatformHalf", QColor(), 50}, TGaugeText{"PlatformFull", QColor(), 100},
                      TGaugeText{"MidBlueHalf", QColor(0x30, 0x8C, 0xC6), 50},
                      TGaugeText{"MidGreyHalf", QColor(0x80, 0x80, 0x80), 50},
                      TGaugeText{"MidGreyFull", QColor(0x80, 0x80, 0x80), 100}),
    [](const auto& info) { return info.param.name; });

TEST_F(Form1Test, TheListTakesWhatTheWindowGrowsByAndTheDesignedSizeIsTheLeast)
{
    auto f = Fenster();
    EXPECT_EQ(f->ListBox1->geometry(), QRect(264, 0, 255, 356));
    f->show();
    // Shown, the window has the frame of the platform; the designed outer
    // width stays, the inner one gives way.
    EXPECT_EQ(f->frameGeometry().width(), 519);
    f->resize(800, 500);
    EXPECT_EQ(f->ListBox1->geometry(), QRect(264, 0, 536, 500));
    f->resize(100, 100);
    EXPECT_EQ(f->frameGeometry().width(), 265);
    EXPECT_EQ(f->height(), 356);
    // Lower than designed (a small screen allows it), the left column
    // scrolls, so that its last field can be reached.
    f->setMinimumHeight(200);
    f->resize(519, 200);
    auto* lauf = f->findChild<QScrollBar*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_TRUE(lauf && lauf->isVisible());
    lauf->setValue(lauf->maximum());
    EXPECT_LE(f->Edit9->mapTo(f.get(), QPoint(0, f->Edit9->height())).y(), 200);
    EXPECT_GE(f->ListBox1->x(), 264 + lauf->width());
}

TEST_F(Form1Test, UnderTheListTheSummaryCountsThePlusLinesAndTheMarkedOnes)
{
    LampenAblegen();
    auto f = Fenster();
    BeispielbaumAnlegen(*f);
    f->BitBtn1->click();
    f->AlleEintrgemitMarkieren1->trigger();
    f->AlleEintrgemitMarkieren2->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(f->Zusammenfassung->text().toStdString(), "+ belegen 3 Bytes; markiert: 2 (6 Bytes)");
}

TEST_F(Form1Test, ListLinesAreThirteenPixelsHigh)
{
    auto f = Fenster();
    f->ListeAnhaengen("- /a");
    f->ListeAnhaengen("- /b");
    f->show();
    EXPECT_EQ(f->ListBox1->visualRect(f->Ergebnisliste->index(1)), QRect(0, 13, f->ListBox1->viewport()->width(), 13));
}

} // namespace
