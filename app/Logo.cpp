#include "app/Logo.h"

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

// The drawing is made on a 75 × 51 canvas, the size of its place in the box.
constexpr qreal Breite = 75;
constexpr qreal Hoehe = 51;

void Seite(QPainter& maler, qreal x, qreal y, const QColor& farbe)
{
    // A page with a folded corner and four lines of text.
    QPainterPath umriss;
    umriss.moveTo(x, y);
    umriss.lineTo(x + 17, y);
    umriss.lineTo(x + 24, y + 7);
    umriss.lineTo(x + 24, y + 33);
    umriss.lineTo(x, y + 33);
    umriss.closeSubpath();
    maler.setPen(QPen(QColor(40, 40, 40), 1.2));
    maler.setBrush(Qt::white);
    maler.drawPath(umriss);
    maler.setBrush(QColor(200, 200, 200));
    maler.drawPolygon(QPolygonF({QPointF(x + 17, y), QPointF(x + 17, y + 7), QPointF(x + 24, y + 7)}));
    maler.setPen(QPen(farbe, 2));
    for (int zeile = 0; zeile < 4; ++zeile)
        maler.drawLine(QPointF(x + 4, y + 13 + zeile * 5), QPointF(x + (zeile == 3 ? 13 : 20), y + 13 + zeile * 5));
}

// The whole picture on its 75 × 51 canvas.
void Zeichnen(QPainter& maler)
{
    maler.setRenderHint(QPainter::Antialiasing);
    const QColor blau(0, 70, 160);
    Seite(maler, 3, 9, blau);
    Seite(maler, 48, 9, blau);
    // The equals sign between them, in the green of the Start lamp.
    maler.setPen(Qt::NoPen);
    maler.setBrush(QColor(0, 150, 0));
    maler.drawRoundedRect(QRectF(31, 19, 13, 4), 1, 1);
    maler.drawRoundedRect(QRectF(31, 27, 13, 4), 1, 1);
}

} // namespace

QIcon LogoSymbol()
{
    // Centred on a square as wide as the canvas, like the installed icon
    // (dist/de.dubrinax.dubrinax.svg), in the sizes title bars and task
    // bars ask for.
    QIcon symbol;
    for (const int seite : {16, 24, 32, 48, 64, 128}) {
        QImage bild(seite, seite, QImage::Format_ARGB32_Premultiplied);
        bild.fill(Qt::transparent);
        QPainter maler(&bild);
        maler.scale(seite / Breite, seite / Breite);
        maler.translate(0, (Breite - Hoehe) / 2);
        Zeichnen(maler);
        maler.end();
        symbol.addPixmap(QPixmap::fromImage(bild));
    }
    return symbol;
}

TLogo::TLogo(QWidget* eltern) : QWidget(eltern) {}

void TLogo::paintEvent(QPaintEvent*)
{
    const qreal verhaeltnis = devicePixelRatioF();
    QImage bild(size() * verhaeltnis, QImage::Format_ARGB32_Premultiplied);
    bild.setDevicePixelRatio(verhaeltnis);
    bild.fill(Qt::transparent);
    {
        QPainter maler(&bild);
        maler.scale(width() / Breite, height() / Hoehe);
        Zeichnen(maler);
    }
    QPainter(this).drawImage(0, 0, bild);
}
