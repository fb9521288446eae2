#include "app/Listenaktionen.h"

#include "app/Ergebnisansicht.h"
#include "app/Ergebnisliste.h"
#include "app/Filterdialog.h"
#include "app/Rueckfragen.h"
#include "app/Unit1.h"
#include "search/Listenexport.h"
#include "search/Papierkorbbefehl.h"
#include "search/Papierkorbplan.h"
#include "util/Papierkorb.h"
#include "util/Speila.h"
#include "util/Utf8.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QUrl>

namespace {

// The verdicts of the file commands, which the trash shares.
const char* const KeinFehler = "kein Fehler aufgetreten";
const char* const Fehler = "es ist mindestens ein Fehler aufgetreten";

std::string SpeicherortWaehlen(QWidget* eltern)
{
    QFileDialog dialog(eltern, QStringLiteral("Liste speichern"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("JSON (*.json)"), QStringLiteral("CSV (*.csv)")});
    dialog.setDefaultSuffix(QStringLiteral("json"));
    dialog.setDirectory(QDir::home());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QByteArray name = QFile::encodeName(dialog.selectedFiles().constFirst());
    return std::string(name.constData(), static_cast<size_t>(name.size()));
}

} // namespace

TListenaktionen::TListenaktionen(TForm1& fenster) : QObject(&fenster), fenster_(fenster)
{
    Oeffnen = [](const QUrl& adresse) { return QDesktopServices::openUrl(adresse); };
    Fragen = [this](const std::string& text, const std::string& titel) { return JaNeinFragen(&fenster_, text, titel); };
    Melden = [this](const std::string& text, const std::string& titel) { MeldungZeigen(&fenster_, text, titel); };
    AbgelehnteZeigen = [this](const TEintragsMeldung& abgelehnt) { fenster_.AbgelehnteMelden(abgelehnt); };
    SpeicherortFragen = [this] { return SpeicherortWaehlen(&fenster_); };
    FilterAendern = [this](TFilterwerte& werte) { return FilterFragen(&fenster_, werte); };

    QMenu* menue = fenster.PopupMenu1;
    const auto eintrag = [this, menue](const char* text, void (TListenaktionen::*handler)()) {
        QAction* aktion = menue->addAction(QString::fromUtf8(text));
        connect(aktion, &QAction::triggered, this, [this, handler] { fenster_.Befehl([this, handler] { (this->*handler)(); }); });
        return aktion;
    };
    menue->addSeparator();
    DateiOeffnen1 = eintrag("Datei öffnen", &TListenaktionen::DateiOeffnen1Click);
    OrdnerOeffnen1 = eintrag("Ordner öffnen", &TListenaktionen::OrdnerOeffnen1Click);
    menue->addSeparator();
    InDenPapierkorb1 = eintrag("markierte Einträge in den Papierkorb", &TListenaktionen::InDenPapierkorb1Click);
    menue->addSeparator();
    ListeSpeichern1 = eintrag("Liste speichern…", &TListenaktionen::ListeSpeichern1Click);
    Filter1 = eintrag("Filter…", &TListenaktionen::Filter1Click);
    SortierEintraegeAnhaengen(menue);

    // Enter, or a double-click where the desktop opens items that way.
    connect(fenster.ListBox1, &TErgebnisansicht::ZeileAktiviert, this,
            [this](uint32_t zeile) { fenster_.Befehl([this, zeile] { ZeileOeffnen(zeile); }); });
}

void TListenaktionen::SortierEintraegeAnhaengen(QMenu* menue)
{
    const auto eintrag = [this, menue](const char* text, TErgebnisliste::TOrdnung ordnung) {
        QAction* aktion = menue->addAction(QString::fromUtf8(text));
        connect(aktion, &QAction::triggered, this, [this, ordnung] {
            // A running command still appends rows and reads marks by line;
            // the order waits until it is done.
            if (!fenster_.Beschaeftigt())
                fenster_.Ergebnisliste->Sortieren(ordnung);
        });
        return aktion;
    };
    menue->addSeparator();
    ListeNachPfad1 = eintrag("Liste nach Pfad sortieren", TErgebnisliste::TOrdnung::Pfad);
    ListeNachGroesse1 = eintrag("Liste nach Größe sortieren", TErgebnisliste::TOrdnung::Groesse);
}

