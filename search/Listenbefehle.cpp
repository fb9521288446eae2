#include "search/FensterLogik.h"

#include "search/Beschaeftigt.h"
#include "search/Dateibefehl.h"
#include "util/Speila.h"

void TFensterLogik::ListeBereichMarkieren(uint32_t erste, uint32_t ende, bool markiert)
{
    for (uint32_t i = erste; i < ende; ++i)
        ListeMarkieren(i, markiert);
}

void TFensterLogik::ListeLeeren()
{
    funde_.Leeren();
    FundeGeleert();
}

void TFensterLogik::FundAnhaengen(const TFund& fund)
{
    funde_.Anhaengen(fund);
    FundAngehaengt(funde_.Anzahl() - 1);
}

void TFensterLogik::FundArtSetzen(uint32_t index, char art)
{
    funde_.ArtSetzen(index, art);
    FundGeaendert(index);
}

void TFensterLogik::EintraegeMarkieren(char zeichen)
{
    // Neighbouring lines of the category go to the list as one range: a
    // "- " line stands mostly among others of its kind.
    const uint32_t anzahl = ListeAnzahl();
    uint32_t i = 0;
    while (i < anzahl) {
        if (funde_.Fund(i).art != zeichen) {
            ++i;
            continue;
        }
        uint32_t ende = i + 1;
        while (ende < anzahl && funde_.Fund(ende).art == zeichen)
            ++ende;
        ListeBereichMarkieren(i, ende, true);
        i = ende;
    }
}

void TFensterLogik::MarkierungenLoeschen()
{
    ListeBereichMarkieren(0, ListeAnzahl(), false);
}

namespace {

const char* const KeinFehler = "kein Fehler aufgetreten";
const char* const Fehler = "es ist mindestens ein Fehler aufgetreten";

} // namespace

std::vector<uint32_t> TFensterLogik::MarkierteZeilen() const
{
    std::vector<uint32_t> zeilen;
    for (uint32_t i = 0; i < ListeAnzahl(); ++i)
        if (ListeMarkiert(i))
            zeilen.push_back(i);
    return zeilen;
}

void TFensterLogik::MarkierteKopieren(const std::string& basis, const std::string& zielVerzeichnis,
                                      bool verschieben)
{
    TBeschaeftigt beschaeftigt(*this);
    // The lines marked now are the command's, to its end: a click, Ctrl+A
    // or a marking command at one of its dispatches changes what the list
    // shows, not what it works on.
    const TDateiauftrag auftrag{MarkierteZeilen(), basis, zielVerzeichnis, verschieben};
    FeldSetzen(TFeld::Edit6, verschieben ? "Verschieben" : "Kopieren");

    TDateibeobachter beobachter;
    beobachter.VorDerZeile = [this, verschieben](const std::string& quelle) {
        FeldSetzen(TFeld::Edit5, (verschieben ? "verschiebe Datei: " : "kopiere Datei: ") + DateiNameAus(quelle));
        NachrichtenVerarbeiten();
    };
    beobachter.NachDemKopieren = [this](const std::string& quelle) { QuelleKopiert(quelle); };
    const bool gut = DateienAblegen(funde_, auftrag, beobachter);

    FeldSetzen(TFeld::Edit5, gut ? KeinFehler : Fehler);
    FeldSetzen(TFeld::Edit6, "");
}
