#include "app/Fensterbeobachter.h"

#include "app/Endesignale.h"
#include "app/Ergebnisliste.h"
#include "app/Formteile.h"
#include "app/Unit1.h"
#include "controls/Cgauges.h"

#include <QAction>
#include <QByteArray>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QVariant>

namespace {

QByteArray Bytes(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// The core's texts are UTF-8 on every platform; bytes that are not show as
// replacement characters, and the field keeps them besides.
QString Anzeige(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QLineEdit* TFensterbeobachter::Feld(TFeld feld) const
{
    switch (feld) {
    case TFeld::Edit1: return fenster_.Edit1;
    case TFeld::Edit2: return fenster_.Edit2;
    case TFeld::Edit3: return fenster_.Edit3;
    case TFeld::Edit4: return fenster_.Edit4;
    case TFeld::Edit5: return fenster_.Edit5;
    case TFeld::Edit6: return fenster_.Edit6;
    case TFeld::Edit7: return fenster_.Edit7;
    case TFeld::Edit8: return fenster_.Edit8;
    case TFeld::Edit9: return fenster_.Edit9;
    }
    return nullptr;
}

void TFensterbeobachter::FeldAnzeigen(TFeld feld)
{
    QLineEdit* edit = Feld(feld);
    const std::string& text = fenster_.felder_.Text(feld);
    edit->setProperty(RohdatenEigenschaft, Bytes(text));
    edit->setText(Anzeige(text));
    // Long paths show their beginning, where the tree's name stands.
    edit->setCursorPosition(0);
}

void TFensterbeobachter::Anzeigen()
{
    const auto ausstehend = fenster_.felder_.AusstehendeNehmen();
    for (size_t index = 1; index < ausstehend.size(); ++index)
        if (ausstehend.test(index))
            FeldAnzeigen(static_cast<TFeld>(index));
    // The lines found since the last dispatch, in one insertion.
    fenster_.Ergebnisliste->Zeigen();
}

void TFensterbeobachter::StandGeaendert(const TSuchstand& stand)
{
    fenster_.felder_.StandZeigen(stand);
    if (!fenster_.Beschaeftigt())
        Anzeigen();
    // The gauge paints only what changed, at once, as it always did.
    TCGauge& gauge = *fenster_.CGauge1;
    if (gauge.MaxValue() != stand.maximum)
        gauge.SetMaxValue(stand.maximum);
    if (gauge.Progress() != stand.fortschritt)
        gauge.SetProgress(stand.fortschritt);
}

void TFensterbeobachter::NachrichtenVerarbeiten()
{
    fenster_.NachrichtenVerarbeiten();
}

bool TFensterbeobachter::UnterbrechungNachsehen()
{
    // A close waits for the walk's end as it always has; a signal does not.
    TEndesignale::Nachsehen();
    return false;
}

void TFensterbeobachter::BefehlBeendet()
{
    Anzeigen();
    const size_t anzahl = fenster_.Uebersprungen().size();
    fenster_.HinweisNichtGelesen->setText(
        QString::fromUtf8("%1 %2 nicht gelesen – siehe Kontextmenü der Liste")
            .arg(anzahl)
            .arg(anzahl == 1 ? QString::fromUtf8("Eintrag") : QString::fromUtf8("Einträge")));
    fenster_.HinweisNichtGelesen->setVisible(anzahl > 0);
    fenster_.NichtGeleseneAnzeigen1->setEnabled(anzahl > 0);
    fenster_.ListeAnordnen();
}

void TFensterbeobachter::FundeGeleert()
{
    fenster_.Ergebnisliste->Geleert();
}

void TFensterbeobachter::FundAngehaengt(uint32_t index)
{
    fenster_.Ergebnisliste->Angehaengt(index);
    if (!fenster_.Beschaeftigt())
        fenster_.Ergebnisliste->Zeigen();
}

void TFensterbeobachter::FundGeaendert(uint32_t index)
{
    fenster_.Ergebnisliste->Geaendert(index);
}
