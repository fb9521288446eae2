#pragma once

// What the command-line front end asks of the system's console, chosen per
// platform by the build: KonsolePosix.cpp or KonsoleWindows.cpp.

#include <string>
#include <vector>

// The program's arguments after its name, as UTF-8 texts on every platform.
std::vector<std::string> KonsoleArgumente(int argc, char** argv);

// Prepares the console for what we print (UTF-8 texts, the escape sequences
// of the progress display) and puts it back at exit. True when stderr is a
// terminal that can show the one-line progress display.
bool KonsoleEinrichten();

// The first Ctrl-C (and on POSIX the first SIGTERM or SIGHUP, which a
// closed terminal or a stopping service sends) calls melden with the
// signal's number instead of ending the program; a second one ends it at
// once, as users expect. melden may run in a signal handler or in a thread
// of the system's, so it may only set lock-free atomics.
void UnterbrechungAbfangen(void (*melden)(int signal));
