#include "app/Formteile.h"

#include "app/Glyphe.h"
#include "app/Gruppe.h"
#include "controls/Cgauges.h"
#include "controls/Kontrast.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <algorithm>

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
    return feld;
}

void LinkeSpalteAnlegen(QWidget& form, TFormteile& teile)
{
    teile.GroupBox1 = Gruppe(&form, "Datei 1:", 3, 0, 257, 89);
    teile.Label1 = Beschriftung(teile.GroupBox1, "Verzeichnis:", 8, 16, 57);
    teile.Edit1 = Eingabefeld(teile.GroupBox1, "Pfad", 8, 32, 243);
    teile.Label2 = Beschriftung(teile.GroupBox1, "Dateigröße:", 8, 56, 55);
    teile.Edit2 = Eingabefeld(teile.GroupBox1, "Dateigröße", 72, 56, 179);

    teile.GroupBox2 = Gruppe(&form, "Datei 2:", 3, 96, 257, 89);
    teile.Label3 = Beschriftung(teile.GroupBox2, "Verzeichnis:", 8, 16, 57);
    teile.Edit3 = Eingabefeld(teile.GroupBox2, "Pfad", 8, 32, 243);
    teile.Label4 = Beschriftung(teile.GroupBox2, "Dateigröße:", 8, 56, 55);
    teile.Edit4 = Eingabefeld(teile.GroupBox2, "Dateigröße", 72, 56, 179);

    teile.GroupBox3 = Gruppe(&form, "Ausführen:", 3, 192, 257, 89);
    teile.Label5 = Beschriftung(teile.GroupBox3, "bearbeite Datei:", 8, 16, 75);
    teile.CGauge1 = new TCGauge(teile.GroupBox3);
    teile.CGauge1->setGeometry(88, 10, 163, 20);
    // The percentage is XORed over the fill, so it shows in the fill's
    // complement; a highlight of middle brightness gives way to a darker
    // shade of itself, on which that complement is light and readable.
    teile.CGauge1->SetForeColor(LesbareFuellfarbe(form.palette().color(QPalette::Highlight)));
    teile.BitBtn1 = new QPushButton(QStringLiteral("&Start"), teile.GroupBox3);
    teile.BitBtn1->setGeometry(176, 56, 75, 25);
    teile.BitBtn1->setIconSize(QSize(15, 15));
    teile.BitBtn1->setIcon(LampeGruen());
    teile.Edit5 = Eingabefeld(teile.GroupBox3, "vergleichende Datei", 8, 32, 243);
    teile.Edit6 = Eingabefeld(teile.GroupBox3, "Status", 8, 56, 161);

    teile.GroupBox4 = Gruppe(&form, "Ergebnis:", 3, 288, 257, 65);
    teile.Label7 = Beschriftung(teile.GroupBox4, "+:", 8, 16, 9);
    teile.Label8 = Beschriftung(teile.GroupBox4, "-:", 91, 16, 6);
    teile.Label9 = Beschriftung(teile.GroupBox4, "!:", 174, 16, 6);
    teile.Edit7 = Eingabefeld(teile.GroupBox4, "Anzahl von gleichen Dateien", 8, 32, 75);
    teile.Edit8 = Eingabefeld(teile.GroupBox4, "Anzahl von Dateien die keine gleichen Dateien besitzen", 91, 32, 75);
    teile.Edit9 = Eingabefeld(teile.GroupBox4, "Anzahl von Dateien die gleiche Dateien besitzen", 174, 32, 75);
}
