// Draws every kind of gauge at several percentages into PNG files, for a
// look by eye at what the pixel tests check by number. Not installed.
//
//   cgauges_demo [output directory]

#include "controls/Cgauges.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {

constexpr int kAbstand = 8;

// One row per kind, one column per percentage, on a grey sheet.
QImage Bogen(const QSize& groesse, qreal pixelVerhaeltnis, TBorderStyle rahmen, const QColor& vorne)
{
    const std::initializer_list<TCGaugeKind> arten = {gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle};
    const std::initializer_list<int> prozente = {0, 25, 50, 75, 100};
    const int b = groesse.width() + kAbstand;
    const int h = groesse.height() + kAbstand;
    QImage bogen(qCeil((kAbstand + b * int(prozente.size())) * pixelVerhaeltnis),
                 qCeil((kAbstand + h * int(arten.size())) * pixelVerhaeltnis), QImage::Format_RGB32);
    bogen.setDevicePixelRatio(pixelVerhaeltnis);
    bogen.fill(QColor(128, 128, 128));
    QPainter maler(&bogen);
    int zeile = 0;
    for (TCGaugeKind art : arten) {
        int spalte = 0;
        for (int prozent : prozente) {
            TCGauge gauge;
            gauge.resize(groesse);
            gauge.SeTCGaugeKind(art);
            gauge.SetBorderStyle(rahmen);
            gauge.SetForeColor(vorne);
            gauge.SetProgress(prozent);
            maler.drawImage(kAbstand + spalte * b, kAbstand + zeile * h, gauge.ComposeImage(pixelVerhaeltnis));
            ++spalte;
        }
        ++zeile;
    }
    return bogen;
}

bool Speichern(const QImage& bild, const QDir& ziel, const char* name)
{
    const QString pfad = ziel.filePath(QString::fromUtf8(name));
    if (!bild.save(pfad, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", pfad.toUtf8().constData());
        return false;
    }
    std::printf("%s\n", pfad.toUtf8().constData());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const QDir ziel(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    const QColor hervorhebung = app.palette().color(QPalette::Highlight);

    bool gut = true;
    const QImage quadrate = Bogen(QSize(100, 100), 1.0, bsSingle, hervorhebung);
    gut &= Speichern(quadrate, ziel, "gauges_100x100.png");
    // Pie and needle rows four times enlarged, pixel for pixel.
    gut &= Speichern(quadrate.copy(0, 3 * 108, quadrate.width(), 2 * 108 + kAbstand)
                         .scaled(4 * quadrate.width(), 4 * (2 * 108 + kAbstand), Qt::IgnoreAspectRatio,
                                 Qt::FastTransformation),
                     ziel, "gauges_100x100_lupe.png");
    gut &= Speichern(Bogen(QSize(100, 100), 1.0, bsNone, Qt::black), ziel, "gauges_100x100_ohne_rahmen.png");
    // The main window's gauge.
    const QImage balken = Bogen(QSize(163, 20), 1.0, bsSingle, hervorhebung);
    gut &= Speichern(balken, ziel, "gauges_163x20.png");
    gut &= Speichern(balken.scaled(4 * balken.width(), 4 * balken.height(), Qt::IgnoreAspectRatio,
                                   Qt::FastTransformation),
                     ziel, "gauges_163x20_lupe.png");
    gut &= Speichern(Bogen(QSize(163, 20), 2.0, bsSingle, hervorhebung), ziel, "gauges_163x20_dpr2.png");
    return gut ? EXIT_SUCCESS : EXIT_FAILURE;
}
