#include "app/Unit1.h"

#include "app/Eintragsliste.h"
#include "app/Ergebnisansicht.h"
#include "app/Ergebnisliste.h"
#include "app/Fehlerbox.h"
#include "app/Fenstereinstellungen.h"
#include "app/Fensterrahmen.h"
#include "app/Formteile.h"
#include "app/Glyphe.h"
#include "app/Listenaktionen.h"
#include "app/Markierung.h"
#include "app/Schrift.h"
#include "app/Spaltenlauf.h"
#include "app/Sprache.h"
#include "app/Tastatur.h"
#include "app/Zusammenfassung.h"
#include "app/Verzeichnisablage.h"
#include "util/Datenort.h"
#include "util/Einstellungsort.h"
#include "util/Einstellungsspeicher.h"
#include "util/Speila.h"

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
#include <QVariant>

#include <algorithm>

namespace {

// The designed sizes. Width and height may grow, the list taking what
// comes; the width may shrink until only the left column of group boxes is
// left, the height not below the designed one unless the screen is lower.
constexpr int InnenBreite = 519;
constexpr int InnenHoehe = 356;
constexpr int MinAussenBreite = 265;
constexpr int ListeLinks = 264;

// The values of a first start, and the designed position before FormCreate.
#ifdef _WIN32
constexpr const char* Startverzeichnis1 = "C:\\A\\";
constexpr const char* Startverzeichnis2 = "C:\\B\\";
#else
constexpr const char* Startverzeichnis1 = "/A/";
constexpr const char* Startverzeichnis2 = "/B/";
#endif
constexpr int EntwurfLinks = 192;
constexpr int EntwurfOben = 107;

const char* const Listenhinweis =
    "! = besitzt gleiche Dateien; + = gleichen Dateien; - = besitzt keine gleichen Dateien";

} // namespace

TForm1::TForm1(std::string programmVerzeichnis, QWidget* eltern)
    : QWidget(eltern), programmVerzeichnis_(std::move(programmVerzeichnis)),
      einstellungsPfad_(EinstellungsortWaehlen(programmVerzeichnis_, "Einst.sys")), rahmen_(*this, MinAussenBreite)
{
    sitzung_.Stopp.Frage = [this] { return JaNeinFrage(AbbruchFrage, AbbruchTitel); };
    Aufbauen();
    Einstellungen = Laden(einstellungsPfad_, FensterDateikopf);
}

