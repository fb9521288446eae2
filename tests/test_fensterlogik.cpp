#include "Testbaum.h"
#include "Testflaeche.h"

#include "fenster/Filterwerte.h"
#include "util/Groessenangabe.h"
#include "util/Fehler.h"
#include "util/Papierkorb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <tuple>

namespace {

#ifdef _WIN32
const std::string Start1 = "C:\\A\\", Start2 = "C:\\B\\";
#else
const std::string Start1 = "/A/", Start2 = "/B/";
#endif
const std::string Kopf = "Kollatrix 2002V1";
// (path, reason) of the entries a list shows.
using TPaare = std::vector<std::pair<std::string, std::string>>;

// Our section as a close writes it.
std::string Abschnitt(int oben, int links, const std::string& eins, const std::string& zwei, int breite)
{
    const std::string t = "\x03";
    return "Kollatrix\x02" + t + std::to_string(oben) + t + std::to_string(links) + t + eins + t + zwei + t +
           std::to_string(breite) + t + "\x01";
}

class Fensterlogik : public ::testing::Test {
protected:
    std::unique_ptr<TFensterlogik> Neu() { return std::make_unique<TFensterlogik>(flaeche, baum.Wurzel()); }
    std::string Einstellungsdatei() const { return baum.Wurzel() + "Einst.sys"; }

    // A line as a search of Edit1 against Edit3 writes it for the file the
    // text names after its prefix, with size groesse where given.
    void Anhaengen(const std::string& zeile, int64_t groesse = -1)
    {
        const char art = zeile[0];
        const std::string pfad = zeile.substr(art == '+' ? 6 : 2);
        plattform::TQuellStand stand;
        const bool bekannt = groesse >= 0 ? (stand.stand.groesse = groesse, true) : plattform::QuellStandLesen(pfad, stand);
        TSuchsitzung& s = logik->Sitzung();
        s.FundeSchreiben().VerzeichnisseSetzen(logik->FeldText(TFeld::Edit1), logik->FeldText(TFeld::Edit3));
        s.FundAnhaengen(s.FundeSchreiben().Aufnehmen(art, art == '+', pfad, bekannt ? &stand : nullptr));
    }
    std::vector<std::string> Zeilen() const
    {
        std::vector<std::string> zeilen;
        for (uint32_t i = 0; i < logik->ListeAnzahl(); ++i)
            zeilen.push_back(logik->ListeZeile(i));
        return zeilen;
    }
    std::string Marken() const
    {
        std::string m;
        for (uint32_t i = 0; i < logik->ListeAnzahl(); ++i)
            m += logik->ListeMarkiert(i) ? '1' : '0';
        return m;
    }
    std::string Zaehler()
    {
        return flaeche.felder[TFeld::Edit7] + "/" + flaeche.felder[TFeld::Edit8] + "/" + flaeche.felder[TFeld::Edit9];
    }
    // The small tree of the worked example: one pair, one file alone.
    void Beispielbaum()
    {
        a = baum.Verzeichnis("A");
        b = baum.Verzeichnis("B");
        baum.Datei("A/x.txt", "abc");
        baum.Datei("A/y.txt", "abd");
        baum.Datei("B/z.txt", "abc");
        logik->FeldSetzen(TFeld::Edit1, a);
        logik->FeldSetzen(TFeld::Edit3, b);
    }

