// Moves (or copies) 10,000 small files with the result list's command, from
// a tree below one directory into another, and prints the time the command
// took. Both directories may lie on one file system or on two; see README.md.
//
//   bench_verschieben QUELLBASIS ZIELBASIS [anzahl] [kopieren]
//
// The files are made fresh below QUELLBASIS/quelle-<pid>/ (100 per
// directory, 64 bytes each, all different), found by a search against an
// empty tree, all marked, and moved to ZIELBASIS/ziel-<pid>/; both trees are
// removed afterwards.

#if __has_include("search/FensterLogik.h")
#include "search/FensterLogik.h"
#else
#include "fenster/Feldanzeige.h"
#include "search/Suchsitzung.h"
#endif
#include <numeric>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#ifdef DUBRINAX_OHNE_SYNCFS
// The same command without its flush, to tell what bringing the copies to
// the disk costs: this definition takes the place of the C library's.
extern "C" int syncfs(int) noexcept
{
    return 0;
}
#endif

namespace {

#if __has_include("search/FensterLogik.h")
// Only what the search and the command need of a window.
class TBankfenster : public TFensterLogik {
public:
    std::vector<bool> marken;
    std::string felder[10];

    void Suchen(const std::string& eins, const std::string& zwei)
    {
        SucheAusfuehren({eins, zwei});
        marken.assign(ListeAnzahl(), true);
    }
    std::string Feld(TFeld feld) const { return felder[static_cast<int>(feld)]; }

protected:
#if __has_include("search/Fundliste.h")
    void FundAngehaengt(uint32_t) override {}
#else
    // The code before the list became data kept its lines in the window.
    std::vector<std::string> zeilen_;
    void ListeLeeren() override { zeilen_.clear(); }
    void ListeAnhaengen(const std::string& zeile) override { zeilen_.push_back(zeile); }
    uint32_t ListeAnzahl() const override { return static_cast<uint32_t>(zeilen_.size()); }
    std::string ListeZeile(uint32_t index) const override { return zeilen_[index]; }
    void ListeZeileSetzen(uint32_t index, const std::string& zeile) override { zeilen_[index] = zeile; }
#endif
    bool ListeMarkiert(uint32_t index) const override { return marken[index]; }
    void ListeMarkieren(uint32_t index, bool markiert) override { marken[index] = markiert; }
    std::string FeldText(TFeld feld) const override { return felder[static_cast<int>(feld)]; }
    void FeldSetzen(TFeld feld, const std::string& text) override { felder[static_cast<int>(feld)] = text; }
    void GaugeSetProgress(int32_t) override {}
    void GaugeSetMaxValue(int32_t) override {}
    int32_t GaugeMaxValue() const override { return 100; }
    void NachrichtenVerarbeiten() override {}
    bool JaNeinFrage(const std::string&, const std::string&) override { return true; }
    void Meldung(const std::string&, const std::string&) override {}
};

#else
// A session and an observer that needs to hear nothing.
class TBankfenster : public TSuchbeobachter {
public:
    void Suchen(const std::string& eins, const std::string& zwei) { sitzung_.SucheAusfuehren({eins, zwei}); }
    void MarkierteKopieren(const std::string& basis, const std::string& ziel, bool verschieben)
    {
        std::vector<uint32_t> alle(sitzung_.Funde().Anzahl());
        std::iota(alle.begin(), alle.end(), 0u);
        sitzung_.MarkierteKopieren(std::move(alle), basis, ziel, verschieben);
    }
    std::string Feld(TFeld feld) const { return Feldtext(feld, sitzung_.Stand()); }

private:
    TSuchsitzung sitzung_{*this};
};
#endif

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s QUELLBASIS ZIELBASIS [anzahl] [kopieren]\n", argv[0]);
        return 2;
    }
    namespace fs = std::filesystem;
    const int anzahl = argc > 3 ? std::stoi(argv[3]) : 10000;
    const bool verschieben = argc <= 4;
    const std::string kennung = std::to_string(::getpid());
    const fs::path quelle = fs::path(argv[1]) / ("quelle-" + kennung);
    const fs::path leer = fs::path(argv[1]) / ("leer-" + kennung);
    const fs::path ziel = fs::path(argv[2]) / ("ziel-" + kennung);
    fs::create_directories(leer);
    fs::create_directories(ziel);
    for (int i = 0; i < anzahl; ++i) {
        const fs::path verzeichnis = quelle / ("d" + std::to_string(i / 100));
        fs::create_directories(verzeichnis);
        std::ofstream(verzeichnis / ("f" + std::to_string(i)), std::ios::binary)
            << std::string(60, 'x') << std::to_string(1000 + i);
    }
    ::sync();

    TBankfenster fenster;
    fenster.Suchen(quelle.string() + "/", leer.string() + "/");
    const auto anfang = std::chrono::steady_clock::now();
    fenster.MarkierteKopieren(quelle.string() + "/", ziel.string() + "/", verschieben);
    const double sekunden = std::chrono::duration<double>(std::chrono::steady_clock::now() - anfang).count();

    size_t angekommen = 0;
    for (const auto& eintrag : fs::recursive_directory_iterator(ziel))
        angekommen += eintrag.is_regular_file() ? 1 : 0;
    std::printf("%s %d files: %.3f s, %zu arrived, \"%s\"\n", verschieben ? "move" : "copy", anzahl, sekunden,
                angekommen, fenster.Feld(TFeld::Edit5).c_str());
    fs::remove_all(quelle);
    fs::remove_all(leer);
    fs::remove_all(ziel);
    return 0;
}
