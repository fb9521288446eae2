#include "app/Filterdialog.h"

#include "fenster/Filterwerte.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
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
    const std::string fehler = FilterwerteFehler(neu);
    if (!fehler.empty()) {
        Hinweis->setText(Text(fehler));
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

bool FilterFragen(QWidget* eltern, TFilterwerte& werte)
{
    TFilterdialog dialog(werte, eltern);
    return dialog.exec() == QDialog::Accepted && dialog.Werte(werte);
}
