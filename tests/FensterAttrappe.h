#pragma once

// A window for the core tests: it records what the logic writes and answers
// its questions from a script.

#include "search/FensterLogik.h"

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class TFensterAttrappe : public TFensterLogik {
public:
    struct TZeile {
        std::string text;
        bool markiert = false;
    };

    std::vector<TZeile> liste;
    std::array<std::string, 10> felder{}; // index 1..9 = Edit1..Edit9
    int32_t gaugeProgress = 0;
    int32_t gaugeMax = 100;
    std::vector<int32_t> gaugeVerlauf;

    int dispatches = 0;
    // Called at every dispatch with its running number, e.g. to close the window.
    std::function<void(int)> beiDispatch;
    // Called at every progress text in Edit6 with its running number.
    std::function<void(int)> beiFortschritt;
    int fortschritte = 0;

    std::vector<std::string> fragen;   // questions asked, as "title: text"
    std::deque<bool> antworten;        // answers to give; Yes when none is left
    std::vector<std::string> meldungen;

    // Writes of Edit5/Edit6 in order, to check the progress texts.
    std::vector<std::string> edit5Verlauf;
    std::vector<std::string> edit6Verlauf;

    std::string& Feld(TFeld feld) { return felder[static_cast<size_t>(feld)]; }

    // A close request as the window's close handler makes it.
    void Schliessen() { Stopp.Anfordern(); }

    std::vector<std::string> Zeilen() const
    {
        std::vector<std::string> texte;
        for (const auto& zeile : liste)
            texte.push_back(zeile.text);
        return texte;
    }

    using TFensterLogik::FeldSetzen;
    using TFensterLogik::FundAnhaengen;
    using TFensterLogik::FundeSchreiben;

    // A line as the search would write it: the file at relativ below the
    // directory tree (0 or 1) was searched from, with the identity it has now.
    void Fund(char art, uint8_t baum, const std::string& relativ, bool markiert = false)
    {
        const std::string& verzeichnis = Funde().Verzeichnis(baum);
        plattform::TQuellStand stand;
        const bool bekannt = plattform::QuellStandLesen(verzeichnis + relativ, stand);
        FundAnhaengen(FundeSchreiben().Aufnehmen(art, baum, verzeichnis + relativ, bekannt ? &stand : nullptr));
        liste.back().markiert = markiert;
    }

    // Quelle as another program changes it while it is copied.
    std::function<void(const std::string&)> beimKopieren;

protected:
    // liste mirrors the core's lines as text, with the marks beside them.
    void FundeGeleert() override { liste.clear(); }
    void FundAngehaengt(uint32_t index) override { liste.push_back({ListeZeile(index), false}); }
    void FundGeaendert(uint32_t index) override { liste.at(index).text = ListeZeile(index); }
    bool ListeMarkiert(uint32_t index) const override { return liste.at(index).markiert; }
    void ListeMarkieren(uint32_t index, bool markiert) override { liste.at(index).markiert = markiert; }

    std::string FeldText(TFeld feld) const override { return felder[static_cast<size_t>(feld)]; }
    void FeldSetzen(TFeld feld, const std::string& text) override
    {
        felder[static_cast<size_t>(feld)] = text;
        if (feld == TFeld::Edit5)
            edit5Verlauf.push_back(text);
        if (feld == TFeld::Edit6) {
            edit6Verlauf.push_back(text);
            if (!text.empty() && beiFortschritt)
                beiFortschritt(++fortschritte);
        }
    }

    void ZaehlerGeaendert(TZaehler zaehler) override
    {
        const TFeld feld = zaehler == TZaehler::Plus ? TFeld::Edit7 : zaehler == TZaehler::Ohne ? TFeld::Edit8 : TFeld::Edit9;
        felder[static_cast<size_t>(feld)] = std::to_string(Zaehler()[zaehler]);
    }

    void GaugeSetProgress(int32_t wert) override
    {
        gaugeProgress = wert < 0 ? 0 : (wert > gaugeMax ? gaugeMax : wert);
        gaugeVerlauf.push_back(gaugeProgress);
    }
    void GaugeSetMaxValue(int32_t wert) override
    {
        if (wert == 0)
            return; // the gauge keeps its maximum when asked for 0
        gaugeMax = wert;
        if (gaugeProgress > wert)
            gaugeProgress = wert;
    }
    int32_t GaugeMaxValue() const override { return gaugeMax; }

    void QuelleKopiert(const std::string& quelle) override
    {
        if (beimKopieren)
            beimKopieren(quelle);
    }

    void NachrichtenVerarbeiten() override
    {
        ++dispatches;
        if (beiDispatch)
            beiDispatch(dispatches);
    }

    bool JaNeinFrage(const std::string& text, const std::string& titel) override
    {
        fragen.push_back(titel + ": " + text);
        if (antworten.empty())
            return true;
        const bool antwort = antworten.front();
        antworten.pop_front();
        return antwort;
    }

    void Meldung(const std::string& text, const std::string& titel) override
    {
        meldungen.push_back(titel + ": " + text);
    }
};
