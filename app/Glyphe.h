#pragma once

// The pictures of the Start button.

#include <QPixmap>

#include <string>

// The built-in green lamp, 15 × 15, its olive background transparent.
QPixmap LampeGruen();

// Loads a bitmap file as a button glyph: the colour of its bottom-left pixel
// is shown transparent. Throws EFehler "Datei <pfad> kann nicht geöffnet
// werden" when the file cannot be opened, and "Bitmap ist ungültig" when it
// holds no picture.
QPixmap GlypheLaden(const std::string& pfad);
