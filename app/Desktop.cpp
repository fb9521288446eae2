#include "app/Desktop.h"

#include "util/Papierkorb.h"
#include "util/Utf8.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QString>

QUrl DateiAdresse(const std::string& pfad)
{
    if (IstUtf8(pfad))
        return QUrl::fromLocalFile(QString::fromUtf8(pfad.data(), static_cast<qsizetype>(pfad.size())));
    // Qt's strings would turn the other bytes into replacement characters;
    // escaped, the URL keeps them.
    const std::string kodiert = ProzentKodiert(pfad);
    return QUrl::fromEncoded(QByteArray("file://") + QByteArray(kodiert.data(), static_cast<qsizetype>(kodiert.size())));
}

bool MitDemDesktopOeffnen(const std::string& pfad)
{
    return QDesktopServices::openUrl(DateiAdresse(pfad));
}
