#include "fenster/Fenstereinstellungen.h"

#include "util/Einstellungsspeicher.h"
#include "util/Stringsbearbeiten.h"


namespace {

constexpr char Feldtrenner = '\x03';
// Between the patterns of the filter's field: no byte a user types into a
// pattern, and none that the file's structure or its text mode takes.
constexpr char Mustertrenner = '\x1f';
// A pattern may hold any byte a name holds, the ones the file takes for its
// structure (0x01 to 0x03), drops or stops at (CR, 0x1A) and our separator
// among them. Each of those, and this escape itself, is written as the
// escape and the byte plus 0x40 (a letter or "^" or "_"), so that the
// field reads back as it was written.
constexpr char Musterflucht = '\x1e';

bool MussFliehen(char c)
{
    return c == '\x01' || c == '\x02' || c == Feldtrenner || c == '\r' || c == '\x1a' || c == Musterflucht
           || c == Mustertrenner;
}

std::string MusterFeld(const std::vector<std::string>& muster)
{
    std::string feld;
    for (const std::string& m : muster) {
        if (&m != &muster.front())
            feld += Mustertrenner;
        for (const char c : m) {
            if (MussFliehen(c)) {
                feld += Musterflucht;
                feld += static_cast<char>(c + 0x40);
            } else {
                feld += c;
            }
        }
    }
    return feld;
}

std::vector<std::string> MusterAusFeld(const std::string& feld)
{
    std::vector<std::string> muster;
    std::string eines;
    for (size_t i = 0; i <= feld.size(); ++i) {
        if (i == feld.size() || feld[i] == Mustertrenner) {
            if (!eines.empty())
                muster.push_back(std::move(eines));
            eines.clear();
        } else if (feld[i] == Musterflucht && i + 1 < feld.size() && MussFliehen(static_cast<char>(feld[i + 1] - 0x40))) {
            eines += static_cast<char>(feld[++i] - 0x40);
        } else {
            eines += feld[i];
        }
    }
    return muster;
}

} // namespace

size_t FilterLaenge(const TFilterwerte& filter)
{
    return MusterFeld(filter.muster).size() + filter.mindestgroesse.size();
}

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
    werte.filter.muster = MusterAusFeld(SequenzFeld(6, inhalt, trenner));
    werte.filter.mindestgroesse = SequenzFeld(7, inhalt, trenner);
    return true;
}

bool FensterwerteSichern(const TFensterwerte& werte, const std::string& ersatz1, const std::string& ersatz2,
                         std::string& einstellungen, const std::string& pfad)
{
    std::vector<TAbschnittsfeld> felder{{std::to_string(werte.oben), ""},
                                        {std::to_string(werte.links), ""},
                                        {werte.verzeichnis1, ersatz1},
                                        {werte.verzeichnis2, ersatz2},
                                        {std::to_string(werte.breite), ""}};
    // Without a filter the section stays byte for byte what it always was.
    // One too large to read back is stored as none: the settings file would
    // grow beyond what is read, and position and directories go with it.
    const bool filter = !werte.filter.muster.empty() || !werte.filter.mindestgroesse.empty();
    if (filter && FilterLaenge(werte.filter) <= FilterHoechstens) {
        felder.push_back({MusterFeld(werte.filter.muster), ""});
        felder.push_back({werte.filter.mindestgroesse, ""});
    }
    const std::string abschnitt = AbschnittBauen(FensterAbschnitt, felder);
    return AbschnittSpeichern(FensterAbschnitt, abschnitt, einstellungen, pfad, FensterDateikopf);
}
