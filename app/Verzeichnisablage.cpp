#include "app/Verzeichnisablage.h"

#include "fenster/Verzeichnisablage.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

TVerzeichnisablage::TVerzeichnisablage(QLineEdit* feld,
                                       std::function<void(const std::vector<std::string>& pfade)> ablegen)
    : QObject(feld), ablegen_(std::move(ablegen))
{
    feld->setAcceptDrops(true);
    feld->installEventFilter(this);
}

std::vector<std::string> TVerzeichnisablage::Pfade(const QMimeData& daten)
{
    std::vector<std::string> pfade;
    for (const QUrl& adresse : daten.urls()) {
        if (!adresse.isLocalFile()) {
            pfade.emplace_back();
            continue;
        }
        // The file system's bytes, not the text shown: the fields keep those.
        // A name that is no UTF-8 comes percent-encoded, and a string would
        // turn its bytes into replacement characters; decoded straight from
        // the URL, they stay.
#ifdef _WIN32
        const QByteArray name = adresse.toLocalFile().toUtf8();
#else
        const QByteArray name = QByteArray::fromPercentEncoding(adresse.path(QUrl::FullyEncoded).toLatin1());
#endif
        pfade.emplace_back(name.constData(), static_cast<size_t>(name.size()));
    }
    return pfade;
}

bool TVerzeichnisablage::Verzeichnis(const QMimeData& daten, std::string& pfad)
{
    return AbgelegtesVerzeichnis(Pfade(daten), pfad);
}

bool TVerzeichnisablage::eventFilter(QObject* objekt, QEvent* ereignis)
{
    const QEvent::Type art = ereignis->type();
    if (art != QEvent::DragEnter && art != QEvent::DragMove && art != QEvent::Drop)
        return QObject::eventFilter(objekt, ereignis);
    // The read-only field would take a dropped text as its own; it gets
    // none of these events, only a folder is ever accepted.
    auto* ablage = static_cast<QDropEvent*>(ereignis);
    std::string pfad;
    if (!ablage->mimeData() || !Verzeichnis(*ablage->mimeData(), pfad)) {
        ablage->ignore();
        return true;
    }
    ablage->acceptProposedAction();
    if (art == QEvent::Drop)
        ablegen_(Pfade(*ablage->mimeData()));
    return true;
}
