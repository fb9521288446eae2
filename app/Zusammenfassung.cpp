#include "app/Zusammenfassung.h"

#include "app/Ergebnisliste.h"
#include "app/Groessentext.h"
#include "app/Markierung.h"

TZusammenfassung::TZusammenfassung(const TErgebnisliste& liste, const TMarkierung& marken, QWidget* eltern)
    : QLabel(eltern), liste_(liste), marken_(marken)
{
    setObjectName(QStringLiteral("Zusammenfassung"));
    setToolTip(QString::fromUtf8("Platz, den die gleichen Dateien (+) belegen; Anzahl und Größe der markierten Dateien, jede einmal gezählt"));
    hide();
    connect(&marken, &TMarkierung::Geaendert, this, &TZusammenfassung::Vormerken);
    connect(&liste, &TErgebnisliste::Gezeigt, this, &TZusammenfassung::Vormerken);
}

void TZusammenfassung::Vormerken()
{
    if (ausstehend_)
        return;
    ausstehend_ = true;
    QMetaObject::invokeMethod(this, &TZusammenfassung::Schreiben, Qt::QueuedConnection);
}

void TZusammenfassung::Schreiben()
{
    ausstehend_ = false;
    setText(QString::fromUtf8("+ belegen %1; markiert: %2 (%3)")
                .arg(Groessentext(liste_.PlusBytes()))
                .arg(marken_.Anzahl())
                .arg(Groessentext(marken_.Bytes())));
    const bool zeigen = liste_.rowCount() > 0;
    if (zeigen != isVisibleTo(parentWidget())) {
        setVisible(zeigen);
        emit SichtbarkeitGeaendert();
    }
}
