#include "util/Ablage.h"

#include "util/Speila.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr int64_t Block = int64_t{1} << 20;

// Sources deleted at once after one flush; bounded, so that the copies'
// descriptors stay few and a power cut takes little work with it.
constexpr size_t Stapel = 256;

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
    // The chosen directory itself may be missing, or be a link: the user named it.
    VerzeichnisseAnlegen(ziel_);
    wurzel_ = plattform::TVerzeichnisGriff::Oeffnen(ziel_);
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

const plattform::TVerzeichnisGriff* TAblage::Verzeichnis(const std::string& teil)
{
    if (teil.empty())
        return wurzel_.Offen() ? &wurzel_ : nullptr;
    if (teil != letzterTeil_ || !letztes_.Offen()) {
        // Level by level from the target: a level that is a link, planted
        // or left there, fails, so nothing lands in a directory elsewhere.
        letzterTeil_.clear();
        plattform::TVerzeichnisGriff ebene;
        const plattform::TVerzeichnisGriff* oben = &wurzel_;
        size_t anfang = 0;
        while (anfang < teil.size()) {
            size_t ende = teil.find(plattform::Trenner, anfang);
            if (ende == std::string::npos)
                ende = teil.size();
            ebene = oben->Unterverzeichnis(teil.substr(anfang, ende - anfang));
            if (!ebene.Offen())
                return nullptr;
            letztes_ = std::move(ebene);
            oben = &letztes_;
            anfang = ende + 1;
        }
        letzterTeil_ = teil;
    }
    return &letztes_;
}

bool TAblage::Ablegen(const std::string& quelle, const plattform::TDateiKennung* erwartet,
                      const std::string& relativ)
{
    // A move does not fill the place of a source it took away: that
    // source's line still stands for it, and another file there would be
    // taken for it by the next line or command.
    if (weggenommen_.count(ziel_ + relativ) != 0)
        return false;
    plattform::TDatei ein = plattform::TDatei::OeffnenLesen(quelle);
    plattform::TQuellStand vorher;
    if (!ein.Offen() || !ein.Stand(vorher))
        return false;
    if (erwartet && vorher.stand.kennung != *erwartet)
        return false;
    // The same file under two lines: the first line moved it.
    if (verschieben_ && bewegt_.count(vorher.stand.kennung) != 0)
        return false;
    // A file an earlier line of this move was accepted into (a target inside
    // a searched tree): taking it away too would leave that line's source
    // deleted and its content nowhere the line says.
    if (verschieben_ && angenommen_.count(vorher.stand.kennung) != 0)
        return false;

    // Only for a source worth taking are directories made.
    const std::string name = DateiNameAus(relativ);
    const std::string teil = relativ.substr(0, relativ.size() - name.size());
    const plattform::TVerzeichnisGriff* verzeichnis =
        Verzeichnis(teil.empty() ? teil : teil.substr(0, teil.size() - 1));
    if (!verzeichnis)
        return false;

    if (verschieben_ && !plattform::IstVerweis(quelle)) {
        // The target is the source itself: a rename onto itself would
        // report success (Windows does) for a line that did nothing.
        plattform::TDateiKennung da;
        if (plattform::TDatei schon = verzeichnis->DateiLesen(name); schon.Offen() && schon.Kennung(da)
                                                                    && da == vorher.stand.kennung)
            return false;
        switch (verzeichnis->Hereinholen(quelle, name)) {
        case plattform::TUmbenennung::Erledigt:
            // Every byte goes along, also those another program is still
            // appending: the file itself changed its name.
            bewegt_.insert(vorher.stand.kennung);
            weggenommen_.insert(quelle);
            Aufraeumen(quelle);
            return true;
        case plattform::TUmbenennung::ZielVorhanden:
            if (!VorhandenesGleich(ein, vorher, *verzeichnis, name))
                return false;
            Vormerken(quelle, vorher, {});
            return true;
        case plattform::TUmbenennung::AnderesGeraet:
            break;
        case plattform::TUmbenennung::Fehler:
            return false;
        }
    }

    bool vorhanden = false;
    plattform::TDatei aus = verzeichnis->DateiNeu(name, vorhanden);
    if (!aus.Offen()) {
        if (!vorhanden || !VorhandenesGleich(ein, vorher, *verzeichnis, name))
            return false;
        if (verschieben_)
            Vormerken(quelle, vorher, {});
        return true;
    }
    const int64_t block = std::clamp<int64_t>(vorher.stand.groesse, 1, Block);
    std::unique_ptr<char[]> puffer(new (std::nothrow) char[static_cast<size_t>(block)]);
    int64_t kopiert = 0;
    bool gut = puffer != nullptr;
    while (gut) {
        const int64_t n = ein.Lesen(puffer.get(), block);
        if (n <= 0) {
            gut = n == 0;
            break;
        }
        gut = aus.Schreiben(puffer.get(), n);
        kopiert += n;
    }
    if (NachDemKopieren)
        NachDemKopieren(quelle);
    // A source written to while it was copied gives a mix of two versions
    // that never existed as such: the copy goes, the line failed.
    plattform::TQuellStand nachher;
    gut = gut && kopiert == vorher.stand.groesse && ein.Stand(nachher) && nachher == vorher;
    if (gut && !verschieben_)
        gut = aus.Schliessen();
    if (!gut) {
        aus.Schliessen();
        verzeichnis->DateiEntfernen(name);
        return false;
    }
    if (verschieben_)
        Vormerken(quelle, vorher, std::move(aus));
    return true;
}

