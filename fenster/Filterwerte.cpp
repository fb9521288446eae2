#include "fenster/Filterwerte.h"

#include "search/Filter.h"

bool FilterBauen(const TFilterwerte& werte, TFilter& filter)
{
    filter = TFilter();
    for (const std::string& muster : werte.muster)
        filter.MusterHinzufuegen(muster);
    int64_t groesse = 0;
    if (werte.mindestgroesse.empty())
        return true;
    if (!GroesseLesen(werte.mindestgroesse, groesse))
        return false;
    filter.MindestgroesseSetzen(groesse);
    return true;
}

std::string FilterwerteFehler(const TFilterwerte& werte)
{
    int64_t bytes = 0;
    if (!werte.mindestgroesse.empty() && !GroesseLesen(werte.mindestgroesse, bytes))
        return "Mindestgröße: eine Zahl, danach K, M oder G (z. B. 100K)";
    return {};
}
