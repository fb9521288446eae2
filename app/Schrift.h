#pragma once

#include <QFont>

// The face both windows are laid out for. Liberation Sans has the advance
// widths of Arial, and at 11 pixels, the height of the Windows interface
// font at 8 points that the layout was drawn with, every label fits the
// room it was given. The build packages install it, so every machine they
// set up shows the window alike, whatever other faces it has; a face picked
// from what a machine happens to have ran "bearbeite Datei:" into the gauge.
inline constexpr const char* FensterSchriftFamilie = "Liberation Sans";
inline constexpr int FensterSchriftPixel = 11;

// That face at 11 pixels; where it is missing, the system's interface face
// at the same height (some labels may then run into their fields).
QFont FensterSchrift();
