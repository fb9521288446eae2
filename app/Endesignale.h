#pragma once

// Saving at every end but a crash. A close saves by itself; these are the
// ends without one: a signal that asks the program to end (kill, the
// terminal closed, Ctrl-C, a logout that sends them) and the display going
// away, after which Qt ends the program through exit().

#include <QObject>

#include <functional>

class QSocketNotifier;

class TEndesignale : public QObject {
public:
    // sichern writes the settings as a close does, without any dialog. It
    // runs on the GUI thread: for a signal at the next look at the message
    // queue (a running search looks at fixed points), after which the
    // program ends with the signal's usual status; at an exit() while we
    // live, from within exit(). One object at a time.
    explicit TEndesignale(std::function<void()> sichern, QObject* eltern = nullptr);
    // From here on an exit() saves nothing more: the window is going.
    ~TEndesignale() override;
    TEndesignale(const TEndesignale&) = delete;
    TEndesignale& operator=(const TEndesignale&) = delete;

    // For long work that looks at no message queue (a search's walk, which
    // looks here between its entries): a signal that came is handled now,
    // saved and ended as at the next look at the queue. Nothing when none
    // came or no object lives.
    static void Nachsehen();

private:
    void SignalGekommen();
    static void BeimExit();

    std::function<void()> sichern_;
    QSocketNotifier* melder_ = nullptr; // non-owning: a child of ours
    int lesen_ = -1;                    // the pipe's read end, kept open for the process's life
};