    TTestbaum baum;
    TTestflaeche flaeche;
    std::unique_ptr<TFensterlogik> logik = Neu();
    std::string a, b;
};

// Settings and place

struct TEinstellungsfall {
    const char* name;
    std::optional<std::string> vorher; // the file's body; none at a first start
    TGroesse schirm;
    std::function<void(TFensterlogik&, TTestflaeche&, TTestbaum&)> zwischen; // between start and close
    const char* fehler;                // what FormCreate throws; then there is no close
    TRechteck rahmen;                  // the window after FormCreate
    std::optional<std::string> nachher; // the file's body after the close; none: as before
    const char* meldung;
};

class Einstellungen : public Fensterlogik, public ::testing::WithParamInterface<TEinstellungsfall> {};

TEST_P(Einstellungen, AreReadAtTheStartAndWrittenAtTheCloseWithOtherSectionsKept)
{
    const TEinstellungsfall& fall = GetParam();
    if (fall.vorher)
        baum.Datei("Einst.sys", Kopf + *fall.vorher);
    logik = Neu();
    flaeche.schirm = fall.schirm;
    try {
        logik->FormCreate();
        EXPECT_STREQ("", fall.fehler);
    } catch (const EFehler& fehler) {
        EXPECT_STREQ(fehler.what(), fall.fehler);
    }
    EXPECT_EQ(flaeche.rahmen, fall.rahmen);
    if (*fall.fehler) {
        EXPECT_EQ(logik->FeldText(TFeld::Edit1) + logik->FeldText(TFeld::Edit3), "");
        return;
    }
    if (fall.zwischen)
        fall.zwischen(*logik, flaeche, baum);
    logik->FormClose();
    EXPECT_TRUE(logik->Sitzung().Stopp.Angefordert());
    EXPECT_EQ(TTestbaum::Lesen(Einstellungsdatei()), Kopf + fall.nachher.value_or(fall.vorher.value_or("")));
    EXPECT_EQ(flaeche.meldungen, *fall.meldung ? std::vector<std::string>{fall.meldung} : std::vector<std::string>{});
}

const std::string Alpha = "Alpha\x02" "eins\x03zwei\x01", Beta = "Beta\x02\x01";
const std::string Fremd = "Fremd\x02" "f\x01";

INSTANTIATE_TEST_SUITE_P(
    Faelle, Einstellungen,
    ::testing::Values(
        // 519 × 356: (768 − 356) / 2 = 206, (1024 − 519) / 2 = 252.5; 48 bytes in all.
        TEinstellungsfall{"FirstStartCentresWithTheStartDirectories", std::nullopt, {1024, 768}, nullptr, "",
                          {252, 206, 519, 356}, Abschnitt(206, 252, Start1, Start2, 519), ""},
        TEinstellungsfall{"AScreenLowerThanTheWindowGivesANegativeTopTruncatedTowardZero", std::nullopt, {800, 347},
                          nullptr, "", {140, -4, 519, 356}, Abschnitt(-4, 140, Start1, Start2, 519), ""},
        TEinstellungsfall{"OtherProgramsSectionsKeepTheirOrderAndOursMovesToTheEnd",
                          Alpha + Abschnitt(10, 20, "/p/", "/q/", 600) + Beta, {1024, 768},
                          [](TFensterlogik& l, TTestflaeche&, TTestbaum&) { l.FeldSetzen(TFeld::Edit1, "/neu/"); }, "",
                          {20, 10, 600, 356}, Alpha + Beta + Abschnitt(10, 20, "/neu/", "/q/", 600), ""},
        TEinstellungsfall{"ASecondCloseReplacesTheSectionOfTheFirst", std::nullopt, {1024, 768},
                          [](TFensterlogik& l, TTestflaeche& f, TTestbaum&) {
                              l.FormClose();
                              f.Platzieren(30, 40, 519);
                              l.FeldSetzen(TFeld::Edit3, "/zwei/");
                          },
                          "", {252, 206, 519, 356}, Abschnitt(40, 30, Start1, "/zwei/", 519), ""},
        TEinstellungsfall{"ASectionAnotherProgramAddedMeanwhileSurvives", Alpha + Abschnitt(10, 20, "/p/", "/q/", 600),
                          {1024, 768},
                          [](TFensterlogik&, TTestflaeche&, TTestbaum& t) {
                              t.Datei("Einst.sys", Kopf + Alpha + Abschnitt(10, 20, "/p/", "/q/", 600) + Beta);
                          },
                          "", {20, 10, 600, 356}, Alpha + Beta + Abschnitt(10, 20, "/p/", "/q/", 600), ""},
        TEinstellungsfall{"ADirectoryWhoseNameWouldNotReadBackIsStoredAsItsStartValue", Fremd, {1024, 768},
                          [](TFensterlogik& l, TTestflaeche& f, TTestbaum&) {
                              f.Platzieren(20, 10, 519);
                              l.FeldSetzen(TFeld::Edit1, "/a\x01" "Fremd\x02" "g\x03/");
                              l.FeldSetzen(TFeld::Edit3, "/b\x1A/");
                          },
                          "", {252, 206, 519, 356}, Fremd + Abschnitt(10, 20, Start1, Start2, 519), ""},
        // The top came before the failing field; the rest keeps the design.
        TEinstellungsfall{"ANumberTooLargeThrowsAndLeavesTheLaterFieldsAtTheirDesignedValues",
                          "Kollatrix\x02\x03" "120\x03" "99999999999\x03/p/\x03/q/\x03" "700\x03\x01", {1024, 768},
                          nullptr, "'99999999999' ist kein gültiger Integerwert", {192, 120, 519, 356}, std::nullopt,
                          ""},
        // Off every screen: in the middle of the primary one, as wide as it at most.
        TEinstellungsfall{"AStoredPlaceOffTheScreensOpensInTheMiddle",
                          "Kollatrix\x02\x03" "100\x03" "5000\x03/p/\x03/q/\x03" "32767\x03\x01", {1024, 768}, nullptr,
                          "", {0, 206, 1024, 356}, Abschnitt(206, 0, "/p/", "/q/", 1024), ""}),
    [](const auto& info) { return info.param.name; });

TEST_F(Fensterlogik, ASettingsFileThatCannotBeWrittenIsReportedAndLeftAsItWas)
{
    baum.Datei("Einst.sys", Kopf + Alpha);
    logik = Neu();
    logik->FormCreate();
    // A file made read-only is kept, by root too.
    std::filesystem::permissions(TTestbaum::Pfad(Einstellungsdatei()), std::filesystem::perms::owner_read);
    logik->FormClose();
    EXPECT_EQ(flaeche.meldungen, std::vector<std::string>{"Fehler: Datei " + Einstellungsdatei() +
                                                          " konnte nicht gespeichert werden!"});
    EXPECT_EQ(TTestbaum::Lesen(Einstellungsdatei()), Kopf + Alpha);
}

#ifndef _WIN32
TEST_F(Fensterlogik, AnInstalledProgramFindsItsLampsAndKeepsItsSettingsInTheUsersDirectory)
{
    const std::string daten = baum.Verzeichnis("share/dubrinax");
    ::setenv("XDG_CONFIG_HOME", (baum.Wurzel() + "konfig").c_str(), 1);
    logik = std::make_unique<TFensterlogik>(flaeche, baum.Verzeichnis("bin"));
    Beispielbaum();
    logik->Ausfuehren(TBefehl::Start);
    EXPECT_EQ(flaeche.lampen, (std::vector<std::string>{daten + "LED_Rot.bmp", daten + "LED_Grün.bmp"}));
    EXPECT_EQ(Zaehler(), "1/1/1");
    logik->FormClose();
    EXPECT_TRUE(flaeche.meldungen.empty());
    EXPECT_EQ(TTestbaum::Lesen(baum.Wurzel() + "konfig/dubrinax/Einst.sys").substr(0, Kopf.size() + 10),
              Kopf + "Kollatrix\x02");
}
#endif

struct TLagefall {
    const char* name;
    TRechteck gespeichert;
    std::vector<TRechteck> schirme;
    TRechteck erwartet;
};

class Fensterlage : public ::testing::TestWithParam<TLagefall> {};

TEST_P(Fensterlage, AStoredPlaceOffEveryScreenOpensInTheMiddleOfThePrimaryOne)
{
    EXPECT_EQ(FensterlageAufSchirm(GetParam().gespeichert, GetParam().schirme, 20), GetParam().erwartet);
}

const TRechteck Klein{0, 0, 1024, 768};
const TRechteck Links{-2560, 0, 2560, 1440}; // a second screen left of the primary one

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

// Start and the close protocol

TEST_F(Fensterlogik, StartRunsTheSearchOverTheTwoDirectoriesAfterEmptyingTheList)
{
    Beispielbaum();
    Anhaengen("- /alt");
    logik->FeldSetzen(TFeld::Edit7, "4");
    logik->Ausfuehren(TBefehl::Start);
    const std::vector<std::string> zeilen = Zeilen();
    ASSERT_EQ(zeilen.size(), 3u);
    const auto paar = std::find(zeilen.begin(), zeilen.end(), "! " + a + "x.txt");
    ASSERT_LT(paar + 1, zeilen.end());
    EXPECT_EQ(*(paar + 1), "+     " + b + "z.txt");
    EXPECT_NE(std::find(zeilen.begin(), zeilen.end(), "- " + a + "y.txt"), zeilen.end());
    EXPECT_EQ(Zaehler(), "1/1/1");
    EXPECT_EQ(flaeche.reihen, 3u);
    EXPECT_EQ(flaeche.fortschritt, flaeche.maximum);
    EXPECT_TRUE(flaeche.fehler.empty());
    EXPECT_TRUE(flaeche.fragen.empty());
    logik->Ausfuehren(TBefehl::PlusMarkieren);
    logik->Ausfuehren(TBefehl::MinusMarkieren);
    EXPECT_EQ(flaeche.zusammenfassung, "+ belegen 3 Bytes; markiert: 2 (6 Bytes)");
}

// A field without its final separator names the same directory; a
// directory that cannot be listed leaves the list as it is and is said
// under it and in the menu entry after the list's own.
TEST_F(Fensterlogik, AFieldWithoutFinalSeparatorListsTheSameAndWhatCouldNotBeReadIsSaid)
{
    a = baum.Verzeichnis("A");
    baum.Datei("A/x", "gleich");
    baum.Datei("A/sub/y", "gleich");
    for (const std::string& feld : {a, a.substr(0, a.size() - 1)}) {
        logik->FeldSetzen(TFeld::Edit1, feld);
        logik->FeldSetzen(TFeld::Edit3, feld);
        logik->Ausfuehren(TBefehl::Start);
        EXPECT_EQ(Zeilen(), (std::vector<std::string>{"! " + a + "x", "+     " + a + TTestbaum::Nativ("sub/y")}));
        EXPECT_EQ(flaeche.hinweis, "");
        EXPECT_FALSE(flaeche.frei.at(TBefehl::NichtGeleseneAnzeigen));
    }
    const std::string fehlt = baum.Wurzel() + "fehlt" + plattform::Trenner;
    logik->FeldSetzen(TFeld::Edit3, fehlt);
    logik->Ausfuehren(TBefehl::Start);
    EXPECT_EQ(Zeilen(), (std::vector<std::string>{"- " + a + "x", "- " + a + TTestbaum::Nativ("sub/y")}));
    EXPECT_EQ(flaeche.hinweis, "1 Eintrag nicht gelesen – siehe Kontextmenü der Liste");
    EXPECT_TRUE(flaeche.frei.at(TBefehl::NichtGeleseneAnzeigen));
    logik->Ausfuehren(TBefehl::NichtGeleseneAnzeigen);
    ASSERT_EQ(flaeche.eintraege.size(), 1u);
    EXPECT_EQ(flaeche.eintraege[0].first, fehlt);
}

TEST_F(Fensterlogik, ALampThatCannotBeShownEndsStartBeforeTheListOrAfterTheSearch)
{
    Beispielbaum();
    const std::pair<const char*, const char*> faelle[] = {{"LED_Rot.bmp", "4/5/6"}, {"LED_Grün.bmp", "1/1/1"}};
    for (const auto& [lampe, zaehler] : faelle) {
        logik->Sitzung().ListeLeeren();
        Anhaengen("- /alt/datei");
        for (const TFeld feld : {TFeld::Edit7, TFeld::Edit8, TFeld::Edit9})
            logik->FeldSetzen(feld, std::to_string(static_cast<int>(feld) - 3));
        flaeche.fehlendeLampe = lampe;
        logik->Ausfuehren(TBefehl::Start);
        EXPECT_EQ(flaeche.fehler.back(), "Datei fehlt.");
        EXPECT_EQ(Zaehler(), zaehler);
        EXPECT_EQ(logik->ListeAnzahl(), std::string(lampe) == "LED_Rot.bmp" ? 1u : 3u) << lampe;
    }
}

TEST_F(Fensterlogik, StartPressedDuringARunIsIgnored)
{
    Beispielbaum();
    flaeche.beiDispatch = [&](int n) {
        if (n == 1)
            logik->Ausfuehren(TBefehl::Start);
    };
    logik->Ausfuehren(TBefehl::Start);
    // A nested run would have emptied the list and written it twice.
    EXPECT_EQ(logik->ListeAnzahl(), 3u);
    EXPECT_EQ(Zaehler(), "1/1/1");
}

TEST_F(Fensterlogik, ClosingDuringASearchSavesAtOnceAsksOnceAndEndsWhenTheRunHasReturned)
{
    logik->FormCreate();
    Beispielbaum();
    bool gespeichertBeiFrage = false;
    int beendetBeiFrage = -1;
    flaeche.beiDispatch = [&](int n) {
        if (n == 1) {
            EXPECT_FALSE(logik->Schliessen());
        }
    };
    flaeche.beiFrage = [&] {
        gespeichertBeiFrage = std::filesystem::exists(TTestbaum::Pfad(Einstellungsdatei()));
        beendetBeiFrage = flaeche.beendet;
    };
    logik->Ausfuehren(TBefehl::Start);
    EXPECT_EQ(flaeche.fragen, std::vector<std::string>{"Abbrechen?: Soll wirklich abgerochen werden?"});
    EXPECT_TRUE(gespeichertBeiFrage);
    EXPECT_EQ(beendetBeiFrage, 0);
    EXPECT_EQ(logik->ListeAnzahl(), 0u); // stopped before any line: the walk polls before every entry
    EXPECT_EQ(flaeche.beendet, 1);
}

TEST_F(Fensterlogik, TwoClosesDuringASearchLeaveOneSectionWithTheValuesOfTheSecond)
{
    logik->FormCreate();
    Beispielbaum();
    flaeche.antworten = {false};
    std::string nachDemErsten;
    flaeche.beiDispatch = [&](int n) {
        if (n != 1)
            return;
        logik->Schliessen();
        nachDemErsten = TTestbaum::Lesen(Einstellungsdatei());
        flaeche.Platzieren(11, 22, 600);
        logik->Schliessen();
    };
    logik->Ausfuehren(TBefehl::Start);
    // Answered No: the run finished with its full result.
    EXPECT_EQ(flaeche.fragen.size(), 1u);
    EXPECT_EQ(logik->ListeAnzahl(), 3u);
    EXPECT_NE(nachDemErsten.find("Kollatrix\x02"), std::string::npos);
    EXPECT_EQ(TTestbaum::Lesen(Einstellungsdatei()), Kopf + Abschnitt(22, 11, a, b, 600));
    EXPECT_EQ(flaeche.beendet, 1);
}

// The fields and the directory dialog

TEST_F(Fensterlogik, ListLinesAndFieldsGiveBackTheirExactBytesAlsoWhenTheirKindChanges)
{
    // Around the size of the blocks the paths are packed into.
    const std::string knapp((1 << 20) - 3, 'k'), groesser((1 << 20) + 5, 'g');
    const std::string fremd = std::string("/tmp/\xff\xfe-latin1-\xe4\xf6\xfc/", 19) + '\0' + "x";
    for (const std::string& zeile : {"- " + fremd, "- " + knapp, "- " + groesser, std::string("+     /b")})
        Anhaengen(zeile, 1);
    logik->Sitzung().FundArtSetzen(2, '!');
    EXPECT_EQ(Zeilen(), (std::vector<std::string>{"- " + fremd, "- " + knapp, "! " + groesser, "+     /b"}));
    EXPECT_EQ(logik->LaengsteZeile(), groesser.size() + 2);
    logik->FeldSetzen(TFeld::Edit1, "/tmp/gr\xf6\xdf" "e/");
    EXPECT_EQ(logik->FeldText(TFeld::Edit1), "/tmp/gr\xf6\xdf" "e/");
    EXPECT_EQ(flaeche.felder[TFeld::Edit1], "/tmp/gr\xf6\xdf" "e/");
}

struct TDialogfall {
    const char* name;
    TBefehl befehl;
    std::deque<std::optional<std::string>> antworten;
    std::vector<std::string> titel, start;
    std::string feld1, feld3; // the directory fields after it
};

class Verzeichniswahl : public Fensterlogik, public ::testing::WithParamInterface<TDialogfall> {};

// Each run of the dialog starts where the field (with "x") or the last run
// points, says what it asks for, and gives the directory part of its name.
TEST_P(Verzeichniswahl, StartsWhereItShouldAndTakesTheDirectoryPartOfTheName)
{
    // The paths of the table with the platform's separator.
    const auto nativ = [](std::vector<std::string> texte) {
        for (std::string& text : texte)
            text = TTestbaum::Nativ(text);
        return texte;
    };
    const TDialogfall& fall = GetParam();
    logik->FeldSetzen(TFeld::Edit1, TTestbaum::Nativ("/eins/"));
    logik->FeldSetzen(TFeld::Edit3, TTestbaum::Nativ("/daten/alt/"));
    logik->FeldSetzen(TFeld::Edit5, "vorher");
    logik->DialogName = TTestbaum::Nativ("/vorher");
    for (const std::optional<std::string>& antwort : fall.antworten)
        flaeche.verzeichnisse.push_back(antwort ? std::optional(TTestbaum::Nativ(*antwort)) : std::nullopt);
    logik->Ausfuehren(fall.befehl);
    EXPECT_EQ(logik->FeldText(TFeld::Edit5), "vorher"); // no file command ran
    EXPECT_EQ(flaeche.dialogTitel, fall.titel);
    EXPECT_EQ(flaeche.dialogStart, nativ(fall.start));
    EXPECT_EQ(logik->FeldText(TFeld::Edit1), TTestbaum::Nativ(fall.feld1));
    EXPECT_EQ(logik->FeldText(TFeld::Edit3), TTestbaum::Nativ(fall.feld3));
}

using B = TBefehl;
INSTANTIATE_TEST_SUITE_P(
    Faelle, Verzeichniswahl,
    ::testing::Values(
        TDialogfall{"First", B::ErstesVerzeichnis, {"/neu/x"}, {"Erstes Verzeichnis wählen"}, {"/eins/x"}, "/neu/",
                    "/daten/alt/"},
        TDialogfall{"SecondTakesTheDirectoryPart", B::ZweitesVerzeichnis, {"/daten/neu/unter/gibt es nicht"},
                    {"Zweites Verzeichnis wählen"}, {"/daten/alt/x"}, "/eins/", "/daten/neu/unter/"},
        TDialogfall{"CancelKeepsTheField", B::ZweitesVerzeichnis, {std::nullopt}, {"Zweites Verzeichnis wählen"},
                    {"/daten/alt/x"}, "/eins/", "/daten/alt/"},
        TDialogfall{"CopyFromToAsksTheBaseThenTheTargetFromTheFirstChoice", B::KopierenVonNach, {"/q/x", std::nullopt},
                    {"Kopieren von: Quellverzeichnis wählen", "Kopieren von… nach: Zielverzeichnis wählen"},
                    {"/vorher", "/q/x"}, "/eins/", "/daten/alt/"},
        TDialogfall{"MoveFromToCancelledAtOnce", B::VerschiebenVonNach, {std::nullopt},
                    {"Verschieben von: Quellverzeichnis wählen"}, {"/vorher"}, "/eins/", "/daten/alt/"},
        TDialogfall{"MoveTo", B::VerschiebenNach, {std::nullopt}, {"Verschieben nach: Zielverzeichnis wählen"},
                    {"/vorher"}, "/eins/", "/daten/alt/"},
        TDialogfall{"CopyTo", B::KopierenNach, {std::nullopt}, {"Kopieren nach: Zielverzeichnis wählen"}, {"/vorher"},
                    "/eins/", "/daten/alt/"}),
    [](const auto& info) { return info.param.name; });

TEST_F(Fensterlogik, OneFolderDroppedSetsTheFieldAnythingElseIsRefused)
{
    const std::string datei = baum.Datei("datei", "x");
    a = baum.Verzeichnis("A");
    const std::string ohneTrenner = a.substr(0, a.size() - 1);
    const std::pair<std::vector<std::string>, bool> faelle[] = {
        {{ohneTrenner}, true}, {{datei}, false}, {{a, a}, false}, {{""}, false}, {{}, false}};
    for (const auto& [pfade, gut] : faelle) {
        logik->FeldSetzen(TFeld::Edit3, "/vorher/");
        EXPECT_EQ(logik->Ablegen(TFeld::Edit3, pfade), gut);
        EXPECT_EQ(logik->FeldText(TFeld::Edit3), gut ? a : "/vorher/");
    }
}

// The list: rows, sizes, marks

// Two groups, four lines alone.
struct TZeile {
    char art;
    const char* pfad;
    int64_t groesse;
};
// Sizes below 1024 bytes, so that every sum reads exactly.
const TZeile Liste[] = {{'!', "/a/m", 30},  {'+', "/b/m", 30},  {'-', "/a/c", 10}, {'!', "/a/b0", 50}, {'+', "/b/b1", 50},
                        {'+', "/b/b2", 50}, {'-', "/a/z", 2},   {'-', "/a/a", 700}, {'-', "/a/b/x", 1}};

class Liste9 : public Fensterlogik {
protected:
    void SetUp() override
    {
        for (const TZeile& z : Liste)
            Anhaengen(std::string(1, z.art) + (z.art == '+' ? "     " : " ") + TTestbaum::Nativ(z.pfad), z.groesse);
    }
    std::vector<uint32_t> Reihenfolge() const
    {
        std::vector<uint32_t> zeilen;
        for (uint32_t reihe = 0; reihe < logik->Reihen(); ++reihe)
            zeilen.push_back(logik->Zeile(reihe));
        return zeilen;
    }
};

// One step of the user or a command: a press on a row ('k'), with Shift
// ('s') or Ctrl ('c'), a Ctrl+drag ('z') from row a over b (and back to c),
// Ctrl with an arrow ('n'), Space ('l', Ctrl+Space 'L'), Ctrl+A ('a'), a click below
// the rows ('u'), the commands over lines a to b - 1 ('+', '-'), by kind
// ('p' for "+", 'o' for "-", 'x' for "!") and "alle Markierungen löschen" ('0').
struct TSchritt {
    char art;
    uint32_t a = 0, b = 0, c = UINT32_MAX;
};

struct TMarkFall {
    const char* name;
    TErgebnisliste::TOrdnung ordnung;
    std::vector<TSchritt> schritte;
    const char* markiert; // by line index
};

class Markierung : public Liste9, public ::testing::WithParamInterface<TMarkFall> {};

TEST_P(Markierung, GesturesAndCommandsMarkLinesAndKeepTheirSums)
{
    logik->Sortieren(GetParam().ordnung);
    TFensterlogik& l = *logik;
    for (const TSchritt& s : GetParam().schritte) {
        switch (s.art) {
        case 'k': l.Druecken(s.a, false, false); break;
        case 's': l.Druecken(s.a, true, false); break;
        case 'c': l.Druecken(s.a, false, true); break;
        case 'z':
            l.Druecken(s.a, false, true);
            for (uint32_t r = s.a; r != s.b; r += s.b > s.a ? 1 : -1)
                l.Ziehen(r);
            for (uint32_t r = s.b; s.c != UINT32_MAX && r != s.c; r += s.c > s.b ? 1 : -1)
                l.Ziehen(r);
            l.Ziehen(s.c != UINT32_MAX ? s.c : s.b);
            break;
        case 'n': l.AnkerSetzen(s.a); break;
        case 'l': l.ReiheMarkieren(s.a, false); break;
        case 'L': l.ReiheMarkieren(s.a, true); break;
        case 'a': l.AlleMarkieren(); break;
        case 'u': l.DaruntergeklicktLeeren(false, false); break;
        case 'p': l.Ausfuehren(B::PlusMarkieren); break;
        case 'o': l.Ausfuehren(B::MinusMarkieren); break;
        case 'x': l.Ausfuehren(B::AusrufMarkieren); break;
        case '0': l.Ausfuehren(B::MarkierungenLoeschen); break;
        default: l.ListeBereichMarkieren(s.a, s.b, s.art == '+');
        }
    }
    EXPECT_EQ(Marken(), GetParam().markiert);
    // The running sums, the summary and the copy's list agree with the bits.
    std::vector<uint32_t> zeilen;
    uint64_t bytes = 0;
    for (uint32_t i = 0; i < std::size(Liste); ++i)
        if (GetParam().markiert[i] == '1')
            zeilen.push_back(i), bytes += static_cast<uint64_t>(Liste[i].groesse);
    EXPECT_EQ(l.MarkierteZeilen(), zeilen);
    EXPECT_EQ(flaeche.zusammenfassung, "+ belegen 130 Bytes; markiert: " + std::to_string(zeilen.size()) + " (" +
                                           std::to_string(bytes) + " Bytes)");
}

using O = TErgebnisliste::TOrdnung;
INSTANTIATE_TEST_SUITE_P(
    Faelle, Markierung,
    ::testing::Values(
        TMarkFall{"CommandsMarkAndUnmarkRanges", O::Lauf, {{'+', 1, 7}, {'-', 3, 5}}, "011001100"},
        TMarkFall{"CategoryCommandsAddTheirKind", O::Lauf, {{'x'}, {'p'}}, "110111000"},
        TMarkFall{"ClearingAndTheMinusLines", O::Lauf, {{'x'}, {'0'}, {'o'}}, "001000111"},
        TMarkFall{"APressReplacesEverything", O::Lauf, {{'+', 1, 7}, {'k', 2}}, "001000000"},
        TMarkFall{"ControlPressAddsAndRemoves", O::Lauf, {{'k', 1}, {'c', 3}, {'c', 1}}, "000100000"},
        TMarkFall{"ShiftPressMarksFromTheAnchor", O::Lauf, {{'k', 1}, {'s', 3}}, "011100000"},
        TMarkFall{"ASecondShiftPressReplacesTheFirstRange", O::Lauf, {{'k', 1}, {'s', 6}, {'s', 3}}, "011100000"},
        TMarkFall{"ShiftPressKeepsWhatControlPressesMarked", O::Lauf, {{'k', 5}, {'c', 0}, {'s', 2}}, "111001000"},
        TMarkFall{"ADragThatComesBackGivesTheLinesItLeavesTheirOldState", O::Lauf, {{'+', 5, 6}, {'z', 2, 7, 4}},
                  "001111000"},
        TMarkFall{"AControlDragFromAMarkedLineUnmarks", O::Lauf, {{'+', 0, 9}, {'z', 3, 5}}, "111000111"},
        TMarkFall{"ShiftArrowsExtendControlArrowsMoveAloneAndSpaceMarks", O::Lauf,
                  {{'k', 2}, {'s', 3}, {'s', 4}, {'n', 5}, {'n', 6}, {'l', 6}, {'L', 2}}, "000110100"},
        TMarkFall{"ControlAMarksAll", O::Lauf, {{'a'}}, "111111111"},
        TMarkFall{"AClickBelowTheRowsClears", O::Lauf, {{'a'}, {'u'}}, "000000000"},
        // Sorted by size: rows show lines 7 3 4 5 0 1 2 6 8.
        TMarkFall{"InASortedListRowsMarkTheirLines", O::Groesse, {{'k', 1}, {'s', 4}}, "100111000"},
        TMarkFall{"ShiftInTheSortedOrder", O::Groesse, {{'k', 3}, {'s', 4}}, "100001000"}),
    [](const auto& info) { return std::string(info.param.name); });

// "+ /b/y" stands under both "!" lines, the walk's one entry twice: the
// sums count it once, for as long as one of its lines is marked.
TEST_F(Fensterlogik, AFileUnderSeveralLinesCountsOnceInTheSums)
{
    for (const auto& [zeile, groesse] : {std::pair{"! /a/1", 100}, {"+     /b/y", 300}, {"! /a/2", 100}})
        Anhaengen(zeile, groesse);
    logik->Sitzung().FundAnhaengen(logik->Funde().Fund(1));
    const std::tuple<uint32_t, uint32_t, bool, const char*> schritte[] = {
        {0, 4, true, "3 (500 Bytes)"}, {1, 2, false, "3 (500 Bytes)"}, {3, 4, false, "2 (200 Bytes)"},
        {1, 2, true, "3 (500 Bytes)"}};
    for (const auto& [erste, ende, an, markiert] : schritte) {
        logik->ListeBereichMarkieren(erste, ende, an);
        EXPECT_EQ(flaeche.zusammenfassung, "+ belegen 300 Bytes; markiert: " + std::string(markiert));
    }
}

TEST_F(Liste9, SortingKeepsGroupsWholeAndMarksWithTheirLines)
{
    logik->ListeMarkieren(3, true);
    const std::pair<O, std::vector<uint32_t>> faelle[] = {
#ifdef _WIN32
        {O::Pfad, {7, 3, 4, 5, 8, 2, 0, 1, 6}}, // byte by byte "\\" comes after "0"
#else
        {O::Pfad, {7, 8, 3, 4, 5, 2, 0, 1, 6}}, // "/a/b/x" before "/a/b0", as whole paths sort
#endif
        {O::Groesse, {7, 3, 4, 5, 0, 1, 2, 6, 8}},
        {O::Lauf, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const auto& [ordnung, zeilen] : faelle) {
        const int neu = flaeche.listeNeu;
        logik->Ausfuehren(ordnung == O::Pfad ? B::NachPfadSortieren : B::NachGroesseSortieren);
        if (ordnung == O::Lauf)
            logik->Sortieren(O::Lauf);
        EXPECT_EQ(Reihenfolge(), zeilen);
        EXPECT_EQ(Marken(), "000100000");
        EXPECT_GT(flaeche.listeNeu, neu);
    }
}

TEST_F(Liste9, TheSizeColumnNamesEachGroupOnceAndThePlusLinesAreSummed)
{
    std::vector<std::string> spalte;
    for (uint32_t reihe = 0; reihe < 6; ++reihe)
        spalte.push_back(logik->Reihe(reihe).groesse);
    EXPECT_EQ(spalte, (std::vector<std::string>{"30 Bytes", "", "10 Bytes", "50 Bytes", "", ""}));
    EXPECT_EQ(flaeche.zusammenfassung, "+ belegen 130 Bytes; markiert: 0 (0 Bytes)");
    EXPECT_EQ(logik->Reihe(4).name, "b1");
}

TEST_F(Liste9, OpenTakesTheCurrentRowsLineAndEnterTheActivatedOne)
{
    logik->Sortieren(O::Groesse); // rows show lines 7 3 4 5 0 1 2 6 8
    logik->Ausfuehren(B::DateiOeffnen); // no current row yet
    logik->Druecken(1, false, false);
    logik->Ausfuehren(B::DateiOeffnen);
    logik->Ausfuehren(B::OrdnerOeffnen);
    logik->ZeileAktiviert(4);
    EXPECT_EQ(flaeche.geoeffnet, (std::vector<std::string>{TTestbaum::Nativ("/a/b0"), TTestbaum::Nativ("/a/"),
                                                           TTestbaum::Nativ("/a/m")}));
}

TEST(Groessentext, SizesShowGermanStyleInStepsOf1024)
{
    const std::pair<uint64_t, const char*> faelle[] = {
        {0, "0 Bytes"},          {1, "1 Byte"},           {1023, "1023 Bytes"},
        {1024, "1,0 KB"},        {1536, "1,5 KB"},        {1048575, "1,0 MB"},
        {1288490189, "1,2 GB"},  {UINT64_MAX, "16384,0 PB"},
    };
    for (const auto& [bytes, text] : faelle)
        EXPECT_EQ(Groessenangabe(bytes), text) << bytes;
}

// File commands

// A unique first-tree file and a second-tree twin of another file share
// their relative path: the move keeps the unique content at the target and
// leaves the twin where it was, and says which line failed and why.
TEST_F(Fensterlogik, MovingAllCategoriesNeverLetsATwinOverwriteAUniqueFile)
{
    a = baum.Verzeichnis("A");
    b = baum.Verzeichnis("B");
    const std::string t = baum.Verzeichnis("T");
    baum.Datei("A/f", "einzig");
    baum.Datei("A/sub/g", "zwilling");
    baum.Datei("B/f", "zwilling");
    logik->FeldSetzen(TFeld::Edit1, a);
    logik->FeldSetzen(TFeld::Edit3, b);
    logik->Ausfuehren(B::Start);
    const std::vector<std::string> gefunden = Zeilen();
    ASSERT_EQ(gefunden.size(), 3u);
    for (const TBefehl befehl : {B::PlusMarkieren, B::MinusMarkieren, B::AusrufMarkieren})
        logik->Ausfuehren(befehl);
    flaeche.verzeichnisse = {t + "x"};
    logik->Ausfuehren(B::VerschiebenNach);
    EXPECT_EQ(TTestbaum::Lesen(t + "f"), "einzig");
    EXPECT_EQ(TTestbaum::Lesen(b + "f"), "zwilling");
    EXPECT_EQ(TTestbaum::Lesen(t + TTestbaum::Nativ("sub/g")), "zwilling");
    EXPECT_EQ(flaeche.felder[TFeld::Edit5], "es ist mindestens ein Fehler aufgetreten");
    // Which line failed and why, in German.
    EXPECT_EQ(flaeche.eintraegeTitel, "Nicht verschoben");
    EXPECT_EQ(flaeche.eintraege, (TPaare{{b + "f", "am Ziel steht schon eine andere Datei"}}));
    EXPECT_EQ(Zeilen(), gefunden);
    EXPECT_EQ(Marken(), "111");
}

// A move started while another runs does nothing, and a directory chosen
// anew after the search does not change which files the lines name.
TEST_F(Fensterlogik, FileCommandsActOnWhatTheSearchFoundAndOneAtATime)
{
    a = baum.Verzeichnis("A");
    b = baum.Verzeichnis("B");
    const std::string c = baum.Verzeichnis("C"), t = baum.Verzeichnis("T");
    baum.Datei("A/f", "gefunden");
    baum.Datei("C/f", "nie gelistet");
    logik->FeldSetzen(TFeld::Edit1, a);
    logik->FeldSetzen(TFeld::Edit3, b);
    logik->Ausfuehren(B::Start);
    logik->FeldSetzen(TFeld::Edit1, c);
    logik->Ausfuehren(B::MinusMarkieren);
    flaeche.verzeichnisse = {t + "x", t + "x"};
    flaeche.beiDispatch = [&](int) { logik->Ausfuehren(B::VerschiebenNach); };
    logik->Ausfuehren(B::VerschiebenNach);
    EXPECT_EQ(flaeche.dialogStart.size(), 1u);
    EXPECT_EQ(TTestbaum::Lesen(t + "f"), "gefunden");
    EXPECT_EQ(TTestbaum::Lesen(c + "f"), "nie gelistet");
    EXPECT_EQ(flaeche.felder[TFeld::Edit5], "kein Fehler aufgetreten");
}

TEST_F(Fensterlogik, CopyFromToTakesTheFilesBelowTheChosenBase)
{
    a = baum.Verzeichnis("A");
    const std::string t = baum.Verzeichnis("T");
    baum.Datei("Kopie/sub/f.txt", "inhalt");
    logik->FeldSetzen(TFeld::Edit1, a);
    Anhaengen("- " + a + TTestbaum::Nativ("sub/f.txt"));
    logik->ListeMarkieren(0, true);
    flaeche.verzeichnisse = {baum.Wurzel() + "Kopie" + plattform::Trenner + "x", t + "x"};
    logik->Ausfuehren(B::KopierenVonNach);
    EXPECT_EQ(TTestbaum::Lesen(t + TTestbaum::Nativ("sub/f.txt")), "inhalt");
    EXPECT_EQ(flaeche.felder[TFeld::Edit5], "kein Fehler aufgetreten");
}

#ifndef _WIN32
#define FREMD "n\xe4me" // Latin-1, no UTF-8

TEST_F(Fensterlogik, TrashAsksCountAndSizeKeepsALastCopyAndAChangedFile)
{
    ::setenv("XDG_DATA_HOME", (baum.Wurzel() + "D").c_str(), 1);
    a = baum.Verzeichnis("A");
    b = baum.Verzeichnis("B");
    for (const char* datei : {"A/1", "B/" FREMD, "B/q", "B/r"})
        baum.Datei(datei, "zz");
    baum.Datei("A/s", "solo");
    logik->Sitzung().SucheAusfuehren({a, b});
    ASSERT_EQ(logik->ListeAnzahl(), 5u);
    logik->ListeBereichMarkieren(0, 5, true); // the "!" line's whole group among them
    baum.Datei("B/r", "ZZ");
    flaeche.antworten = {false, true}; // "Nein" leaves everything where it was
    for (int mal = 0; mal < 2; ++mal) {
        logik->Ausfuehren(B::InDenPapierkorb);
        // What goes is counted; the copies that stay and the changed file are said.
        EXPECT_EQ(flaeche.fragen.back(), "Papierkorb: 2 Dateien (4 Bytes) in den Papierkorb verschieben?\n"
                                         "2 Dateien bleiben als letzte Kopie.\n"
                                         "1 Datei ist seit der Suche geändert oder nicht mehr da.");
        EXPECT_EQ(plattform::IstDatei(b + "q"), mal == 0);
    }
    for (const char* bleibt : {"A/1", "B/r", "A/s"})
        EXPECT_TRUE(plattform::IstDatei(baum.Wurzel() + bleibt)) << bleibt;
    EXPECT_FALSE(plattform::IstDatei(b + FREMD));
    EXPECT_EQ(TTestbaum::Lesen(baum.Wurzel() + "D/Trash/files/" FREMD), "zz");
    const std::string info = TTestbaum::Lesen(baum.Wurzel() + "D/Trash/info/" FREMD ".trashinfo");
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=" + ProzentKodiert(b) + "n%E4me\nDeletionDate=", 0), 0u) << info;
    // Only the changed file is refused, in German; the kept copies are no errors.
    EXPECT_EQ(flaeche.eintraegeTitel, "Nicht in den Papierkorb gelegt");
    EXPECT_EQ(flaeche.eintraege, (TPaare{{b + "r", "seit der Suche geändert oder nicht mehr da"}}));
    EXPECT_EQ(flaeche.felder[TFeld::Edit5], "es ist mindestens ein Fehler aufgetreten");
    EXPECT_EQ(logik->ListeAnzahl(), 5u); // as after a move, the list waits for the next search
}

TEST_F(Fensterlogik, SavedListsReadBackWithEveryNamesBytes)
{
    a = baum.Verzeichnis("A");
    b = baum.Verzeichnis("B");
    baum.Datei("A/" FREMD, "gleich");
    baum.Datei("B/z,\"q\"", "gleich");
    logik->Sitzung().SucheAusfuehren({a, b});
    const std::string pfade = a + FREMD "\n" + b + "z,\"q\"\n";
    const std::pair<const char*, const char*> faelle[] = {
        {"liste.json", "import json,os,sys; d=json.load(open(sys.argv[1])); "
                       "[sys.stdout.buffer.write(os.fsencode(f['path'])+b'\\n') for g in d['groups'] for f in g['files']]"},
        {"liste.csv", "import csv,sys; r=list(csv.reader(open(sys.argv[1],newline='',encoding='utf-8',"
                      "errors='surrogateescape')))[1:]; [sys.stdout.buffer.write(z[3].encode('utf-8','surrogateescape')+b'\\n') for z in r]"},
    };
    for (const auto& [datei, leser] : faelle) {
        flaeche.speicherort = baum.Wurzel() + datei;
        logik->Ausfuehren(B::ListeSpeichern);
        std::FILE* aus = ::popen(("python3 -c \"" + std::string(leser) + "\" '" + flaeche.speicherort + "'").c_str(), "r");
        ASSERT_NE(aus, nullptr);
        std::string gelesen;
        for (int c; (c = std::fgetc(aus)) != EOF;)
            gelesen += static_cast<char>(c);
        EXPECT_EQ(::pclose(aus), 0) << datei;
        EXPECT_EQ(gelesen, pfade) << datei;
    }
    flaeche.speicherort = baum.Wurzel() + "fehlt/liste.json";
    logik->Ausfuehren(B::ListeSpeichern);
    ASSERT_EQ(flaeche.meldungen.size(), 1u);
    EXPECT_NE(flaeche.meldungen[0].find(flaeche.speicherort), std::string::npos) << flaeche.meldungen[0];
}
#endif

TEST_F(Fensterlogik, TheFilterLeavesFilesOutAndIsKeptInTheSettings)
{
    a = baum.Verzeichnis("A");
    b = baum.Verzeichnis("B");
    for (const char* datei : {"A/x.tmp", "A/y", "B/z"})
        baum.Datei(datei, "gleich");
    baum.Datei("A/klein", "k");
    baum.Datei("B/k", "k");
    logik->Sitzung().SucheAusfuehren({a, b});
    EXPECT_EQ(logik->ListeAnzahl(), 6u);

    const TFilterwerte werte{{"*.tmp", "[!a-z]*"}, "2"};
    flaeche.filter = werte;
    logik->Ausfuehren(B::Filter);
    logik->Sitzung().ListeLeeren();
    logik->Sitzung().SucheAusfuehren({a, b});
    EXPECT_EQ(Zeilen(), (std::vector<std::string>{"! " + a + "y", "+     " + b + "z"}));

    ASSERT_TRUE(logik->EinstellungenSichern());
    auto neu = Neu();
    neu->FormCreate();
    EXPECT_EQ(neu->Filterwerte(), werte);
    // The dialog takes a size only as "N[KMG]".
    for (const auto& [text, gut] : {std::pair{"5X", false}, {"5K", true}, {"", true}})
        EXPECT_EQ(FilterwerteFehler({{}, text}).empty(), gut) << text;
}

// Every pattern comes back byte for byte; a filter too large for the
// settings is stored as none and never costs the place.
TEST_F(Fensterlogik, AFilterIsKeptWholeOrStoredAsNone)
{
    const std::vector<std::string> steuerzeichen{"a\x01" "b", "c\x1f" "d", "\x02\x03\x1a\x1e" "A\x1e"};
    for (const auto& [muster, passt] : {std::pair{steuerzeichen, true}, {{"*.tmp", std::string(FilterHoechstens, 'g')}, false}}) {
        const TFilterwerte werte{muster, "2"};
        flaeche.filter = werte;
        logik->FeldSetzen(TFeld::Edit1, "/p/");
        logik->Ausfuehren(B::Filter);
        ASSERT_TRUE(logik->EinstellungenSichern());
        auto neu = Neu();
        neu->FormCreate();
        EXPECT_EQ(neu->Filterwerte(), passt ? werte : TFilterwerte{});
        EXPECT_EQ(neu->FeldText(TFeld::Edit1), "/p/");
        EXPECT_EQ(FilterwerteFehler(werte).empty(), passt);
    }
}

} // namespace
