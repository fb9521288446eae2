#include "search/Vorleser.h"

#include "search/Lesefaeden.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The first and the last block of a file of this size into ziel, by
// lesen(position, ziel, anzahl), which is true when all anzahl bytes came.
template <typename TLesen>
bool RandLesenMit(int64_t groesse, char* ziel, TLesen&& lesen)
{
    if (groesse <= 2 * RandBlock) // the two blocks meet: the whole file in one read
        return lesen(0, ziel, groesse);
    return lesen(0, ziel, RandBlock) && lesen(groesse - RandBlock, ziel + RandBlock, RandBlock);
}

} // namespace

int64_t TRand::Laenge(int64_t groesse)
{
    return std::min(groesse, 2 * RandBlock);
}

bool TRand::Lesen(plattform::TDatei& datei, int64_t groesse, char* ziel)
{
    return RandLesenMit(groesse, ziel, [&](int64_t position, char* in, int64_t anzahl) {
        return datei.LesenAb(position, in, anzahl) == anzahl;
    });
}

TRand TRand::Gelesen(plattform::TDatei& datei, int64_t groesse)
{
    TRand rand{std::make_unique_for_overwrite<char[]>(static_cast<size_t>(Laenge(groesse))), true, false};
    rand.ok = Lesen(datei, groesse, rand.bytes.get());
    return rand;
}

TVorleser::TVorleser(const TBaumdaten& daten, TNachschub nachschub)
    : daten_(daten), nachschub_(std::move(nachschub)),
      // A quarter of what the process may hold, shared by the threads: the
      // rest stays for the files themselves.
      griffeHoechstens_(plattform::DeskriptorenHoechstens() / 4 / LesefaedenAnzahl())
{
}

TVorleser::~TVorleser()
{
    {
        std::lock_guard<std::mutex> sperre(mutex_);
        ende_ = true;
    }
    zuDenFaeden_.notify_all();
    for (TFaden& faden : faeden_)
        faden.faden.join();
}

void TVorleser::PlanenBis(uint32_t gruppe)
{
    // What the search has passed is let go on the way: a plan far behind
    // is not kept whole.
    while (!planZuEnde_ && (plan_.empty() || plan_.back().gruppe < gruppe)) {
        planZuEnde_ = !nachschub_(plan_);
        while (!plan_.empty() && StelleVon(plan_.front()) < naechste_)
            plan_.pop_front();
    }
}

void TVorleser::GruppeBeginnt(uint32_t gruppe)
{
    std::unique_lock<std::mutex> sperre(mutex_);
    naechste_ = std::max(naechste_, TStelle{gruppe, 0});
    Vergessen(sperre);
    PlanenBis(gruppe);
    if (faeden_.empty()) {
        for (size_t i = LesefaedenAnzahl(); i > 0; --i) {
            TFaden& faden = faeden_.emplace_back();
            faden.faden = std::thread([this, &faden] { Arbeiten(faden); });
        }
    }
    zuDenFaeden_.notify_all();
}

void TVorleser::FaedenWecken()
{
    // Once half of what they may hold ahead is taken, not at every file: a
    // thread woken for one file at a time costs more than it saves.
    if (wartendeFaeden_ > 0 && vorrat_.size() <= fenster_ / 2)
        zuDenFaeden_.notify_all();
}

void TVorleser::Vergessen(std::unique_lock<std::mutex>& sperre)
{
    while (!vorrat_.empty() && StelleVon(vorrat_.front().vorhaben) < naechste_) {
        if (vorrat_.front().InArbeit()) {
            zurSuche_.wait(sperre);
            continue;
        }
        vorrat_.pop_front();
    }
    while (!plan_.empty() && StelleVon(plan_.front()) < naechste_)
        plan_.pop_front();
}