QUrl TListenaktionen::DateiAdresse(const std::string& pfad)
{
    if (IstUtf8(pfad))
        return QUrl::fromLocalFile(QString::fromUtf8(pfad.data(), static_cast<qsizetype>(pfad.size())));
    // Qt's strings would turn the other bytes into replacement characters;
    // escaped, the URL keeps them.
    const std::string kodiert = ProzentKodiert(pfad);
    return QUrl::fromEncoded(QByteArray("file://") + QByteArray(kodiert.data(), static_cast<qsizetype>(kodiert.size())));
}

bool TListenaktionen::AktuelleZeile(uint32_t& zeile) const
{
    const QModelIndex index = fenster_.ListBox1->currentIndex();
    if (!index.isValid() || static_cast<uint32_t>(index.row()) >= fenster_.Funde().Anzahl())
        return false;
    // The row as shown; the list may be sorted.
    zeile = fenster_.Ergebnisliste->Zeile(static_cast<uint32_t>(index.row()));
    return true;
}

void TListenaktionen::ZeileOeffnen(uint32_t zeile)
{
    if (zeile >= fenster_.Funde().Anzahl())
        return;
    const std::string pfad = fenster_.Funde().Pfad(zeile);
    if (!Oeffnen(DateiAdresse(pfad)))
        Melden(pfad + " konnte nicht geöffnet werden!", "Fehler");
}

void TListenaktionen::DateiOeffnen1Click()
{
    uint32_t zeile = 0;
    if (AktuelleZeile(zeile))
        ZeileOeffnen(zeile);
}

void TListenaktionen::OrdnerOeffnen1Click()
{
    uint32_t zeile = 0;
    if (!AktuelleZeile(zeile))
        return;
    const std::string ordner = VerzeichnisTeil(fenster_.Funde().Pfad(zeile));
    if (!Oeffnen(DateiAdresse(ordner)))
        Melden(ordner + " konnte nicht geöffnet werden!", "Fehler");
}

void TListenaktionen::InDenPapierkorb1Click()
{
    // One file command at a time, and never on a list still being written.
    if (fenster_.Beschaeftigt())
        return;
    // The lines marked now are the command's: the question is about them,
    // and what is marked later changes nothing of it.
    const std::vector<uint32_t> zeilen = fenster_.MarkierteZeilen();
    if (zeilen.empty())
        return;
    // The question is about what the command will do: the files that can
    // go, each once, and the copies that stay.
    const TPlanSumme summe = PlanZusammenfassen(fenster_.Funde(), PapierkorbPlanen(fenster_.Funde(), zeilen));
    if (summe.gehen == 0) {
        Melden(PapierkorbFrage(summe), "Papierkorb");
        return;
    }
    if (!Fragen(PapierkorbFrage(summe), "Papierkorb"))
        return;

    const TPapierkorbErgebnis ergebnis = fenster_.Sitzung().MarkierteWegwerfen(zeilen);
    // As after a move, the lines stay as they are until the next search.
    if (!ergebnis.abgelehnt.empty())
        AbgelehnteZeigen(AbgelehntMeldung(TMeldungsAnlass::Papierkorb, ergebnis.abgelehnt));
}

void TListenaktionen::ListeSpeichern1Click()
{
    // A search still writing the list would give half of it.
    if (fenster_.Beschaeftigt())
        return;
    const std::string pfad = SpeicherortFragen();
    if (pfad.empty())
        return;
    // ".csv" gives CSV; every other name JSON, the form that keeps every
    // name's bytes for a program reading it.
    TExportFormat format = TExportFormat::Json;
    FormatNachName(pfad, format);
    const std::optional<TDateiFehler> fehler =
        ListeSpeichern(fenster_.Funde(), pfad, format, !fenster_.Sitzung().Stopp.Angefordert());
    if (fehler)
        Melden("Die Liste konnte nicht gespeichert werden:\n" + fehler->pfad + "\n" + GrundDeutsch(fehler->grund), "Fehler");
}

void TListenaktionen::Filter1Click()
{
    // The running search reads the filter at every entry.
    if (fenster_.Beschaeftigt())
        return;
    TFilterwerte werte = filter_;
    if (FilterAendern(werte))
        FilterSetzen(werte);
}

void TListenaktionen::FilterSetzen(const TFilterwerte& werte)
{
    filter_ = werte;
    if (!FilterBauen(filter_, fenster_.Filter())) {
        filter_.mindestgroesse.clear();
        FilterBauen(filter_, fenster_.Filter());
    }
}
