#include "fenster/Feldanzeige.h"

const char* const AbbruchFrage = "Soll wirklich abgerochen werden?";
const char* const AbbruchTitel = "Abbrechen?";

namespace {

// Above this size the position counts in MB, below it in KB.
constexpr int64_t KbGrenze = 10485760;

std::string Groesse(int64_t groesse)
{
    return groesse < 0 ? std::string() : std::to_string(groesse) + " Byte";
}

std::string Taetigkeit(const TSuchstand& stand)
{
    switch (stand.taetigkeit) {
    case TTaetigkeit::Keine: return std::string();
    case TTaetigkeit::VerzeichnissePruefen: return "Überprüfe Verzeichnisse";
    case TTaetigkeit::DateiLesen: return stand.datei;
    case TTaetigkeit::DateiNichtOffen: return "Konnte Datei " + stand.datei + " nicht öffnen!";
    case TTaetigkeit::Verglichen: return std::string();
    case TTaetigkeit::Kopieren: return "kopiere Datei: " + stand.datei;
    case TTaetigkeit::Verschieben: return "verschiebe Datei: " + stand.datei;
    case TTaetigkeit::Wegwerfen: return "in den Papierkorb: " + stand.datei;
    case TTaetigkeit::FertigOhneFehler: return "kein Fehler aufgetreten";
    case TTaetigkeit::FertigMitFehler: return "es ist mindestens ein Fehler aufgetreten";
    }
    return std::string();
}

// The status field: the command while a copy or move runs, else how far the
// file being read is.
std::string Status(const TSuchstand& stand)
{
    if (stand.taetigkeit == TTaetigkeit::Kopieren)
        return "Kopieren";
    if (stand.taetigkeit == TTaetigkeit::Verschieben)
        return "Verschieben";
    if (stand.taetigkeit == TTaetigkeit::Wegwerfen)
        return "Papierkorb";
    if (stand.position < 0)
        return std::string();
    const bool inMb = stand.positionVon > KbGrenze;
    return std::to_string(stand.position / (inMb ? 1048576 : 1024)) + (inMb ? " MB" : " KB");
}

// Before the first search the counter fields stay as they are.
std::string Zahl(const TSuchstand& stand, int64_t wert)
{
    return stand.gezaehlt ? std::to_string(wert) : std::string();
}

} // namespace

std::string Feldtext(TFeld feld, const TSuchstand& stand)
{
    switch (feld) {
    case TFeld::Edit2: return Groesse(stand.groesseErste);
    case TFeld::Edit4: return Groesse(stand.groesseZweite);
    case TFeld::Edit5: return Taetigkeit(stand);
    case TFeld::Edit6: return Status(stand);
    case TFeld::Edit7: return Zahl(stand, stand.zaehler.plus);
    case TFeld::Edit8: return Zahl(stand, stand.zaehler.ohne);
    case TFeld::Edit9: return Zahl(stand, stand.zaehler.mit);
    case TFeld::Edit1:
    case TFeld::Edit3: break;
    }
    return std::string();
}

TFeldanzeige::TFeldanzeige() = default;

void TFeldanzeige::Setzen(TFeld feld, const std::string& text)
{
    gueltig_.reset(static_cast<size_t>(feld));
    Schreiben(feld, text);
}

void TFeldanzeige::Schreiben(TFeld feld, std::string text)
{
    std::string& alt = texte_[static_cast<size_t>(feld)];
    if (alt == text)
        return;
    alt = std::move(text);
    ausstehend_.set(static_cast<size_t>(feld));
}

bool TFeldanzeige::Geaendert(TFeld feld, bool teilGeaendert)
{
    const auto index = static_cast<size_t>(feld);
    if (gueltig_.test(index) && !teilGeaendert)
        return false;
    gueltig_.set(index);
    return true;
}

void TFeldanzeige::StandZeigen(const TSuchstand& stand)
{
    const TSuchstand& alt = letzter_;
    const auto dateibefehl = [](TTaetigkeit t) {
        return t == TTaetigkeit::Kopieren || t == TTaetigkeit::Verschieben || t == TTaetigkeit::Wegwerfen;
    };
    const bool kopiertAlt = dateibefehl(alt.taetigkeit);
    const bool kopiert = dateibefehl(stand.taetigkeit);
    const bool teile[] = {
        false,
        false,
        stand.groesseErste != alt.groesseErste,
        false,
        stand.groesseZweite != alt.groesseZweite,
        stand.taetigkeit != alt.taetigkeit || stand.datei != alt.datei,
        kopiert != kopiertAlt || (kopiert && stand.taetigkeit != alt.taetigkeit) || stand.position != alt.position
            || stand.positionVon != alt.positionVon,
        stand.gezaehlt != alt.gezaehlt || stand.zaehler.plus != alt.zaehler.plus,
        stand.gezaehlt != alt.gezaehlt || stand.zaehler.ohne != alt.zaehler.ohne,
        stand.gezaehlt != alt.gezaehlt || stand.zaehler.mit != alt.zaehler.mit,
    };
    for (TFeld feld : {TFeld::Edit2, TFeld::Edit4, TFeld::Edit5, TFeld::Edit6})
        if (Geaendert(feld, teile[static_cast<size_t>(feld)]))
            Schreiben(feld, Feldtext(feld, stand));
    if (stand.gezaehlt)
        for (TFeld feld : {TFeld::Edit7, TFeld::Edit8, TFeld::Edit9})
            if (Geaendert(feld, teile[static_cast<size_t>(feld)]))
                Schreiben(feld, Feldtext(feld, stand));
    if (stand.taetigkeit != alt.taetigkeit || stand.datei != alt.datei)
        letzter_.datei = stand.datei;
    letzter_.taetigkeit = stand.taetigkeit;
    letzter_.groesseErste = stand.groesseErste;
    letzter_.groesseZweite = stand.groesseZweite;
    letzter_.position = stand.position;
    letzter_.positionVon = stand.positionVon;
    letzter_.fortschritt = stand.fortschritt;
    letzter_.maximum = stand.maximum;
    letzter_.zaehler = stand.zaehler;
    letzter_.gezaehlt = stand.gezaehlt;
}

std::bitset<10> TFeldanzeige::AusstehendeNehmen()
{
    const std::bitset<10> ausstehend = ausstehend_;
    ausstehend_.reset();
    return ausstehend;
}
