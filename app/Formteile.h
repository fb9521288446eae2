#pragma once

// The components of the main window as the form was drawn: group boxes,
// labels and read-only edit fields at their designed places and sizes, the
// gauge and the Start button, the list and its pop-up menu, by their
// designed names; and what we added: the lines under the list, the list's
// rows for Qt's view, the menu's entries by command.

#include "fenster/Befehle.h"

#include <utility>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;
class TAboutBox;
class TCGauge;
class TErgebnisansicht;
class TListenmodell;

// The designed height of a line of text, in the labels as in the list.
constexpr int Zeilenhoehe = 13;

// The components, non-owning: Qt's parent chain owns them.
struct TFormteile {
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLineEdit* Edit9 = nullptr;
    TCGauge* CGauge1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    TErgebnisansicht* ListBox1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    // The about box; may be null.
    TAboutBox* AboutBox = nullptr;
    // Under the list: the note of what could not be read, and the summary line.
    QLabel* HinweisNichtGelesen = nullptr;
    QLabel* Zusammenfassung = nullptr;
    // The list's rows for Qt's view.
    TListenmodell* Listenmodell = nullptr;
    // The pop-up menu's entries by command; the menu owns them.
    std::vector<std::pair<TBefehl, QAction*>> Aktionen;

    // The menu's entry of a command; null for a command without one.
    QAction* Aktion(TBefehl befehl) const
    {
        for (const auto& [b, aktion] : Aktionen)
            if (b == befehl)
                return aktion;
        return nullptr;
    }
};

QGroupBox* Gruppe(QWidget* eltern, const char* titel, int x, int y, int b, int h);
// Labels take the width of their text, as on the form they were drawn on,
// so that no font cuts them; the designed width is the least they get.
QLabel* Beschriftung(QWidget* eltern, const char* text, int x, int y, int b);
// A read-only field with its tool tip.
QLineEdit* Eingabefeld(QWidget* eltern, const char* hinweis, int x, int y, int b);

// The left column of the form on form: the two files' group boxes, the
// run's with its gauge and Start button, and the result's counters, as drawn.
void LinkeSpalteAnlegen(QWidget& form, TFormteile& teile);
