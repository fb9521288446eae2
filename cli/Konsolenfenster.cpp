#include "cli/Konsolenfenster.h"


#include <algorithm>
#include <atomic>
#include <cerrno>

namespace {

// Set from a signal handler on POSIX and from a thread of the system's on
// Windows: a lock-free atomic is safe for both.
std::atomic<bool> unterbrechung{false};
std::atomic<int> unterbrechungsSignal{0};
static_assert(std::atomic<bool>::is_always_lock_free);
static_assert(std::atomic<int>::is_always_lock_free);

constexpr auto AnzeigeAbstand = std::chrono::milliseconds(100);
constexpr auto AusgabeAbstand = std::chrono::milliseconds(50);

// What the session is doing, in the words the window shows it in.
std::string Taetigkeit(const TSuchstand& stand)
{
    switch (stand.taetigkeit) {
    case TTaetigkeit::VerzeichnissePruefen: return "Überprüfe Verzeichnisse";
    case TTaetigkeit::DateiLesen: return stand.datei;
    case TTaetigkeit::DateiNichtOffen: return "Konnte Datei " + stand.datei + " nicht öffnen!";
    default: return std::string();
    }
}

// How far the file being read is.
std::string Stelle(const TSuchstand& stand)
{
    if (stand.position < 0)
        return std::string();
    const bool inMb = stand.positionVon > 10485760;
    return std::to_string(stand.position / (inMb ? 1048576 : 1024)) + (inMb ? " MB" : " KB");
}

} // namespace

TKonsolenFenster::TKonsolenFenster(std::FILE* ausgabe, std::FILE* meldungen, bool fortschritt, char zeilenende)
    : ausgabe_(ausgabe), meldungen_(meldungen), fortschritt_(fortschritt), zeilenende_(zeilenende)
{
    // A stop is asked for by Ctrl-C or a failed write, and nobody is there
    // to be asked: no question, the request stops.
}

void TKonsolenFenster::UnterbrechungMelden(int signal)
{
    int keines = 0;
    unterbrechungsSignal.compare_exchange_strong(keines, signal);
    unterbrechung = true;
}

int TKonsolenFenster::UnterbrechungsSignal()
{
    return unterbrechungsSignal.load();
}

void TKonsolenFenster::UebersprungMelden(std::string pfad, TGrund grund)
{
    FortschrittLoeschen();
    std::fprintf(meldungen_, "dubrinax-cli: warning: skipped %s: %s\n", pfad.c_str(), GrundEnglisch(grund).c_str());
}

void TKonsolenFenster::Suchen(const std::string& eins, const std::string& zwei)
{
    sitzung_.ListeLeeren();
    plusVerworfen_ = 0;
    std::string text;
    if (listenexport_) {
        listenexport_->Anfang(eins, zwei, text);
        std::fwrite(text.data(), 1, text.size(), ausgabe_);
    }
    sitzung_.SucheAusfuehren({eins, zwei});
    Ausgeben(unterbrochen_ ? AngefangeneGruppeVerwerfen() : sitzung_.Funde().Anzahl());
    if (listenexport_) {
        text.clear();
        listenexport_->Ende(!unterbrochen_ && schreibfehler_ == 0, text);
        std::fwrite(text.data(), 1, text.size(), ausgabe_);
    }
    FortschrittLoeschen();
    std::fflush(ausgabe_);
    AusgabePruefen();
}

// A search stopped inside a group leaves its file's line as "- " although
// the comparison was cut short, and the "+" lines found so far under it.
// The window shows that as it always has; printed, it reads as a result.
// So the list on a terminal ends with the last whole group, and the "+"
// counter with it: the counters count the lines printed.
uint32_t TKonsolenFenster::AngefangeneGruppeVerwerfen()
{
    // The lines not yet printed are the group of the last first-tree file:
    // a group goes out when the next one begins. It is whole when the
    // search counted it: every first-tree line of the list is counted once
    // its group is done.
    const TFundliste& funde = sitzung_.Funde();
    const uint32_t anzahl = funde.Anzahl();
    if (ausgegeben_ >= anzahl)
        return anzahl;
    int64_t begonnen = 0;
    for (uint32_t i = 0; i < anzahl; ++i)
        begonnen += funde.Fund(i).art != '+' ? 1 : 0;
    if (begonnen <= sitzung_.Zaehler().ohne + sitzung_.Zaehler().mit)
        return anzahl;
    int64_t plus = 0;
    for (uint32_t i = ausgegeben_; i < anzahl; ++i)
        plus += funde.Fund(i).art == '+' ? 1 : 0;
    plusVerworfen_ = plus;
    return ausgegeben_;
}

