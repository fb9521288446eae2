#pragma once

// Where the program finds the files it ships besides its executables (the
// Start button's lamps). A build folder or a portable copy keeps them beside
// the executable; an installation keeps them in its data directory
// (share/dubrinax beside the bin directory), which the build names relative
// to the executable's directory, so an installation may be moved as a whole.

#include <string>

// The installed data directory of a program in programmVerzeichnis (ending
// with the separator), ending with the separator. Derived by name alone:
// "/usr/bin/" gives "/usr/share/dubrinax/", whether it exists or not.
std::string DatenVerzeichnis(const std::string& programmVerzeichnis);

// True when programmVerzeichnis belongs to an installation: its data
// directory exists.
bool Installiert(const std::string& programmVerzeichnis);

// The file name beside the executable when it is an existing file there,
// else the same name in the data directory. That is the last place looked
// at, so a file missing from both is reported there.
std::string DatenDatei(const std::string& programmVerzeichnis, const std::string& name);
