#pragma once

// The window's modal boxes for the core's questions and messages: no icon,
// German buttons whether or not Qt's translations are installed. The texts
// are the core's UTF-8.

#include <string>

class QWidget;

// Asks text under titel with "Ja" (the default) and "Nein"; true for "Ja".
bool JaNeinFragen(QWidget* eltern, const std::string& text, const std::string& titel);

// Shows text under titel with an OK button, and waits for it.
void MeldungZeigen(QWidget* eltern, const std::string& text, const std::string& titel);
