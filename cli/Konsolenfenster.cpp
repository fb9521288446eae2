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

size_t Index(TFeld feld)
{
    return static_cast<size_t>(feld);
}

} // namespace

TKonsolenFenster::TKonsolenFenster(std::FILE* ausgabe, std::FILE* meldungen, bool fortschritt, char zeilenende)
    : ausgabe_(ausgabe), meldungen_(meldungen), fortschritt_(fortschritt), zeilenende_(zeilenende)
{
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

void TKonsolenFenster::UebersprungGemeldet(const TUebersprungen& uebersprungen)
{
    FortschrittLoeschen();
    std::fprintf(meldungen_, "dubrinax-cli: warning: skipped %s: %s\n", uebersprungen.pfad.c_str(),
                 uebersprungen.grund.c_str());
}

void TKonsolenFenster::Suchen(const std::string& eins, const std::string& zwei)
{
    ListeLeeren();
    plusVerworfen_ = 0;
    std::string text;
    if (listenexport_) {
        listenexport_->Anfang(eins, zwei, text);
        std::fwrite(text.data(), 1, text.size(), ausgabe_);
    }
    SucheAusfuehren({eins, zwei});
    Ausgeben(unterbrochen_ ? AngefangeneGruppeVerwerfen() : ListeAnzahl());
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
    // a group goes out when the next one begins.
    const uint32_t anzahl = ListeAnzahl();
    const int64_t fertig = Zaehler().ohne + Zaehler().mit;
    if (begonnen_ <= fertig || ausgegeben_ >= anzahl)
        return anzahl;
    int64_t plus = 0;
    for (uint32_t i = ausgegeben_; i < anzahl; ++i)
        plus += Funde().Fund(i).art == '+' ? 1 : 0;
    --begonnen_;
    plusVerworfen_ = plus;
    return ausgegeben_;
}

std::string TKonsolenFenster::ZaehlerZeile() const
{
    return "+: " + std::to_string(Zaehler().plus - plusVerworfen_) + " -: " + std::to_string(Zaehler().ohne)
           + " !: " + std::to_string(Zaehler().mit);
}

void TKonsolenFenster::FundeGeleert()
{
    ausgegeben_ = 0;
    begonnen_ = 0;
}

void TKonsolenFenster::FundAngehaengt(uint32_t index)
{
    // A new first-tree line means the group before it is final: the search
    // only ever changes the line of the file it is working on.
    if (Funde().Fund(index).art != '+') {
        Ausgeben(index);
        ++begonnen_;
    }
}

void TKonsolenFenster::Ausgeben(uint32_t bis)
{
    if (bis <= ausgegeben_)
        return;
    FortschrittLoeschen();
    if (listenexport_) {
        // Lines go out group by group: bis is where one ends.
        const uint32_t ende = std::min(bis, ListeAnzahl());
        std::string text;
        listenexport_->Gruppen(Funde(), ausgegeben_, ende, text);
        std::fwrite(text.data(), 1, text.size(), ausgabe_);
        ausgegeben_ = std::max(ausgegeben_, ende);
    }
    while (ausgegeben_ < bis && ausgegeben_ < ListeAnzahl()) {
        const std::string zeile = ListeZeile(ausgegeben_);
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
    Stopp.Anfordern();
}

std::string TKonsolenFenster::FeldText(TFeld feld) const
{
    return felder_[Index(feld)];
}

void TKonsolenFenster::FeldSetzen(TFeld feld, const std::string& text)
{
    felder_[Index(feld)] = text;
}

void TKonsolenFenster::GaugeSetProgress(int32_t wert)
{
    gaugeProgress_ = wert < 0 ? 0 : (wert > gaugeMax_ ? gaugeMax_ : wert);
}

void TKonsolenFenster::GaugeSetMaxValue(int32_t wert)
{
    // As the window's gauge: 0 keeps the maximum it has.
    if (wert <= 0)
        return;
    gaugeMax_ = wert;
    if (gaugeProgress_ > wert)
        gaugeProgress_ = wert;
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
    return unterbrochen_ && Stopp.Angefordert();
}

void TKonsolenFenster::UnterbrechungUebernehmen()
{
    if (unterbrechung.load(std::memory_order_relaxed) && unterbrechung.exchange(false)) {
        unterbrochen_ = true;
        Stopp.Anfordern();
    }
}

void TKonsolenFenster::Meldung(const std::string& text, const std::string& titel)
{
    FortschrittLoeschen();
    std::fprintf(meldungen_, "%s: %s\n", titel.c_str(), text.c_str());
}

void TKonsolenFenster::FortschrittZeigen(bool sofort)
{
    if (!fortschritt_)
        return;
    const auto jetzt = std::chrono::steady_clock::now();
    if (!sofort && jetzt - letzteAnzeige_ < AnzeigeAbstand)
        return;
    letzteAnzeige_ = jetzt;
    const int prozent = gaugeMax_ > 0 ? static_cast<int>(int64_t{gaugeProgress_} * 100 / gaugeMax_) : 0;
    std::string datei = FeldText(TFeld::Edit5);
    constexpr size_t Breite = 60;
    if (datei.size() > Breite)
        datei = "..." + datei.substr(datei.size() - Breite + 3);
    // The files done, the file being compared and how far it is.
    const std::string stand = FeldText(TFeld::Edit6);
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
