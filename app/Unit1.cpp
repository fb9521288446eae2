#include "app/Unit1.h"

#include "app/Endesignale.h"
#include "app/Ergebnisansicht.h"
#include "app/Fehlerfenster.h"
#include "app/Hauptfenster.h"
#include "app/Listenmodell.h"
#include "app/Schrift.h"
#include "app/Spaltenlauf.h"
#include "app/Sprache.h"
#include "app/Tastatur.h"
#include "app/Verzeichnisablage.h"
#include "fenster/Fehlerbox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <memory>

namespace {

// The designed sizes. Width and height may grow, the list taking what
// comes; the width may shrink until only the left column of group boxes is
// left, the height not below the designed one unless the screen is lower.
constexpr int InnenBreite = 519;
constexpr int InnenHoehe = 356;
constexpr int MinAussenBreite = 265;
constexpr int ListeLinks = 264;
// The designed position, before the settings place the window.
constexpr int EntwurfLinks = 192;
constexpr int EntwurfOben = 107;

const char* const Listenhinweis =
    "! = besitzt gleiche Dateien; + = gleichen Dateien; - = besitzt keine gleichen Dateien";

// The face the logic draws on: the one a test makes, else the form's own.
std::unique_ptr<TFormflaeche> FlaecheBauen(const TForm1::TFlaechenbau& bau, QWidget& fenster, const TFormteile& teile,
                                           TFensterrahmen& rahmen, std::function<void()> anordnen)
{
    if (bau)
        return bau(fenster, teile, rahmen, std::move(anordnen));
    return std::make_unique<TFormflaeche>(fenster, teile, rahmen, std::move(anordnen));
}

} // namespace

TForm1::TForm1(std::string programmVerzeichnis, QWidget* eltern, const TFlaechenbau& flaechenbau)
    : QWidget(eltern), rahmen_(*this, MinAussenBreite),
      flaeche_(FlaecheBauen(flaechenbau, *this, *this, rahmen_, [this] { ListeAnordnen(); })),
      logik_(*flaeche_, std::move(programmVerzeichnis))
{
    Aufbauen();
}

TForm1::~TForm1()
{
    // View and model read the logic, which is gone before QWidget's
    // destructor would delete the children: they go first.
    delete ListBox1;
    delete Listenmodell;
}

void TForm1::Aufbauen()
{
    setWindowTitle(QStringLiteral("Dubrinax"));
    // A title bar with the system menu, minimize and close, as designed.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(FensterSchrift());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    // The designed height is the least, unless the screen is lower: then the
    // left column scrolls (TSpaltenlauf) and every control stays in reach.
    const QScreen* schirm = QGuiApplication::primaryScreen();
    const int hoehe = schirm ? std::clamp(schirm->availableGeometry().height() -
                                              style()->pixelMetric(QStyle::PM_TitleBarHeight) - 8,
                                          4 * Zeilenhoehe, InnenHoehe)
                             : InnenHoehe;
    setMinimumHeight(hoehe);
    setMinimumWidth(MinAussenBreite);
    move(EntwurfLinks, EntwurfOben);
    resize(InnenBreite, hoehe);

    LinkeSpalteAnlegen(*this, *this);
    Listenmodell = new TListenmodell([this](uint32_t reihe) { return logik_.Reihentext(reihe); }, this);
    ListBox1 = new TErgebnisansicht(Listenmodell, logik_, Zeilenhoehe, this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(ListeLinks, 0, InnenBreite - ListeLinks, InnenHoehe);
    ListBox1->setToolTip(QString::fromUtf8(Listenhinweis));
    HinweisNichtGelesen = new QLabel(this);
    HinweisNichtGelesen->setObjectName(QStringLiteral("HinweisNichtGelesen"));
    HinweisNichtGelesen->hide();
    Zusammenfassung = new QLabel(this);
    Zusammenfassung->setObjectName(QStringLiteral("Zusammenfassung"));
    Zusammenfassung->setToolTip(
        QString::fromUtf8("Platz, den die gleichen Dateien (+) belegen; Anzahl und Größe der markierten Dateien, jede einmal gezählt"));
    Zusammenfassung->hide();

    spaltenlauf_ = new TSpaltenlauf(*this, {GroupBox1, GroupBox2, GroupBox3, GroupBox4}, 96, InnenHoehe, ListeLinks);

    // The two directory fields are chosen, never typed: they wear the
    // button face to say so.
    for (QLineEdit* feld : {Edit1, Edit3}) {
        QPalette farben = feld->palette();
        farben.setColor(QPalette::Base, farben.color(QPalette::Button));
        feld->setPalette(farben);
    }
    for (QLineEdit* feld : {Edit4, Edit6})
        feld->setFocusPolicy(Qt::ClickFocus);
    QWidget* reihenfolge[] = {Edit1, Edit2, Edit3, Edit4, BitBtn1, Edit5, Edit6, ListBox1, Edit7, Edit8, Edit9};
    for (size_t i = 1; i < std::size(reihenfolge); ++i)
        setTabOrder(reihenfolge[i - 1], reihenfolge[i]);

    MenueAufbauen();

    connect(BitBtn1, &QPushButton::clicked, this, [this] { logik_.Ausfuehren(TBefehl::Start); });
    WahlTastenEinrichten(Edit1, [this] { logik_.Ausfuehren(TBefehl::ErstesVerzeichnis); });
    WahlTastenEinrichten(Edit3, [this] { logik_.Ausfuehren(TBefehl::ZweitesVerzeichnis); });
    MenueTasteEinrichten(ListBox1);
    new TVerzeichnisablage(Edit1, [this](const std::vector<std::string>& pfade) { logik_.Ablegen(TFeld::Edit1, pfade); });
    new TVerzeichnisablage(Edit3, [this](const std::vector<std::string>& pfade) { logik_.Ablegen(TFeld::Edit3, pfade); });
    for (QObject* objekt : {static_cast<QObject*>(Edit1), static_cast<QObject*>(Edit3),
                            static_cast<QObject*>(GroupBox1), static_cast<QObject*>(GroupBox2),
                            static_cast<QObject*>(GroupBox3), static_cast<QObject*>(GroupBox4),
                            static_cast<QObject*>(ListBox1->viewport())})
        objekt->installEventFilter(this);
}

void TForm1::MenueAufbauen()
{
    PopupMenu1 = new QMenu(this);
    for (const TMenueeintrag& eintrag : Kontextmenue()) {
        if (!eintrag.text) {
            PopupMenu1->addSeparator();
            continue;
        }
        QAction* aktion = PopupMenu1->addAction(QString::fromUtf8(eintrag.text));
        aktion->setEnabled(eintrag.anfangsFrei);
        const TBefehl befehl = eintrag.befehl;
        connect(aktion, &QAction::triggered, this, [this, befehl] { logik_.Ausfuehren(befehl); });
        Aktionen.emplace_back(befehl, aktion);
    }
    // A popup, not a nested exec(): the commands then run from the main
    // loop, which matters for the long ones.
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& stelle) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(stelle)); });
}

