#include "util/Ablage.h"

#include "util/Speila.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <random>
#include <utility>

namespace {

constexpr int64_t Block = int64_t{1} << 20;

// Lines finished at once after one flush; bounded, so that the copies'
// descriptors stay few and a power cut takes little work with it.
constexpr size_t Stapel = 256;

// A copy's name until it is whole: hidden, and told apart from every name
// a user gives by both its ends.
const std::string TeilAnfang = ".dubrinax-";
const std::string TeilEnde = ".teil";

// Both whole contents, block by block from the start; a read error is no "equal".
bool InhaltGleich(plattform::TDatei& a, plattform::TDatei& b, int64_t laenge)
{
    const int64_t block = std::clamp<int64_t>(laenge, 1, Block);
    std::unique_ptr<char[]> x(new (std::nothrow) char[static_cast<size_t>(block)]);
    std::unique_ptr<char[]> y(new (std::nothrow) char[static_cast<size_t>(block)]);
    if (!x || !y)
        return false;
    for (int64_t position = 0;; position += block) {
        const int64_t n = a.LesenAb(position, x.get(), block);
        const int64_t m = b.LesenAb(position, y.get(), block);
        if (n < 0 || n != m || std::memcmp(x.get(), y.get(), static_cast<size_t>(n)) != 0)
            return false;
        if (n < block)
            return position + n == laenge;
    }
}

} // namespace

TAblage::TAblage(std::string zielVerzeichnis, bool verschieben)
    : ziel_(std::move(zielVerzeichnis)), verschieben_(verschieben)
{
    // The chosen directory itself may be missing, or be a link: the user
    // named it. Where it cannot be made, every line says why.
    VerzeichnisseAnlegen(ziel_, &wurzelGrund_);
    wurzel_ = std::make_shared<plattform::TVerzeichnisGriff>(plattform::TVerzeichnisGriff::Oeffnen(ziel_));
    if (!wurzel_->Offen() && wurzelGrund_.Leer())
        wurzelGrund_ = plattform::LetzterGrund(ziel_);
    wurzel_->ResteEntfernen(TeilAnfang, TeilEnde);
    // Two commands (of two processes) writing into one directory never
    // pick the same temporary name.
    char stamm[17];
    std::snprintf(stamm, sizeof stamm, "%016llx", static_cast<unsigned long long>(std::random_device{}())
                                                      << 32 ^ std::random_device{}());
    teilStamm_ = stamm;
}

TAblage::~TAblage()
{
    Abschliessen();
}

void TAblage::VerzeichnisBehalten(const std::string& verzeichnis)
{
    plattform::TDateiKennung kennung;
    if (plattform::VerzeichnisKennung(verzeichnis, kennung))
        behalten_.insert(kennung);
}

std::string TAblage::Ort(const std::string& verzeichnis, const std::string& name)
{
    if (verzeichnis != letztesVerzeichnis_) {
        plattform::TDateiKennung kennung;
        letzteKennung_ = plattform::VerzeichnisKennung(verzeichnis, kennung)
                             ? std::to_string(kennung.geraet) + ':' + std::to_string(kennung.knoten) + ':'
                                   + std::to_string(kennung.knotenHoch) + '/'
                             : std::string();
        letztesVerzeichnis_ = verzeichnis;
    }
    // A directory that does not exist holds no place anything was taken from.
    return letzteKennung_.empty() ? std::string() : letzteKennung_ + name;
}

