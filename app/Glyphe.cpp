#include "app/Glyphe.h"

#include "app/LampeGruen.xpm.h"
#include "util/Fehler.h"

#include <QByteArray>
#include <QFile>
#include <QImage>

namespace {

// A glyph's background is the colour of its bottom-left pixel; every pixel of
// that colour becomes transparent, as on the buttons the lamps were drawn for.
QPixmap Freigestellt(const QImage& bild)
{
    QImage argb = bild.convertToFormat(QImage::Format_ARGB32);
    if (argb.isNull())
        return {};
    const QRgb hintergrund = argb.pixel(0, argb.height() - 1);
    for (int y = 0; y < argb.height(); ++y) {
        auto* zeile = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (zeile[x] == hintergrund)
                zeile[x] = qRgba(0, 0, 0, 0);
    }
    return QPixmap::fromImage(argb);
}

} // namespace

QPixmap LampeGruen()
{
    return Freigestellt(QImage(LampeGruenXpm));
}

QPixmap GlypheLaden(const std::string& pfad)
{
    QFile datei(QFile::decodeName(QByteArray(pfad.data(), static_cast<qsizetype>(pfad.size()))));
    if (!datei.open(QIODevice::ReadOnly))
        throw EFehler("Datei " + pfad + " kann nicht geöffnet werden");
    QImage bild;
    if (!bild.loadFromData(datei.readAll(), "BMP"))
        throw EFehler("Bitmap ist ungültig");
    return Freigestellt(bild);
}
