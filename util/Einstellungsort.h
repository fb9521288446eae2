#pragma once

// Where the settings file lives. Beside the executable, as it always did,
// wherever that file exists or can be created: a build folder or a portable
// copy keeps its settings with it and shares them with the programs beside
// it. A program installed where its user cannot write (/usr/bin) keeps them
// in the user's own configuration directory instead, in the same format.

#include <string>

// The settings file named dateiname for a program in programmVerzeichnis
// (ending with the separator):
// - programmVerzeichnis + dateiname when anything of that name is there
//   (a file, a link to a shared one, even something unusable: its save then
//   fails and says so, as it always did);
// - the same when the file can be created there and the program is not
//   installed (see Installiert): an installation's bin directory belongs to
//   the package manager, so not even root leaves a file in it. Whether it can
//   be created is tried by creating it and deleting it again;
// - otherwise dateiname in the per-user directory: $XDG_CONFIG_HOME/dubrinax/
//   (~/.config/dubrinax/), on Windows %APPDATA%\Dubrinax\. Both directories
//   are created when missing, for their owner alone. One that cannot be
//   created shows when the file is saved.
// Without any per-user directory known, the file beside the executable.
std::string EinstellungsortWaehlen(const std::string& programmVerzeichnis, const std::string& dateiname);
