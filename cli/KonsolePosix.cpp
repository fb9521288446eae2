#include "cli/Konsole.h"

#include <csignal>
#include <unistd.h>

namespace {

void (*gemeldet)() = nullptr;

void BeiSignal(int)
{
    gemeldet();
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

void UnterbrechungAbfangen(void (*melden)())
{
    gemeldet = melden;
    struct sigaction aktion {};
    aktion.sa_handler = BeiSignal;
    // The handler runs once; then SIGINT has its default action again.
    aktion.sa_flags = SA_RESETHAND;
    sigemptyset(&aktion.sa_mask);
    sigaction(SIGINT, &aktion, nullptr);
}
