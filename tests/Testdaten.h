#pragma once

// Walk data made by hand: files written into a test tree and entered as a
// walk would enter them, for the stages that read what the walks found.

#include "Testbaum.h"

#include "search/Baumdaten.h"
#include "util/Plattform.h"

#include <string>

// Enters the file relativ of baum, written with inhalt, into walk lauf of
// daten, in a directory of its own (the tree's root, entered once).
inline TBaumEintrag& DateiEintragen(TBaumdaten& daten, const TTestbaum& baum, uint16_t lauf,
                                    const std::string& name, const std::string& inhalt)
{
    if (daten.verzeichnisse.empty()) {
        TBaumVerzeichnis verzeichnis;
        verzeichnis.pfad = daten.Ablegen(baum.Wurzel());
        verzeichnis.bekannt = plattform::VerzeichnisKennung(baum.Wurzel(), verzeichnis.kennung);
        verzeichnis.verweis = false;
        daten.verzeichnisse.push_back(verzeichnis);
    }
    plattform::TEintragsInfo info;
    plattform::PfadInfo(baum.Datei(name, inhalt), info);
    TBaumEintrag& eintrag = daten.Eintragen(lauf, 0, name);
    eintrag.regulaer = true;
    eintrag.groesse = info.groesse;
    eintrag.zeiten = ZeitenMischen(info.geaendert, info.statusGeaendert);
    daten.KennungSetzen(eintrag, info.kennung);
    return eintrag;
}