// Events

void TForm1::closeEvent(QCloseEvent* ereignis)
{
    if (logik_.Schliessen())
        ereignis->accept();
    else
        ereignis->ignore();
}

void TForm1::mouseDoubleClickEvent(QMouseEvent* ereignis)
{
    // Only the free area: labels and the gauge pass their clicks up to us,
    // but a double-click on them is no double-click on the window.
    if (ereignis->button() == Qt::LeftButton && childAt(ereignis->position().toPoint()) == nullptr)
        logik_.Ausfuehren(TBefehl::Info);
}

bool TForm1::eventFilter(QObject* objekt, QEvent* ereignis)
{
    const QEvent::Type art = ereignis->type();
    if (art != QEvent::MouseButtonDblClick && art != QEvent::MouseButtonPress)
        return QWidget::eventFilter(objekt, ereignis);
    auto* maus = static_cast<QMouseEvent*>(ereignis);

    if (objekt == ListBox1->viewport()) {
        // The right button opens the menu for the lines already marked; it
        // must not replace the marking by the line under the mouse.
        return maus->button() == Qt::RightButton;
    }
    if (art != QEvent::MouseButtonDblClick || maus->button() != Qt::LeftButton)
        return QWidget::eventFilter(objekt, ereignis);
    if (objekt == Edit1 || objekt == Edit3) {
        logik_.Ausfuehren(objekt == Edit1 ? TBefehl::ErstesVerzeichnis : TBefehl::ZweitesVerzeichnis);
        return true;
    }
    auto* gruppe = qobject_cast<QGroupBox*>(objekt);
    if (gruppe) {
        if (gruppe->childAt(maus->position().toPoint()) == nullptr)
            logik_.Ausfuehren(TBefehl::Info);
        return true;
    }
    return QWidget::eventFilter(objekt, ereignis);
}

void TForm1::resizeEvent(QResizeEvent* ereignis)
{
    QWidget::resizeEvent(ereignis);
    ListeAnordnen();
    rahmen_.Anpassen();
}

void TForm1::moveEvent(QMoveEvent* ereignis)
{
    QWidget::moveEvent(ereignis);
    rahmen_.Anpassen();
}

void TForm1::showEvent(QShowEvent* ereignis)
{
    QWidget::showEvent(ereignis);
    rahmen_.Anpassen();
}

void TForm1::ListeAnordnen()
{
    // The list keeps its left edge and follows the window's right and lower
    // ones; the summary, while there are lines, and the note, when there is
    // one, take a line each under it.
    const int links = ListeLinks + (spaltenlauf_ ? spaltenlauf_->Anordnen() : 0);
    const int breite = std::max(0, width() - links);
    const int hinweis = HinweisNichtGelesen->isVisibleTo(this) ? HinweisNichtGelesen->sizeHint().height() : 0;
    const int summe = Zusammenfassung->isVisibleTo(this) ? Zusammenfassung->sizeHint().height() : 0;
    ListBox1->setGeometry(links, 0, breite, std::max(0, height() - hinweis - summe));
    Zusammenfassung->setGeometry(links, height() - hinweis - summe, breite, summe);
    HinweisNichtGelesen->setGeometry(links, height() - hinweis, breite, hinweis);
}

// The program's window

int HauptfensterAusfuehren()
{
    std::unique_ptr<TForm1> Form1;
    Abgesichert(
        [&] {
            // Form1 first: it is the main window. A number in the settings
            // that does not fit is shown, and the window opens all the same.
            Form1 = std::make_unique<TForm1>();
            Abgesichert([&] { Form1->Logik().FormCreate(); }, FehlerfensterZeigen);
            Form1->AboutBox = new TAboutBox(Form1.get()); // owned by Form1
            // Owned by Form1, so gone with it before an exit() at the end of main.
            new TEndesignale([fenster = Form1.get()] { fenster->Logik().EinstellungenSichern(); }, Form1.get());
            Form1->show();
            QApplication::exec();
        },
        FehlerfensterZeigen);
    return 0;
}
