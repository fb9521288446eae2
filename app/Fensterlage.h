#pragma once

// Where the main window opens: where it was stored, as long as a user can
// reach it there. A monitor unplugged since, or a file written by hand, may
// name a place off every screen.

#include <QRect>

#include <vector>

// The window's outer rectangle as stored, moved onto the screens. schirme:
// the screens' available areas, the primary one first. The width is bounded
// by the available width of the screen the window lies on most (the primary
// one when it lies on none). Where no screen shows the whole title bar
// (titel pixels high) and at least a third of the window's width, the window
// goes to the middle of the primary screen, the division truncating toward
// zero as at a first start. Without any screen the rectangle stays.
QRect FensterlageAufSchirm(QRect rahmen, const std::vector<QRect>& schirme, int titel);
