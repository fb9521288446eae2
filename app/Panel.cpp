#include "app/Panel.h"

#include <QImage>
#include <QPainter>

TPanel::TPanel(QWidget* eltern) : QWidget(eltern) {}

void TPanel::paintEvent(QPaintEvent*)
{
    const qreal verhaeltnis = devicePixelRatioF();
    QImage bild(size() * verhaeltnis, QImage::Format_ARGB32_Premultiplied);
    bild.setDevicePixelRatio(verhaeltnis);
    bild.fill(palette().color(QPalette::Window));
    {
        QPainter maler(&bild);
        const QColor licht = palette().color(QPalette::Light);
        const QColor schatten = palette().color(QPalette::Dark);
        // Top and left edges in one colour, bottom and right in the other;
        // the outer ring lowered (shadow above), the inner one raised.
        const auto ring = [&](int abstand, const QColor& obenLinks, const QColor& untenRechts) {
            const int r = width() - 1 - abstand;
            const int u = height() - 1 - abstand;
            maler.setPen(obenLinks);
            maler.drawLine(abstand, abstand, r - 1, abstand);
            maler.drawLine(abstand, abstand, abstand, u - 1);
            maler.setPen(untenRechts);
            maler.drawLine(r, abstand, r, u);
            maler.drawLine(abstand, u, r, u);
        };
        ring(0, schatten, licht);
        ring(1, licht, schatten);
    }
    QPainter(this).drawImage(0, 0, bild);
}
