#include "app/Eintragsliste.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QString>
#include <QVBoxLayout>

void EintraegeZeigen(QWidget* eltern, const TEintragsMeldung& meldung)
{
    QDialog dialog(eltern);
    dialog.setWindowTitle(QString::fromStdString(meldung.titel));
    auto* anordnung = new QVBoxLayout(&dialog);
    anordnung->addWidget(new QLabel(QString::fromStdString(meldung.kopf), &dialog));
    // Plain text, one entry a paragraph, so that the user can select and
    // copy the paths; thousands of lines cost no widget each. A long path
    // or reason wraps (inside a word where it must), so that it can be read
    // whole at any width.
    auto* text = new QPlainTextEdit(&dialog);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QString zeilen;
    for (const auto& [pfad, grund] : meldung.eintraege) {
        zeilen += QString::fromUtf8(pfad.data(), static_cast<qsizetype>(pfad.size()));
        zeilen += QStringLiteral("  \u2013  ");
        zeilen += QString::fromUtf8(grund.data(), static_cast<qsizetype>(grund.size()));
        zeilen += QLatin1Char('\n');
    }
    text->setPlainText(zeilen);
    anordnung->addWidget(text);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(knoepfe, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    anordnung->addWidget(knoepfe);
    dialog.resize(560, 320);
    dialog.exec();
}
