#include "cli/Konsole.h"

#include <csignal>
#include <unistd.h>

namespace {

void (*gemeldet)(int) = nullptr;

void BeiSignal(int signal)
{
    gemeldet(signal);
}

} // namespace

std::vector<std::string> KonsoleArgumente(int argc, char** argv)
{
    // The bytes as given: a name need not be valid UTF-8 here, and it must
    // reach the file system unchanged.
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool KonsoleEinrichten()
{
    return ::isatty(STDERR_FILENO) == 1;
}

void UnterbrechungAbfangen(void (*melden)(int))
{
    gemeldet = melden;
    struct sigaction aktion {};
    aktion.sa_handler = BeiSignal;
    // The handler runs once; then the signal has its default action again.
    // A write to a full pipe that the signal interrupts goes on where it
    // was (SA_RESTART; stdio continues a write cut short), so that what
    // is printed stays whole records.
    aktion.sa_flags = SA_RESETHAND | SA_RESTART;
    sigemptyset(&aktion.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &aktion, nullptr);
}