std::shared_ptr<const plattform::TVerzeichnisGriff> TAblage::Verzeichnis(const std::string& teil,
                                                                        const std::string& quellBasis, TGrund& grund)
{
    if (!wurzel_->Offen()) {
        grund = wurzelGrund_;
        return nullptr;
    }
    if (teil.empty())
        return wurzel_;
    if (teil != letzterTeil_ || !letztes_) {
        // Level by level from the target: a level that is a link, planted
        // or left there, fails, so nothing lands in a directory elsewhere.
        letzterTeil_.clear();
        letztes_.reset();
        std::shared_ptr<const plattform::TVerzeichnisGriff> oben = wurzel_;
        size_t anfang = 0;
        while (anfang < teil.size()) {
            size_t ende = teil.find(plattform::Trenner, anfang);
            if (ende == std::string::npos)
                ende = teil.size();
            uint32_t modus = 0; // unknown: the new directory stays private
            plattform::VerzeichnisModus(quellBasis + teil.substr(0, ende), modus);
            bool neu = false;
            auto ebene = std::make_shared<plattform::TVerzeichnisGriff>(
                oben->Unterverzeichnis(teil.substr(anfang, ende - anfang), modus, neu));
            if (!ebene->Offen()) {
                const std::string ort = ziel_ + teil.substr(0, ende);
                grund = plattform::LetzterGrund(ort);
                // A link (or a file) there is never entered: said as such,
                // not as the system's word for a refused link.
                if (plattform::IstVerweis(ort) || (plattform::NameBelegt(ort) && !plattform::IstVerzeichnis(ort)))
                    grund = TGrund::Eigen(TGrundArt::ZielVerweis, ort);
                return nullptr;
            }
            // What a killed command left in a directory we write into goes.
            if (!neu && aufgeraeumt_.insert(teil.substr(0, ende)).second)
                ebene->ResteEntfernen(TeilAnfang, TeilEnde);
            oben = std::move(ebene);
            anfang = ende + 1;
        }
        letztes_ = std::move(oben);
        letzterTeil_ = teil;
        letztesVerzeichnis_.clear(); // made just now: Ort looks again
    }
    return letztes_;
}

bool TAblage::Ablegen(const std::string& quelle, const TPruefung& passt, const std::string& relativ, TGrund& grund)
{
    const std::string name = DateiNameAus(relativ);
    const std::string teil = relativ.substr(0, relativ.size() - name.size());
    const std::string zielPfad = ziel_ + relativ;
    // A move does not fill the place of a source it took away: that
    // source's line still stands for it, and another file there would be
    // taken for it by the next line or command. The place by identity:
    // "T/./x" is "T/x".
    if (!weggenommen_.empty()) {
        const std::string ort = Ort(ziel_ + teil, name);
        if (!ort.empty() && weggenommen_.count(ort) != 0) {
            grund = TGrund::Eigen(TGrundArt::OrtGeleert);
            return false;
        }
    }
    plattform::TDatei ein = plattform::TDatei::OeffnenLesen(quelle);
    plattform::TQuellStand vorher;
    if (!ein.Offen() || !ein.Stand(vorher)) {
        grund = plattform::LetzterGrund();
        plattform::TEintragsInfo info;
        if (plattform::PfadInfo(quelle, info) && !info.regulaer)
            grund = TGrund::Eigen(TGrundArt::KeineGewoehnlicheDatei);
        return false;
    }
    if (passt && !passt(vorher)) {
        grund = TGrund::Eigen(TGrundArt::SeitDerSucheGeaendert);
        return false;
    }
    // The same file under two lines: the first line moved it.
    if (verschieben_ && bewegt_.count(vorher.stand.kennung) != 0) {
        grund = TGrund::Eigen(TGrundArt::SchonVerschoben);
        return false;
    }
    // A file an earlier line of this move was accepted into (a target inside
    // a searched tree): taking it away too would leave that line's source
    // deleted and its content nowhere the line says.
    if (verschieben_ && angenommen_.count(vorher.stand.kennung) != 0) {
        grund = TGrund::Eigen(TGrundArt::StehtFuerAndere);
        return false;
    }

    // Only for a source worth taking are directories made.
    const std::string quellBasis = quelle.substr(0, quelle.size() - std::min(quelle.size(), relativ.size()));
    std::shared_ptr<const plattform::TVerzeichnisGriff> verzeichnis =
        Verzeichnis(teil.empty() ? teil : teil.substr(0, teil.size() - 1), quellBasis, grund);
    if (!verzeichnis)
        return false;

    if (verschieben_ && !plattform::IstVerweis(quelle)) {
        // The target is the source itself: a rename onto itself would
        // report success (Windows does) for a line that did nothing.
        plattform::TDateiKennung da;
        if (plattform::TDatei schon = verzeichnis->DateiLesen(name); schon.Offen() && schon.Kennung(da)
                                                                    && da == vorher.stand.kennung) {
            grund = TGrund::Eigen(TGrundArt::ZielIstQuelle);
            return false;
        }
        const std::string ort = Ort(VerzeichnisTeil(quelle), DateiNameAus(quelle));
        switch (verzeichnis->Hereinholen(quelle, name)) {
        case plattform::TUmbenennung::Erledigt:
            // Every byte goes along, also those another program is still
            // appending: the file itself changed its name. Its file system
            // is flushed before the command reports.
            bewegt_.insert(vorher.stand.kennung);
            if (!ort.empty())
                weggenommen_.insert(ort);
            if (std::none_of(umbenannt_.begin(), umbenannt_.end(), [&](const plattform::TDatei& datei) {
                    plattform::TDateiKennung k;
                    return datei.Kennung(k) && k.geraet == vorher.stand.kennung.geraet;
                }))
                umbenannt_.push_back(std::move(ein));
            Aufraeumen(quelle);
            return true;
        case plattform::TUmbenennung::ZielVorhanden:
        case plattform::TUmbenennung::AnderesGeraet:
            break;
        case plattform::TUmbenennung::Fehler:
            grund = plattform::LetzterGrund();
            return false;
        }
    }

    // A file at the target is taken only with the very content of the
    // source; a move then lets that file stand in for it.
    if (plattform::TDatei da = verzeichnis->DateiLesen(name); da.Offen()) {
        da = VorhandenesGleich(ein, vorher, std::move(da), grund);
        if (!da.Offen())
            return false;
        if (verschieben_) {
            TOffen offen{quelle, quelle, vorher, std::move(verzeichnis), name, {}, std::move(da), {}};
            if (!offen.halter.Stand(offen.zielStand)) {
                grund = plattform::LetzterGrund(zielPfad);
                return false;
            }
            Vormerken(std::move(offen));
        }
        return true;
    }
    return Kopieren(quelle, ein, vorher, std::move(verzeichnis), name, zielPfad, grund);
}

