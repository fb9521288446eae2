#pragma once

// A front end for the core tests: a session and a recording observer that
// turns the session's state into the window's field texts, as the window
// does, and answers the stop question from a script.

#include "fenster/Feldanzeige.h"
#include "search/Suchsitzung.h"

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class TFensterAttrappe : public TSuchbeobachter {
public:
    struct TZeile {
        std::string text;
        bool markiert = false;
    };

    TFensterAttrappe()
    {
        sitzung.Stopp.Frage = [this] { return JaNeinFrage(AbbruchFrage, AbbruchTitel); };
    }

    TSuchsitzung sitzung{*this};
    TStoppMarke& Stopp = sitzung.Stopp;
    TFilter& Filter = sitzung.Filter;
    std::function<void()>& NachDemEinlesen = sitzung.NachDemEinlesen;

    std::vector<TZeile> liste;
    std::array<std::string, 10> felder{}; // index 1..9 = Edit1..Edit9
    int32_t gaugeProgress = 0;
    int32_t gaugeMax = 100;

    int dispatches = 0;
    // Called at every dispatch with its running number, e.g. to close the window.
    std::function<void(int)> beiDispatch;
    // Called at every new progress text in Edit6 with its running number.
    std::function<void(int)> beiFortschritt;
    int fortschritte = 0;

    std::vector<std::string> fragen; // questions asked, as "title: text"
    std::deque<bool> antworten;      // answers to give; Yes when none is left

    // The texts Edit5/Edit6 took, in order, to check the progress texts.
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

    void SucheAusfuehren(const TSuchauftrag& auftrag) { sitzung.SucheAusfuehren(auftrag); }
    const TFundliste& Funde() const { return sitzung.Funde(); }
    TFundliste& FundeSchreiben() { return sitzung.FundeSchreiben(); }
    std::string ListeZeile(uint32_t index) const { return Funde().Text(index); }
    void ListeLeeren() { sitzung.ListeLeeren(); }

    // The marks, kept beside the lines as the window keeps them.
    void EintraegeMarkieren(char art)
    {
        for (const auto& [erste, ende] : Funde().Bereiche(art))
            for (uint32_t i = erste; i < ende; ++i)
                liste.at(i).markiert = true;
    }
    void MarkierungenLoeschen()
    {
        for (TZeile& zeile : liste)
            zeile.markiert = false;
    }
    // A copy or move of the lines marked now.
    void MarkierteKopieren(const std::string& basis, const std::string& ziel, bool verschieben)
    {
        std::vector<uint32_t> zeilen;
        for (uint32_t i = 0; i < liste.size(); ++i)
            if (liste[i].markiert)
                zeilen.push_back(i);
        sitzung.MarkierteKopieren(std::move(zeilen), basis, ziel, verschieben);
    }

    // A line as the search would write it: the file at relativ below the
    // directory tree (0 or 1) was searched from, with the identity it has now.
    void Fund(char art, uint8_t baum, const std::string& relativ, bool markiert = false)
    {
        const std::string& verzeichnis = Funde().Verzeichnis(baum);
        plattform::TQuellStand stand;
        const bool bekannt = plattform::QuellStandLesen(verzeichnis + relativ, stand);
        sitzung.FundAnhaengen(FundeSchreiben().Aufnehmen(art, baum, verzeichnis + relativ, bekannt ? &stand : nullptr));
        liste.back().markiert = markiert;
    }

    // Quelle as another program changes it while it is copied.
    std::function<void(const std::string&)> beimKopieren;

protected:
    // liste mirrors the core's lines as text, with the marks beside them.
    void FundeGeleert() override { liste.clear(); }
    void FundAngehaengt(uint32_t index) override { liste.push_back({ListeZeile(index), false}); }
    void FundGeaendert(uint32_t index) override { liste.at(index).text = ListeZeile(index); }

    void StandGeaendert(const TSuchstand& stand) override
    {
        anzeige_.StandZeigen(stand);
        const auto geaendert = anzeige_.AusstehendeNehmen();
        for (size_t index = 1; index < felder.size(); ++index) {
            if (!geaendert.test(index))
                continue;
            const std::string& text = anzeige_.Text(static_cast<TFeld>(index));
            felder[index] = text;
            if (index == static_cast<size_t>(TFeld::Edit5))
                edit5Verlauf.push_back(text);
            if (index == static_cast<size_t>(TFeld::Edit6)) {
                edit6Verlauf.push_back(text);
                if (!text.empty() && beiFortschritt)
                    beiFortschritt(++fortschritte);
            }
        }
        gaugeProgress = stand.fortschritt;
        gaugeMax = stand.maximum;
    }

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

    bool JaNeinFrage(const std::string& text, const std::string& titel)
    {
        fragen.push_back(titel + ": " + text);
        if (antworten.empty())
            return true;
        const bool antwort = antworten.front();
        antworten.pop_front();
        return antwort;
    }

private:
    TFeldanzeige anzeige_;
};
