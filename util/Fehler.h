#pragma once

#include <stdexcept>
#include <string>

// The one exception type of the program. Only the few errors that are meant
// to reach the user's error box travel this way: a number that does not fit
// (ZahlLesen), a gauge bound that would cross the other, running out of memory.
// Its message is exactly the text the error box shows.
class EFehler : public std::runtime_error {
public:
    explicit EFehler(const std::string& meldung) : std::runtime_error(meldung) {}
};
