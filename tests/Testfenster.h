#pragma once

// The real main window with its modal parts answered by the test: the
// questions, messages and error boxes are recorded and answered from
// queues, the directory dialog takes prepared names, the screen size can
// be set, what the desktop would open is recorded as its URL.

#include "app/Desktop.h"
#include "app/Unit1.h"

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TTestformflaeche : public TFormflaeche {
public:
    using TFormflaeche::TFormflaeche;

    // Set by a test to replace the primary screen's size.
    std::optional<TGroesse> schirm;
    // Recorded boxes: (text, title), and the error boxes' texts.
    std::vector<std::pair<std::string, std::string>> fragen, meldungen;
    std::vector<std::string> fehlerboxen, geoeffnet;
    // The answer to the questions.
    bool antwortJa = true;
    // Answers for the directory dialog, in order: a name, or nullopt for
    // Cancel. The names the dialog started from are recorded.
    std::deque<std::optional<std::string>> dialogAntworten;
    std::vector<std::string> dialogStartnamen;
    int aboutBoxGezeigt = 0;
    int beendet = 0;

    TGroesse BildschirmGroesse() const override { return schirm ? *schirm : TFormflaeche::BildschirmGroesse(); }
    bool JaNeinFrage(const std::string& text, const std::string& titel) override
    {
        fragen.emplace_back(text, titel);
        return antwortJa;
    }
    void Meldung(const std::string& text, const std::string& titel) override { meldungen.emplace_back(text, titel); }
    void FehlerZeigen(const std::string& text) override { fehlerboxen.push_back(text); }
    std::optional<std::string> VerzeichnisWaehlen(const std::string&, const std::string& vorgabe) override
    {
        dialogStartnamen.push_back(vorgabe);
        if (dialogAntworten.empty())
            return std::nullopt;
        const std::optional<std::string> antwort = dialogAntworten.front();
        dialogAntworten.pop_front();
        return antwort;
    }
    bool MitDemDesktopOeffnen(const std::string& pfad) override
    {
        geoeffnet.push_back(DateiAdresse(pfad).toEncoded().toStdString());
        return true;
    }
    void AboutBoxZeigen() override { ++aboutBoxGezeigt; }
    void Beenden() override { ++beendet; }
};

class TTestfenster : public TForm1 {
public:
    explicit TTestfenster(std::string programmVerzeichnis)
        : TForm1(std::move(programmVerzeichnis), nullptr,
                 [](QWidget& fenster, const TFormteile& teile, TFensterrahmen& rahmen, std::function<void()> anordnen) {
                     return std::make_unique<TTestformflaeche>(fenster, teile, rahmen, std::move(anordnen));
                 })
    {
    }

    // What the logic asked and showed, and the answers it gets.
    TTestformflaeche& flaeche = static_cast<TTestformflaeche&>(Flaeche());

    using TForm1::closeEvent;

    // A line as a search of Edit1 against Edit3 writes it for the file the
    // text names after its prefix ("- ", "! " or "+     ").
    void ListeAnhaengen(const std::string& zeile)
    {
        const char art = zeile.empty() ? '-' : zeile[0];
        const std::string pfad = zeile.substr(std::min(zeile.size(), size_t{art == '+' ? 6u : 2u}));
        TSuchsitzung& sitzung = Logik().Sitzung();
        sitzung.FundeSchreiben().VerzeichnisseSetzen(Logik().FeldText(TFeld::Edit1), Logik().FeldText(TFeld::Edit3));
        plattform::TQuellStand stand;
        const bool bekannt = plattform::QuellStandLesen(pfad, stand);
        sitzung.FundAnhaengen(sitzung.FundeSchreiben().Aufnehmen(art, art == '+', pfad, bekannt ? &stand : nullptr));
    }
};
