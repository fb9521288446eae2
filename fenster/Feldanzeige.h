#pragma once

// The window's fields and gauge as a session's state shows them, free of any
// toolkit: the texts of Edit2 and Edit4 to Edit9 are made here from the
// state's numbers and names, and nowhere else. The window shows the texts
// and sets the gauge; the core never sees a field.

#include "search/Suchsitzung.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

// The edit fields of the main window, by their names.
enum class TFeld { Edit1 = 1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9 };

// The question a stop request asks, and its title.
extern const char* const AbbruchFrage;
extern const char* const AbbruchTitel;

// The text a field shows for a state; Edit1 and Edit3, the directories,
// are the user's and have none.
std::string Feldtext(TFeld feld, const TSuchstand& stand);

class TFeldanzeige {
public:
    TFeldanzeige();

    // The text a field holds now, byte for byte.
    const std::string& Text(TFeld feld) const { return texte_[static_cast<size_t>(feld)]; }
    // Writes a field as the window does (the directories, or a test).
    void Setzen(TFeld feld, const std::string& text);

    // Takes a new state: the fields whose part of it changed get their new
    // text. A search polls often and mostly moves one number: only that
    // field's text is made again.
    void StandZeigen(const TSuchstand& stand);

    // The fields written with a new text since the last call, then forgotten:
    // the window shows them at its next dispatch.
    std::bitset<10> AusstehendeNehmen();

    // The gauge as the state last set it.
    int32_t Fortschritt() const { return letzter_.fortschritt; }
    int32_t Maximum() const { return letzter_.maximum; }

private:
    void Schreiben(TFeld feld, std::string text);
    bool Geaendert(TFeld feld, bool teilGeaendert);

    std::array<std::string, 10> texte_{};
    std::bitset<10> ausstehend_;
    // A field holds its text for letzter_: set by the first state, lost
    // when someone else writes it.
    std::bitset<10> gueltig_;
    TSuchstand letzter_;
};
