#pragma once

// The program's main window, built, opened where the settings say and run
// until it closes; the application object must exist. An error while it is
// built is shown in the error box. Returns the program's exit status.
int HauptfensterAusfuehren();
