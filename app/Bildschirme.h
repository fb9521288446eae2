#pragma once

// The screens as the window's place is checked against them.

#include "fenster/Fensterlage.h"

#include <vector>

// The size of the primary screen in pixels (empty without a screen).
TGroesse PrimaerBildschirmGroesse();
// The screens' available areas, the primary one first.
std::vector<TRechteck> VerfuegbareBildschirme();
