#pragma once

// Runs one command as a child process and measures it as a whole: wall time
// from fork to reaping, and the resident peak the kernel kept for it
// (wait4's ru_maxrss). A command that outlives its time limit is killed
// with its process group and reported as such.

#include <string>
#include <vector>

namespace bench {

struct TMessung {
    bool gestartet = false;     // false: the program could not be executed
    bool zuLang = false;        // killed at the time limit
    int exitCode = -1;          // valid when it exited by itself
    int signal = 0;             // the signal that ended it, if one did
    double sekunden = 0;        // wall time
    long spitzeKiB = 0;         // resident peak; a lower bound when zuLang
};

// Call once before the first Messen: blocks SIGCHLD so that the waiting in
// Messen cannot miss a child's end.
void ProzesseVorbereiten();

// Runs argv[0] (looked up in PATH) with argv in the directory arbeit, stdin
// from /dev/null, stdout and stderr into the files ausgabe and meldungen
// (truncated). limit <= 0: no limit.
TMessung Messen(const std::vector<std::string>& argv, const std::string& arbeit,
                const std::string& ausgabe, const std::string& meldungen, double limit);

// The full path of an executable found through PATH (or the name itself
// when it holds a '/' and is executable); empty when there is none.
std::string ProgrammFinden(const std::string& name);

} // namespace bench
