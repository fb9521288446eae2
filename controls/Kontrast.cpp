#include "controls/Kontrast.h"

#include <algorithm>
#include <cmath>

namespace {

// One sRGB channel, 0 to 255, as linear light.
double Linear(int kanal)
{
    const double c = kanal / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Leuchtdichte(const QColor& farbe)
{
    return 0.2126 * Linear(farbe.red()) + 0.7152 * Linear(farbe.green()) + 0.0722 * Linear(farbe.blue());
}

double KontrastZumKomplement(const QColor& farbe)
{
    return Kontrastverhaeltnis(farbe, Komplement(farbe));
}

} // namespace

double Kontrastverhaeltnis(const QColor& a, const QColor& b)
{
    const double la = Leuchtdichte(a);
    const double lb = Leuchtdichte(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Komplement(const QColor& farbe)
{
    return QColor(255 - farbe.red(), 255 - farbe.green(), 255 - farbe.blue());
}

QColor LesbareFuellfarbe(const QColor& hervorhebung)
{
    const QColor farbe = hervorhebung.toRgb();
    if (KontrastZumKomplement(farbe) >= LesbarerKontrast)
        return farbe;
    // Down the value of the colour, one step at a time: a light fill first
    // loses contrast to its darkening complement, then gains; black and
    // white at the end are 21:1, so the loop always finds one.
    const int farbton = farbe.hsvHue();
    const int saettigung = farbe.hsvSaturation();
    for (int wert = farbe.value() - 1; wert > 0; --wert) {
        const QColor dunkler = QColor::fromHsv(farbton, saettigung, wert).toRgb();
        if (KontrastZumKomplement(dunkler) >= ZielKontrast)
            return dunkler;
    }
    return QColor(0, 0, 0);
}
