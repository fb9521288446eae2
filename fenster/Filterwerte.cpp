#include "fenster/Filterwerte.h"

#include "search/Filter.h"

namespace {

// A number as German texts write it: thousands split by points.
std::string MitPunkten(uint64_t zahl)
{
    std::string ziffern = std::to_string(zahl);
    for (size_t stelle = ziffern.size(); stelle > 3; stelle -= 3)
        ziffern.insert(stelle - 3, 1, '.');
    return ziffern;
}

} // namespace

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
    // Kept in the settings file, which is read only up to a size: a filter
    // beyond what our section may take would cost position and directories
    // at the next start.
    const size_t laenge = FilterLaenge(werte);
    if (laenge > FilterHoechstens)
        return "Der Filter ist zu groß zum Speichern: höchstens " + MitPunkten(FilterHoechstens) +
               " Bytes (1 MiB), dieser hat " + MitPunkten(laenge) + " Bytes";
    return {};
}