TForm1::~TForm1()
{
    // The model reads the lines of our session, which is gone before
    // QWidget's destructor would delete the children: view and model go
    // first.
    delete ListBox1;
    delete Ergebnisliste;
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

    LinkeSpalteAnlegen(*this);
    Ergebnisliste = new TErgebnisliste(Funde(), this);
    ListBox1 = new TErgebnisansicht(Ergebnisliste, Zeilenhoehe, this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(ListeLinks, 0, InnenBreite - ListeLinks, InnenHoehe);
    ListBox1->setToolTip(QString::fromUtf8(Listenhinweis));
    HinweisNichtGelesen = new QLabel(this);
    HinweisNichtGelesen->setObjectName(QStringLiteral("HinweisNichtGelesen"));
    HinweisNichtGelesen->hide();
    auto* zusammenfassung = new TZusammenfassung(*Ergebnisliste, *ListBox1->Markierung(), this);
    connect(zusammenfassung, &TZusammenfassung::SichtbarkeitGeaendert, this, [this] { ListeAnordnen(); });
    Zusammenfassung = zusammenfassung;

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

    connect(BitBtn1, &QPushButton::clicked, this, [this] { Befehl(&TForm1::BitBtn1Click); });
    WahlTastenEinrichten(Edit1, [this] { Befehl(&TForm1::Edit1DblClick); });
    WahlTastenEinrichten(Edit3, [this] { Befehl(&TForm1::Edit3DblClick); });
    MenueTasteEinrichten(ListBox1);
    new TVerzeichnisablage(Edit1, [this](const std::string& pfad) { FeldSetzen(TFeld::Edit1, pfad); });
    new TVerzeichnisablage(Edit3, [this](const std::string& pfad) { FeldSetzen(TFeld::Edit3, pfad); });
    for (QObject* objekt : {static_cast<QObject*>(Edit1), static_cast<QObject*>(Edit3),
                            static_cast<QObject*>(GroupBox1), static_cast<QObject*>(GroupBox2),
                            static_cast<QObject*>(GroupBox3), static_cast<QObject*>(GroupBox4),
                            static_cast<QObject*>(ListBox1->viewport())})
        objekt->installEventFilter(this);
}

void TForm1::MenueAufbauen()
{
    PopupMenu1 = new QMenu(this);
    const auto eintrag = [this](const char* text, void (TForm1::*handler)()) {
        QAction* aktion = PopupMenu1->addAction(QString::fromUtf8(text));
        connect(aktion, &QAction::triggered, this, [this, handler] { Befehl(handler); });
        return aktion;
    };
    AlleEintrgemitMarkieren1 = eintrag("alle Einträge mit + markieren", &TForm1::AlleEintrgemitMarkieren1Click);
    AlleEintrgemitMarkieren2 = eintrag("alle Einträge mit - markieren", &TForm1::AlleEintrgemitMarkieren2Click);
    AlleEintrgemitMarkieren3 = eintrag("alle Einträge mit ! markieren", &TForm1::AlleEintrgemitMarkieren3Click);
    N11 = PopupMenu1->addSeparator();
    AlleMarkierungenlschen1 = eintrag("alle Markierungen löschen", &TForm1::AlleMarkierungenlschen1Click);
    N1 = PopupMenu1->addSeparator();
    markierteEintrgekopierennach1 =
        eintrag("markierte Einträge kopieren nach…", &TForm1::markierteEintrgekopierennach1Click);
    markierteEintrgekopierenvonnach1 =
        eintrag("markierte Einträge kopieren von… nach…", &TForm1::markierteEintrgekopierenvonnach1Click);
    N2 = PopupMenu1->addSeparator();
    markierteEintrgeverschiebennach1 =
        eintrag("markierte Einträge verschieben nach…", &TForm1::markierteEintrgeverschiebennach1Click);
    markierteEintrgeverschiebenvonnach1 =
        eintrag("markierte Einträge verschieben von… nach…", &TForm1::markierteEintrgeverschiebenvonnach1Click);
    N3 = PopupMenu1->addSeparator();
    NichtGeleseneAnzeigen1 = eintrag("nicht gelesene Einträge anzeigen…", &TForm1::NichtGeleseneAnzeigen1Click);
    NichtGeleseneAnzeigen1->setEnabled(false);
    Listenaktionen = new TListenaktionen(*this);

    // A popup, not a nested exec(): the commands then run from the main
    // loop, which matters for the long ones.
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& stelle) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(stelle)); });
}

// Settings