bool TAblage::VorhandenesGleich(plattform::TDatei& quelle, const plattform::TQuellStand& stand,
                                const plattform::TVerzeichnisGriff& verzeichnis, const std::string& name)
{
    plattform::TDatei da = verzeichnis.DateiLesen(name);
    plattform::TDateiKennung kennung;
    if (!da.Offen() || !da.Kennung(kennung) || kennung == stand.stand.kennung)
        return false;
    plattform::TQuellStand nachher;
    if (!(da.Laenge() == stand.stand.groesse && InhaltGleich(quelle, da, stand.stand.groesse)
          && quelle.Stand(nachher) && nachher == stand))
        return false;
    angenommen_.insert(kennung);
    return true;
}

void TAblage::Vormerken(const std::string& quelle, const plattform::TQuellStand& stand, plattform::TDatei kopie)
{
    bewegt_.insert(stand.stand.kennung);
    weggenommen_.insert(quelle);
    offen_.push_back({quelle, stand, std::move(kopie)});
    if (offen_.size() >= Stapel)
        Abschliessen();
}

bool TAblage::Abschliessen()
{
    std::vector<plattform::TDatei*> kopien;
    for (TOffen& eintrag : offen_)
        if (eintrag.kopie.Offen())
            kopien.push_back(&eintrag.kopie);
    const bool aufPlatte = plattform::AufPlatteBringen(kopien.data(), kopien.size());
    for (TOffen& eintrag : offen_) {
        const bool geschlossen = !eintrag.kopie.Offen() || eintrag.kopie.Schliessen();
        // Looked at once more by name right before the delete: a source that
        // another program changed since it was copied holds the only copy of
        // its new content. (Between this look and the delete there is still
        // a moment, as with every delete by name.)
        plattform::TQuellStand jetzt;
        if (aufPlatte && geschlossen && plattform::QuellStandLesen(eintrag.quelle, jetzt) && jetzt == eintrag.stand
            && plattform::DateiEntfernen(eintrag.quelle))
            Aufraeumen(eintrag.quelle);
        else
            fehler_ = true;
    }
    offen_.clear();
    const bool gut = !fehler_;
    fehler_ = false;
    return gut;
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
    plattform::VerzeichnisEntfernen(verzeichnis);
}
