#include "Testbaum.h"
#include "Testfenster.h"

#include "app/Ergebnisansicht.h"
#include "app/Filterdialog.h"
#include "app/Listenaktionen.h"
#include "app/Verzeichnisablage.h"
#include "util/Papierkorb.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

#define FREMD "n\xe4me" // Latin-1, no UTF-8

class Listenaktionen : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = baum.Verzeichnis("A");
        b = baum.Verzeichnis("B");
        ::setenv("XDG_DATA_HOME", (baum.Wurzel() + "D").c_str(), 1);
        f->FeldSetzen(TFeld::Edit1, a);
        f->FeldSetzen(TFeld::Edit3, b);
        TListenaktionen& l = *f->Listenaktionen;
        l.Oeffnen = [this](const QUrl& adresse) { return geoeffnet.push_back(adresse.toEncoded().toStdString()), true; };
        l.Fragen = [this](const std::string& text, const std::string&) { return fragen.push_back(text), true; };
        l.Melden = [this](const std::string& text, const std::string&) { meldungen.push_back(text); };
        l.AbgelehnteZeigen = [this](const TEintragsMeldung& liste) { abgelehnt = liste.eintraege; };
    }

    // The lines' paths in list order.
    std::vector<std::string> Pfade() const
    {
        std::vector<std::string> pfade;
        for (uint32_t i = 0; i < f->Funde().Anzahl(); ++i)
            pfade.push_back(f->Funde().Pfad(i));
        return pfade;
    }

    TTestbaum baum;
    std::string a, b;
    std::unique_ptr<TTestfenster> f = std::make_unique<TTestfenster>(baum.Wurzel());
    std::vector<std::string> geoeffnet, fragen, meldungen;
    TEintragsGruende abgelehnt;
};

} // namespace

TEST_F(Listenaktionen, OpensTheCurrentLinesFileOrFolderAndEnterOpensTheFile)
{
    baum.Datei("A/" FREMD, "gleich");
    baum.Datei("B/z", "gleich");
    f->Sitzung().SucheAusfuehren({a, b});
    ASSERT_EQ(f->Funde().Anzahl(), 2u);
    f->ListBox1->setCurrentIndex(f->ListBox1->model()->index(0, 0));
    f->Listenaktionen->DateiOeffnen1->trigger();
    f->Listenaktionen->OrdnerOeffnen1->trigger();
    f->ListBox1->setCurrentIndex(f->ListBox1->model()->index(1, 0));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(f->ListBox1, &enter);
    const std::string url = "file://" + ProzentKodiert(a);
    EXPECT_EQ(geoeffnet, (std::vector<std::string>{url + "n%E4me", url, "file://" + ProzentKodiert(b) + "z"}));
}

TEST_F(Listenaktionen, TrashAsksCountAndSizeKeepsALastCopyAndAChangedFile)
{
    baum.Datei("A/1", "zz");
    baum.Datei("B/" FREMD, "zz");
    baum.Datei("B/q", "zz");
    baum.Datei("B/r", "zz");
    baum.Datei("A/s", "solo");
    f->Sitzung().SucheAusfuehren({a, b});
    ASSERT_EQ(f->Funde().Anzahl(), 5u);
    f->ListeBereichMarkieren(0, 5, true); // the "!" line's whole group among them
    baum.Datei("B/r", "ZZ");
    f->Listenaktionen->InDenPapierkorb1->trigger();

    // What goes is counted; the copies that stay and the changed file are said.
    EXPECT_EQ(fragen, std::vector<std::string>{"2 Dateien (4 Bytes) in den Papierkorb verschieben?\n"
                                               "2 Dateien bleiben als letzte Kopie.\n"
                                               "1 Datei ist seit der Suche geändert oder nicht mehr da."});
    for (const char* bleibt : {"A/1", "B/r", "A/s"})
        EXPECT_TRUE(plattform::IstDatei(baum.Wurzel() + bleibt)) << bleibt;
    for (const char* weg : {"B/" FREMD, "B/q"})
        EXPECT_FALSE(plattform::IstDatei(baum.Wurzel() + weg)) << weg;
    EXPECT_EQ(TTestbaum::Lesen(baum.Wurzel() + "D/Trash/files/" FREMD), "zz");
    const std::string info = TTestbaum::Lesen(baum.Wurzel() + "D/Trash/info/" FREMD ".trashinfo");
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=" + ProzentKodiert(b) + "n%E4me\nDeletionDate=", 0), 0u) << info;
    // Only the changed file is refused, in German; the kept copies are no errors.
    EXPECT_EQ(abgelehnt, (TEintragsGruende{{baum.Wurzel() + "B/r", "seit der Suche geändert oder nicht mehr da"}}));
    EXPECT_EQ(f->FeldText(TFeld::Edit5), "es ist mindestens ein Fehler aufgetreten");
    EXPECT_EQ(f->Funde().Anzahl(), 5u); // as after a move, the list waits for the next search
}

