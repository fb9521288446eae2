#include "search/Verzeichnisleser.h"

#include "search/Lesefaeden.h"

#include <algorithm>
#include <chrono>
#include <optional>

namespace {

// Directories listed ahead of the walk at most, and entries held for it:
// a thread beyond that waits, unless it lists the walk's own directory.
constexpr size_t VerzeichnisseVoraus = 64;
constexpr size_t EintraegeVoraus = size_t{1} << 14;
// Entries a thread hands over at once.
constexpr size_t Buendel = 64;
// How often the walk looks for a stop while it waits for a listing.
constexpr auto HaltenAbstand = std::chrono::milliseconds(40);

} // namespace

TVerzeichnisleser::~TVerzeichnisleser()
{
    {
        std::lock_guard<std::mutex> sperre(mutex_);
        ende_ = true;
    }
    zuDenFaeden_.notify_all();
    for (std::thread& faden : faeden_)
        faden.join();
}

void TVerzeichnisleser::Einreihen(std::string_view pfad, bool verweis)
{
    std::lock_guard<std::mutex> sperre(mutex_);
    TListung& listung = listungen_.emplace_back();
    listung.pfad = pfad;
    listung.verweis = verweis;
    if (faeden_.empty())
        for (size_t i = LesefaedenAnzahl(); i > 0; --i)
            faeden_.emplace_back([this] { Arbeiten(); });
    zuDenFaeden_.notify_one();
}

bool TVerzeichnisleser::Naechster(TGelistet& eintrag)
{
    std::unique_lock<std::mutex> sperre(mutex_);
    for (;;) {
        if (listungen_.empty())
            return false;
        TListung& vorn = listungen_.front();
        if (!vorn.eintraege.empty()) {
            eintrag = std::move(vorn.eintraege.front());
            vorn.eintraege.pop_front();
            if (gepuffert_-- == EintraegeVoraus)
                zuDenFaeden_.notify_all();
            return true;
        }
        if (vorn.fertig) {
            grund_ = std::move(vorn.grund);
            listungen_.pop_front();
            zuDenFaeden_.notify_all(); // room for one more directory ahead
            return false;
        }
        if (zumWeg_.wait_for(sperre, HaltenAbstand) == std::cv_status::timeout && halten_) {
            sperre.unlock();
            gehalten_ = halten_();
            sperre.lock();
            if (gehalten_)
                return false;
        }
    }
}

void TVerzeichnisleser::Arbeiten()
{
    std::unique_lock<std::mutex> sperre(mutex_);
    for (;;) {
        if (ende_)
            return;
        const size_t voraus = std::min(listungen_.size(), VerzeichnisseVoraus);
        const auto offen = std::find_if(listungen_.begin(), listungen_.begin() + static_cast<std::ptrdiff_t>(voraus),
                                        [](const TListung& l) { return !l.begonnen; });
        if (offen == listungen_.begin() + static_cast<std::ptrdiff_t>(voraus)) {
            zuDenFaeden_.wait(sperre);
            continue;
        }
        // The walk takes listings from the front only once they are done:
        // this one stays where it is while it is listed.
        offen->begonnen = true;
        TListung& listung = *offen;
        sperre.unlock();
        Auflisten(listung);
        sperre.lock();
    }
}

void TVerzeichnisleser::Auflisten(TListung& listung)
{
    // Short of descriptors while other listings are open, a thread waits
    // for one of them to close and tries again: a directory is left out
    // only when it cannot be listed on its own, and then it is said why.
    std::optional<plattform::TVerzeichnisListe> offen;
    bool vergebens = false;
    for (;;) {
        {
            // Counted before it is opened: another thread that finds no
            // descriptor meanwhile waits for this one.
            std::lock_guard<std::mutex> sperre(mutex_);
            ++offeneListen_;
        }
        offen.emplace(listung.pfad);
        std::unique_lock<std::mutex> sperre(mutex_);
        if (offen->Offen())
            break;
        --offeneListen_;
        zuDenFaeden_.notify_all();
        if (!offen->KeineDeskriptoren() || offeneListen_ == 0 || ende_ || vergebens) {
            listung.grund = offen->Grund();
            listung.fertig = true;
            zumWeg_.notify_all();
            return;
        }
        // (Another listing may itself wait for the walk, which waits for
        // this one: after a while without any closed, it is given up.)
        const size_t vorher = offeneListen_;
        ++deskriptorWartende_;
        zuDenFaeden_.notify_all();
        vergebens = !zuDenFaeden_.wait_for(sperre, std::chrono::seconds(1),
                                           [&] { return ende_ || offeneListen_ < vorher; });
        --deskriptorWartende_;
    }
    plattform::TVerzeichnisListe& liste = *offen;
    struct TSchliessen {
        TVerzeichnisleser& leser;
        std::optional<plattform::TVerzeichnisListe>& offen;
        ~TSchliessen()
        {
            offen.reset();
            std::lock_guard<std::mutex> sperre(leser.mutex_);
            --leser.offeneListen_;
            leser.zuDenFaeden_.notify_all();
        }
    } schliessen{*this, offen};
    std::vector<TGelistet> buendel;
    std::string name;
    std::string pfad;
    plattform::TEintragsArt art;
    auto abgeben = [&](bool fertig) {
        std::unique_lock<std::mutex> sperre(mutex_);
        for (TGelistet& eintrag : buendel)
            listung.eintraege.push_back(std::move(eintrag));
        gepuffert_ += buendel.size();
        buendel.clear();
        listung.fertig = fertig;
        zumWeg_.notify_all();
        if (fertig)
            return true;
        // Far enough ahead: wait, unless the walk waits for this very listing,
        // or another thread waits for the descriptor this one holds.
        zuDenFaeden_.wait(sperre, [&] {
            return ende_ || gepuffert_ < EintraegeVoraus || &listungen_.front() == &listung
                   || deskriptorWartende_ > 0;
        });
        return !ende_;
    };
    while (liste.Naechster(name, art)) {
        if (ende_)
            return;
        if (name == "." || name == "..")
            continue;
        TGelistet& eintrag = buendel.emplace_back();
        pfad.assign(listung.pfad).append(name);
        eintrag.verweis = listung.verweis || art == plattform::TEintragsArt::Unbekannt;
        // The listing tells a link only as an entry it cannot tell: a second
        // look, at the link itself, for those alone.
        eintrag.istVerweis = art == plattform::TEintragsArt::Unbekannt && plattform::IstVerweis(pfad);
        eintrag.angesehen = ansehen_(liste, name, pfad, art, eintrag.verweis, eintrag.info);
        eintrag.name = std::move(name);
        if (buendel.size() == Buendel && !abgeben(false))
            return;
    }
    abgeben(true);
}
