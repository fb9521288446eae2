#include "app/Gruppe.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

void TGroupBox::paintEvent(QPaintEvent*)
{
    const qreal verhaeltnis = devicePixelRatioF();
    QImage bild(size() * verhaeltnis, QImage::Format_ARGB32_Premultiplied);
    bild.setDevicePixelRatio(verhaeltnis);
    bild.fill(Qt::transparent);
    {
        QPainter maler(&bild);
        // An image knows no widget: give the painter our font.
        maler.setFont(font());
        const QFontMetrics masse(font());
        const int oben = masse.height() / 2;
        const int b = width() - 2;
        const int h = height() - oben - 2;
        // Etched: a shadow line with a light line one pixel below and right.
        maler.setPen(palette().color(QPalette::Dark));
        maler.drawRect(0, oben, b, h);
        maler.setPen(palette().color(QPalette::Light));
        maler.drawRect(1, oben + 1, b, h);

        if (!title().isEmpty()) {
            const QString titel = title();
            const QRect feld(8, 0, masse.horizontalAdvance(titel) + 2, masse.height());
            maler.fillRect(feld, palette().color(QPalette::Button));
            maler.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
            maler.drawText(feld.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, titel);
        }
    }
    QPainter(this).drawImage(0, 0, bild);
}
