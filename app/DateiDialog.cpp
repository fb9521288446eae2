#include "app/DateiDialog.h"

#include "app/Namensdialog.h"

#include <QString>

void TOpenDialog::Einrichten(TNamensDialog& dialog) const
{
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The dialog shows the text before the last parenthesised pattern list,
    // so the entry reads "Alle Dateien (*.*)" while "*" does the filtering.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(QString::fromUtf8(FilterText) + QStringLiteral(" (*)"));
    if (!Titel.empty())
        dialog.setWindowTitle(QString::fromUtf8(Titel.data(), static_cast<qsizetype>(Titel.size())));
    dialog.NameVorgeben(FileName);
}

bool TOpenDialog::Uebernehmen(const TNamensDialog& dialog)
{
    std::string name = dialog.Name();
    if (name.empty())
        return false;
    FileName = std::move(name);
    return true;
}

bool TOpenDialog::Execute(QWidget* eltern)
{
    TNamensDialog dialog(eltern);
    Einrichten(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return Uebernehmen(dialog);
}
