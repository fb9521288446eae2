#pragma once

#include <string>

class TNamensDialog;
class QWidget;

// The window's file-open dialog OpenDialog1. It is used to choose
// directories: the caller takes the directory part of the chosen name, which
// need not exist. Keeps the last name between runs, so a second run starts
// where the first one ended.
class TOpenDialog {
public:
    // The name the dialog starts from and, after OK, the chosen one: bytes
    // as the file system names them.
    std::string FileName;
    // What the dialog asks for, as its title; empty leaves the toolkit's.
    std::string Titel;

    // Shows the dialog modally over eltern. True on OK, with FileName set.
    bool Execute(QWidget* eltern);

    // Gives a dialog our settings: names that need not exist, the filter,
    // the title, FileName preset.
    void Einrichten(TNamensDialog& dialog) const;

    // Takes the name an accepted dialog gives into FileName; false when it
    // gives none.
    bool Uebernehmen(const TNamensDialog& dialog);
};

// The filter entry as the dialog shows it, and the patterns it stands for.
// "*.*" is what users know from Windows, where it means every file; here a
// name needs no dot, so the entry lists everything.
inline constexpr const char* FilterText = "Alle Dateien (*.*)";