bool TAblage::Kopieren(const std::string& quelle, plattform::TDatei& ein, const plattform::TQuellStand& vorher,
                       std::shared_ptr<const plattform::TVerzeichnisGriff> verzeichnis, const std::string& name,
                       const std::string& zielPfad, TGrund& grund)
{
    std::string teil;
    plattform::TDatei aus;
    bool vorhanden = true;
    for (int versuch = 0; versuch < 4 && vorhanden; ++versuch) {
        teil = TeilAnfang + teilStamm_ + '-' + std::to_string(++teilZaehler_) + TeilEnde;
        aus = verzeichnis->TeilNeu(teil, vorhanden);
    }
    if (!aus.Offen()) {
        grund = plattform::LetzterGrund(zielPfad);
        return false;
    }
    const int64_t kopiert = aus.InhaltKopieren(ein, vorher.stand.groesse);
    if (kopiert < 0)
        grund = plattform::LetzterGrund(zielPfad);
    if (NachDemKopieren)
        NachDemKopieren(quelle);
    // A source written to while it was copied gives a mix of two versions
    // that never existed as such: the copy goes, the line failed. Its own
    // permission bits come last, so that the copy is never more open than
    // the source, not even while it is written.
    plattform::TQuellStand nachher;
    bool gut = kopiert >= 0;
    if (gut && (kopiert != vorher.stand.groesse || !ein.Stand(nachher) || nachher != vorher)) {
        grund = TGrund::Eigen(TGrundArt::BeimKopierenGeaendert);
        gut = false;
    }
    if (gut && !aus.EigenschaftenUebernehmen(ein)) {
        grund = plattform::LetzterGrund(zielPfad);
        gut = false;
    }
    if (!gut) {
        aus.Schliessen();
        verzeichnis->DateiEntfernen(teil);
        return false;
    }
    Vormerken({quelle, verschieben_ ? quelle : std::string(), vorher, std::move(verzeichnis), name, teil,
               std::move(aus), {}});
    return true;
}

