#pragma once

// Files and folders opened with the desktop's default application.

#include <QUrl>

#include <string>

// The URL of a file path's bytes, also for a name that is no UTF-8.
QUrl DateiAdresse(const std::string& pfad);

// Opens pfad with the desktop; false when nothing opened it.
bool MitDemDesktopOeffnen(const std::string& pfad);
