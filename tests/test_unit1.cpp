#include "Testbaum.h"
#include "Testfenster.h"

#include "reference/Referenzsuche.h"
#include "app/Endesignale.h"
#include "app/Ergebnisansicht.h"
#include "app/Glyphe.h"
#include "app/Listenmodell.h"
#include "app/Schrift.h"
#include "search/Baumlesen.h"
#include "controls/Cgauges.h"
#include "controls/Kontrast.h"

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

    // The three counters as "+/-/!", as the fields show them.
    static std::string Zaehler(const TForm1& f)
    {
        return (f.Edit7->text() + "/" + f.Edit8->text() + "/" + f.Edit9->text()).toStdString();
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
        for (uint32_t i = 0; i < f.Logik().ListeAnzahl(); ++i)
            zeilen.push_back(f.Logik().ListeZeile(i));
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
        f.Logik().FeldSetzen(TFeld::Edit1, a);
        f.Logik().FeldSetzen(TFeld::Edit3, b);
    }

    TTestbaum baum;
    std::string a, b;
};

// Settings

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
    f->Logik().FormCreate();
    EXPECT_EQ(f->frameGeometry().top(), fall.oben);
    EXPECT_EQ(f->frameGeometry().left(), fall.links);
    EXPECT_EQ(f->Logik().FeldText(TFeld::Edit1), fall.eins);
    EXPECT_EQ(f->Logik().FeldText(TFeld::Edit3), fall.zwei);
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
            f->Logik().FormCreate();
            f->move(30, 20);
            new TEndesignale([&] { f->Logik().EinstellungenSichern(); }, f.get());
            QTimer::singleShot(0, [signal] { ::kill(::getpid(), signal); });
            TBaumdaten d;
            if (imWeg && ::kill(::getpid(), signal) == 0) {
                TSuchsitzung& s = f->Logik().Sitzung();
                std::exit(BaumLesen(TFilter(), s.Stopp, s, baum.Wurzel(), d, d.NeuerLauf()) ? 0 : 1);
            }
            QCoreApplication::exec();
        },
        ::testing::KilledBySignal(signal), "");
    EXPECT_EQ(EinstellungenLesen(), Kopf + Abschnitt(20, 30, "/p/", "/q/", 600));
}

INSTANTIATE_TEST_SUITE_P(Signale, Form1Endesignal, ::testing::Combine(::testing::Values(SIGTERM, SIGHUP, SIGINT), ::testing::Bool()));

TEST_F(Form1Test, ClosingWhileIdleSavesAndLetsTheWindowClose)
{
    auto f = Fenster();
    f->Logik().FormCreate();
    f->show();
    const QRect rahmen = f->frameGeometry();
    EXPECT_TRUE(f->close());
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(f->Logik().Sitzung().Stopp.Angefordert());
    EXPECT_EQ(EinstellungenLesen(), Kopf + Abschnitt(rahmen.top(), rahmen.left(), "/A/", "/B/", rahmen.width()));
    EXPECT_EQ(f->flaeche.beendet, 0);
}

// The Start button

TEST_F(Form1Test, AMissingRedLampEndsStartBeforeTheListAndCountersAreTouched)
{
    LampenAblegen(false, true);
    auto f = Fenster();
    BeispielbaumAnlegen(*f);
    f->ListeAnhaengen("- /alt/datei");
    f->Logik().FeldSetzen(TFeld::Edit7, "4");
    f->Logik().FeldSetzen(TFeld::Edit8, "5");
    f->Logik().FeldSetzen(TFeld::Edit9, "6");
    f->BitBtn1->click();
    ASSERT_EQ(f->flaeche.fehlerboxen.size(), 1u);
    EXPECT_EQ(f->flaeche.fehlerboxen[0], "Datei " + Datenort() + "LED_Rot.bmp kann nicht geöffnet werden.");
    EXPECT_EQ(Zeilen(*f), std::vector<std::string>{"- /alt/datei"});
    EXPECT_EQ(Zaehler(*f), "4/5/6");
}

