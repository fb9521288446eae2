#pragma once

// The small dialog behind "Filter…": the patterns that leave entries out of
// the search, one per line, and the minimum size of a file to compare.

#include "app/Fenstereinstellungen.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TFilter;

class TFilterdialog : public QDialog {
    Q_OBJECT

public:
    // Shows werte for editing.
    explicit TFilterdialog(const TFilterwerte& werte, QWidget* eltern = nullptr);

    // What the fields say now; false, with the reason under the fields,
    // when the minimum size does not read or the filter is too large to be
    // kept in the settings (FilterHoechstens).
    bool Werte(TFilterwerte& werte) const;

    void accept() override;

    // Non-owning, we are their Qt parent.
    QPlainTextEdit* Muster = nullptr;
    QLineEdit* Mindestgroesse = nullptr;
    QLabel* Hinweis = nullptr;
};

// The search's filter for werte; false when the minimum size does not read
// (then filter leaves nothing out by size).
bool FilterBauen(const TFilterwerte& werte, TFilter& filter);

// Runs the dialog over eltern; true on OK with werte set.
bool FilterFragen(QWidget* eltern, TFilterwerte& werte);
