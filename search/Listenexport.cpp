#include "search/Listenexport.h"

#include "util/Utf8.h"

#include <algorithm>

namespace {

void Hex(unsigned char byte, std::string& aus)
{
    constexpr char Ziffern[] = "0123456789abcdef";
    aus += Ziffern[byte >> 4];
    aus += Ziffern[byte & 0x0F];
}

// A JSON string of text: UTF-8 as it is, every other byte as the lone
// surrogate Python's surrogateescape makes of it. These lie at U+DC80 and
// up, never at a high surrogate, so no two of them read as one pair.
void JsonText(std::string_view text, std::string& aus)
{
    aus += '"';
    for (size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        const size_t anfang = pos;
        uint32_t zeichen = 0;
        if (byte == '"' || byte == '\\') {
            (aus += '\\') += static_cast<char>(byte);
            ++pos;
        } else if (byte == '\n') {
            aus += "\\n";
            ++pos;
        } else if (byte == '\t') {
            aus += "\\t";
            ++pos;
        } else if (byte < 0x20) {
            aus += "\\u00";
            Hex(byte, aus);
            ++pos;
        } else if (Utf8Zeichen(text, pos, zeichen)) {
            aus.append(text.substr(anfang, pos - anfang));
        } else {
            aus += "\\udc";
            Hex(byte, aus);
            ++pos;
        }
    }
    aus += '"';
}

void CsvFeld(std::string_view feld, std::string& aus)
{
    if (feld.find_first_of(",\"\r\n") == std::string_view::npos) {
        aus.append(feld);
        return;
    }
    aus += '"';
    for (const char c : feld) {
        if (c == '"')
            aus += '"';
        aus += c;
    }
    aus += '"';
}

std::string Groesse(int64_t groesse, const char* unbekannt)
{
    return groesse < 0 ? std::string(unbekannt) : std::to_string(groesse);
}

bool EndetMit(const std::string& text, std::string_view ende)
{
    if (text.size() < ende.size())
        return false;
    for (size_t i = 0; i < ende.size(); ++i) {
        char c = text[text.size() - ende.size() + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != ende[i])
            return false;
    }
    return true;
}

} // namespace

bool FormatNachName(const std::string& pfad, TExportFormat& format)
{
    if (EndetMit(pfad, ".csv"))
        format = TExportFormat::Csv;
    else if (EndetMit(pfad, ".json"))
        format = TExportFormat::Json;
    else
        return false;
    return true;
}

void TListenexport::Anfang(const std::string& erstes, const std::string& zweites, std::string& aus)
{
    if (format_ == TExportFormat::Csv) {
        aus += "group,kind,size,path\r\n";
        return;
    }
    aus += R"({"format": "dubrinax-list", "version": 1, "directories": [)";
    JsonText(erstes, aus);
    aus += ", ";
    JsonText(zweites, aus);
    aus += R"(], "groups": [)";
}

void TListenexport::Gruppen(const TFundliste& liste, uint32_t erste, uint32_t ende, std::string& aus)
{
    while (erste < ende) {
        uint32_t naechste = erste + 1;
        while (naechste < ende && liste.Fund(naechste).art == '+')
            ++naechste;
        Gruppe(liste, erste, naechste, aus);
        erste = naechste;
    }
}

void TListenexport::Gruppe(const TFundliste& liste, uint32_t erste, uint32_t ende, std::string& aus)
{
    ++gruppen_;
    const std::string nummer = std::to_string(gruppen_);
    if (format_ == TExportFormat::Json) {
        aus += gruppen_ > 1 ? ",\n" : "\n";
        aus += R"({"kind": ")";
        aus += liste.Fund(erste).art;
        aus += R"(", "files": [)";
    }
    for (uint32_t i = erste; i < ende; ++i) {
        const char art = liste.Fund(i).art;
        (art == '+' ? plus_ : art == '!' ? ausrufe_ : minus_) += 1;
        const int64_t groesse = liste.Eintrag(i).groesse;
        const std::string pfad = liste.Pfad(i);
        if (format_ == TExportFormat::Csv) {
            aus += nummer;
            (aus += ',') += art;
            aus += ',' + Groesse(groesse, "") + ',';
            CsvFeld(pfad, aus);
            aus += "\r\n";
            continue;
        }
        aus += i > erste ? R"(, {"kind": ")" : R"({"kind": ")";
        aus += art;
        aus += R"(", "size": )" + Groesse(groesse, "null") + R"(, "path": )";
        JsonText(pfad, aus);
        if (!IstUtf8(pfad)) {
            aus += R"(, "path_hex": ")";
            for (const char c : pfad)
                Hex(static_cast<unsigned char>(c), aus);
            aus += '"';
        }
        aus += '}';
    }
    if (format_ == TExportFormat::Json)
        aus += "]}";
}

void TListenexport::Ende(bool vollstaendig, std::string& aus)
{
    if (format_ == TExportFormat::Csv)
        return;
    aus += gruppen_ > 0 ? "\n]" : "]";
    aus += vollstaendig ? R"(, "complete": true)" : R"(, "complete": false)";
    aus += R"(, "counts": {"+": )" + std::to_string(plus_) + R"(, "-": )" + std::to_string(minus_)
           + R"(, "!": )" + std::to_string(ausrufe_) + "}}\n";
}

std::optional<TDateiFehler> ListeSpeichern(const TFundliste& liste, const std::string& pfad, TExportFormat format,
                                           bool vollstaendig)
{
    TGanzeDatei datei(pfad);
    TListenexport export_(format);
    std::string text;
    export_.Anfang(liste.Verzeichnis(0), liste.Verzeichnis(1), text);
    // A few thousand lines at a time: the text of a million lines is never
    // held at once. A step ends where a group does.
    constexpr uint32_t Schritt = 4096;
    for (uint32_t erste = 0; erste < liste.Anzahl();) {
        uint32_t ende = std::min(liste.Anzahl(), erste + Schritt);
        while (ende < liste.Anzahl() && liste.Fund(ende).art == '+')
            ++ende;
        export_.Gruppen(liste, erste, ende, text);
        datei.Schreiben(text);
        text.clear();
        erste = ende;
    }
    export_.Ende(vollstaendig, text);
    datei.Schreiben(text);
    return datei.Abschliessen();
}
