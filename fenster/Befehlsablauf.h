#pragma once

// How the window runs what the user starts, and how a close waits for it.
// A command's errors go to the error box and the window carries on. The
// long commands handle messages while they run, so a close can arrive with
// a command below it in the same call stack: the window then stays until
// that command has returned (it may still ask whether to stop, and a modal
// box needs a running application), and the program ends afterwards.

#include <functional>
#include <string>

class TBefehlsablauf {
public:
    // laeuft: whether a command runs now; beenden: ends the program;
    // fehler: shows the error box's text.
    TBefehlsablauf(std::function<bool()> laeuft, std::function<void()> beenden,
                   std::function<void(const std::string& text)> fehler)
        : laeuft_(std::move(laeuft)), beenden_(std::move(beenden)), fehler_(std::move(fehler))
    {
    }

    // Runs a handler the user started; a close that waited for it ends the
    // program afterwards.
    void Ausfuehren(const std::function<void()>& handler);

    // At a close, once the window has done what a close does (schliessen,
    // whose errors go to the box as well): true when the window may go now,
    // false when it waits for the running command.
    bool Schliessen(const std::function<void()>& schliessen);

    // True when the window was closed while a command ran.
    bool BeendenAngefordert() const { return beendenAngefordert_; }

private:
    std::function<bool()> laeuft_;
    std::function<void()> beenden_;
    std::function<void(const std::string&)> fehler_;
    bool beendenAngefordert_ = false;
};
