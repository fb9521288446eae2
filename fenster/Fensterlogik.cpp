#include "fenster/Fensterlogik.h"

#include "fenster/Eintragsmeldung.h"
#include "fenster/Fenstereinstellungen.h"
#include "util/Groessenangabe.h"
#include "fenster/Verzeichnisablage.h"
#include "util/Datenort.h"
#include "util/Einstellungsort.h"
#include "util/Einstellungsspeicher.h"
#include "util/Fehler.h"
#include "util/Speila.h"

#include <algorithm>

namespace {

// The values of a first start.
#ifdef _WIN32
constexpr const char* Startverzeichnis1 = "C:\\A\\";
constexpr const char* Startverzeichnis2 = "C:\\B\\";
#else
constexpr const char* Startverzeichnis1 = "/A/";
constexpr const char* Startverzeichnis2 = "/B/";
#endif

} // namespace

TFensterlogik::TFensterlogik(TOberflaeche& flaeche, std::string programmVerzeichnis)
    : flaeche_(flaeche), programmVerzeichnis_(std::move(programmVerzeichnis)),
      einstellungsPfad_(EinstellungsortWaehlen(programmVerzeichnis_, "Einst.sys")),
      ablauf_([this] { return Beschaeftigt(); }, [this] { flaeche_.Beenden(); },
              [this](const std::string& text) { flaeche_.FehlerZeigen(text); })
{
    sitzung_.Stopp.Frage = [this] { return flaeche_.JaNeinFrage(AbbruchFrage, AbbruchTitel); };
    Einstellungen = Laden(einstellungsPfad_, FensterDateikopf);
}

// Settings and place

void TFensterlogik::FormCreate()
{
    const TRechteck rahmen = flaeche_.Aussenrahmen();
    TFensterwerte werte{rahmen.oben, rahmen.links, FeldText(TFeld::Edit1), FeldText(TFeld::Edit3), rahmen.breite,
                        Filterwerte()};
    bool gelesen = false;
    try {
        gelesen = FensterwerteLesen(Einstellungen, werte);
    } catch (const EFehler&) {
        // What was read before the number that did not fit takes effect,
        // and the window opens where the user can reach it.
        WerteAnwenden(werte);
        throw;
    }
    if (gelesen)
        WerteAnwenden(werte);
    else
        ErsterStart();
}

void TFensterlogik::WerteAnwenden(const TFensterwerte& werte)
{
    flaeche_.Platzieren(werte.links, werte.oben, werte.breite);
    FeldSetzen(TFeld::Edit1, werte.verzeichnis1);
    FeldSetzen(TFeld::Edit3, werte.verzeichnis2);
    AufSchirmBringen();
    FilterSetzen(werte.filter);
}

void TFensterlogik::ErsterStart()
{
    // A screen narrower than the designed window (a large scale factor)
    // gets a window as wide as it is, so that centring leaves no control off it.
    const std::vector<TRechteck> schirme = flaeche_.Bildschirme();
    TRechteck rahmen = flaeche_.Aussenrahmen();
    if (!schirme.empty() && schirme.front().breite < rahmen.breite) {
        flaeche_.Platzieren(rahmen.links, rahmen.oben, schirme.front().breite);
        rahmen = flaeche_.Aussenrahmen();
    }
    // Integer division truncates toward zero, as on the system the file
    // format comes from: a screen lower than the window gives a negative top.
    const TGroesse schirm = flaeche_.BildschirmGroesse();
    flaeche_.Platzieren((schirm.breite - rahmen.breite) / 2, (schirm.hoehe - rahmen.hoehe) / 2, rahmen.breite);
    FeldSetzen(TFeld::Edit1, Startverzeichnis1);
    FeldSetzen(TFeld::Edit3, Startverzeichnis2);
}

void TFensterlogik::AufSchirmBringen()
{
    const TRechteck ziel = FensterlageAufSchirm(flaeche_.Aussenrahmen(), flaeche_.Bildschirme(), flaeche_.Titelhoehe());
    flaeche_.Platzieren(ziel.links, ziel.oben, ziel.breite);
}

