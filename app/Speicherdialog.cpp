#include "app/Speicherdialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

std::string SpeicherortWaehlen(QWidget* eltern)
{
    QFileDialog dialog(eltern, QStringLiteral("Liste speichern"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("JSON (*.json)"), QStringLiteral("CSV (*.csv)")});
    dialog.setDefaultSuffix(QStringLiteral("json"));
    dialog.setDirectory(QDir::home());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QByteArray name = QFile::encodeName(dialog.selectedFiles().constFirst());
    return std::string(name.constData(), static_cast<size_t>(name.size()));
}
