#pragma once

// The result list's commands over the files its lines name: copy and move
// ("nach…", "von… nach…"), open a line's file or its folder, the marked
// files into the trash, the list saved as CSV or JSON, and the filter of the
// window's search. Each takes what it acts on once, when it starts; the
// dialogs and questions are the face's.

#include "fenster/Fenstereinstellungen.h"

#include <cstdint>
#include <string>

class TErgebnisliste;
class TMarkierung;
class TOberflaeche;
class TSuchsitzung;

class TListenbefehle {
public:
    // All non-owning; the window's logic owns them and us. dialogName is the
    // directory dialog's name, kept between its runs.
    TListenbefehle(TSuchsitzung& sitzung, const TErgebnisliste& liste, const TMarkierung& marken,
                   TOberflaeche& flaeche, std::string& dialogName)
        : sitzung_(sitzung), liste_(liste), marken_(marken), flaeche_(flaeche), dialogName_(dialogName)
    {
    }
    TListenbefehle(const TListenbefehle&) = delete;
    TListenbefehle& operator=(const TListenbefehle&) = delete;

    // The "nach…" and (vonNach) "von… nach…" commands over the marked lines.
    void Kopieren(bool vonNach, bool verschieben);
    // A line's file, or the folder holding it, with the desktop.
    void DateiOeffnen(uint32_t zeile);
    void OrdnerOeffnen(uint32_t zeile);
    // The marked lines' files into the trash, after a question.
    void InDenPapierkorb();
    // The list into a file the user names.
    void ListeSpeichern();
    // The filter dialog; what it gives becomes the search's filter.
    void FilterAendern();

    // The filter as the user wrote it, which the settings keep; setting it
    // gives the session's search its filter. A minimum size that does not
    // read is dropped.
    const TFilterwerte& Filterwerte() const { return filter_; }
    void FilterSetzen(const TFilterwerte& werte);

private:
    // The directory part of the name the directory dialog confirms; empty
    // when cancelled.
    bool VerzeichnisFragen(const std::string& titel, std::string& verzeichnis);
    void MitDemDesktop(const std::string& pfad);

    TSuchsitzung& sitzung_;
    const TErgebnisliste& liste_;
    const TMarkierung& marken_;
    TOberflaeche& flaeche_;
    std::string& dialogName_;
    TFilterwerte filter_;
};
