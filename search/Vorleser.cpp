#include "search/Vorleser.h"

#include <algorithm>
#include <string>

void TVorleser::GruppeBeginnt(uint32_t gruppe)
{
    while (!offen_.empty() && offen_.front().vorhaben.gruppe < gruppe)
        offen_.pop_front();
    while (!plan_.empty() && plan_.front().gruppe < gruppe)
        plan_.pop_front();
    Auffuellen();
}

plattform::TDatei TVorleser::Oeffnen(const TBaumEintrag& eintrag, bool& keineDeskriptoren)
{
    keineDeskriptoren = false;
    // The search asks in the order of the plan, so the file is nearly always
    // the first one held; those before it were passed over (another name of
    // a file already read, a group that turned out not to be worth reading).
    for (size_t i = 0; i < offen_.size(); ++i) {
        if (offen_[i].vorhaben.datei != &eintrag)
            continue;
        plattform::TDatei datei = std::move(offen_[i].datei);
        offen_.erase(offen_.begin(), offen_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        Auffuellen();
        if (datei.Offen())
            return datei;
        break;
    }
    const std::string name = daten_.Pfad(eintrag);
    plattform::TDatei datei = plattform::TDatei::OeffnenLesen(name, keineDeskriptoren);
    if (!datei.Offen() && keineDeskriptoren && !offen_.empty()) {
        Freigeben();
        datei = plattform::TDatei::OeffnenLesen(name, keineDeskriptoren);
    }
    return datei;
}

void TVorleser::Freigeben()
{
    offen_.clear();
    fenster_ /= 2;
}

void TVorleser::Auffuellen()
{
    while (offen_.size() < fenster_) {
        if (plan_.empty()) {
            if (planZuEnde_)
                return;
            planZuEnde_ = !nachschub_(plan_);
            continue;
        }
        TVorhaben vorhaben = plan_.front();
        bool keineDeskriptoren = false;
        plattform::TDatei datei = plattform::TDatei::OeffnenLesen(daten_.Pfad(*vorhaben.datei), keineDeskriptoren);
        if (keineDeskriptoren) {
            // No more to spare: hold what we have, and no more than that.
            fenster_ = offen_.size();
            return;
        }
        plan_.pop_front();
        if (datei.Offen()) {
            // A small file in one request; of a larger one what is read first.
            if (vorhaben.groesse <= 2 * RandBlock) {
                datei.VorausLesen(0, vorhaben.groesse);
            } else {
                datei.VorausLesen(0, RandBlock);
                datei.VorausLesen(vorhaben.groesse - RandBlock, RandBlock);
            }
        }
        offen_.push_back({vorhaben, std::move(datei)});
    }
}
