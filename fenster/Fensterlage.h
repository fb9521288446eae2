#pragma once

// Where the main window opens: where it was stored, as long as a user can
// reach it there. A monitor unplugged since, or a file written by hand, may
// name a place off every screen.

#include <cstdint>
#include <vector>

// A rectangle in screen pixels: its top-left corner and its size.
struct TRechteck {
    int32_t links = 0;
    int32_t oben = 0;
    int32_t breite = 0;
    int32_t hoehe = 0;

    bool Leer() const { return breite <= 0 || hoehe <= 0; }
    // The part both cover; empty when they do not meet.
    TRechteck Schnitt(const TRechteck& anderes) const;
    bool operator==(const TRechteck&) const = default;
};

struct TGroesse {
    int32_t breite = 0;
    int32_t hoehe = 0;
};

// The window's outer rectangle as stored, moved onto the screens. schirme:
// the screens' available areas, the primary one first. The width is bounded
// by the available width of the screen the window lies on most (the primary
// one when it lies on none). Where no screen shows the whole title bar
// (titel pixels high) and at least a third of the window's width, the window
// goes to the middle of the primary screen, the division truncating toward
// zero as at a first start. Without any screen the rectangle stays.
TRechteck FensterlageAufSchirm(TRechteck rahmen, const std::vector<TRechteck>& schirme, int32_t titel);
