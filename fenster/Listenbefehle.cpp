#include "fenster/Listenbefehle.h"

#include "fenster/Eintragsmeldung.h"
#include "fenster/Ergebnisliste.h"
#include "fenster/Filterwerte.h"
#include "fenster/Markierung.h"
#include "fenster/Oberflaeche.h"
#include "search/Listenexport.h"
#include "search/Papierkorbplan.h"
#include "search/Suchsitzung.h"
#include "util/Grund.h"
#include "util/Speila.h"

bool TListenbefehle::VerzeichnisFragen(const std::string& titel, std::string& verzeichnis)
{
    const std::optional<std::string> name = flaeche_.VerzeichnisWaehlen(titel, dialogName_);
    if (!name)
        return false;
    // The dialog keeps its last name: its next run starts from this choice.
    dialogName_ = *name;
    verzeichnis = VerzeichnisTeil(*name);
    return true;
}

void TListenbefehle::Kopieren(bool vonNach, bool verschieben)
{
    // One file command at a time: a second one started at a dispatch of
    // the first would write where the first is writing, and a copy during
    // a search would act on half a list.
    if (sitzung_.Beschaeftigt())
        return;
    // "nach…" takes each line from where the search found it, whatever
    // Edit1 says now; "von… nach…" asks for that place first, and the
    // second run of the dialog starts from the first choice.
    std::string basis;
    if (vonNach && !VerzeichnisFragen(verschieben ? "Verschieben von: Quellverzeichnis wählen"
                                            : "Kopieren von: Quellverzeichnis wählen",
                                basis))
        return;
    const char* titel = vonNach ? (verschieben ? "Verschieben von… nach: Zielverzeichnis wählen"
                                               : "Kopieren von… nach: Zielverzeichnis wählen")
                                : (verschieben ? "Verschieben nach: Zielverzeichnis wählen"
                                               : "Kopieren nach: Zielverzeichnis wählen");
    std::string ziel;
    if (!VerzeichnisFragen(titel, ziel))
        return;
    const TAbgelehnt abgelehnt =
        sitzung_.MarkierteKopieren(marken_.Zeilen(sitzung_.Funde().Anzahl()), basis, ziel, verschieben);
    // The verdict says that a line failed; the list says which and why.
    if (!abgelehnt.empty())
        flaeche_.EintraegeZeigen(
            AbgelehntMeldung(verschieben ? TMeldungsAnlass::Verschieben : TMeldungsAnlass::Kopieren, abgelehnt));
}

void TListenbefehle::MitDemDesktop(const std::string& pfad)
{
    if (!flaeche_.MitDemDesktopOeffnen(pfad))
        flaeche_.Meldung(pfad + " konnte nicht geöffnet werden!", "Fehler");
}

void TListenbefehle::DateiOeffnen(uint32_t zeile)
{
    if (zeile < sitzung_.Funde().Anzahl())
        MitDemDesktop(sitzung_.Funde().Pfad(zeile));
}

void TListenbefehle::OrdnerOeffnen(uint32_t zeile)
{
    if (zeile < sitzung_.Funde().Anzahl())
        MitDemDesktop(VerzeichnisTeil(sitzung_.Funde().Pfad(zeile)));
}

void TListenbefehle::InDenPapierkorb()
{
    // One file command at a time, and never on a list still being written.
    if (sitzung_.Beschaeftigt())
        return;
    // The lines marked now are the command's: the question is about them,
    // and what is marked later changes nothing of it.
    const TFundliste& funde = sitzung_.Funde();
    const std::vector<uint32_t> zeilen = marken_.Zeilen(funde.Anzahl());
    if (zeilen.empty())
        return;
    // The question is about what the command will do: the files that can
    // go, each once, and the copies that stay.
    const TPlanSumme summe = PlanZusammenfassen(funde, PapierkorbPlanen(funde, zeilen));
    if (summe.gehen == 0) {
        flaeche_.Meldung(PapierkorbFrage(summe), "Papierkorb");
        return;
    }
    if (!flaeche_.JaNeinFrage(PapierkorbFrage(summe), "Papierkorb"))
        return;

    const TPapierkorbErgebnis ergebnis = sitzung_.MarkierteWegwerfen(zeilen);
    // As after a move, the lines stay as they are until the next search.
    if (!ergebnis.abgelehnt.empty())
        flaeche_.EintraegeZeigen(AbgelehntMeldung(TMeldungsAnlass::Papierkorb, ergebnis.abgelehnt));
}

void TListenbefehle::ListeSpeichern()
{
    // A search still writing the list would give half of it.
    if (sitzung_.Beschaeftigt())
        return;
    const std::string pfad = flaeche_.SpeicherortWaehlen();
    if (pfad.empty())
        return;
    // ".csv" gives CSV; every other name JSON, the form that keeps every
    // name's bytes for a program reading it.
    TExportFormat format = TExportFormat::Json;
    FormatNachName(pfad, format);
    const std::optional<TDateiFehler> fehler =
        ::ListeSpeichern(sitzung_.Funde(), pfad, format, !sitzung_.Stopp.Angefordert());
    if (fehler)
        flaeche_.Meldung("Die Liste konnte nicht gespeichert werden:\n" + fehler->pfad + "\n" + GrundDeutsch(fehler->grund),
                         "Fehler");
}

void TListenbefehle::FilterAendern()
{
    // The running search reads the filter at every entry.
    if (sitzung_.Beschaeftigt())
        return;
    TFilterwerte werte = filter_;
    if (flaeche_.FilterBearbeiten(werte))
        FilterSetzen(werte);
}

void TListenbefehle::FilterSetzen(const TFilterwerte& werte)
{
    filter_ = werte;
    if (!FilterBauen(filter_, sitzung_.Filter)) {
        filter_.mindestgroesse.clear();
        FilterBauen(filter_, sitzung_.Filter);
    }
}
