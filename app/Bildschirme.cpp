#include "app/Bildschirme.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

TRechteck Rechteck(const QRect& rechteck)
{
    return {rechteck.left(), rechteck.top(), rechteck.width(), rechteck.height()};
}

} // namespace

TGroesse PrimaerBildschirmGroesse()
{
    const QScreen* schirm = QGuiApplication::primaryScreen();
    return schirm ? TGroesse{schirm->geometry().width(), schirm->geometry().height()} : TGroesse{};
}

std::vector<TRechteck> VerfuegbareBildschirme()
{
    std::vector<TRechteck> schirme;
    const QScreen* primaer = QGuiApplication::primaryScreen();
    if (primaer)
        schirme.push_back(Rechteck(primaer->availableGeometry()));
    for (const QScreen* schirm : QGuiApplication::screens())
        if (schirm != primaer)
            schirme.push_back(Rechteck(schirm->availableGeometry()));
    return schirme;
}