void TFensterlogik::FormClose()
{
    sitzung_.Stopp.Anfordern();
    if (!EinstellungenSichern())
        flaeche_.Meldung("Datei " + einstellungsPfad_ + " konnte nicht gespeichert werden!", "Fehler");
}

bool TFensterlogik::EinstellungenSichern()
{
    const TRechteck rahmen = flaeche_.Aussenrahmen();
    return FensterwerteSichern({rahmen.oben, rahmen.links, FeldText(TFeld::Edit1), FeldText(TFeld::Edit3),
                                rahmen.breite, Filterwerte()},
                               Startverzeichnis1, Startverzeichnis2, Einstellungen, einstellungsPfad_);
}

bool TFensterlogik::Schliessen()
{
    return ablauf_.Schliessen([this] { FormClose(); });
}

// Commands

void TFensterlogik::Ausfuehren(TBefehl befehl)
{
    using B = TBefehl;
    Befehl([this, befehl] {
        switch (befehl) {
        case B::Start: BitBtn1Click(); break;
        case B::ErstesVerzeichnis: Edit1DblClick(); break;
        case B::ZweitesVerzeichnis: Edit3DblClick(); break;
        case B::Info: FormDblClick(); break;
        case B::PlusMarkieren: AlleEintrgemitMarkieren1Click(); break;
        case B::MinusMarkieren: AlleEintrgemitMarkieren2Click(); break;
        case B::AusrufMarkieren: AlleEintrgemitMarkieren3Click(); break;
        case B::MarkierungenLoeschen: AlleMarkierungenlschen1Click(); break;
        case B::KopierenNach: markierteEintrgekopierennach1Click(); break;
        case B::KopierenVonNach: markierteEintrgekopierenvonnach1Click(); break;
        case B::VerschiebenNach: markierteEintrgeverschiebennach1Click(); break;
        case B::VerschiebenVonNach: markierteEintrgeverschiebenvonnach1Click(); break;
        case B::NichtGeleseneAnzeigen: NichtGeleseneAnzeigen1Click(); break;
        case B::DateiOeffnen: DateiOeffnen1Click(); break;
        case B::OrdnerOeffnen: OrdnerOeffnen1Click(); break;
        case B::InDenPapierkorb: InDenPapierkorb1Click(); break;
        case B::ListeSpeichern: ListeSpeichern1Click(); break;
        case B::Filter: Filter1Click(); break;
        case B::NachPfadSortieren: Sortieren(TErgebnisliste::TOrdnung::Pfad); break;
        case B::NachGroesseSortieren: Sortieren(TErgebnisliste::TOrdnung::Groesse); break;
        }
    });
}

void TFensterlogik::Lampe(const char* name)
{
    const std::string grund = flaeche_.LampeZeigen(DatenDatei(programmVerzeichnis_, name));
    if (!grund.empty())
        throw EFehler(grund);
}

void TFensterlogik::BitBtn1Click()
{
    // The running command is still writing the list and the counters at
    // remembered places; a second run inside it would empty them.
    if (Beschaeftigt())
        return;
    // A lamp that cannot be shown ends Start before the list is touched.
    Lampe("LED_Rot.bmp");
    sitzung_.ListeLeeren();
    if (!hinweis_.empty()) {
        hinweis_.clear();
        flaeche_.HinweisZeigen(hinweis_);
    }
    flaeche_.BefehlFreigeben(TBefehl::NichtGeleseneAnzeigen, false);
    sitzung_.SucheAusfuehren({FeldText(TFeld::Edit1), FeldText(TFeld::Edit3)});
    Lampe("LED_Grün.bmp");
}

void TFensterlogik::VerzeichnisWaehlen(TFeld feld)
{
    // The "x" makes the dialog open inside the directory with a name in its
    // box; confirming it takes the directory shown.
    DialogName = FeldText(feld) + "x";
    const std::optional<std::string> name = flaeche_.VerzeichnisWaehlen(
        feld == TFeld::Edit1 ? "Erstes Verzeichnis wählen" : "Zweites Verzeichnis wählen", DialogName);
    if (!name)
        return;
    DialogName = *name;
    FeldSetzen(feld, VerzeichnisTeil(*name));
}

