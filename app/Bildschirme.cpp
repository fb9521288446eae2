#include "app/Bildschirme.h"

#include <QGuiApplication>
#include <QScreen>

QSize PrimaerBildschirmGroesse()
{
    const QScreen* schirm = QGuiApplication::primaryScreen();
    return schirm ? schirm->geometry().size() : QSize();
}

std::vector<QRect> VerfuegbareBildschirme()
{
    std::vector<QRect> schirme;
    const QScreen* primaer = QGuiApplication::primaryScreen();
    if (primaer)
        schirme.push_back(primaer->availableGeometry());
    for (const QScreen* schirm : QGuiApplication::screens())
        if (schirm != primaer)
            schirme.push_back(schirm->availableGeometry());
    return schirme;
}
