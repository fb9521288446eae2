#pragma once

// The screens as the window's place is checked against them.

#include <QRect>
#include <QSize>

#include <vector>

// The size of the primary screen in pixels (empty without a screen).
QSize PrimaerBildschirmGroesse();
// The screens' available areas, the primary one first.
std::vector<QRect> VerfuegbareBildschirme();
