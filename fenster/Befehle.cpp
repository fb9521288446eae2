#include "fenster/Befehle.h"

const std::vector<TMenueeintrag>& Kontextmenue()
{
    using B = TBefehl;
    static const std::vector<TMenueeintrag> eintraege = {
        {"alle Einträge mit + markieren", B::PlusMarkieren, true},
        {"alle Einträge mit - markieren", B::MinusMarkieren, true},
        {"alle Einträge mit ! markieren", B::AusrufMarkieren, true},
        {nullptr, B::Start, true},
        {"alle Markierungen löschen", B::MarkierungenLoeschen, true},
        {nullptr, B::Start, true},
        {"markierte Einträge kopieren nach…", B::KopierenNach, true},
        {"markierte Einträge kopieren von… nach…", B::KopierenVonNach, true},
        {nullptr, B::Start, true},
        {"markierte Einträge verschieben nach…", B::VerschiebenNach, true},
        {"markierte Einträge verschieben von… nach…", B::VerschiebenVonNach, true},
        {nullptr, B::Start, true},
        // Enabled by a search that could not read everything.
        {"nicht gelesene Einträge anzeigen…", B::NichtGeleseneAnzeigen, false},
        {nullptr, B::Start, true},
        {"Datei öffnen", B::DateiOeffnen, true},
        {"Ordner öffnen", B::OrdnerOeffnen, true},
        {nullptr, B::Start, true},
        {"markierte Einträge in den Papierkorb", B::InDenPapierkorb, true},
        {nullptr, B::Start, true},
        {"Liste speichern…", B::ListeSpeichern, true},
        {"Filter…", B::Filter, true},
        {nullptr, B::Start, true},
        {"Liste nach Pfad sortieren", B::NachPfadSortieren, true},
        {"Liste nach Größe sortieren", B::NachGroesseSortieren, true},
    };
    return eintraege;
}