void TForm1::FormCreate()
{
    TFensterwerte werte{y(), x(), FeldText(TFeld::Edit1), FeldText(TFeld::Edit3), rahmen_.AussenBreite(),
                        Listenaktionen->Filterwerte()};
    // Also when a number below throws, what was read before it takes effect
    // and the window opens where the user can reach it, whatever the stored
    // place.
    struct TAnwenden {
        TForm1& fenster;
        const TFensterwerte& werte;
        bool ersterStart = false;
        ~TAnwenden()
        {
            if (ersterStart)
                return;
            fenster.move(werte.links, werte.oben);
            fenster.FeldSetzen(TFeld::Edit1, werte.verzeichnis1);
            fenster.FeldSetzen(TFeld::Edit3, werte.verzeichnis2);
            fenster.rahmen_.AussenBreiteSetzen(werte.breite);
            fenster.rahmen_.AufSchirmBringen(fenster.Bildschirme());
            fenster.Listenaktionen->FilterSetzen(werte.filter);
        }
    } anwenden{*this, werte};
    if (FensterwerteLesen(Einstellungen, werte))
        return;
    anwenden.ersterStart = true;
    // A screen narrower than the designed window (a large scale factor)
    // gets a window as wide as it is, so that centring leaves no control off it.
    const std::vector<QRect> schirme = Bildschirme();
    if (!schirme.empty() && schirme.front().width() < rahmen_.AussenBreite())
        rahmen_.AussenBreiteSetzen(schirme.front().width());
    const QSize schirm = BildschirmGroesse();
    const QRect rahmen = frameGeometry();
    // Integer division truncates toward zero, as on the system the file
    // format comes from: a screen lower than the window gives a negative top.
    move((schirm.width() - rahmen.width()) / 2, (schirm.height() - rahmen.height()) / 2);
    FeldSetzen(TFeld::Edit1, Startverzeichnis1);
    FeldSetzen(TFeld::Edit3, Startverzeichnis2);
}

void TForm1::FormClose()
{
    sitzung_.Stopp.Anfordern();
    if (!EinstellungenSichern())
        Meldung("Datei " + einstellungsPfad_ + " konnte nicht gespeichert werden!", "Fehler");
}

bool TForm1::EinstellungenSichern()
{
    const QRect rahmen = frameGeometry();
    return FensterwerteSichern({rahmen.top(), rahmen.left(), FeldText(TFeld::Edit1), FeldText(TFeld::Edit3),
                                rahmen.width(), Listenaktionen->Filterwerte()},
                               Startverzeichnis1, Startverzeichnis2, Einstellungen, einstellungsPfad_);
}

// Commands

void TForm1::Befehl(void (TForm1::*handler)())
{
    Befehl([this, handler] { (this->*handler)(); });
}

void TForm1::Befehl(const std::function<void()>& aufgabe)
{
    ablauf_.Ausfuehren(aufgabe);
}

void TForm1::BitBtn1Click()
{
    // The running command is still writing the list and the counters at
    // remembered places; a second run inside it would empty them.
    if (Beschaeftigt())
        return;
    BitBtn1->setIcon(GlypheLaden(DatenDatei(programmVerzeichnis_, "LED_Rot.bmp")));
    sitzung_.ListeLeeren();
    HinweisNichtGelesen->hide();
    NichtGeleseneAnzeigen1->setEnabled(false);
    ListeAnordnen();
    sitzung_.SucheAusfuehren({FeldText(TFeld::Edit1), FeldText(TFeld::Edit3)});
    BitBtn1->setIcon(GlypheLaden(DatenDatei(programmVerzeichnis_, "LED_Grün.bmp")));
}

void TForm1::VerzeichnisWaehlen(TFeld feld)
{
    // The "x" makes the dialog open inside the directory with a name in its
    // box; confirming it takes the directory shown.
    OpenDialog1.FileName = FeldText(feld) + "x";
    OpenDialog1.Titel = feld == TFeld::Edit1 ? "Erstes Verzeichnis wählen" : "Zweites Verzeichnis wählen";
    if (!OpenDialog1Execute())
        return;
    FeldSetzen(feld, VerzeichnisTeil(OpenDialog1.FileName));
}

