#include "app/Filterdialog.h"

#include "search/Filter.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString Text(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TFilterdialog::TFilterdialog(const TFilterwerte& werte, QWidget* eltern) : QDialog(eltern)
{
    setWindowTitle(QStringLiteral("Filter"));
    QString zeilen;
    for (const std::string& muster : werte.muster)
        zeilen += Text(muster) + QLatin1Char('\n');
    Muster = new QPlainTextEdit(zeilen, this);
    Muster->setObjectName(QStringLiteral("Muster"));
    // A pattern holds no tab: Tab goes on to the size, as in any form.
    Muster->setTabChangesFocus(true);
    Muster->setToolTip(QString::fromUtf8("Namen wie *.tmp, Pfade wie cache/ oder /build/; * ? und [a-z] gelten"));
    Mindestgroesse = new QLineEdit(Text(werte.mindestgroesse), this);
    Mindestgroesse->setObjectName(QStringLiteral("Mindestgroesse"));
    Mindestgroesse->setPlaceholderText(QString::fromUtf8("z. B. 100K, 5M, 1G"));
    Hinweis = new QLabel(this);

    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &TFilterdialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &TFilterdialog::reject);

    auto* felder = new QFormLayout;
    felder->addRow(QString::fromUtf8("Auslassen (ein Muster je Zeile):"), Muster);
    felder->addRow(QString::fromUtf8("Mindestgröße:"), Mindestgroesse);
    auto* aufbau = new QVBoxLayout(this);
    aufbau->addLayout(felder);
    aufbau->addWidget(Hinweis);
    aufbau->addWidget(knoepfe);
}

bool TFilterdialog::Werte(TFilterwerte& werte) const
{
    TFilterwerte neu;
    for (const QString& zeile : Muster->toPlainText().split(QLatin1Char('\n'))) {
        // Blanks around a pattern are a typing accident far more often than
        // part of a name.
        const QByteArray muster = zeile.trimmed().toUtf8();
        if (!muster.isEmpty())
            neu.muster.emplace_back(muster.constData(), static_cast<size_t>(muster.size()));
    }
    const QByteArray groesse = Mindestgroesse->text().trimmed().toUtf8();
    neu.mindestgroesse.assign(groesse.constData(), static_cast<size_t>(groesse.size()));
    int64_t bytes = 0;
    if (!neu.mindestgroesse.empty() && !GroesseLesen(neu.mindestgroesse, bytes)) {
        Hinweis->setText(QString::fromUtf8("Mindestgröße: eine Zahl, danach K, M oder G (z. B. 100K)"));
        return false;
    }
    // Kept in the settings file, which is read only up to a size: a filter
    // beyond what our section may take would cost position and directories
    // at the next start.
    const size_t laenge = FilterLaenge(neu);
    if (laenge > FilterHoechstens) {
        const QLocale deutsch(QLocale::German);
        Hinweis->setText(QString::fromUtf8("Der Filter ist zu groß zum Speichern: höchstens %1 Bytes (1 MiB), "
                                           "dieser hat %2 Bytes")
                             .arg(deutsch.toString(static_cast<qulonglong>(FilterHoechstens)),
                                  deutsch.toString(static_cast<qulonglong>(laenge))));
        return false;
    }
    werte = std::move(neu);
    return true;
}

void TFilterdialog::accept()
{
    TFilterwerte werte;
    if (Werte(werte))
        QDialog::accept();
}

bool FilterBauen(const TFilterwerte& werte, TFilter& filter)
{
    filter = TFilter();
    for (const std::string& muster : werte.muster)
        filter.MusterHinzufuegen(muster);
    int64_t groesse = 0;
    if (werte.mindestgroesse.empty())
        return true;
    if (!GroesseLesen(werte.mindestgroesse, groesse))
        return false;
    filter.MindestgroesseSetzen(groesse);
    return true;
}

bool FilterFragen(QWidget* eltern, TFilterwerte& werte)
{
    TFilterdialog dialog(werte, eltern);
    return dialog.exec() == QDialog::Accepted && dialog.Werte(werte);
}
