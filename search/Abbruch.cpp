#include "search/FensterLogik.h"

TFensterLogik::TFensterLogik()
{
    Stopp.Frage = [this] { return JaNeinFrage("Soll wirklich abgerochen werden?", "Abbrechen?"); };
}
