#pragma once

// The result list's commands beyond the designed ones: open a line's file
// or its folder, send marked files to the trash, save the list as CSV or
// JSON, and the filter of the window's search. They add their entries to
// the window's pop-up menu after the others, and act through the window's
// public operations; the desktop and the modal parts are functions that
// tests replace.

#include "app/Eintragsliste.h"
#include "app/Fenstereinstellungen.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <string>

class QAction;
class QMenu;
class QUrl;
class TForm1;

class TListenaktionen : public QObject {
    Q_OBJECT

public:
    // Adds the entries to fenster.PopupMenu1 and opens a line's file on
    // Enter or a double-click. We are the window's Qt child.
    explicit TListenaktionen(TForm1& fenster);

    // The desktop's default application for a file or folder.
    std::function<bool(const QUrl& adresse)> Oeffnen;
    // A question with "Ja" and "Nein"; true for "Ja".
    std::function<bool(const std::string& text, const std::string& titel)> Fragen;
    // A message with OK.
    std::function<void(const std::string& text, const std::string& titel)> Melden;
    // The lines the trash refused, with their reasons (by default the
    // window's list of them).
    std::function<void(const TEintragsMeldung& abgelehnt)> AbgelehnteZeigen;
    // The file to save the list in, bytes as the file system names it;
    // empty when the user cancelled.
    std::function<std::string()> SpeicherortFragen;
    // The filter dialog over werte; false when cancelled.
    std::function<bool(TFilterwerte& werte)> FilterAendern;

    // The menu entries; non-owning, the menu owns them.
    QAction* DateiOeffnen1 = nullptr;
    QAction* OrdnerOeffnen1 = nullptr;
    QAction* InDenPapierkorb1 = nullptr;
    QAction* ListeSpeichern1 = nullptr;
    QAction* Filter1 = nullptr;
    // The list in another order, its groups whole.
    QAction* ListeNachPfad1 = nullptr;
    QAction* ListeNachGroesse1 = nullptr;

    // The handlers, run as the window's commands.
    void DateiOeffnen1Click();
    void OrdnerOeffnen1Click();
    void ZeileOeffnen(uint32_t zeile);
    void InDenPapierkorb1Click();
    void ListeSpeichern1Click();
    void Filter1Click();

    // The filter as the user wrote it, which the settings keep; setting it
    // gives the window's search its filter. A minimum size that does not
    // read is dropped.
    const TFilterwerte& Filterwerte() const { return filter_; }
    void FilterSetzen(const TFilterwerte& werte);

    // The URL of a file path's bytes, also for a name that is no UTF-8.
    static QUrl DateiAdresse(const std::string& pfad);

private:
    void SortierEintraegeAnhaengen(QMenu* menue);
    bool AktuelleZeile(uint32_t& zeile) const;

    TForm1& fenster_; // non-owning, our Qt parent
    TFilterwerte filter_;
};