plattform::TDatei TVorleser::Nehmen(const TBaumEintrag& datei, uint32_t stelle, bool& keineDeskriptoren, TRand& rand)
{
    rand = {};
    {
        std::unique_lock<std::mutex> sperre(mutex_);
        const TStelle hier{naechste_.gruppe, stelle};
        naechste_ = std::max(naechste_, hier);
        for (;;) {
            Vergessen(sperre);
            if (!vorrat_.empty() && StelleVon(vorrat_.front().vorhaben) == hier
                && vorrat_.front().vorhaben.datei == &datei) {
                if (vorrat_.front().InArbeit()) {
                    zurSuche_.wait(sperre);
                    continue;
                }
                TVorrat vorn = std::move(vorrat_.front());
                vorrat_.pop_front();
                naechste_ = {hier.gruppe, hier.stelle + 1};
                FaedenWecken();
                if (vorn.datei.Offen()) {
                    rand = std::move(vorn.rand);
                    keineDeskriptoren = false;
                    return std::move(vorn.datei);
                }
                break; // opened ahead it failed: the search tries once more itself
            }
            if (vorrat_.empty() && plan_.empty() && !planZuEnde_) {
                planZuEnde_ = !nachschub_(plan_);
                continue;
            }
            // Not taken by a thread yet: the next one will take it.
            const bool kommt = vorrat_.empty() && !plan_.empty() && StelleVon(plan_.front()) == hier
                               && plan_.front().datei == &datei && fenster_ > 0;
            if (!kommt)
                break; // let go on the way (descriptors ran short): the search opens it itself
            zuDenFaeden_.notify_all();
            zurSuche_.wait(sperre);
        }
        naechste_ = std::max(naechste_, TStelle{hier.gruppe, hier.stelle + 1});
        Vergessen(sperre);
        FaedenWecken();
    }
    return Oeffnen(datei, keineDeskriptoren);
}

plattform::TDatei TVorleser::Oeffnen(const TBaumEintrag& eintrag, bool& keineDeskriptoren)
{
    const std::string name = daten_.Pfad(eintrag);
    plattform::TDatei datei = plattform::TDatei::OeffnenLesen(name, keineDeskriptoren);
    if (!datei.Offen() && keineDeskriptoren) {
        Freigeben();
        datei = plattform::TDatei::OeffnenLesen(name, keineDeskriptoren);
    }
    return datei;
}

void TVorleser::Freigeben()
{
    std::unique_lock<std::mutex> sperre(mutex_);
    zurSuche_.wait(sperre, [&] {
        return std::none_of(vorrat_.begin(), vorrat_.end(), [](const TVorrat& v) { return v.InArbeit(); });
    });
    vorrat_.clear();
    // From now on the search opens every file itself: a thread that opened
    // more meanwhile would take the descriptors it needs right now.
    fenster_ = 0;
    // The threads close their directories too, and open no more.
    griffeHoechstens_ = 0;
    ++griffeRunde_;
    griffeZurueck_ = 0;
    zuDenFaeden_.notify_all();
    zurSuche_.wait(sperre, [&] { return griffeZurueck_ == faeden_.size(); });
}

plattform::TDatei TVorleser::OeffnenImFaden(TFaden& faden, const TVorhaben& vorhaben, size_t griffeHoechstens,
                                            bool& keineDeskriptoren)
{
    // By name in its directory only where that finds what the whole path
    // finds: no link on the way below the walk's start (the limit of links
    // counts per lookup), a path the system takes whole, and a file that is
    // no link itself (refused there, and opened by its whole path instead).
    const TBaumEintrag& eintrag = *vorhaben.datei;
    const TBaumVerzeichnis& verzeichnis = daten_.verzeichnisse[eintrag.verzeichnis];
    if (!verzeichnis.verweis && !plattform::PfadZuLang(daten_.PfadLaenge(eintrag))) {
        const std::string pfad(verzeichnis.pfad);
        auto griff = faden.griffe.find(eintrag.verzeichnis);
        if (griff == faden.griffe.end() && faden.griffe.size() < griffeHoechstens) {
            TGriff neu{plattform::TVerzeichnisGriff::Oeffnen(pfad), {}};
            if (neu.griff.Offen() && neu.griff.Kennung(neu.kennung))
                griff = faden.griffe.emplace(eintrag.verzeichnis, std::move(neu)).first;
        }
        if (griff != faden.griffe.end()) {
            plattform::TDatei datei = griff->second.griff.DateiLesen(std::string(daten_.Name(eintrag)), keineDeskriptoren);
            if (keineDeskriptoren)
                return datei;
            // The handle holds the directory the path named when it was
            // opened. The file's line names the path: what was opened counts
            // only when the path still names that directory now, after the
            // open (a directory renamed, swapped or replaced by a link in
            // between has other files under the path), and when the user
            // may still reach it by the path (the system asks for leave to
            // pass every directory above, which the handle skips). Else the
            // file is opened by its path, as any program would find it.
            plattform::TDateiKennung jetzt;
            if (datei.Offen() && plattform::VerzeichnisKennung(pfad, jetzt) && jetzt == griff->second.kennung)
                return datei;
            if (datei.Offen())
                faden.griffe.erase(griff);
        }
    }
    return plattform::TDatei::OeffnenLesen(daten_.Pfad(eintrag), keineDeskriptoren);
}

