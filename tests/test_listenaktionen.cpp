#include "Testbaum.h"
#include "Testfenster.h"

#include "app/Ergebnisansicht.h"
#include "app/Filterdialog.h"
#include "app/Verzeichnisablage.h"
#include "util/Papierkorb.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace {

#define FREMD "n\xe4me" // Latin-1, no UTF-8

class Listenaktionen : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = baum.Verzeichnis("A");
        b = baum.Verzeichnis("B");
        f->Logik().FeldSetzen(TFeld::Edit1, a);
        f->Logik().FeldSetzen(TFeld::Edit3, b);
    }

    TTestbaum baum;
    std::string a, b;
    std::unique_ptr<TTestfenster> f = std::make_unique<TTestfenster>(baum.Wurzel());
};

} // namespace

// The view's current line, set by a key, the focus or a click, is the one
// the menu opens; Enter opens its file. A name that is no UTF-8 keeps its
// bytes in the URL.
TEST_F(Listenaktionen, OpensTheCurrentLinesFileOrFolderAndEnterOpensTheFile)
{
    baum.Datei("A/" FREMD, "gleich");
    baum.Datei("B/z", "gleich");
    f->Logik().Sitzung().SucheAusfuehren({a, b});
    ASSERT_EQ(f->Logik().ListeAnzahl(), 2u);
    f->ListBox1->setCurrentIndex(f->ListBox1->model()->index(0, 0));
    f->Aktion(TBefehl::DateiOeffnen)->trigger();
    f->Aktion(TBefehl::OrdnerOeffnen)->trigger();
    f->ListBox1->setCurrentIndex(f->ListBox1->model()->index(1, 0));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(f->ListBox1, &enter);
    const std::string url = "file://" + ProzentKodiert(a);
    EXPECT_EQ(f->flaeche.geoeffnet, (std::vector<std::string>{url + "n%E4me", url, "file://" + ProzentKodiert(b) + "z"}));
}

TEST_F(Listenaktionen, TheFilterDialogTakesASizeOnlyAsANumberWithItsUnit)
{
    TFilterdialog dialog({{" *.tmp ", "x"}, ""});
    for (const auto& [text, gut] : {std::pair{"5X", false}, {" 5K ", true}, {"", true}}) {
        dialog.Mindestgroesse->setText(QString::fromUtf8(text));
        TFilterwerte gelesen;
        EXPECT_EQ(dialog.Werte(gelesen), gut) << text;
        const std::vector<std::string> muster = gut ? std::vector<std::string>{"*.tmp", "x"} : std::vector<std::string>{};
        EXPECT_EQ(gelesen.muster, muster) << text;
    }
    EXPECT_EQ(dialog.Hinweis->text().toStdString(), "Mindestgröße: eine Zahl, danach K, M oder G (z. B. 100K)");
}

// Every pattern comes back from the dialog byte for byte; a filter too
// large for the settings is refused there, with the limit said.
TEST_F(Listenaktionen, TheFilterDialogKeepsEveryByteOrRefusesWithTheLimit)
{
    const std::vector<std::string> steuerzeichen{"a\x01" "b", "c\x1f" "d", "\x02\x03\x1a\x1e" "A\x1e"};
    for (const auto& [muster, passt] : {std::pair{steuerzeichen, true}, {{"*.tmp", std::string(FilterHoechstens, 'g')}, false}}) {
        const TFilterwerte werte{muster, "2"};
        TFilterdialog dialog(werte);
        TFilterwerte gelesen;
        EXPECT_EQ(dialog.Werte(gelesen) ? gelesen == werte : false, passt);
        EXPECT_EQ(dialog.Hinweis->text().contains(QString::fromUtf8("höchstens 1.048.576 Bytes")), !passt);
    }
}

TEST_F(Listenaktionen, ADroppedFolderSetsTheField)
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
        f->Logik().FeldSetzen(TFeld::Edit3, "/vorher/");
        QApplication::sendEvent(f->Edit3, &kommt);
        EXPECT_EQ(kommt.isAccepted(), fall.gut);
        QApplication::sendEvent(f->Edit3, &ablage);
        EXPECT_EQ(f->Logik().FeldText(TFeld::Edit3), fall.gut ? a : "/vorher/");
        EXPECT_EQ(f->Edit3->text().toStdString(), fall.gut ? a : "/vorher/");
    }
    QMimeData fremd;
    fremd.setUrls({QUrl::fromEncoded(QByteArray("file://") + ProzentKodiert(ordner).c_str())});
    std::string pfad;
    EXPECT_TRUE(TVerzeichnisablage::Verzeichnis(fremd, pfad));
    EXPECT_EQ(pfad, ordner);
}
