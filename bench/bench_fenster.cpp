// The search through the real main window against the command-line front
// end on the same tree, and how often the window gets to handle its
// messages while it compares.
//
//   QT_QPA_PLATFORM=offscreen bench_fenster TREE [--cli PATH] [--wiederholungen N]

#include "app/Unit1.h"
#include "bench/Prozess.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using TUhr = std::chrono::steady_clock;

// The real window, with its dispatches timed.
class TMessfenster : public TForm1 {
public:
    using TForm1::TForm1;

    // The Start button's work without its lamps: clear, count from zero, search.
    double Suchen(const std::string& baum)
    {
        FeldSetzen(TFeld::Edit1, baum);
        FeldSetzen(TFeld::Edit3, baum);
        zeitpunkte.clear();
        const auto anfang = TUhr::now();
        ListeLeeren();
        FeldSetzen(TFeld::Edit7, "0");
        FeldSetzen(TFeld::Edit8, "0");
        FeldSetzen(TFeld::Edit9, "0");
        SucheAusfuehren();
        ende = TUhr::now();
        return std::chrono::duration<double>(ende - anfang).count();
    }

    // The longest stretch without a dispatch once the walks are done (the
    // walks handle none by design), up to the end of the run.
    double LaengsteLuecke() const
    {
        double laengste = 0;
        for (size_t i = 2; i < zeitpunkte.size(); ++i)
            laengste = std::max(laengste, std::chrono::duration<double>(zeitpunkte[i] - zeitpunkte[i - 1]).count());
        if (zeitpunkte.size() >= 2)
            laengste = std::max(laengste, std::chrono::duration<double>(ende - zeitpunkte.back()).count());
        return laengste;
    }

    std::vector<TUhr::time_point> zeitpunkte;
    TUhr::time_point ende;

protected:
    void NachrichtenVerarbeiten() override
    {
        zeitpunkte.push_back(TUhr::now());
        TForm1::NachrichtenVerarbeiten();
    }
    bool JaNeinFrage(const std::string&, const std::string&) override { return false; }
};

double Median(std::vector<double> werte)
{
    std::sort(werte.begin(), werte.end());
    return werte[werte.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string baum;
    std::string cli = DUBRINAX_CLI;
    int wiederholungen = 5;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--cli") == 0 && i + 1 < argc)
            cli = argv[++i];
        else if (std::strcmp(argv[i], "--wiederholungen") == 0 && i + 1 < argc)
            wiederholungen = std::max(1, std::atoi(argv[++i]));
        else
            baum = argv[i];
    }
    if (baum.empty()) {
        std::fprintf(stderr, "Usage: bench_fenster TREE [--cli PATH] [--wiederholungen N]\n");
        return 2;
    }
    if (baum.back() != '/')
        baum += '/';

    QApplication anwendung(argc, argv);
    bench::ProzesseVorbereiten();
    // The window keeps its settings in a scratch directory, not beside this program.
    const std::filesystem::path arbeit = std::filesystem::temp_directory_path() / "dubrinax-bench-fenster";
    std::filesystem::create_directories(arbeit);
    TMessfenster fenster(arbeit.string() + "/");
    fenster.show();

    std::vector<double> fensterZeiten, cliZeiten, luecken;
    for (int runde = 0; runde <= wiederholungen; ++runde) {
        const bench::TMessung messung = bench::Messen({cli, baum, baum}, arbeit.string(),
                                                      (arbeit / "aus").string(), (arbeit / "fehler").string(), 0);
        const double fensterZeit = fenster.Suchen(baum);
        if (runde == 0)
            continue; // warm-up
        cliZeiten.push_back(messung.sekunden);
        fensterZeiten.push_back(fensterZeit);
        luecken.push_back(fenster.LaengsteLuecke());
    }
    const double f = Median(fensterZeiten), c = Median(cliZeiten);
    std::printf("tree %s, %d runs, medians\n", baum.c_str(), wiederholungen);
    std::printf("  window (TForm1, offscreen)  %8.3f s  lines %u\n", f, fenster.ListeAnzahl());
    std::printf("  dubrinax-cli                %8.3f s\n", c);
    std::printf("  window / cli                %8.2f\n", f / c);
    std::printf("  longest stretch without a dispatch while comparing: %.1f ms (worst run %.1f ms)\n",
                Median(luecken) * 1000, *std::max_element(luecken.begin(), luecken.end()) * 1000);
    fenster.AbbruchAngefordert = false;
    return 0;
}