plattform::TDatei TAblage::VorhandenesGleich(plattform::TDatei& quelle, const plattform::TQuellStand& stand,
                                             plattform::TDatei da, TGrund& grund)
{
    plattform::TDateiKennung kennung;
    if (!da.Offen() || !da.Kennung(kennung)) {
        grund = plattform::LetzterGrund();
        return {};
    }
    if (kennung == stand.stand.kennung) {
        grund = TGrund::Eigen(TGrundArt::ZielIstQuelle);
        return {};
    }
    plattform::TQuellStand nachher;
    if (!(da.Laenge() == stand.stand.groesse && InhaltGleich(quelle, da, stand.stand.groesse)
          && quelle.Stand(nachher) && nachher == stand)) {
        grund = TGrund::Eigen(TGrundArt::ZielAnders);
        return {};
    }
    angenommen_.insert(kennung);
    return da;
}

void TAblage::Vormerken(TOffen offen)
{
    if (!offen.quelle.empty()) {
        bewegt_.insert(offen.stand.stand.kennung);
        const std::string ort = Ort(VerzeichnisTeil(offen.quelle), DateiNameAus(offen.quelle));
        if (!ort.empty())
            weggenommen_.insert(ort);
    }
    offen_.push_back(std::move(offen));
    if (offen_.size() >= Stapel)
        StapelSchliessen();
}

TGrund TAblage::Benennen(TOffen& eintrag)
{
    if (eintrag.teil.empty())
        return {}; // found at the target: it has its name
    const plattform::TUmbenennung ergebnis = eintrag.verzeichnis->Umbenennen(eintrag.teil, eintrag.name);
    if (ergebnis == plattform::TUmbenennung::Erledigt) {
        eintrag.teil.clear();
        // The rename moved its status change time on: checked from here.
        return eintrag.halter.Stand(eintrag.zielStand) ? TGrund() : plattform::LetzterGrund();
    }
    TGrund grund = ergebnis == plattform::TUmbenennung::ZielVorhanden ? TGrund::Eigen(TGrundArt::ZielAnders)
                                                                      : plattform::LetzterGrund();
    // The name was taken meanwhile (by another program, or by an earlier
    // line of this batch with the same relative path): that file stands
    // in for the copy when it holds the same bytes.
    plattform::TDatei da;
    if (ergebnis == plattform::TUmbenennung::ZielVorhanden) {
        da = eintrag.verzeichnis->DateiLesen(eintrag.name);
        plattform::TDateiKennung kennung;
        if (!da.Offen() || !da.Kennung(kennung) || kennung == eintrag.stand.stand.kennung
            || da.Laenge() != eintrag.stand.stand.groesse
            || !InhaltGleich(eintrag.halter, da, eintrag.stand.stand.groesse) || !da.Stand(eintrag.zielStand))
            da = {};
        else
            angenommen_.insert(kennung);
    }
    eintrag.halter.Schliessen();
    eintrag.verzeichnis->DateiEntfernen(eintrag.teil);
    eintrag.teil.clear();
    eintrag.halter = std::move(da);
    return eintrag.halter.Offen() ? TGrund() : grund;
}

