#pragma once

// The real main window with its modal parts answered by the test: the
// questions and messages are recorded and answered from queues, the
// directory dialog takes prepared names, the screen size can be set.

#include "app/Unit1.h"

#include <QSize>

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TTestfenster : public TForm1 {
public:
    using TForm1::TForm1;

    // Set by a test to replace the primary screen's size.
    std::optional<QSize> schirm;

    // Recorded boxes: (text, title).
    std::vector<std::pair<std::string, std::string>> fragen;
    std::vector<std::pair<std::string, std::string>> meldungen;
    // The answer to the stop question, and what happens while it is shown.
    bool antwortJa = true;
    std::function<void()> beiFrage;

    // Answers for the directory dialog, in order: a name, or nullopt for
    // Cancel. The names the dialog started from are recorded.
    std::deque<std::optional<std::string>> dialogAntworten;
    std::vector<std::string> dialogStartnamen;
    std::vector<std::string> dialogTitel;

    // The lists of refused lines the window showed: (title, entries).
    std::vector<TEintragsMeldung> abgelehnt;

    int aboutBoxGezeigt = 0;
    int beendet = 0;

    // Public access to the protected operations a test drives directly.
    using TForm1::closeEvent;
    using TForm1::FundArtSetzen;

    // A line as a search of Edit1 against Edit3 writes it for the file the
    // text names after its prefix ("- ", "! " or "+     ").
    void ListeAnhaengen(const std::string& zeile)
    {
        const char art = zeile.empty() ? '-' : zeile[0];
        const std::string pfad = zeile.substr(std::min(zeile.size(), size_t{art == '+' ? 6u : 2u}));
        FundeSchreiben().VerzeichnisseSetzen(FeldText(TFeld::Edit1), FeldText(TFeld::Edit3));
        plattform::TQuellStand stand;
        const bool bekannt = plattform::QuellStandLesen(pfad, stand);
        FundAnhaengen(FundeSchreiben().Aufnehmen(art, art == '+', pfad, bekannt ? &stand : nullptr));
    }

protected:
    QSize BildschirmGroesse() const override { return schirm ? *schirm : TForm1::BildschirmGroesse(); }

    bool JaNeinFrage(const std::string& text, const std::string& titel) override
    {
        fragen.emplace_back(text, titel);
        if (beiFrage)
            beiFrage();
        return antwortJa;
    }

    void Meldung(const std::string& text, const std::string& titel) override { meldungen.emplace_back(text, titel); }
    void AbgelehnteMelden(const TEintragsMeldung& meldung) override { abgelehnt.push_back(meldung); }

    bool OpenDialog1Execute() override
    {
        dialogStartnamen.push_back(OpenDialog1.FileName);
        dialogTitel.push_back(OpenDialog1.Titel);
        if (dialogAntworten.empty())
            return false;
        const std::optional<std::string> antwort = dialogAntworten.front();
        dialogAntworten.pop_front();
        if (!antwort)
            return false;
        OpenDialog1.FileName = *antwort;
        return true;
    }

    void AboutBoxZeigen() override { ++aboutBoxGezeigt; }
    void Beenden() override { ++beendet; }
};
