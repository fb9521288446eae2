#include "app/DateiDialog.h"

#include <QByteArray>
#include <QFile>
#include <QFileDialog>
#include <QString>
#include <QStringList>

void TOpenDialog::Einrichten(QFileDialog& dialog) const
{
    // Qt's own dialog on every platform: the system dialogs do not let the
    // user confirm a name that does not exist, and the directory choice
    // relies on that.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The dialog shows the text before the last parenthesised pattern list,
    // so the entry reads "Alle Dateien (*.*)" while "*" does the filtering.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(QString::fromUtf8(FilterText) + QStringLiteral(" (*)"));
    dialog.selectFile(QFile::decodeName(QByteArray(FileName.data(), static_cast<qsizetype>(FileName.size()))));
}

bool TOpenDialog::Execute(QWidget* eltern)
{
    QFileDialog dialog(eltern);
    Einrichten(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QStringList namen = dialog.selectedFiles();
    if (namen.isEmpty())
        return false;
    FileName = QFile::encodeName(namen.first()).toStdString();
    return true;
}