void TForm1::Kopieren(bool vonNach, bool verschieben)
{
    // One file command at a time: a second one started at a dispatch of
    // the first would write where the first is writing, and a copy during
    // a search would act on half a list.
    if (Beschaeftigt())
        return;
    // "nach…" takes each line from where the search found it, whatever
    // Edit1 says now; "von… nach…" asks for that place first, and the
    // second run of the dialog starts from the first choice, which it keeps.
    std::string basis;
    if (vonNach) {
        OpenDialog1.Titel = verschieben ? "Verschieben von: Quellverzeichnis wählen" : "Kopieren von: Quellverzeichnis wählen";
        if (!OpenDialog1Execute())
            return;
        basis = VerzeichnisTeil(OpenDialog1.FileName);
    }
    if (vonNach)
        OpenDialog1.Titel = verschieben ? "Verschieben von… nach: Zielverzeichnis wählen"
                                        : "Kopieren von… nach: Zielverzeichnis wählen";
    else
        OpenDialog1.Titel = verschieben ? "Verschieben nach: Zielverzeichnis wählen" : "Kopieren nach: Zielverzeichnis wählen";
    if (!OpenDialog1Execute())
        return;
    const TAbgelehnt abgelehnt =
        sitzung_.MarkierteKopieren(MarkierteZeilen(), basis, VerzeichnisTeil(OpenDialog1.FileName), verschieben);
    // The verdict says that a line failed; the list says which and why.
    if (!abgelehnt.empty())
        AbgelehnteMelden(
            AbgelehntMeldung(verschieben ? TMeldungsAnlass::Verschieben : TMeldungsAnlass::Kopieren, abgelehnt));
}

// The modal parts

void TForm1::AboutBoxZeigen()
{
    if (AboutBox)
        AboutBox->Zeigen(*this);
}

void TForm1::Beenden()
{
    hide();
    QCoreApplication::quit();
}

void TForm1::NachrichtenVerarbeiten()
{
    beobachter_.Anzeigen();
    QCoreApplication::processEvents();
}

// Events

void TForm1::closeEvent(QCloseEvent* ereignis)
{
    Abgesichert([this] { FormClose(); });
    if (ablauf_.Schliessen())
        ereignis->accept();
    else
        ereignis->ignore();
}

void TForm1::mouseDoubleClickEvent(QMouseEvent* ereignis)
{
    // Only the free area: labels and the gauge pass their clicks up to us,
    // but a double-click on them is no double-click on the window.
    if (ereignis->button() == Qt::LeftButton && childAt(ereignis->position().toPoint()) == nullptr)
        Befehl(&TForm1::FormDblClick);
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
    if (objekt == Edit1) {
        Befehl(&TForm1::Edit1DblClick);
        return true;
    }
    if (objekt == Edit3) {
        Befehl(&TForm1::Edit3DblClick);
        return true;
    }
    auto* gruppe = qobject_cast<QGroupBox*>(objekt);
    if (gruppe) {
        if (gruppe->childAt(maus->position().toPoint()) == nullptr)
            Befehl(&TForm1::FormDblClick);
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

// The fields and the list

void TForm1::FeldSetzen(TFeld feld, const std::string& text)
{
    felder_.Setzen(feld, text);
    if (!Beschaeftigt())
        beobachter_.Anzeigen();
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

void TForm1::AbgelehnteMelden(const TEintragsMeldung& meldung)
{
    EintraegeZeigen(this, meldung);
}

void TForm1::NichtGeleseneAnzeigen1Click()
{
    EintraegeZeigen(this, UebersprungenMeldung(Uebersprungen()));
}

bool TForm1::ListeMarkiert(uint32_t index) const
{
    return ListBox1->Markierung()->Markiert(index);
}

std::vector<uint32_t> TForm1::MarkierteZeilen() const
{
    return ListBox1->Markierung()->Zeilen(ListeAnzahl());
}

void TForm1::ListeBereichMarkieren(uint32_t erste, uint32_t ende, bool markiert)
{
    // Only lines the view knows of can be marked; a command that marks
    // while a search runs shows the lines found so far first.
    Ergebnisliste->Zeigen();
    ListBox1->Markierung()->Setzen(erste, std::min(ende, ListeAnzahl()), markiert);
}

void TForm1::EintraegeMarkieren(char zeichen)
{
    // Neighbouring lines of the kind go to the marks as one range: a "- "
    // line stands mostly among others of its kind.
    for (const auto& [erste, ende] : Funde().Bereiche(zeichen))
        ListeBereichMarkieren(erste, ende, true);
}