TEST_F(Listenaktionen, SavedListsReadBackWithEveryNamesBytes)
{
    baum.Datei("A/" FREMD, "gleich");
    baum.Datei("B/z,\"q\"", "gleich");
    f->Sitzung().SucheAusfuehren({a, b});
    std::string pfade;
    for (const std::string& pfad : Pfade())
        pfade += pfad + "\n";
    struct TFall {
        const char* datei;
        const char* leser; // python3 prints the paths it reads, one a line
    } faelle[] = {
        {"liste.json", "import json,os,sys; d=json.load(open(sys.argv[1])); "
                       "[sys.stdout.buffer.write(os.fsencode(f['path'])+b'\\n') for g in d['groups'] for f in g['files']]"},
        {"liste.csv", "import csv,sys; r=list(csv.reader(open(sys.argv[1],newline='',encoding='utf-8',"
                      "errors='surrogateescape')))[1:]; [sys.stdout.buffer.write(z[3].encode('utf-8','surrogateescape')+b'\\n') for z in r]"},
    };
    for (const TFall& fall : faelle) {
        const std::string ziel = baum.Wurzel() + fall.datei;
        f->Listenaktionen->SpeicherortFragen = [&] { return ziel; };
        f->Listenaktionen->ListeSpeichern1->trigger();
        const std::string befehl = "python3 -c \"" + std::string(fall.leser) + "\" '" + ziel + "'";
        std::FILE* leser = ::popen(befehl.c_str(), "r");
        ASSERT_NE(leser, nullptr);
        std::string gelesen;
        for (int c; (c = std::fgetc(leser)) != EOF;)
            gelesen += static_cast<char>(c);
        EXPECT_EQ(::pclose(leser), 0) << fall.datei;
        EXPECT_EQ(gelesen, pfade) << fall.datei;
    }
    const std::string fehlt = baum.Wurzel() + "fehlt/liste.json";
    f->Listenaktionen->SpeicherortFragen = [&] { return fehlt; };
    f->Listenaktionen->ListeSpeichern1->trigger();
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_NE(meldungen[0].find(fehlt), std::string::npos) << meldungen[0];
}

TEST_F(Listenaktionen, TheFilterLeavesFilesOutAndIsKeptInTheSettings)
{
    baum.Datei("A/x.tmp", "gleich");
    baum.Datei("A/klein", "k");
    baum.Datei("A/y", "gleich");
    baum.Datei("B/z", "gleich");
    baum.Datei("B/k", "k");
    f->Sitzung().SucheAusfuehren({a, b});
    EXPECT_EQ(Pfade().size(), 6u);

    const TFilterwerte werte{{"*.tmp", "[!a-z]*"}, "2"};
    f->Listenaktionen->FilterAendern = [&](TFilterwerte& neu) { return neu = werte, true; };
    f->Listenaktionen->Filter1->trigger();
    f->Sitzung().ListeLeeren();
    f->Sitzung().SucheAusfuehren({a, b});
    EXPECT_EQ(Pfade(), (std::vector<std::string>{a + "y", b + "z"}));

    ASSERT_TRUE(f->EinstellungenSichern());
    auto neu = std::make_unique<TTestfenster>(baum.Wurzel());
    neu->FormCreate();
    EXPECT_EQ(neu->Listenaktionen->Filterwerte(), werte);

    // The dialog takes a size only as "N[KMG]".
    TFilterdialog dialog(werte);
    for (const auto& [text, gut] : {std::pair{"5X", false}, {"5K", true}, {"", true}}) {
        dialog.Mindestgroesse->setText(QString::fromUtf8(text));
        TFilterwerte gelesen;
        EXPECT_EQ(dialog.Werte(gelesen), gut) << text;
    }
}

