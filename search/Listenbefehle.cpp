#include "search/FensterLogik.h"

#include "search/Beschaeftigt.h"
#include "util/Ablage.h"
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

void TFensterLogik::MarkierteKopieren(const std::string& basis, const std::string& zielVerzeichnis,
                                      bool verschieben)
{
    TBeschaeftigt beschaeftigt(*this);

    std::string ergebnis = KeinFehler;
    FeldSetzen(TFeld::Edit6, verschieben ? "Verschieben" : "Kopieren");

    // The lines name the files the search found, below the directories it
    // searched; what the fields say now may be something else entirely.
    const bool eigeneOrte = basis.empty() || basis == funde_.Verzeichnis(0);

    // Nothing at a target is ever replaced, whoever wrote it: a file there
    // is accepted only with the source's very content (see TAblage).
    TAblage ablage(zielVerzeichnis, verschieben);
    ablage.NachDemKopieren = [this](const std::string& quelle) { QuelleKopiert(quelle); };
    ablage.VerzeichnisBehalten(funde_.Verzeichnis(0));
    ablage.VerzeichnisBehalten(funde_.Verzeichnis(1));
    if (!basis.empty())
        ablage.VerzeichnisBehalten(basis);

    for (uint32_t i = 0; i < ListeAnzahl(); ++i) {
        if (!ListeMarkiert(i))
            continue;
        const std::string relativ = funde_.Relativ(i);
        const std::string quelle = eigeneOrte ? funde_.Pfad(i) : basis + relativ;
        plattform::TDateiKennung kennung;
        const bool kennungBekannt = funde_.Kennung(i, kennung);

        FeldSetzen(TFeld::Edit5, (verschieben ? "verschiebe Datei: " : "kopiere Datei: ") + DateiNameAus(quelle));
        NachrichtenVerarbeiten();

        // A line acts on the very file the search found there: one that
        // was replaced since, or that a link put in place of a directory on
        // its way now shows, is not the file the line stands for.
        const bool geprueft = !eigeneOrte || kennungBekannt;
        if (!geprueft || !ablage.Ablegen(quelle, eigeneOrte ? &kennung : nullptr, relativ))
            ergebnis = Fehler;
    }
    // The sources of a move across file systems go once their copies are
    // on the disk.
    if (!ablage.Abschliessen())
        ergebnis = Fehler;

    FeldSetzen(TFeld::Edit5, ergebnis);
    FeldSetzen(TFeld::Edit6, "");
}
