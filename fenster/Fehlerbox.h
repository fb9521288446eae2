#pragma once

// The one place where an error that escaped a command becomes the error
// box. Errors travel as EFehler (or as the library's std::bad_alloc) up to
// the handler the user started; there they are shown and the program
// carries on.

#include <functional>
#include <string>

// The text the box shows for an error message: the message with a full stop
// added, unless it already ends in a sentence mark.
std::string FehlerboxText(const std::string& meldung);

// Runs aufgabe. An EFehler or another std::exception escaping it (running
// out of memory included) goes to anzeige as the box's text; then the
// caller carries on. False when that happened.
bool Abgesichert(const std::function<void()>& aufgabe, const std::function<void(const std::string& text)>& anzeige);
