#include "fenster/Eintragsmeldung.h"

TEintragsMeldung AbgelehntMeldung(TMeldungsAnlass anlass, const TAbgelehnt& abgelehnt)
{
    TEintragsMeldung meldung;
    switch (anlass) {
    case TMeldungsAnlass::Kopieren:
        meldung = {"Nicht kopiert", "Diese Einträge wurden nicht kopiert:", {}};
        break;
    case TMeldungsAnlass::Verschieben:
        meldung = {"Nicht verschoben", "Diese Einträge blieben, wo sie waren:", {}};
        break;
    case TMeldungsAnlass::Papierkorb:
        meldung = {"Nicht in den Papierkorb gelegt", "Diese Einträge blieben, wo sie waren:", {}};
        break;
    }
    meldung.eintraege = AbgelehntDeutsch(abgelehnt);
    return meldung;
}

TEintragsMeldung UebersprungenMeldung(const std::vector<TUebersprungen>& uebersprungen)
{
    TEintragsMeldung meldung{"Nicht gelesen", "Diese Verzeichnisse und Dateien konnte die Suche nicht lesen:", {}};
    meldung.eintraege.reserve(uebersprungen.size());
    for (const TUebersprungen& u : uebersprungen)
        meldung.eintraege.emplace_back(u.pfad, GrundDeutsch(u.grund));
    return meldung;
}
