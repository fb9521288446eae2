#include "search/FensterLogik.h"

#include "search/Beschaeftigt.h"
#include "util/Ablage.h"
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

namespace {

const char* const KeinFehler = "kein Fehler aufgetreten";
const char* const Fehler = "es ist mindestens ein Fehler aufgetreten";

// What one line of the list means to a copy or a move.
struct TEintrag {
    std::string genannt; // the file the line names
    std::string relativ; // its path below its tree, cut by the lengths of Edit1/Edit3
    std::string quelle;  // where the command takes it from
};

// The cut goes by the lengths of the directory texts alone, as the command
// always did; the named file is the line without its prefix.
TEintrag EintragAus(const std::string& zeile, const std::string& basis, const std::string& erstesVerzeichnis,
                    const std::string& zweitesVerzeichnis)
{
    TEintrag eintrag;
    const auto ende = static_cast<uint32_t>(zeile.size());
    if (!zeile.empty() && zeile[0] == '+') {
        // The prefix and the tree's directory stand before the relative path.
        eintrag.genannt = zeile.size() > 6 ? zeile.substr(6) : std::string();
        eintrag.relativ = TeilText(zeile, static_cast<uint32_t>(zweitesVerzeichnis.size() + 7), ende);
        eintrag.quelle = (basis == erstesVerzeichnis ? zweitesVerzeichnis : basis) + eintrag.relativ;
    } else {
        eintrag.genannt = zeile.size() > 2 ? zeile.substr(2) : std::string();
        eintrag.relativ = TeilText(zeile, static_cast<uint32_t>(erstesVerzeichnis.size() + 3), ende);
        eintrag.quelle = basis + eintrag.relativ;
    }
    return eintrag;
}

} // namespace

void TFensterLogik::MarkierteKopieren(const std::string& basis, const std::string& zielVerzeichnis,
                                      bool verschieben)
{
    TBeschaeftigt beschaeftigt(*this);

    std::string ergebnis = KeinFehler;
    FeldSetzen(TFeld::Edit6, verschieben ? "Verschieben" : "Kopieren");

    const std::string erstesVerzeichnis = FeldText(TFeld::Edit1);
    const std::string zweitesVerzeichnis = FeldText(TFeld::Edit3);

    // Nothing at a target is ever replaced, whoever wrote it: a file there
    // is accepted only with the source's very content (see TAblage).
    TAblage ablage(zielVerzeichnis, verschieben);
    ablage.NachDemKopieren = [this](const std::string& quelle) { QuelleKopiert(quelle); };
    ablage.VerzeichnisBehalten(erstesVerzeichnis);
    ablage.VerzeichnisBehalten(zweitesVerzeichnis);
    ablage.VerzeichnisBehalten(basis);

    for (uint32_t i = 0; i < ListeAnzahl(); ++i) {
        if (!ListeMarkiert(i))
            continue;
        const TEintrag eintrag = EintragAus(ListeZeile(i), basis, erstesVerzeichnis, zweitesVerzeichnis);
        const std::string& quelle = eintrag.quelle;

        FeldSetzen(TFeld::Edit5, (verschieben ? "verschiebe Datei: " : "kopiere Datei: ") + DateiNameAus(quelle));
        NachrichtenVerarbeiten();

        if (!ablage.Ablegen(quelle, nullptr, eintrag.relativ))
            ergebnis = Fehler;
    }
    // The sources of a move across file systems go once their copies are
    // on the disk.
    if (!ablage.Abschliessen())
        ergebnis = Fehler;

    FeldSetzen(TFeld::Edit5, ergebnis);
    FeldSetzen(TFeld::Edit6, "");
}
