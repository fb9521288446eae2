#pragma once

// The components of the main window as the form was drawn: group boxes,
// labels and read-only edit fields at their designed places and sizes.

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;
class TForm1;

// The property of an edit field that holds its bytes: the text on screen is
// only their picture, and paths come back byte for byte.
extern const char* const RohdatenEigenschaft;

// The designed height of a line of text, in the labels as in the list.
constexpr int Zeilenhoehe = 13;

QGroupBox* Gruppe(QWidget* eltern, const char* titel, int x, int y, int b, int h);
// Labels take the width of their text, as on the form they were drawn on,
// so that no font cuts them; the designed width is the least they get.
QLabel* Beschriftung(QWidget* eltern, const char* text, int x, int y, int b);
// A read-only field with its tool tip, keeping its bytes beside its text.
QLineEdit* Eingabefeld(QWidget* eltern, const char* hinweis, int x, int y, int b);

// The left column of the form: the two files' group boxes, the run's with
// its gauge and Start button, and the result's counters, as drawn.
void LinkeSpalteAnlegen(TForm1& form);
