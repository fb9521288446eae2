#pragma once

// The small dialog behind "Filter…": the patterns that leave entries out of
// the search, one per line, and the minimum size of a file to compare.

#include "fenster/Fenstereinstellungen.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

class TFilterdialog : public QDialog {
    Q_OBJECT

public:
    // Shows werte for editing.
    explicit TFilterdialog(const TFilterwerte& werte, QWidget* eltern = nullptr);

    // What the fields say now; false, with the reason under the fields,
    // when the filter may not be taken (FilterwerteFehler: a minimum size
    // that does not read, a filter too large to be kept in the settings).
    bool Werte(TFilterwerte& werte) const;

    void accept() override;

    // Non-owning, we are their Qt parent.
    QPlainTextEdit* Muster = nullptr;
    QLineEdit* Mindestgroesse = nullptr;
    QLabel* Hinweis = nullptr;
};

// Runs the dialog over eltern; true on OK with werte set.
bool FilterFragen(QWidget* eltern, TFilterwerte& werte);