void TFensterlogik::NichtGeleseneAnzeigen1Click()
{
    flaeche_.EintraegeZeigen(UebersprungenMeldung(sitzung_.Uebersprungen()));
}

void TFensterlogik::DateiOeffnen1Click()
{
    if (aktuelle_ && *aktuelle_ < Reihen())
        befehle_.DateiOeffnen(liste_.Zeile(*aktuelle_));
}

void TFensterlogik::OrdnerOeffnen1Click()
{
    if (aktuelle_ && *aktuelle_ < Reihen())
        befehle_.OrdnerOeffnen(liste_.Zeile(*aktuelle_));
}

void TFensterlogik::ZeileAktiviert(uint32_t reihe)
{
    Befehl([this, reihe] {
        if (reihe < Reihen())
            befehle_.DateiOeffnen(liste_.Zeile(reihe));
    });
}

void TFensterlogik::Sortieren(TErgebnisliste::TOrdnung ordnung)
{
    if (Beschaeftigt())
        return;
    liste_.Sortieren(ordnung);
    marken_.Neugeordnet();
    aktuelle_.reset();
    flaeche_.ListeNeu(liste_.Reihen());
}

// The fields

void TFensterlogik::FeldSetzen(TFeld feld, const std::string& text)
{
    felder_.Setzen(feld, text);
    if (!Beschaeftigt())
        Anzeigen();
}

bool TFensterlogik::Ablegen(TFeld feld, const std::vector<std::string>& pfade)
{
    std::string verzeichnis;
    if (!AbgelegtesVerzeichnis(pfade, verzeichnis))
        return false;
    FeldSetzen(feld, verzeichnis);
    return true;
}

// The list

TListenzeile TFensterlogik::Reihe(uint32_t reihe) const
{
    const uint32_t zeile = liste_.Zeile(reihe);
    const TFundliste& funde = Funde();
    TListenzeile spalten;
    spalten.text = funde.Text(zeile);
    spalten.name = std::string(funde.Daten().Name(funde.Eintrag(zeile)));
    spalten.groesse = liste_.Groessenspalte(reihe);
    spalten.markiert = marken_.Markiert(zeile);
    return spalten;
}

void TFensterlogik::MarkenGeaendert()
{
    flaeche_.ReihenGeaendert(0, liste_.Reihen());
    ZusammenfassungZeigen();
}

void TFensterlogik::Druecken(uint32_t reihe, bool umschalt, bool strg)
{
    if (reihe >= Reihen())
        return;
    aktuelle_ = reihe;
    marken_.Druecken(reihe, umschalt, strg);
    MarkenGeaendert();
}

void TFensterlogik::Ziehen(uint32_t reihe)
{
    if (reihe >= Reihen())
        return;
    aktuelle_ = reihe;
    marken_.Ziehen(reihe);
    MarkenGeaendert();
}

void TFensterlogik::DaruntergeklicktLeeren(bool umschalt, bool strg)
{
    if (umschalt || strg)
        return;
    marken_.Leeren();
    MarkenGeaendert();
}

void TFensterlogik::AktuelleReiheSetzen(std::optional<uint32_t> reihe)
{
    aktuelle_ = reihe && *reihe < Reihen() ? reihe : std::nullopt;
}

void TFensterlogik::AnkerSetzen(uint32_t reihe)
{
    if (reihe >= Reihen())
        return;
    aktuelle_ = reihe;
    marken_.AnkerSetzen(reihe);
}

void TFensterlogik::ReiheMarkieren(uint32_t reihe, bool umdrehen)
{
    if (reihe >= Reihen())
        return;
    const uint32_t zeile = liste_.Zeile(reihe);
    marken_.Setzen(zeile, zeile + 1, umdrehen ? !marken_.Markiert(zeile) : true);
    MarkenGeaendert();
}

void TFensterlogik::AlleMarkieren()
{
    marken_.Setzen(0, Reihen(), true);
    MarkenGeaendert();
}

void TFensterlogik::ReihenMarkieren(uint32_t erste, uint32_t ende, bool markiert)
{
    ende = std::min(ende, Reihen());
    for (uint32_t reihe = erste; reihe < ende; ++reihe) {
        const uint32_t zeile = liste_.Zeile(reihe);
        marken_.Setzen(zeile, zeile + 1, markiert);
    }
    MarkenGeaendert();
}

