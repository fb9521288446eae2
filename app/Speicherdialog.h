#pragma once

// The dialog that asks where the list is saved.

#include <string>

class QWidget;

// A file to save the list in, bytes as the file system names it, JSON
// offered first; starts in the user's home directory. Empty when cancelled.
std::string SpeicherortWaehlen(QWidget* eltern);
