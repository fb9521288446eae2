#include "app/Verzeichnisablage.h"

#include "util/Plattform.h"

#include <QDropEvent>
#include <QFile>
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
    const QByteArray name = QFile::encodeName(adressen.constFirst().toLocalFile());
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
