#include "app/Namensdialog.h"

#include "util/Speila.h"
#include "util/Verzeichniswahl.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

namespace {

QString Text(const std::string& bytes)
{
    const QByteArray roh(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return QDir::fromNativeSeparators(QFile::decodeName(roh));
}

} // namespace

TNamensDialog::TNamensDialog(QWidget* eltern)
    : QFileDialog(eltern)
{
    // Qt's own dialog on every platform: the system dialogs do not let the
    // user confirm a name that does not exist, and the directory choice
    // relies on that. Set first, so that the widgets below exist.
    setOption(QFileDialog::DontUseNativeDialog);
    // Going to another folder by the list, the sidebar or the path box
    // brings the preset back: the box says again "the directory shown".
    connect(this, &QFileDialog::directoryEntered, this, [this] {
        if (QLineEdit* feld = NamensFeld())
            feld->setText(vorgabe_);
    });
}

QLineEdit* TNamensDialog::NamensFeld() const
{
    return findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

void TNamensDialog::NameVorgeben(const std::string& name)
{
    // A directory that does not exist would leave Qt where it was (the
    // working directory) with the missing part as a relative name in the
    // box, and confirming would give a directory below the wrong one.
    const std::string start = VorhandenesVerzeichnis(name);
    if (!start.empty())
        setDirectory(Text(start));
    vorgabe_ = Text(name.substr(VerzeichnisTeil(name).size()));
    if (QLineEdit* feld = NamensFeld())
        feld->setText(vorgabe_);
}

void TNamensDialog::accept()
{
    const QLineEdit* feld = NamensFeld();
    QString text = feld ? feld->text() : QString();
    gewaehlt_.clear();
    if (text.isEmpty()) {
        QFileDialog::accept();
        return;
    }
    if (text == QStringLiteral("~") || text.startsWith(QStringLiteral("~/")))
        text.replace(0, 1, QDir::homePath());
    // Absolute stays absolute, relative is read in the directory shown.
    const QString pfad = directory().absoluteFilePath(text);
    if (text == vorgabe_) {
        // Qt would go into a folder of that name, or take a folder marked
        // in the list instead of the name typed.
        gewaehlt_ = QDir::toNativeSeparators(pfad);
    } else if (text.endsWith(QLatin1Char('/')) || QFileInfo(pfad).isDir()) {
        // Qt would go into a typed directory and leave its name in the box,
        // so that Enter only ever goes into it again.
        QString verzeichnis = QDir::cleanPath(pfad);
        if (!verzeichnis.endsWith(QLatin1Char('/')))
            verzeichnis += QLatin1Char('/');
        gewaehlt_ = QDir::toNativeSeparators(verzeichnis);
    } else {
        QFileDialog::accept();
        return;
    }
    QDialog::accept();
}

std::string TNamensDialog::Name() const
{
    if (result() != QDialog::Accepted)
        return {};
    QString name = gewaehlt_;
    if (name.isEmpty()) {
        const QStringList namen = selectedFiles();
        if (namen.isEmpty())
            return {};
        name = QDir::toNativeSeparators(namen.first());
    }
    return QFile::encodeName(name).toStdString();
}
