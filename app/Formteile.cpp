#include "app/Formteile.h"

#include "app/Glyphe.h"
#include "app/Gruppe.h"
#include "app/Unit1.h"
#include "controls/Cgauges.h"
#include "controls/Kontrast.h"

#include <QByteArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

void LinkeSpalteAnlegen(TForm1& form)
{
    form.GroupBox1 = Gruppe(&form, "Datei 1:", 3, 0, 257, 89);
    form.Label1 = Beschriftung(form.GroupBox1, "Verzeichnis:", 8, 16, 57);
    form.Edit1 = Eingabefeld(form.GroupBox1, "Pfad", 8, 32, 243);
    form.Label2 = Beschriftung(form.GroupBox1, "Dateigröße:", 8, 56, 55);
    form.Edit2 = Eingabefeld(form.GroupBox1, "Dateigröße", 72, 56, 179);

    form.GroupBox2 = Gruppe(&form, "Datei 2:", 3, 96, 257, 89);
    form.Label3 = Beschriftung(form.GroupBox2, "Verzeichnis:", 8, 16, 57);
    form.Edit3 = Eingabefeld(form.GroupBox2, "Pfad", 8, 32, 243);
    form.Label4 = Beschriftung(form.GroupBox2, "Dateigröße:", 8, 56, 55);
    form.Edit4 = Eingabefeld(form.GroupBox2, "Dateigröße", 72, 56, 179);

    form.GroupBox3 = Gruppe(&form, "Ausführen:", 3, 192, 257, 89);
    form.Label5 = Beschriftung(form.GroupBox3, "bearbeite Datei:", 8, 16, 75);
    form.CGauge1 = new TCGauge(form.GroupBox3);
    form.CGauge1->setGeometry(88, 10, 163, 20);
    // The percentage is XORed over the fill, so it shows in the fill's
    // complement; a highlight of middle brightness gives way to a darker
    // shade of itself, on which that complement is light and readable.
    form.CGauge1->SetForeColor(LesbareFuellfarbe(form.palette().color(QPalette::Highlight)));
    form.BitBtn1 = new QPushButton(QStringLiteral("&Start"), form.GroupBox3);
    form.BitBtn1->setGeometry(176, 56, 75, 25);
    form.BitBtn1->setIconSize(QSize(15, 15));
    form.BitBtn1->setIcon(LampeGruen());
    form.Edit5 = Eingabefeld(form.GroupBox3, "vergleichende Datei", 8, 32, 243);
    form.Edit6 = Eingabefeld(form.GroupBox3, "Status", 8, 56, 161);

    form.GroupBox4 = Gruppe(&form, "Ergebnis:", 3, 288, 257, 65);
    form.Label7 = Beschriftung(form.GroupBox4, "+:", 8, 16, 9);
    form.Label8 = Beschriftung(form.GroupBox4, "-:", 91, 16, 6);
    form.Label9 = Beschriftung(form.GroupBox4, "!:", 174, 16, 6);
    form.Edit7 = Eingabefeld(form.GroupBox4, "Anzahl von gleichen Dateien", 8, 32, 75);
    form.Edit8 = Eingabefeld(form.GroupBox4, "Anzahl von Dateien die keine gleichen Dateien besitzen", 91, 32, 75);
    form.Edit9 = Eingabefeld(form.GroupBox4, "Anzahl von Dateien die gleiche Dateien besitzen", 174, 32, 75);
}