TEST_F(Form1Test, AMissingGreenLampLeavesTheResultsAndTheRedLamp)
{
    LampenAblegen(true, false);
    auto f = Fenster();
    BeispielbaumAnlegen(*f);
    f->BitBtn1->click();
    ASSERT_EQ(f->flaeche.fehlerboxen.size(), 1u);
    EXPECT_EQ(f->flaeche.fehlerboxen[0], "Datei " + Datenort() + "LED_Grün.bmp kann nicht geöffnet werden.");
    EXPECT_EQ(f->Logik().ListeAnzahl(), 3u);
    EXPECT_EQ(Zaehler(*f), "1/1/1");
    const QImage rot = GlypheLaden(baum.Wurzel() + "LED_Rot.bmp").toImage();
    EXPECT_EQ(f->BitBtn1->icon().pixmap(15, 15).toImage().convertToFormat(rot.format()), rot);
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
    f->Logik().FormCreate();
    f->ListeAnhaengen("- /a/b");
    f->show();
    QWidget* ziel = fall.ziel(*f);
    QMouseEvent klick(QEvent::MouseButtonDblClick, QPointF(fall.stelle), QPointF(ziel->mapToGlobal(fall.stelle)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &klick);
    EXPECT_EQ(static_cast<int>(f->flaeche.dialogStartnamen.size()), fall.dialoge);
    EXPECT_EQ(f->flaeche.aboutBoxGezeigt, fall.aboutBoxen);
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
    f->Logik().FeldSetzen(TFeld::Edit1, "/eins/");
    f->Logik().FeldSetzen(TFeld::Edit3, "/zwei/");
    QKeyEvent taste(QEvent::KeyPress, fall.taste, fall.umschalter);
    QApplication::sendEvent(fall.ziel(*f), &taste);
    const std::vector<std::string> erwartet =
        fall.startname ? std::vector<std::string>{fall.startname} : std::vector<std::string>{};
    EXPECT_EQ(f->flaeche.dialogStartnamen, erwartet);
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

TEST_F(Form1Test, DuringASearchEachDispatchAddsTheNewLinesAndTheListNeverShowsBlank)
{
    LampenAblegen();
    auto f = Fenster();
    a = baum.Verzeichnis("A");
    for (int i = 1; i <= 6; ++i)
        baum.Datei("A/" + std::to_string(i), std::string(static_cast<size_t>(i), 'x'));
    f->Logik().FeldSetzen(TFeld::Edit1, a);
    f->Logik().FeldSetzen(TFeld::Edit3, a);
    // The pairwise run looks at the messages once per file.
    ReferenzWaehlen(f->Logik().Sitzung(), true);
    f->show();
    int zurueckgesetzt = 0;
    int umgestellt = 0;
    QObject::connect(f->Listenmodell, &QAbstractItemModel::modelReset, [&] { ++zurueckgesetzt; });
    QObject::connect(f->Listenmodell, &QAbstractItemModel::layoutChanged, [&] { ++umgestellt; });
    // At every dispatch: a list with lines shows them, not an empty area.
    int bilder = 0;
    int leer = 0;
    QTimer beiDispatch;
    beiDispatch.setInterval(0);
    QObject::connect(&beiDispatch, &QTimer::timeout, [&] {
        if (f->Listenmodell->rowCount() == 0)
            return;
        ++bilder;
        leer += ZeigtZeilen(*f) ? 0 : 1;
    });
    beiDispatch.start();
    f->BitBtn1->click();
    beiDispatch.stop();
    EXPECT_EQ(f->Logik().ListeAnzahl(), 6u);
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
            zeilen = f->Listenmodell->rowCount();
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
    f->Logik().ListeMarkieren(0, true);
    const QPoint stelle = f->ListBox1->visualRect(f->Listenmodell->index(1)).center();
    QMouseEvent druck(QEvent::MouseButtonPress, QPointF(stelle), QPointF(f->ListBox1->viewport()->mapToGlobal(stelle)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(f->ListBox1->viewport(), &druck);
    EXPECT_TRUE(f->Logik().ListeMarkiert(0));
    EXPECT_FALSE(f->Logik().ListeMarkiert(1));
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

TEST_F(Form1Test, ListLinesAreThirteenPixelsHigh)
{
    auto f = Fenster();
    f->ListeAnhaengen("- /a");
    f->ListeAnhaengen("- /b");
    f->show();
    EXPECT_EQ(f->ListBox1->visualRect(f->Listenmodell->index(1)), QRect(0, 13, f->ListBox1->viewport()->width(), 13));
}

} // namespace
