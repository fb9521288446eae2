#include "app/Schrift.h"

#include <QFontDatabase>
#include <QString>

QFont FensterSchrift()
{
    if (QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif"))) {
        QFont schrift(QStringLiteral("MS Sans Serif"));
        schrift.setPointSize(8);
        return schrift;
    }
    // Faces with the metrics of the Windows interface fonts come first: a
    // wider face would run labels such as "Dateigröße:" into their fields.
    for (const char* familie : {"Arial", "Liberation Sans", "Helvetica", "Nimbus Sans"}) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(familie))) {
            QFont schrift(QString::fromLatin1(familie));
            schrift.setPixelSize(11);
            return schrift;
        }
    }
    QFont schrift;
    schrift.setStyleHint(QFont::SansSerif);
    schrift.setFamily(QStringLiteral("sans-serif"));
    schrift.setPixelSize(11);
    return schrift;
}