TGrund TAblage::QuelleEntfernen(TOffen& eintrag)
{
    // What holds the content must still be what was flushed: not written
    // to since (its times tell) and still under its name.
    plattform::TQuellStand halter, ziel, quelle;
    const bool zielGut = eintrag.halter.Stand(halter) && halter == eintrag.zielStand
                         && eintrag.verzeichnis->Stand(eintrag.name, ziel) && ziel == eintrag.zielStand;
    if (!eintrag.halter.Schliessen())
        return plattform::LetzterGrund();
    if (!zielGut)
        return TGrund::Eigen(TGrundArt::ZielGeaendert);
    // The source looked at once more by name right before the delete: one
    // that another program changed since it was copied holds the only copy
    // of its new content. (Between this look and the delete there is still
    // a moment, as with every delete by name.)
    if (!plattform::QuellStandLesen(eintrag.quelle, quelle) || quelle != eintrag.stand)
        return TGrund::Eigen(TGrundArt::QuelleGeaendert);
    if (!plattform::DateiEntfernen(eintrag.quelle))
        return plattform::LetzterGrund();
    Aufraeumen(eintrag.quelle);
    return {};
}

void TAblage::StapelSchliessen()
{
    if (offen_.empty())
        return;
    // The copies' bytes first, and those of files found at the targets: a
    // name must never stand for bytes that are not on the disk yet.
    std::vector<plattform::TDatei*> halter;
    for (TOffen& eintrag : offen_)
        halter.push_back(&eintrag.halter);
    const bool daten = plattform::AufPlatteBringen(halter.data(), halter.size());
    const TGrund datenGrund = daten ? TGrund() : plattform::LetzterGrund(ziel_);
    std::vector<TGrund> gruende(offen_.size());
    halter.clear();
    for (size_t i = 0; i < offen_.size(); ++i) {
        if (!daten) {
            // Nothing is named whose bytes may not be there.
            offen_[i].halter.Schliessen();
            if (!offen_[i].teil.empty())
                offen_[i].verzeichnis->DateiEntfernen(offen_[i].teil);
            gruende[i] = datenGrund;
        } else if ((gruende[i] = Benennen(offen_[i])).Leer()) {
            halter.push_back(&offen_[i].halter);
        }
    }
    // Then the names: a source goes only once its copy's name is on the disk too.
    const bool namen = halter.empty() || plattform::AufPlatteBringen(halter.data(), halter.size());
    const TGrund namenGrund = namen ? TGrund() : plattform::LetzterGrund(ziel_);
    for (size_t i = 0; i < offen_.size(); ++i) {
        if (gruende[i].Leer() && !namen)
            gruende[i] = namenGrund;
        else if (gruende[i].Leer() && !offen_[i].quelle.empty())
            gruende[i] = QuelleEntfernen(offen_[i]);
        else if (gruende[i].Leer() && offen_[i].halter.Offen() && !offen_[i].halter.Schliessen())
            gruende[i] = plattform::LetzterGrund(ziel_);
        if (!gruende[i].Leer())
            fehler_.emplace_back(offen_[i].zeile, std::move(gruende[i]));
    }
    offen_.clear();
}

TAbgelehnt TAblage::Abschliessen()
{
    StapelSchliessen();
    if (!umbenannt_.empty()) {
        // The renames of this move: their directories' new entries are on
        // the disk before the command says it is done.
        std::vector<plattform::TDatei*> dateien;
        for (plattform::TDatei& datei : umbenannt_)
            dateien.push_back(&datei);
        if (!plattform::UmbenennungenFestschreiben(dateien.data(), dateien.size()))
            fehler_.emplace_back(ziel_, plattform::LetzterGrund());
        umbenannt_.clear();
    }
    return std::exchange(fehler_, {});
}

void TAblage::Aufraeumen(const std::string& quelle)
{
    std::string verzeichnis = VerzeichnisTeil(quelle);
    if (verzeichnis.size() > 1 && verzeichnis.back() == plattform::Trenner
        && !plattform::BeendetVerzeichnisteil(verzeichnis[verzeichnis.size() - 2]))
        verzeichnis.pop_back();
    plattform::TDateiKennung kennung;
    // A searched tree's own directory stays, even empty: the user named it.
    if (verzeichnis.empty() || !plattform::VerzeichnisKennung(verzeichnis, kennung) || behalten_.count(kennung) != 0)
        return;
    if (plattform::VerzeichnisEntfernen(verzeichnis))
        letztesVerzeichnis_.clear(); // a directory made there later is another one
}