// Every pattern comes back byte for byte; a filter too large for the settings
// is refused by the dialog, which says the limit, and never costs the place.
TEST_F(Listenaktionen, AFilterIsKeptWholeOrRefusedWithTheLimit)
{
    const std::vector<std::string> steuerzeichen{"a\x01" "b", "c\x1f" "d", "\x02\x03\x1a\x1e" "A\x1e"};
    for (const auto& [muster, passt] : {std::pair{steuerzeichen, true}, {{"*.tmp", std::string(FilterHoechstens, 'g')}, false}}) {
        const TFilterwerte werte{muster, "2"};
        f->FeldSetzen(TFeld::Edit1, "/p/");
        f->Listenaktionen->FilterAendern = [&](TFilterwerte& neu) { return neu = werte, true; };
        f->Listenaktionen->Filter1->trigger();
        ASSERT_TRUE(f->EinstellungenSichern());
        auto neu = std::make_unique<TTestfenster>(baum.Wurzel());
        neu->FormCreate();
        EXPECT_EQ(neu->Listenaktionen->Filterwerte(), passt ? werte : TFilterwerte{});
        EXPECT_EQ(neu->FeldText(TFeld::Edit1), "/p/");
        TFilterdialog dialog(werte);
        TFilterwerte gelesen;
        EXPECT_EQ(dialog.Werte(gelesen) ? gelesen == werte : false, passt);
        EXPECT_EQ(dialog.Hinweis->text().contains(QString::fromUtf8("höchstens 1.048.576 Bytes")), !passt);
    }
}

TEST_F(Listenaktionen, ADroppedFolderSetsTheFieldAndTheDialogsSayWhatTheyAskFor)
{
    const std::string ordner = baum.Verzeichnis(FREMD);
    const std::string datei = baum.Datei("datei", "x");
    const auto adresse = [](const std::string& pfad) { return QUrl::fromLocalFile(QFile::decodeName(pfad.c_str())); };
    struct TFall {
        QList<QUrl> urls;
        bool gut;
    } faelle[] = {{{adresse(baum.Wurzel() + "A")}, true},
                  {{adresse(datei)}, false},
                  {{adresse(a), adresse(b)}, false},
                  {{QUrl("https://example.org/")}, false}};
    for (const TFall& fall : faelle) {
        QMimeData daten;
        daten.setUrls(fall.urls);
        // As a drag arrives: it enters the field, then drops there.
        QDragEnterEvent kommt(QPoint(5, 5), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        QDropEvent ablage(QPointF(5, 5), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        f->FeldSetzen(TFeld::Edit3, "/vorher/");
        QApplication::sendEvent(f->Edit3, &kommt);
        QApplication::sendEvent(f->Edit3, &ablage);
        EXPECT_EQ(f->FeldText(TFeld::Edit3), fall.gut ? a : "/vorher/");
    }
    QMimeData fremd;
    fremd.setUrls({QUrl::fromEncoded(QByteArray("file://") + ProzentKodiert(ordner).c_str())});
    std::string pfad;
    EXPECT_TRUE(TVerzeichnisablage::Verzeichnis(fremd, pfad));
    EXPECT_EQ(pfad, ordner);

    f->dialogAntworten = {a + "x", b + "x", a + "x", b + "x", a + "x"};
    f->Edit1DblClick();
    f->Edit3DblClick();
    f->markierteEintrgekopierenvonnach1Click();
    f->markierteEintrgeverschiebennach1Click();
    EXPECT_EQ(f->dialogTitel, (std::vector<std::string>{"Erstes Verzeichnis wählen", "Zweites Verzeichnis wählen",
                                                        "Kopieren von: Quellverzeichnis wählen",
                                                        "Kopieren von… nach: Zielverzeichnis wählen",
                                                        "Verschieben nach: Zielverzeichnis wählen"}));
}
