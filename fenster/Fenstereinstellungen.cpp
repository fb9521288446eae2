#include "fenster/Fenstereinstellungen.h"

#include "util/Einstellungsspeicher.h"
#include "util/Stringsbearbeiten.h"

#include <algorithm>

namespace {

constexpr char Feldtrenner = '\x03';
// Between the patterns of the filter's field: no byte a user types into a
// pattern, and none that the file's structure or its text mode takes.
constexpr char Mustertrenner = '\x1f';

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
    werte.filter = {};
    const std::string muster = SequenzFeld(6, inhalt, trenner);
    for (size_t anfang = 0; anfang < muster.size();) {
        const size_t ende = std::min(muster.find(Mustertrenner, anfang), muster.size());
        if (ende > anfang)
            werte.filter.muster.push_back(muster.substr(anfang, ende - anfang));
        anfang = ende + 1;
    }
    werte.filter.mindestgroesse = SequenzFeld(7, inhalt, trenner);
    return true;
}

bool FensterwerteSichern(const TFensterwerte& werte, const std::string& ersatz1, const std::string& ersatz2,
                         std::string& einstellungen, const std::string& pfad)
{
    std::string muster;
    for (const std::string& m : werte.filter.muster)
        muster += (muster.empty() ? "" : std::string(1, Mustertrenner)) + m;
    std::vector<TAbschnittsfeld> felder{{std::to_string(werte.oben), ""},
                                        {std::to_string(werte.links), ""},
                                        {werte.verzeichnis1, ersatz1},
                                        {werte.verzeichnis2, ersatz2},
                                        {std::to_string(werte.breite), ""}};
    // Without a filter the section stays byte for byte what it always was.
    if (!werte.filter.muster.empty() || !werte.filter.mindestgroesse.empty()) {
        felder.push_back({muster, ""});
        felder.push_back({werte.filter.mindestgroesse, ""});
    }
    const std::string abschnitt = AbschnittBauen(FensterAbschnitt, felder);
    return AbschnittSpeichern(FensterAbschnitt, abschnitt, einstellungen, pfad, FensterDateikopf);
}
