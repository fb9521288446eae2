#include "app/Fensterlage.h"

#include <algorithm>

namespace {

// The screen the rectangle covers most; the primary one when it covers none.
const QRect& Hauptschirm(const QRect& rahmen, const std::vector<QRect>& schirme)
{
    const QRect* bester = &schirme.front();
    long long groesste = 0;
    for (const QRect& schirm : schirme) {
        const QRect teil = rahmen.intersected(schirm);
        const long long flaeche = teil.isEmpty() ? 0 : static_cast<long long>(teil.width()) * teil.height();
        if (flaeche > groesste) {
            groesste = flaeche;
            bester = &schirm;
        }
    }
    return *bester;
}

// The title bar lies wholly on the screen, and a third of the width with it:
// the user can take it there and pull the window wherever he wants it.
bool Erreichbar(const QRect& rahmen, const QRect& schirm, int titel)
{
    const QRect leiste(rahmen.left(), rahmen.top(), rahmen.width(), std::max(1, titel));
    const QRect sichtbar = leiste.intersected(schirm);
    return !sichtbar.isEmpty() && sichtbar.height() == leiste.height() && sichtbar.width() * 3 >= rahmen.width();
}

} // namespace

QRect FensterlageAufSchirm(QRect rahmen, const std::vector<QRect>& schirme, int titel)
{
    if (schirme.empty())
        return rahmen;
    rahmen.setWidth(std::min(rahmen.width(), Hauptschirm(rahmen, schirme).width()));
    for (const QRect& schirm : schirme)
        if (Erreichbar(rahmen, schirm, titel))
            return rahmen;
    const QRect& primaer = schirme.front();
    rahmen.setWidth(std::min(rahmen.width(), primaer.width()));
    rahmen.moveTo(primaer.left() + (primaer.width() - rahmen.width()) / 2,
                  primaer.top() + (primaer.height() - rahmen.height()) / 2);
    return rahmen;
}
