#pragma once

// The line under the result list: the space the "+" lines take (what
// removing them would free) and the count and size of the marked lines.
// Shown while the list has lines. A marking command changes the marks run
// by run; the text is written once, at the next message dispatch after.

#include <QLabel>

class TErgebnisliste;
class TMarkierung;

class TZusammenfassung : public QLabel {
    Q_OBJECT

public:
    // liste and marken (not owned) outlive the label: the window owns all three.
    TZusammenfassung(const TErgebnisliste& liste, const TMarkierung& marken, QWidget* eltern);

signals:
    // Shown or hidden: the window lays out the list again.
    void SichtbarkeitGeaendert();

private:
    void Vormerken();
    void Schreiben();

    const TErgebnisliste& liste_; // non-owning
    const TMarkierung& marken_;   // non-owning
    bool ausstehend_ = false;
};
