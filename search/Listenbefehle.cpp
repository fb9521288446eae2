#include "search/FensterLogik.h"

#include "search/Beschaeftigt.h"
#include "search/Zielschutz.h"
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

    // Every file the list names, and every source the command would take,
    // is kept from being written over, whichever lines are marked: a target
    // inside a searched tree, or a "- " and a "+     " line of the same
    // relative path, would otherwise destroy a listed file, perhaps the only
    // copy of its content. Looked up once per command, when the first
    // target that exists already is met.
    TZielschutz schutz([&](TZielschutz& zuSchuetzen) {
        for (uint32_t i = 0; i < ListeAnzahl(); ++i) {
            const TEintrag eintrag = EintragAus(ListeZeile(i), basis, erstesVerzeichnis, zweitesVerzeichnis);
            zuSchuetzen.DateiSchuetzen(eintrag.genannt);
            if (eintrag.quelle != eintrag.genannt)
                zuSchuetzen.DateiSchuetzen(eintrag.quelle);
        }
    });

    for (uint32_t i = 0; i < ListeAnzahl(); ++i) {
        if (!ListeMarkiert(i))
            continue;
        const TEintrag eintrag = EintragAus(ListeZeile(i), basis, erstesVerzeichnis, zweitesVerzeichnis);
        const std::string& quelle = eintrag.quelle;
        const std::string ziel = zielVerzeichnis + eintrag.relativ;

        FeldSetzen(TFeld::Edit5, (verschieben ? "verschiebe Datei: " : "kopiere Datei: ") + DateiNameAus(quelle));
        NachrichtenVerarbeiten();

        // Neither over a listed file nor over what this command wrote.
        // Nor into the place of a source an earlier line of this move took
        // away: its line still stands for that file, and another file there
        // would be taken for it (by the user, by a later line, by the next
        // command), and the outcome would depend on the order of the lines.
        // A listed place that was already empty when the command began is
        // free: that is how a move "von… nach…" brings files back to the
        // places the list names.
        if (schutz.Geschuetzt(ziel)) {
            ergebnis = Fehler;
            continue;
        }
        // A directory that cannot be made shows up as a failed copy.
        VerzeichnisseAnlegen(VerzeichnisTeil(ziel));
        TKopierBericht bericht;
        if (!DateiKopieren(quelle, ziel, bericht)) {
            // The source stays where it is: without a complete copy, deleting
            // it would lose the only one.
            ergebnis = Fehler;
            continue;
        }
        schutz.Geschrieben(ziel, bericht.ziel);
        if (!verschieben)
            continue;
        // Only the very file that was copied goes; a source that another
        // program wrote anew or replaced meanwhile stays, and the line was
        // not carried out.
        if (DateiLoeschen(quelle, bericht.quelle))
            schutz.Weggenommen(quelle);
        else
            ergebnis = Fehler;
    }

    FeldSetzen(TFeld::Edit5, ergebnis);
    FeldSetzen(TFeld::Edit6, "");
}
