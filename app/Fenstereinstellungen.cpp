#include "app/Fenstereinstellungen.h"

#include "util/Einstellungsspeicher.h"
#include "util/Stringsbearbeiten.h"

namespace {

constexpr char Feldtrenner = '\x03';

} // namespace

bool FensterwerteLesen(const std::string& einstellungen, TFensterwerte& werte)
{
    const std::string inhalt = LetzteSequenzLesen(FensterAbschnitt, einstellungen);
    if (inhalt.empty())
        return false;
    const std::string trenner(1, Feldtrenner);
    // One after the other, each in place before the next is read: when a
    // number does not fit, what came before it is kept. A window left of or
    // above the primary screen has a negative position, which comes back as
    // such.
    werte.oben = GanzzahlLesen(SequenzFeld(1, inhalt, trenner));
    werte.links = GanzzahlLesen(SequenzFeld(2, inhalt, trenner));
    werte.verzeichnis1 = SequenzFeld(3, inhalt, trenner);
    werte.verzeichnis2 = SequenzFeld(4, inhalt, trenner);
    werte.breite = ZahlLesen(SequenzFeld(5, inhalt, trenner));
    return true;
}

bool FensterwerteSichern(const TFensterwerte& werte, const std::string& ersatz1, const std::string& ersatz2,
                         std::string& einstellungen, const std::string& pfad)
{
    const std::string abschnitt = AbschnittBauen(FensterAbschnitt, {{std::to_string(werte.oben), ""},
                                                                    {std::to_string(werte.links), ""},
                                                                    {werte.verzeichnis1, ersatz1},
                                                                    {werte.verzeichnis2, ersatz2},
                                                                    {std::to_string(werte.breite), ""}});
    return AbschnittSpeichern(FensterAbschnitt, abschnitt, einstellungen, pfad, FensterDateikopf);
}
