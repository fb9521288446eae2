#include "app/Formflaeche.h"

#include "app/Bildschirme.h"
#include "app/DateiDialog.h"
#include "app/Ergebnisansicht.h"
#include "app/Desktop.h"
#include "app/Eintragsliste.h"
#include "app/Endesignale.h"
#include "app/Fehlerfenster.h"
#include "app/Fensterrahmen.h"
#include "app/Filterdialog.h"
#include "app/Formteile.h"
#include "app/Glyphe.h"
#include "app/Listenmodell.h"
#include "app/Rueckfragen.h"
#include "app/Speicherdialog.h"
#include "app/Sprache.h"
#include "controls/Cgauges.h"
#include "util/Fehler.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace {

// The core's texts are UTF-8 on every platform; bytes that are not show as
// replacement characters, and the logic keeps them besides.
QString Text(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TFormflaeche::TFormflaeche(QWidget& fenster, const TFormteile& teile, TFensterrahmen& rahmen,
                           std::function<void()> anordnen)
    : fenster_(fenster), teile_(teile), rahmen_(rahmen), anordnen_(std::move(anordnen))
{
}

QLineEdit* TFormflaeche::Feld(TFeld feld) const
{
    switch (feld) {
    case TFeld::Edit1: return teile_.Edit1;
    case TFeld::Edit2: return teile_.Edit2;
    case TFeld::Edit3: return teile_.Edit3;
    case TFeld::Edit4: return teile_.Edit4;
    case TFeld::Edit5: return teile_.Edit5;
    case TFeld::Edit6: return teile_.Edit6;
    case TFeld::Edit7: return teile_.Edit7;
    case TFeld::Edit8: return teile_.Edit8;
    case TFeld::Edit9: return teile_.Edit9;
    }
    return nullptr;
}

void TFormflaeche::FeldZeigen(TFeld feld, const std::string& text)
{
    QLineEdit* edit = Feld(feld);
    edit->setText(Text(text));
    // Long paths show their beginning, where the tree's name stands.
    edit->setCursorPosition(0);
}

void TFormflaeche::GaugeZeigen(int32_t fortschritt, int32_t maximum)
{
    // The gauge paints only what changed.
    if (teile_.CGauge1->MaxValue() != maximum)
        teile_.CGauge1->SetMaxValue(maximum);
    if (teile_.CGauge1->Progress() != fortschritt)
        teile_.CGauge1->SetProgress(fortschritt);
}

std::string TFormflaeche::LampeZeigen(const std::string& bilddatei)
{
    try {
        teile_.BitBtn1->setIcon(GlypheLaden(bilddatei));
        return {};
    } catch (const EFehler& fehler) {
        return fehler.what();
    }
}

void TFormflaeche::UnterDerListe(QLabel* label, const std::string& text)
{
    label->setText(Text(text));
    if (text.empty() == label->isVisibleTo(&fenster_)) {
        label->setVisible(!text.empty());
        anordnen_();
    }
}

void TFormflaeche::ZusammenfassungZeigen(const std::string& text)
{
    UnterDerListe(teile_.Zusammenfassung, text);
}

void TFormflaeche::HinweisZeigen(const std::string& text)
{
    UnterDerListe(teile_.HinweisNichtGelesen, text);
}

void TFormflaeche::BefehlFreigeben(TBefehl befehl, bool frei)
{
    if (QAction* aktion = teile_.Aktion(befehl))
        aktion->setEnabled(frei);
}

void TFormflaeche::ListeNeu(uint32_t reihen)
{
    teile_.Listenmodell->Neu(reihen);
}

void TFormflaeche::ReihenAngefuegt(uint32_t reihen)
{
    teile_.Listenmodell->Angefuegt(reihen);
}

void TFormflaeche::ReihenGeaendert(uint32_t erste, uint32_t ende)
{
    // One row is announced; more are drawn again as the rows on screen.
    // Qt's views take a changed range row by row, which for the marks of a
    // million lines took seconds; the view reads every row it draws from
    // the logic anyway.
    if (ende == erste + 1)
        teile_.Listenmodell->Geaendert(erste);
    else
        teile_.ListBox1->viewport()->update();
}

bool TFormflaeche::JaNeinFrage(const std::string& text, const std::string& titel)
{
    return JaNeinFragen(&fenster_, text, titel);
}

void TFormflaeche::Meldung(const std::string& text, const std::string& titel)
{
    MeldungZeigen(&fenster_, text, titel);
}

void TFormflaeche::FehlerZeigen(const std::string& text)
{
    FehlerfensterZeigen(text);
}

void TFormflaeche::EintraegeZeigen(const TEintragsMeldung& meldung)
{
    ::EintraegeZeigen(&fenster_, meldung);
}

std::optional<std::string> TFormflaeche::VerzeichnisWaehlen(const std::string& titel, const std::string& vorgabe)
{
    TOpenDialog OpenDialog1;
    OpenDialog1.FileName = vorgabe;
    OpenDialog1.Titel = titel;
    if (!OpenDialog1.Execute(&fenster_))
        return std::nullopt;
    return OpenDialog1.FileName;
}

std::string TFormflaeche::SpeicherortWaehlen()
{
    return ::SpeicherortWaehlen(&fenster_);
}

bool TFormflaeche::FilterBearbeiten(TFilterwerte& werte)
{
    return FilterFragen(&fenster_, werte);
}

void TFormflaeche::AboutBoxZeigen()
{
    if (teile_.AboutBox)
        teile_.AboutBox->Zeigen(fenster_);
}

void TFormflaeche::NachrichtenVerarbeiten()
{
    QCoreApplication::processEvents();
}

void TFormflaeche::EndeNachsehen()
{
    TEndesignale::Nachsehen();
}

bool TFormflaeche::MitDemDesktopOeffnen(const std::string& pfad)
{
    return ::MitDemDesktopOeffnen(pfad);
}

TRechteck TFormflaeche::Aussenrahmen() const
{
    const QRect rahmen = fenster_.frameGeometry();
    return {rahmen.left(), rahmen.top(), rahmen.width(), rahmen.height()};
}

void TFormflaeche::Platzieren(int32_t links, int32_t oben, int32_t aussenBreite)
{
    fenster_.move(links, oben);
    rahmen_.AussenBreiteSetzen(aussenBreite);
}

std::vector<TRechteck> TFormflaeche::Bildschirme() const
{
    return VerfuegbareBildschirme();
}

TGroesse TFormflaeche::BildschirmGroesse() const
{
    return PrimaerBildschirmGroesse();
}

int32_t TFormflaeche::Titelhoehe() const
{
    return fenster_.style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

void TFormflaeche::Beenden()
{
    fenster_.hide();
    QCoreApplication::quit();
}
