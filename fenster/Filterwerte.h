#pragma once

// The filter of the window's search as the user wrote it (TFilterwerte,
// kept in the settings), turned into the search's filter, and the rule for
// what the filter dialog takes.

#include "fenster/Fenstereinstellungen.h"

#include <string>

class TFilter;

// The search's filter for werte; false when the minimum size does not read
// (then filter leaves nothing out by size).
bool FilterBauen(const TFilterwerte& werte, TFilter& filter);

// Why the filter dialog may not take werte, in German: a minimum size that
// does not read, a filter too large to be kept (FilterHoechstens). Empty
// when it may.
std::string FilterwerteFehler(const TFilterwerte& werte);
