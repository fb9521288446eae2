#pragma once

// A face for the window logic's tests: it records what the logic tells it
// and answers the questions and dialogs from queues. No window, no rule:
// the window is a rectangle that goes where it is put.

#include "fenster/Fensterlogik.h"
#include "fenster/Oberflaeche.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class TTestflaeche : public TOberflaeche {
public:
    // What was shown: the fields, the gauge, the lines under the list, the
    // entries' states (enabled unless told otherwise), the rows.
    std::map<TFeld, std::string> felder;
    int32_t fortschritt = 0, maximum = 100;
    std::string zusammenfassung, hinweis;
    std::map<TBefehl, bool> frei;
    uint32_t reihen = 0;
    int listeNeu = 0;
    std::vector<std::string> lampen;
    // A lamp's file name that cannot be shown, and why.
    std::string fehlendeLampe, lampenGrund = "Datei fehlt";

    // The modal parts: what they said, as "title: text", and the answers.
    std::vector<std::string> fragen, meldungen, fehler, geoeffnet;
    std::deque<bool> antworten; // Yes when none is left
    std::function<void()> beiFrage;
    std::deque<std::optional<std::string>> verzeichnisse; // Cancel when none is left
    std::vector<std::string> dialogTitel, dialogStart;
    std::string speicherort;
    std::optional<TFilterwerte> filter; // Cancel when none
    std::string eintraegeTitel;
    std::vector<std::pair<std::string, std::string>> eintraege;
    int aboutBoxen = 0, beendet = 0;

    // The window and the screens.
    TRechteck rahmen{192, 107, 519, 356};
    std::vector<TRechteck> schirme{{0, 0, 1024, 768}};
    TGroesse schirm{1024, 768};

    // Called at every dispatch with its running number.
    std::function<void(int)> beiDispatch;
    int dispatches = 0;

    void FeldZeigen(TFeld feld, const std::string& text) override { felder[feld] = text; }
    void GaugeZeigen(int32_t f, int32_t m) override { fortschritt = f, maximum = m; }
    std::string LampeZeigen(const std::string& datei) override
    {
        lampen.push_back(datei);
        return datei.ends_with(fehlendeLampe) && !fehlendeLampe.empty() ? lampenGrund : "";
    }
    void ZusammenfassungZeigen(const std::string& text) override { zusammenfassung = text; }
    void HinweisZeigen(const std::string& text) override { hinweis = text; }
    void BefehlFreigeben(TBefehl befehl, bool f) override { frei[befehl] = f; }
    void ListeNeu(uint32_t n) override { reihen = n, ++listeNeu; }
    void ReihenAngefuegt(uint32_t n) override { reihen = n; }
    void ReihenGeaendert(uint32_t, uint32_t) override {}
    bool JaNeinFrage(const std::string& text, const std::string& titel) override
    {
        fragen.push_back(titel + ": " + text);
        if (beiFrage)
            beiFrage();
        const bool ja = antworten.empty() || antworten.front();
        if (!antworten.empty())
            antworten.pop_front();
        return ja;
    }
    void Meldung(const std::string& text, const std::string& titel) override { meldungen.push_back(titel + ": " + text); }
    void FehlerZeigen(const std::string& text) override { fehler.push_back(text); }
    void EintraegeZeigen(const TEintragsMeldung& meldung) override
    {
        eintraegeTitel = meldung.titel;
        eintraege = meldung.eintraege;
    }
    std::optional<std::string> VerzeichnisWaehlen(const std::string& titel, const std::string& vorgabe) override
    {
        dialogTitel.push_back(titel);
        dialogStart.push_back(vorgabe);
        if (verzeichnisse.empty())
            return std::nullopt;
        std::optional<std::string> antwort = verzeichnisse.front();
        verzeichnisse.pop_front();
        return antwort;
    }
    std::string SpeicherortWaehlen() override { return speicherort; }
    bool FilterBearbeiten(TFilterwerte& werte) override { return filter && (werte = *filter, true); }
    void AboutBoxZeigen() override { ++aboutBoxen; }
    void NachrichtenVerarbeiten() override
    {
        ++dispatches;
        if (beiDispatch)
            beiDispatch(dispatches);
    }
    void EndeNachsehen() override {}
    bool MitDemDesktopOeffnen(const std::string& pfad) override { return geoeffnet.push_back(pfad), true; }
    TRechteck Aussenrahmen() const override { return rahmen; }
    void Platzieren(int32_t links, int32_t oben, int32_t breite) override { rahmen = {links, oben, breite, rahmen.hoehe}; }
    std::vector<TRechteck> Bildschirme() const override { return schirme; }
    TGroesse BildschirmGroesse() const override { return schirm; }
    int32_t Titelhoehe() const override { return 20; }
    void Beenden() override { ++beendet; }
};
