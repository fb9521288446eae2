#include "app/Unit1.h"

#include "app/Bildschirme.h"
#include "app/DateiDialog.h"
#include "app/Desktop.h"
#include "app/Eintragsliste.h"
#include "app/Endesignale.h"
#include "app/Ergebnisansicht.h"
#include "app/Fehlerfenster.h"
#include "app/Filterdialog.h"
#include "app/Glyphe.h"
#include "app/Hauptfenster.h"
#include "app/Listenmodell.h"
#include "app/Rueckfragen.h"
#include "app/Schrift.h"
#include "app/Spaltenlauf.h"
#include "app/Speicherdialog.h"
#include "app/Sprache.h"
#include "app/Tastatur.h"
#include "app/Verzeichnisablage.h"
#include "controls/Cgauges.h"
#include "fenster/Fehlerbox.h"
#include "util/Fehler.h"

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

// The core's texts are UTF-8 on every platform; bytes that are not show as
// replacement characters, and the logic keeps them besides.
QString Text(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TForm1::TForm1(std::string programmVerzeichnis, QWidget* eltern)
    : QWidget(eltern), logik_(*this, std::move(programmVerzeichnis)), rahmen_(*this, MinAussenBreite)
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
    Listenmodell = new TListenmodell(logik_, this);
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
        QString::fromUtf8("Platz, den die gleichen Dateien (+) belegen; Anzahl und Größe der markierten Einträge"));
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
        aktionen_.emplace_back(befehl, aktion);
    }
    // A popup, not a nested exec(): the commands then run from the main
    // loop, which matters for the long ones.
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& stelle) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(stelle)); });
}

QAction* TForm1::Aktion(TBefehl befehl) const
{
    for (const auto& [b, aktion] : aktionen_)
        if (b == befehl)
            return aktion;
    return nullptr;
}

QLineEdit* TForm1::Feld(TFeld feld) const
{
    switch (feld) {
    case TFeld::Edit1: return Edit1;
    case TFeld::Edit2: return Edit2;
    case TFeld::Edit3: return Edit3;
    case TFeld::Edit4: return Edit4;
    case TFeld::Edit5: return Edit5;
    case TFeld::Edit6: return Edit6;
    case TFeld::Edit7: return Edit7;
    case TFeld::Edit8: return Edit8;
    case TFeld::Edit9: return Edit9;
    }
    return nullptr;
}

// What the logic asks of us

void TForm1::FeldZeigen(TFeld feld, const std::string& text)
{
    QLineEdit* edit = Feld(feld);
    edit->setText(Text(text));
    // Long paths show their beginning, where the tree's name stands.
    edit->setCursorPosition(0);
}

void TForm1::GaugeZeigen(int32_t fortschritt, int32_t maximum)
{
    // The gauge paints only what changed.
    if (CGauge1->MaxValue() != maximum)
        CGauge1->SetMaxValue(maximum);
    if (CGauge1->Progress() != fortschritt)
        CGauge1->SetProgress(fortschritt);
}

std::string TForm1::LampeZeigen(const std::string& bilddatei)
{
    try {
        BitBtn1->setIcon(GlypheLaden(bilddatei));
        return {};
    } catch (const EFehler& fehler) {
        return fehler.what();
    }
}

void TForm1::UnterDerListe(QLabel* label, const std::string& text)
{
    label->setText(Text(text));
    if (text.empty() == label->isVisibleTo(this)) {
        label->setVisible(!text.empty());
        ListeAnordnen();
    }
}

void TForm1::ZusammenfassungZeigen(const std::string& text)
{
    UnterDerListe(Zusammenfassung, text);
}

void TForm1::HinweisZeigen(const std::string& text)
{
    UnterDerListe(HinweisNichtGelesen, text);
}

void TForm1::BefehlFreigeben(TBefehl befehl, bool frei)
{
    if (QAction* aktion = Aktion(befehl))
        aktion->setEnabled(frei);
}

void TForm1::ListeNeu(uint32_t reihen)
{
    Listenmodell->Neu(reihen);
}

void TForm1::ReihenAngefuegt(uint32_t reihen)
{
    Listenmodell->Angefuegt(reihen);
}

void TForm1::ReihenGeaendert(uint32_t erste, uint32_t ende)
{
    Listenmodell->Geaendert(erste, ende);
}

bool TForm1::JaNeinFrage(const std::string& text, const std::string& titel)
{
    return JaNeinFragen(this, text, titel);
}

void TForm1::Meldung(const std::string& text, const std::string& titel)
{
    MeldungZeigen(this, text, titel);
}

void TForm1::FehlerZeigen(const std::string& text)
{
    FehlerfensterZeigen(text);
}

void TForm1::EintraegeZeigen(const std::string& titel, const std::string& kopf, const TEintragsGruende& eintraege)
{
    ::EintraegeZeigen(this, Text(titel), Text(kopf), eintraege);
}

std::optional<std::string> TForm1::VerzeichnisWaehlen(const std::string& titel, const std::string& vorgabe)
{
    TOpenDialog OpenDialog1;
    OpenDialog1.FileName = vorgabe;
    OpenDialog1.Titel = titel;
    if (!OpenDialog1.Execute(this))
        return std::nullopt;
    return OpenDialog1.FileName;
}

std::string TForm1::SpeicherortWaehlen()
{
    return ::SpeicherortWaehlen(this);
}

bool TForm1::FilterBearbeiten(TFilterwerte& werte)
{
    return FilterFragen(this, werte);
}

void TForm1::AboutBoxZeigen()
{
    if (AboutBox)
        AboutBox->Zeigen(*this);
}

void TForm1::NachrichtenVerarbeiten()
{
    QCoreApplication::processEvents();
}

bool TForm1::MitDemDesktopOeffnen(const std::string& pfad)
{
    return ::MitDemDesktopOeffnen(pfad);
}

TRechteck TForm1::Aussenrahmen() const
{
    const QRect rahmen = frameGeometry();
    return {rahmen.left(), rahmen.top(), rahmen.width(), rahmen.height()};
}

void TForm1::Platzieren(int32_t links, int32_t oben, int32_t aussenBreite)
{
    move(links, oben);
    rahmen_.AussenBreiteSetzen(aussenBreite);
}

std::vector<TRechteck> TForm1::Bildschirme() const
{
    return VerfuegbareBildschirme();
}

TGroesse TForm1::BildschirmGroesse() const
{
    return PrimaerBildschirmGroesse();
}

int32_t TForm1::Titelhoehe() const
{
    return style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

void TForm1::Beenden()
{
    hide();
    QCoreApplication::quit();
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