void TFensterlogik::ListeBereichMarkieren(uint32_t erste, uint32_t ende, bool markiert)
{
    ReihenZeigen();
    marken_.Setzen(erste, std::min(ende, ListeAnzahl()), markiert);
    MarkenGeaendert();
}

void TFensterlogik::EintraegeMarkieren(char zeichen)
{
    ReihenZeigen();
    // Neighbouring lines of the kind go to the marks as one range: a "- "
    // line stands mostly among others of its kind.
    for (const auto& [erste, ende] : Funde().Bereiche(zeichen))
        marken_.Setzen(erste, ende, true);
    MarkenGeaendert();
}

void TFensterlogik::AlleMarkierungenlschen1Click()
{
    marken_.Leeren();
    MarkenGeaendert();
}

// Showing

std::string TFensterlogik::Zusammenfassung() const
{
    if (liste_.Reihen() == 0)
        return {};
    return "+ belegen " + Groessenangabe(liste_.PlusBytes()) + "; markiert: " + std::to_string(marken_.Anzahl()) +
           " (" + Groessenangabe(marken_.Bytes()) + ")";
}

void TFensterlogik::ZusammenfassungZeigen()
{
    std::string text = Zusammenfassung();
    if (text == zusammenfassung_)
        return;
    zusammenfassung_ = std::move(text);
    flaeche_.ZusammenfassungZeigen(zusammenfassung_);
}

void TFensterlogik::ReihenZeigen()
{
    if (liste_.Zeigen())
        flaeche_.ReihenAngefuegt(liste_.Reihen());
}

void TFensterlogik::Anzeigen()
{
    const auto ausstehend = felder_.AusstehendeNehmen();
    for (size_t index = 1; index < ausstehend.size(); ++index)
        if (ausstehend.test(index))
            flaeche_.FeldZeigen(static_cast<TFeld>(index), felder_.Text(static_cast<TFeld>(index)));
    // The lines found since the last dispatch, in one insertion.
    ReihenZeigen();
    ZusammenfassungZeigen();
}

// What the session reports

void TFensterlogik::StandGeaendert(const TSuchstand& stand)
{
    felder_.StandZeigen(stand);
    if (!Beschaeftigt())
        Anzeigen();
    // The gauge paints what changed at once, as it always did.
    if (stand.fortschritt != gaugeFortschritt_ || stand.maximum != gaugeMaximum_) {
        gaugeFortschritt_ = stand.fortschritt;
        gaugeMaximum_ = stand.maximum;
        flaeche_.GaugeZeigen(stand.fortschritt, stand.maximum);
    }
}

void TFensterlogik::NachrichtenVerarbeiten()
{
    Anzeigen();
    flaeche_.NachrichtenVerarbeiten();
}

bool TFensterlogik::UnterbrechungNachsehen()
{
    flaeche_.EndeNachsehen();
    return false;
}

void TFensterlogik::BefehlBeendet()
{
    Anzeigen();
    const size_t anzahl = sitzung_.Uebersprungen().size();
    std::string hinweis;
    if (anzahl > 0)
        hinweis = std::to_string(anzahl) + (anzahl == 1 ? " Eintrag" : " Einträge") +
                  " nicht gelesen – siehe Kontextmenü der Liste";
    if (hinweis != hinweis_) {
        hinweis_ = std::move(hinweis);
        flaeche_.HinweisZeigen(hinweis_);
    }
    flaeche_.BefehlFreigeben(TBefehl::NichtGeleseneAnzeigen, anzahl > 0);
}

void TFensterlogik::FundeGeleert()
{
    liste_.Geleert();
    marken_.Vergessen();
    aktuelle_.reset();
    flaeche_.ListeNeu(0);
}

void TFensterlogik::FundAngehaengt(uint32_t)
{
    if (!Beschaeftigt()) {
        ReihenZeigen();
        ZusammenfassungZeigen();
    }
}

void TFensterlogik::FundGeaendert(uint32_t index)
{
    const auto [erste, ende] = liste_.Geaendert(index);
    if (erste < ende)
        flaeche_.ReihenGeaendert(erste, ende);
}
