#include "app/Verzeichnisablage.h"

#include "util/Plattform.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

TVerzeichnisablage::TVerzeichnisablage(QLineEdit* feld, std::function<void(const std::string& pfad)> setzen)
    : QObject(feld), setzen_(std::move(setzen))
{
    feld->setAcceptDrops(true);
    feld->installEventFilter(this);
}

bool TVerzeichnisablage::Verzeichnis(const QMimeData& daten, std::string& pfad)
{
    const QList<QUrl> adressen = daten.urls();
    if (adressen.size() != 1 || !adressen.constFirst().isLocalFile())
        return false;
    // The file system's bytes, not the text shown: the fields keep those.
    // A name that is no UTF-8 comes percent-encoded, and a string would
    // turn its bytes into replacement characters; decoded straight from
    // the URL, they stay.
#ifdef _WIN32
    const QByteArray name = adressen.constFirst().toLocalFile().toUtf8();
#else
    const QByteArray name = QByteArray::fromPercentEncoding(adressen.constFirst().path(QUrl::FullyEncoded).toLatin1());
#endif
    std::string bytes(name.constData(), static_cast<size_t>(name.size()));
    if (bytes.empty() || !plattform::IstVerzeichnis(bytes))
        return false;
    if (!plattform::BeendetVerzeichnisteil(bytes.back()))
        bytes += plattform::Trenner;
    pfad = std::move(bytes);
    return true;
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
        setzen_(pfad);
    return true;
}
