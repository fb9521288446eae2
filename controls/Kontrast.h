#pragma once

// How well the gauge's percentage reads over its filled part. The text is
// XORed in, so over the fill it shows the fill's complement: readable when
// the fill is dark or light, nearly invisible when it is of middle
// brightness, as the mid-blue highlight of many desktops is.

#include <QColor>

// The contrast ratio of two colours, from 1 (the same brightness) to 21
// (black and white): (L1 + 0.05) / (L2 + 0.05) of their relative
// luminances, the lighter one above, as accessibility guidelines measure it.
double Kontrastverhaeltnis(const QColor& a, const QColor& b);

// What XOR with white makes of a colour: its complement.
QColor Komplement(const QColor& farbe);

// The least contrast at which the text over the fill counts as readable,
// and the contrast aimed for when the fill has to be changed for it.
inline constexpr double LesbarerKontrast = 3.0;
inline constexpr double ZielKontrast = 4.5;

// The fore colour for a gauge that shows the given highlight colour: the
// highlight itself when its complement reads against it at least 3:1;
// otherwise the lightest darker shade of it (same hue and saturation) whose
// complement reads 4.5:1, so that the text is light on a dark fill.
QColor LesbareFuellfarbe(const QColor& hervorhebung);
