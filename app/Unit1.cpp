#include "app/Unit1.h"

#include "app/Eintragsliste.h"
#include "app/Ergebnisansicht.h"
#include "app/Ergebnisliste.h"
#include "app/Fehlerbox.h"
#include "app/Fenstereinstellungen.h"
#include "app/Fensterrahmen.h"
#include "app/Glyphe.h"
#include "app/Gruppe.h"
#include "app/Listenaktionen.h"
#include "app/Markierung.h"
#include "app/Rueckfragen.h"
#include "app/Schrift.h"
#include "app/Sprache.h"
#include "app/Tastatur.h"
#include "app/Verzeichnisablage.h"
#include "controls/Cgauges.h"
#include "controls/Kontrast.h"
#include "util/Datenort.h"
#include "util/Einstellungsort.h"
#include "util/Einstellungsspeicher.h"
#include "util/Speila.h"

#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVariant>

#include <algorithm>

namespace {

// The designed sizes. The height is fixed; the width may grow, and shrink
// until only the left column of group boxes is left.
constexpr int InnenBreite = 519;
constexpr int InnenHoehe = 356;
constexpr int MinAussenBreite = 265;
constexpr int ListeLinks = 264;
constexpr int Zeilenhoehe = 13;

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

// The bytes of a field are what the program works with; the text on screen
// is only their picture. Kept in the edit field beside what it shows, so
// that paths come back byte for byte (the list keeps its lines' bytes).
const char* const RohdatenEigenschaft = "dubrinaxBytes";

QByteArray Bytes(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// The core's texts are UTF-8 on every platform; bytes that are not show as
// replacement characters, and the line or field keeps them besides.
QString Anzeige(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QGroupBox* Gruppe(QWidget* eltern, const char* titel, int x, int y, int b, int h)
{
    auto* gruppe = new TGroupBox(QString::fromUtf8(titel), eltern);
    gruppe->setGeometry(x, y, b, h);
    return gruppe;
}

// Labels take the width of their text, as on the form they were drawn on,
// so that no font cuts them; the designed width is the least they get.
QLabel* Beschriftung(QWidget* eltern, const char* text, int x, int y, int b)
{
    auto* label = new QLabel(QString::fromUtf8(text), eltern);
    label->move(x, y);
    label->adjustSize();
    label->resize(std::max(b, label->width()), std::max(Zeilenhoehe, label->height()));
    return label;
}

QLineEdit* Eingabefeld(QWidget* eltern, const char* hinweis, int x, int y, int b)
{
    auto* feld = new QLineEdit(eltern);
    feld->setGeometry(x, y, b, 21);
    feld->setToolTip(QString::fromUtf8(hinweis));
    feld->setReadOnly(true);
    feld->setProperty(RohdatenEigenschaft, QByteArray());
    return feld;
}

} // namespace

TForm1::TForm1(std::string programmVerzeichnis, QWidget* eltern)
    : QWidget(eltern), programmVerzeichnis_(std::move(programmVerzeichnis)),
      einstellungsPfad_(EinstellungsortWaehlen(programmVerzeichnis_, "Einst.sys")), rahmen_(*this, MinAussenBreite)
{
    Aufbauen();
    Einstellungen = Laden(einstellungsPfad_, FensterDateikopf);
}

TForm1::~TForm1()
{
    // The model reads the lines of our TFensterLogik base, which is gone
    // before QWidget's destructor would delete the children: view and
    // model go first.
    delete ListBox1;
    delete Ergebnisliste;
}

void TForm1::Aufbauen()
{
    setWindowTitle(QStringLiteral("Dubrinax"));
    // A title bar with the system menu, minimize and close: no maximize
    // button for a window of fixed height.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(FensterSchrift());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFixedHeight(InnenHoehe);
    setMinimumWidth(MinAussenBreite);
    move(EntwurfLinks, EntwurfOben);
    resize(InnenBreite, InnenHoehe);

    GroupBox1 = Gruppe(this, "Datei 1:", 3, 0, 257, 89);
    Label1 = Beschriftung(GroupBox1, "Verzeichnis:", 8, 16, 57);
    Edit1 = Eingabefeld(GroupBox1, "Pfad", 8, 32, 243);
    Label2 = Beschriftung(GroupBox1, "Dateigröße:", 8, 56, 55);
    Edit2 = Eingabefeld(GroupBox1, "Dateigröße", 72, 56, 179);

    GroupBox2 = Gruppe(this, "Datei 2:", 3, 96, 257, 89);
    Label3 = Beschriftung(GroupBox2, "Verzeichnis:", 8, 16, 57);
    Edit3 = Eingabefeld(GroupBox2, "Pfad", 8, 32, 243);
    Label4 = Beschriftung(GroupBox2, "Dateigröße:", 8, 56, 55);
    Edit4 = Eingabefeld(GroupBox2, "Dateigröße", 72, 56, 179);

    GroupBox3 = Gruppe(this, "Ausführen:", 3, 192, 257, 89);
    Label5 = Beschriftung(GroupBox3, "bearbeite Datei:", 8, 16, 75);
    CGauge1 = new TCGauge(GroupBox3);
    CGauge1->setGeometry(88, 10, 163, 20);
    // The percentage is XORed over the fill, so it shows in the fill's
    // complement; a highlight of middle brightness gives way to a darker
    // shade of itself, on which that complement is light and readable.
    CGauge1->SetForeColor(LesbareFuellfarbe(palette().color(QPalette::Highlight)));
    BitBtn1 = new QPushButton(QStringLiteral("&Start"), GroupBox3);
    BitBtn1->setGeometry(176, 56, 75, 25);
    BitBtn1->setIconSize(QSize(15, 15));
    BitBtn1->setIcon(LampeGruen());
    Edit5 = Eingabefeld(GroupBox3, "vergleichende Datei", 8, 32, 243);
    Edit6 = Eingabefeld(GroupBox3, "Status", 8, 56, 161);

    Ergebnisliste = new TErgebnisliste(Funde(), this);
    ListBox1 = new TErgebnisansicht(Ergebnisliste, Zeilenhoehe, this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(ListeLinks, 0, InnenBreite - ListeLinks, InnenHoehe);
    ListBox1->setToolTip(QString::fromUtf8(Listenhinweis));
    HinweisNichtGelesen = new QLabel(this);
    HinweisNichtGelesen->setObjectName(QStringLiteral("HinweisNichtGelesen"));
    HinweisNichtGelesen->hide();

    GroupBox4 = Gruppe(this, "Ergebnis:", 3, 288, 257, 65);
    Label7 = Beschriftung(GroupBox4, "+:", 8, 16, 9);
    Label8 = Beschriftung(GroupBox4, "-:", 91, 16, 6);
    Label9 = Beschriftung(GroupBox4, "!:", 174, 16, 6);
    Edit7 = Eingabefeld(GroupBox4, "Anzahl von gleichen Dateien", 8, 32, 75);
    Edit8 = Eingabefeld(GroupBox4, "Anzahl von Dateien die keine gleichen Dateien besitzen", 91, 32, 75);
    Edit9 = Eingabefeld(GroupBox4, "Anzahl von Dateien die gleiche Dateien besitzen", 174, 32, 75);

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
    Stopp.Anfordern();
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
    Abgesichert(aufgabe);
    if (beendenAngefordert_ && !Beschaeftigt()) {
        beendenAngefordert_ = false;
        Beenden();
    }
}

void TForm1::BitBtn1Click()
{
    // The running command is still writing the list and the counters at
    // remembered places; a second run inside it would empty them.
    if (Beschaeftigt())
        return;
    BitBtn1->setIcon(GlypheLaden(DatenDatei(programmVerzeichnis_, "LED_Rot.bmp")));
    ListeLeeren();
    HinweisNichtGelesen->hide();
    NichtGeleseneAnzeigen1->setEnabled(false);
    ListeAnordnen();
    SucheAusfuehren({FeldText(TFeld::Edit1), FeldText(TFeld::Edit3)});
    BitBtn1->setIcon(GlypheLaden(DatenDatei(programmVerzeichnis_, "LED_Grün.bmp")));
}

void TForm1::FormDblClick()
{
    AboutBoxZeigen();
}

void TForm1::Edit1DblClick()
{
    VerzeichnisWaehlen(TFeld::Edit1);
}

void TForm1::Edit3DblClick()
{
    VerzeichnisWaehlen(TFeld::Edit3);
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

void TForm1::AlleEintrgemitMarkieren1Click()
{
    EintraegeMarkieren('+');
}

void TForm1::AlleEintrgemitMarkieren2Click()
{
    EintraegeMarkieren('-');
}

void TForm1::AlleEintrgemitMarkieren3Click()
{
    EintraegeMarkieren('!');
}

void TForm1::AlleMarkierungenlschen1Click()
{
    MarkierungenLoeschen();
}

void TForm1::markierteEintrgekopierennach1Click()
{
    KopierenNach(false);
}

void TForm1::markierteEintrgekopierenvonnach1Click()
{
    KopierenVonNach(false);
}

void TForm1::markierteEintrgeverschiebennach1Click()
{
    KopierenNach(true);
}

void TForm1::markierteEintrgeverschiebenvonnach1Click()
{
    KopierenVonNach(true);
}

void TForm1::KopierenNach(bool verschieben)
{
    // One file command at a time: a second one started at a dispatch of
    // the first would write where the first is writing, and a copy during
    // a search would act on half a list.
    if (Beschaeftigt())
        return;
    OpenDialog1.Titel = verschieben ? "Verschieben nach: Zielverzeichnis wählen" : "Kopieren nach: Zielverzeichnis wählen";
    if (!OpenDialog1Execute())
        return;
    const std::string ziel = VerzeichnisTeil(OpenDialog1.FileName);
    // Each line from where the search found it, whatever Edit1 says now.
    MarkierteKopieren(std::string(), ziel, verschieben);
}

void TForm1::KopierenVonNach(bool verschieben)
{
    // As KopierenNach.
    if (Beschaeftigt())
        return;
    OpenDialog1.Titel = verschieben ? "Verschieben von: Quellverzeichnis wählen" : "Kopieren von: Quellverzeichnis wählen";
    if (!OpenDialog1Execute())
        return;
    const std::string basis = VerzeichnisTeil(OpenDialog1.FileName);
    // The second run starts from the first choice, which the dialog keeps.
    OpenDialog1.Titel = verschieben ? "Verschieben von… nach: Zielverzeichnis wählen"
                                    : "Kopieren von… nach: Zielverzeichnis wählen";
    if (!OpenDialog1Execute())
        return;
    const std::string ziel = VerzeichnisTeil(OpenDialog1.FileName);
    MarkierteKopieren(basis, ziel, verschieben);
}

// The modal parts

QSize TForm1::BildschirmGroesse() const
{
    const QScreen* schirm = QGuiApplication::primaryScreen();
    return schirm ? schirm->geometry().size() : QSize();
}

std::vector<QRect> TForm1::Bildschirme() const
{
    std::vector<QRect> schirme;
    const QScreen* primaer = QGuiApplication::primaryScreen();
    if (primaer)
        schirme.push_back(primaer->availableGeometry());
    for (const QScreen* schirm : QGuiApplication::screens())
        if (schirm != primaer)
            schirme.push_back(schirm->availableGeometry());
    return schirme;
}

bool TForm1::OpenDialog1Execute()
{
    return OpenDialog1.Execute(this);
}

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

bool TForm1::JaNeinFrage(const std::string& text, const std::string& titel)
{
    return JaNeinFragen(this, text, titel);
}

void TForm1::Meldung(const std::string& text, const std::string& titel)
{
    MeldungZeigen(this, text, titel);
}

void TForm1::NachrichtenVerarbeiten()
{
    Anzeigen();
    QCoreApplication::processEvents();
}

// Events

void TForm1::closeEvent(QCloseEvent* ereignis)
{
    Abgesichert([this] { FormClose(); });
    if (Beschaeftigt()) {
        // A command is running below us in this very call stack. The window
        // stays until it has returned (it may still ask whether to stop, and
        // a modal box needs a running application); then we end.
        beendenAngefordert_ = true;
        ereignis->ignore();
        return;
    }
    ereignis->accept();
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

std::string TForm1::FeldText(TFeld feld) const
{
    return felder_[static_cast<size_t>(feld)];
}

void TForm1::FeldSetzen(TFeld feld, const std::string& text)
{
    const auto index = static_cast<size_t>(feld);
    if (felder_[index] == text)
        return;
    felder_[index] = text;
    if (Beschaeftigt())
        felderAusstehend_.set(index);
    else
        FeldAnzeigen(feld);
}

void TForm1::FeldAnzeigen(TFeld feld)
{
    QLineEdit* edit = Feld(feld);
    const std::string& text = felder_[static_cast<size_t>(feld)];
    edit->setProperty(RohdatenEigenschaft, Bytes(text));
    edit->setText(Anzeige(text));
    // Long paths show their beginning, where the tree's name stands.
    edit->setCursorPosition(0);
}

void TForm1::Anzeigen()
{
    for (size_t index = 1; index < felder_.size(); ++index)
        if (felderAusstehend_.test(index))
            FeldAnzeigen(static_cast<TFeld>(index));
    felderAusstehend_.reset();
    // The lines found since the last dispatch, in one insertion.
    Ergebnisliste->Zeigen();
}

void TForm1::BefehlBeendet()
{
    Anzeigen();
    const size_t anzahl = Uebersprungen().size();
    HinweisNichtGelesen->setText(QString::fromUtf8("%1 %2 nicht gelesen – siehe Kontextmenü der Liste")
                                     .arg(anzahl)
                                     .arg(anzahl == 1 ? QString::fromUtf8("Eintrag") : QString::fromUtf8("Einträge")));
    HinweisNichtGelesen->setVisible(anzahl > 0);
    NichtGeleseneAnzeigen1->setEnabled(anzahl > 0);
    ListeAnordnen();
}

void TForm1::ListeAnordnen()
{
    // The list keeps its left edge and follows the window's right one; the
    // note, when there is one, takes a line under it.
    const int breite = std::max(0, width() - ListeLinks);
    const int hinweis = HinweisNichtGelesen->isVisible() ? HinweisNichtGelesen->sizeHint().height() : 0;
    ListBox1->setGeometry(ListeLinks, 0, breite, std::max(0, height() - hinweis));
    HinweisNichtGelesen->setGeometry(ListeLinks, height() - hinweis, breite, hinweis);
}

void TForm1::NichtGeleseneAnzeigen1Click()
{
    TEintragsGruende eintraege;
    for (const TUebersprungen& u : Uebersprungen())
        eintraege.emplace_back(u.pfad, u.grund);
    EintraegeZeigen(this, QString::fromUtf8("Nicht gelesen"),
                    QString::fromUtf8("Diese Verzeichnisse und Dateien konnte die Suche nicht lesen:"), eintraege);
}

void TForm1::FundeGeleert()
{
    Ergebnisliste->Geleert();
}

void TForm1::FundAngehaengt(uint32_t index)
{
    Ergebnisliste->Angehaengt(index);
    if (!Beschaeftigt())
        Ergebnisliste->Zeigen();
}

void TForm1::FundGeaendert(uint32_t index)
{
    Ergebnisliste->Geaendert(index);
}

bool TForm1::ListeMarkiert(uint32_t index) const
{
    return ListBox1->Markierung()->Markiert(index);
}

std::vector<uint32_t> TForm1::MarkierteZeilen() const
{
    return ListBox1->Markierung()->Zeilen(ListeAnzahl());
}

void TForm1::ListeMarkieren(uint32_t index, bool markiert)
{
    ListeBereichMarkieren(index, index + 1, markiert);
}

void TForm1::ListeBereichMarkieren(uint32_t erste, uint32_t ende, bool markiert)
{
    // Only lines the view knows of can be marked; a command that marks
    // while a search runs shows the lines found so far first.
    Ergebnisliste->Zeigen();
    ListBox1->Markierung()->Setzen(erste, std::min(ende, ListeAnzahl()), markiert);
}

void TForm1::ZaehlerGeaendert(TZaehler zaehler)
{
    const TFeld feld = zaehler == TZaehler::Plus ? TFeld::Edit7 : zaehler == TZaehler::Ohne ? TFeld::Edit8 : TFeld::Edit9;
    FeldSetzen(feld, std::to_string(Zaehler()[zaehler]));
}

void TForm1::GaugeSetProgress(int32_t wert)
{
    CGauge1->SetProgress(wert);
}

void TForm1::GaugeSetMaxValue(int32_t wert)
{
    CGauge1->SetMaxValue(wert);
}

int32_t TForm1::GaugeMaxValue() const
{
    return CGauge1->MaxValue();
}