std::string TKonsolenFenster::ZaehlerZeile() const
{
    const TZaehlerstand& zaehler = sitzung_.Zaehler();
    return "+: " + std::to_string(zaehler.plus - plusVerworfen_) + " -: " + std::to_string(zaehler.ohne)
           + " !: " + std::to_string(zaehler.mit);
}

void TKonsolenFenster::FundeGeleert()
{
    ausgegeben_ = 0;
}

void TKonsolenFenster::FundAngehaengt(uint32_t index)
{
    // A new first-tree line means the group before it is final: the search
    // only ever changes the line of the file it is working on.
    if (sitzung_.Funde().Fund(index).art != '+')
        Ausgeben(index);
}

void TKonsolenFenster::Ausgeben(uint32_t bis)
{
    if (bis <= ausgegeben_)
        return;
    FortschrittLoeschen();
    if (listenexport_) {
        // Lines go out group by group: bis is where one ends.
        const uint32_t ende = std::min(bis, sitzung_.Funde().Anzahl());
        std::string text;
        listenexport_->Gruppen(sitzung_.Funde(), ausgegeben_, ende, text);
        std::fwrite(text.data(), 1, text.size(), ausgabe_);
        ausgegeben_ = std::max(ausgegeben_, ende);
    }
    while (ausgegeben_ < bis && ausgegeben_ < sitzung_.Funde().Anzahl()) {
        const std::string zeile = sitzung_.Funde().Text(ausgegeben_);
        std::fwrite(zeile.data(), 1, zeile.size(), ausgabe_);
        std::fputc(zeilenende_, ausgabe_);
        ++ausgegeben_;
    }
    // Finished groups reach the reader as they come, but not one write each.
    const auto jetzt = std::chrono::steady_clock::now();
    if (jetzt - letzteAusgabe_ >= AusgabeAbstand) {
        std::fflush(ausgabe_);
        letzteAusgabe_ = jetzt;
    }
    AusgabePruefen();
}

// A list that cannot be written (a full disk, a closed pipe) is lost: the
// search stops at its next poll, as on a close request, and main reports it.
void TKonsolenFenster::AusgabePruefen()
{
    if (schreibfehler_ != 0 || !std::ferror(ausgabe_))
        return;
    schreibfehler_ = errno != 0 ? errno : EIO;
    sitzung_.Stopp.Anfordern();
}

void TKonsolenFenster::NachrichtenVerarbeiten()
{
    UnterbrechungUebernehmen();
    FortschrittZeigen(false);
}

bool TKonsolenFenster::UnterbrechungNachsehen()
{
    // The walks handle no messages, yet a user who presses Ctrl-C while a
    // million files are listed wants to be heard now, not when they are.
    UnterbrechungUebernehmen();
    return unterbrochen_ && sitzung_.Stopp.Angefordert();
}

void TKonsolenFenster::UnterbrechungUebernehmen()
{
    if (unterbrechung.load(std::memory_order_relaxed) && unterbrechung.exchange(false)) {
        unterbrochen_ = true;
        sitzung_.Stopp.Anfordern();
    }
}

void TKonsolenFenster::FortschrittZeigen(bool sofort)
{
    if (!fortschritt_)
        return;
    const auto jetzt = std::chrono::steady_clock::now();
    if (!sofort && jetzt - letzteAnzeige_ < AnzeigeAbstand)
        return;
    letzteAnzeige_ = jetzt;
    const TSuchstand& zustand = sitzung_.Stand();
    const int32_t fortschritt = std::clamp(zustand.fortschritt, 0, std::max(zustand.maximum, 0));
    const int prozent = zustand.maximum > 0 ? static_cast<int>(int64_t{fortschritt} * 100 / zustand.maximum) : 0;
    std::string datei = Taetigkeit(zustand);
    constexpr size_t Breite = 60;
    if (datei.size() > Breite)
        datei = "..." + datei.substr(datei.size() - Breite + 3);
    // The files done, the file being compared and how far it is.
    const std::string stand = Stelle(zustand);
    std::fprintf(meldungen_, "\r\033[K%3d%% %s%s%s", prozent, datei.c_str(), stand.empty() ? "" : "  ", stand.c_str());
    std::fflush(meldungen_);
    fortschrittSichtbar_ = true;
}

void TKonsolenFenster::FortschrittLoeschen()
{
    if (!fortschrittSichtbar_)
        return;
    std::fputs("\r\033[K", meldungen_);
    std::fflush(meldungen_);
    fortschrittSichtbar_ = false;
}
