#include "app/Schrift.h"

#include <QFontDatabase>
#include <QString>

QFont FensterSchrift()
{
    // "MS Sans Serif", the face of the original layout, is not asked for:
    // where a Linux machine has something by that name, it is not the
    // bitmap face the layout was measured with.
    const QString familie = QString::fromLatin1(FensterSchriftFamilie);
    QFont schrift =
        QFontDatabase::hasFamily(familie) ? QFont(familie) : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    schrift.setPixelSize(FensterSchriftPixel);
    return schrift;
}
