#pragma once

#include <QFont>

// The font of both windows: "MS Sans Serif" at 8 points where the system has
// it, otherwise the nearest sans-serif face at 11 pixels, the height the
// layout's 13-pixel labels and 21-pixel edit fields were made for.
QFont FensterSchrift();
