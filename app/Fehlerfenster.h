#pragma once

// The program's standard error box: the error icon, the title "Dubrinax",
// an OK button, in front of the window the user was working in. What it
// says comes from Abgesichert (fenster/Fehlerbox.h).

#include <string>

void FehlerfensterZeigen(const std::string& text);
