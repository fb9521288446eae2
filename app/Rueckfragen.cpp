#include "app/Rueckfragen.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>

namespace {

QString Text(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

bool JaNeinFragen(QWidget* eltern, const std::string& text, const std::string& titel)
{
    QMessageBox box(QMessageBox::NoIcon, Text(titel), Text(text), QMessageBox::Yes | QMessageBox::No, eltern);
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
    return box.exec() == QMessageBox::Yes;
}

void MeldungZeigen(QWidget* eltern, const std::string& text, const std::string& titel)
{
    QMessageBox box(QMessageBox::NoIcon, Text(titel), Text(text), QMessageBox::Ok, eltern);
    box.exec();
}
