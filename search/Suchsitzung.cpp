// The session: its stop question, its counters, what it could not read,
// where a search begins and the copy and move over the marked lines. The
// search run itself is in SchnelleSuche.cpp.

#include "search/Suchsitzung.h"

#include "search/Beschaeftigt.h"
#include "search/Dateibefehl.h"
#include "search/Papierkorbbefehl.h"
#include "util/Fehler.h"
#include "util/Speila.h"

#include <limits>

bool TStoppMarke::AbbruchFragen()
{
    if (gefragt_)
        return angefordert_;
    gefragt_ = true;
    angefordert_ = !Frage || Frage();
    return angefordert_;
}

void ZaehlerErhoehen(TZaehlerstand& stand, TZaehler zaehler)
{
    int64_t& wert = stand[zaehler];
    if (wert > std::numeric_limits<int32_t>::max())
        throw EFehler("'" + std::to_string(wert) + "' ist kein gültiger Integerwert");
    ++wert;
}

void TSuchsitzung::ZaehlerErhoehen(TZaehler zaehler)
{
    ::ZaehlerErhoehen(stand_.zaehler, zaehler);
    StandMelden();
}

void TSuchsitzung::UebersprungMelden(std::string pfad, TGrund grund)
{
    uebersprungen_.push_back({pfad, grund});
    beobachter_.UebersprungMelden(std::move(pfad), std::move(grund));
}

void TSuchsitzung::ListeLeeren()
{
    funde_.Leeren();
    beobachter_.FundeGeleert();
}

void TSuchsitzung::FundAnhaengen(const TFund& fund)
{
    funde_.Anhaengen(fund);
    beobachter_.FundAngehaengt(funde_.Anzahl() - 1);
}

void TSuchsitzung::FundArtSetzen(uint32_t index, char art)
{
    funde_.ArtSetzen(index, art);
    beobachter_.FundGeaendert(index);
}

TAbgelehnt TSuchsitzung::MarkierteKopieren(std::vector<uint32_t> zeilen, const std::string& basis,
                                           const std::string& zielVerzeichnis, bool verschieben)
{
    TBeschaeftigt beschaeftigt(*this);
    const TDateiauftrag auftrag{std::move(zeilen), basis, zielVerzeichnis, verschieben};

    TDateibeobachter beobachter;
    beobachter.VorDerZeile = [this, verschieben](const std::string& quelle) {
        stand_.taetigkeit = verschieben ? TTaetigkeit::Verschieben : TTaetigkeit::Kopieren;
        stand_.datei = DateiNameAus(quelle);
        StandMelden();
        NachrichtenVerarbeiten();
    };
    beobachter.NachDemKopieren = [this](const std::string& quelle) { beobachter_.QuelleKopiert(quelle); };
    TAbgelehnt abgelehnt = DateienAblegen(funde_, auftrag, beobachter);

    stand_.taetigkeit = abgelehnt.empty() ? TTaetigkeit::FertigOhneFehler : TTaetigkeit::FertigMitFehler;
    stand_.datei.clear();
    stand_.position = -1;
    StandMelden();
    return abgelehnt;
}

TPapierkorbErgebnis TSuchsitzung::MarkierteWegwerfen(const std::vector<uint32_t>& zeilen)
{
    TBeschaeftigt beschaeftigt(*this);
    TDateibeobachter beobachter;
    beobachter.VorDerZeile = [this](const std::string& quelle) {
        stand_.taetigkeit = TTaetigkeit::Wegwerfen;
        stand_.datei = DateiNameAus(quelle);
        StandMelden();
        NachrichtenVerarbeiten();
    };
    TPapierkorbErgebnis ergebnis = InDenPapierkorbLegen(funde_, zeilen, beobachter);

    stand_.taetigkeit = ergebnis.abgelehnt.empty() ? TTaetigkeit::FertigOhneFehler : TTaetigkeit::FertigMitFehler;
    stand_.datei.clear();
    stand_.position = -1;
    StandMelden();
    return ergebnis;
}
