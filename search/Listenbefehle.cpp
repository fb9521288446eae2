#include "search/FensterLogik.h"

#include "search/Beschaeftigt.h"
#include "util/Speila.h"
#include "util/Stringsbearbeiten.h"

void TFensterLogik::ListeBereichMarkieren(uint32_t erste, uint32_t ende, bool markiert)
{
    for (uint32_t i = erste; i < ende; ++i)
        ListeMarkieren(i, markiert);
}

int TFensterLogik::ListeErstesZeichen(uint32_t index) const
{
    const std::string zeile = ListeZeile(index);
    return zeile.empty() ? -1 : static_cast<unsigned char>(zeile[0]);
}

void TFensterLogik::EintraegeMarkieren(char zeichen)
{
    // Neighbouring lines of the category go to the list as one range: a
    // "- " line stands mostly among others of its kind.
    const int gesucht = static_cast<unsigned char>(zeichen);
    const uint32_t anzahl = ListeAnzahl();
    uint32_t i = 0;
    while (i < anzahl) {
        if (ListeErstesZeichen(i) != gesucht) {
            ++i;
            continue;
        }
        uint32_t ende = i + 1;
        while (ende < anzahl && ListeErstesZeichen(ende) == gesucht)
            ++ende;
        ListeBereichMarkieren(i, ende, true);
        i = ende;
    }
}

void TFensterLogik::MarkierungenLoeschen()
{
    ListeBereichMarkieren(0, ListeAnzahl(), false);
}

void TFensterLogik::MarkierteKopieren(const std::string& basis, const std::string& zielVerzeichnis,
                                      bool verschieben)
{
    TBeschaeftigt beschaeftigt(*this);

    std::string ergebnis = "kein Fehler aufgetreten";
    FeldSetzen(TFeld::Edit6, verschieben ? "Verschieben" : "Kopieren");

    const std::string erstesVerzeichnis = FeldText(TFeld::Edit1);
    const std::string zweitesVerzeichnis = FeldText(TFeld::Edit3);
    // The prefix and the tree's directory stand before the relative path;
    // the cut goes by their length alone.
    const auto startErstes = static_cast<uint32_t>(erstesVerzeichnis.size() + 3);
    const auto startZweites = static_cast<uint32_t>(zweitesVerzeichnis.size() + 7);

    for (uint32_t i = 0; i < ListeAnzahl(); ++i) {
        if (!ListeMarkiert(i))
            continue;
        const std::string zeile = ListeZeile(i);
        const auto ende = static_cast<uint32_t>(zeile.size());
        std::string relativ;
        std::string quelle;
        if (!zeile.empty() && zeile[0] == '+') {
            relativ = TeilText(zeile, startZweites, ende);
            quelle = (basis == erstesVerzeichnis ? zweitesVerzeichnis : basis) + relativ;
        } else {
            relativ = TeilText(zeile, startErstes, ende);
            quelle = basis + relativ;
        }
        const std::string ziel = zielVerzeichnis + relativ;

        FeldSetzen(TFeld::Edit5, (verschieben ? "verschiebe Datei: " : "kopiere Datei: ") + DateiNameAus(quelle));
        NachrichtenVerarbeiten();

        // A directory that cannot be made shows up as a failed copy.
        VerzeichnisseAnlegen(VerzeichnisTeil(ziel));
        if (!DateiKopieren(quelle, ziel)) {
            // The source stays where it is: without a complete copy, deleting
            // it would lose the only one.
            ergebnis = "es ist mindestens ein Fehler aufgetreten";
            continue;
        }
        if (verschieben)
            DateiLoeschen(quelle);
    }

    FeldSetzen(TFeld::Edit5, ergebnis);
    FeldSetzen(TFeld::Edit6, "");
}
