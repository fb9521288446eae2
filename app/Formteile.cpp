#include "app/Formteile.h"

#include "app/Gruppe.h"

#include <QByteArray>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QVariant>

#include <algorithm>

const char* const RohdatenEigenschaft = "dubrinaxBytes";

QGroupBox* Gruppe(QWidget* eltern, const char* titel, int x, int y, int b, int h)
{
    auto* gruppe = new TGroupBox(QString::fromUtf8(titel), eltern);
    gruppe->setGeometry(x, y, b, h);
    return gruppe;
}

QLabel* Beschriftung(QWidget* eltern, const char* text, int x, int y, int b)
{
    auto* label = new QLabel(QString::fromUtf8(text), eltern);
    label->move(x, y);
    label->adjustSize();
    label->resize(std::max(b, label->width()), std::max(Zeilenhoehe, label->height()));
    return label;
}

QLineEdit* Eingabefeld(QWidget* eltern, const char* hinweis, int x, int y, int b)
{
    auto* feld = new QLineEdit(eltern);
    feld->setGeometry(x, y, b, 21);
    feld->setToolTip(QString::fromUtf8(hinweis));
    feld->setReadOnly(true);
    feld->setProperty(RohdatenEigenschaft, QByteArray());
    return feld;
}
