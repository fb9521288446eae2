#pragma once

// The program's standard error box, and the one place where an error that
// escaped a command becomes that box. Errors travel as EFehler (or as the
// library's std::bad_alloc) up to the handler that the user started; there
// they are shown and the program carries on.

#include <functional>
#include <string>

// The text the box shows for an error message: the message with a full stop
// added, unless it already ends in a sentence mark.
std::string FehlerboxText(const std::string& meldung);

// Where error boxes go: by default the modal box with the error icon, the
// title "Dubrinax" and an OK button. Tests put a recorder here.
std::function<void(const std::string& text)>& FehlerAnzeige();

// Runs aufgabe. An EFehler or another std::exception escaping it (running out
// of memory included) goes to the error box; then the caller carries on.
// False when that happened.
bool Abgesichert(const std::function<void()>& aufgabe);
