#include "cli/Suchoptionen.h"

#include <string_view>

namespace {

// The value of option name at argumente[i], as "--name=value" or as the next
// word (which is then taken out too). False when argumente[i] is not that option.
bool Wert(std::vector<std::string>& argumente, size_t i, std::string_view name, std::string& wert, bool& fehlt)
{
    const std::string& wort = argumente[i];
    if (wort.size() > name.size() && wort.starts_with(name) && wort[name.size()] == '=') {
        wert = wort.substr(name.size() + 1);
        return true;
    }
    if (wort != name)
        return false;
    fehlt = i + 1 >= argumente.size();
    if (!fehlt) {
        wert = argumente[i + 1];
        argumente.erase(argumente.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    }
    return true;
}

} // namespace

bool SuchoptionenNehmen(std::vector<std::string>& argumente, TSuchoptionen& optionen, std::string& fehler)
{
    for (size_t i = 0; i < argumente.size() && argumente[i] != "--";) {
        std::string wert;
        bool fehlt = false;
        if (argumente[i] == "--json") {
            optionen.json = true;
        } else if (Wert(argumente, i, "--exclude", wert, fehlt)) {
            if (!fehlt)
                optionen.filter.MusterHinzufuegen(wert);
        } else if (Wert(argumente, i, "--min-size", wert, fehlt)) {
            int64_t groesse = 0;
            if (!fehlt && !GroesseLesen(wert, groesse)) {
                fehler = "'" + wert + "' is no size (N, NK, NM or NG)";
                return false;
            }
            optionen.filter.MindestgroesseSetzen(groesse);
        } else {
            ++i;
            continue;
        }
        if (fehlt) {
            fehler = argumente[i] + " needs a value (see --help)";
            return false;
        }
        argumente.erase(argumente.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return true;
}