void TVorleser::Vorbereiten(TFaden& faden, TVorrat& vorrat, size_t griffeHoechstens, bool& keineDeskriptoren)
{
    const TVorhaben& vorhaben = vorrat.vorhaben;
    vorrat.datei = OeffnenImFaden(faden, vorhaben, griffeHoechstens, keineDeskriptoren);
    if (!vorrat.datei.Offen() || AusCacheLesen(vorrat.datei, vorhaben.groesse, vorrat.rand))
        return;
    // A small file in one request; of a larger one what is read first.
    if (vorhaben.groesse <= 2 * RandBlock) {
        vorrat.datei.VorausLesen(0, vorhaben.groesse);
    } else {
        vorrat.datei.VorausLesen(0, RandBlock);
        vorrat.datei.VorausLesen(vorhaben.groesse - RandBlock, RandBlock);
    }
}

bool TVorleser::AusCacheLesen(plattform::TDatei& datei, int64_t groesse, TRand& rand)
{
    // One of another length is not taken by the search: nothing to read.
    if (datei.Laenge() != groesse)
        return true;
    auto bytes = std::make_unique_for_overwrite<char[]>(static_cast<size_t>(TRand::Laenge(groesse)));
    const bool gelesen = RandLesenMit(groesse, bytes.get(), [&](int64_t position, char* in, int64_t anzahl) {
        return datei.LesenAusCache(position, in, anzahl);
    });
    if (gelesen)
        rand = {std::move(bytes), true, true};
    return gelesen;
}

void TVorleser::Arbeiten(TFaden& faden)
{
    std::unique_lock<std::mutex> sperre(mutex_);
    for (;;) {
        if (faden.griffeRunde != griffeRunde_) {
            faden.griffe.clear();
            faden.griffeRunde = griffeRunde_;
            ++griffeZurueck_;
            zurSuche_.notify_all();
        }
        if (ende_)
            return;

        // First take the next file of the plan while there is room, open it
        // and read it when the system has it at hand, else ask the system
        // to fetch it, so that the disk has many requests at once.
        if (vorrat_.size() < fenster_ && (!plan_.empty() || !planZuEnde_)) {
            if (plan_.empty()) {
                planZuEnde_ = !nachschub_(plan_);
                continue;
            }
            // A bundle of files in the order of the plan: the search takes
            // them from the front and waits for one in work, so these stay
            // where they are meanwhile. One bundle, one wake-up of the search.
            std::vector<TVorrat*> buendel;
            while (buendel.size() < Buendel && vorrat_.size() < fenster_ && !plan_.empty()) {
                const TVorhaben vorhaben = plan_.front();
                plan_.pop_front();
                if (StelleVon(vorhaben) < naechste_)
                    continue; // passed by the search already
                buendel.push_back(&vorrat_.emplace_back());
                buendel.back()->vorhaben = vorhaben;
            }
            const size_t griffeHoechstens = griffeHoechstens_;
            sperre.unlock();
            size_t geoeffnet = 0;
            bool keineDeskriptoren = false;
            for (; geoeffnet < buendel.size() && !keineDeskriptoren; ++geoeffnet)
                Vorbereiten(faden, *buendel[geoeffnet], griffeHoechstens, keineDeskriptoren);
            sperre.lock();
            // Short of descriptors: hold what we have, and no more than
            // that; the search opens the rest itself.
            if (keineDeskriptoren)
                fenster_ = std::min(fenster_, vorrat_.size() - (buendel.size() - geoeffnet) - 1);
            for (TVorrat* vorrat : buendel)
                vorrat->zustand = vorrat->datei.Offen() && !vorrat->rand.gelesen ? TZustand::Offen : TZustand::Fertig;
            zurSuche_.notify_all();
            continue;
        }

        // Then read what is still to be read, the newest first: the search
        // takes the oldest, and reads one itself when it comes to it first.
        const auto ungelesen = std::find_if(vorrat_.rbegin(), vorrat_.rend(),
                                            [](const TVorrat& v) { return v.zustand == TZustand::Offen; });
        if (ungelesen != vorrat_.rend()) {
            TVorrat& vorrat = *ungelesen;
            vorrat.zustand = TZustand::WirdGelesen;
            sperre.unlock();
            const int64_t groesse = vorrat.vorhaben.groesse;
            if (vorrat.datei.Laenge() == groesse)
                vorrat.rand = TRand::Gelesen(vorrat.datei, groesse);
            sperre.lock();
            vorrat.zustand = TZustand::Fertig;
            zurSuche_.notify_all();
            continue;
        }
        ++wartendeFaeden_;
        zuDenFaeden_.wait(sperre);
        --wartendeFaeden_;
    }
}
