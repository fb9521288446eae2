#include "app/Fehlerfenster.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

void FehlerfensterZeigen(const std::string& text)
{
    // The active window is the parent, so the box stays in front of the
    // window the user was working in; without one it stands alone.
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Dubrinax"),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}
