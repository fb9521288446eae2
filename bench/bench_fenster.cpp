// The search through the real main window against the command-line front
// end on the same tree: the time of both, their resident peaks, how often
// the window gets to handle its messages while it compares, and what the
// marking commands of the result list cost on the list the run left.
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
#include <functional>
#include <fstream>
#include <string>
#include <vector>

namespace {

using TUhr = std::chrono::steady_clock;

double Sekunden(TUhr::time_point von, TUhr::time_point bis)
{
    return std::chrono::duration<double>(bis - von).count();
}

// A field of /proc/self/status in KiB ("VmRSS:", "VmHWM:"), -1 when unknown.
long StatusKiB(const std::string& feld)
{
    std::ifstream status("/proc/self/status");
    std::string zeile;
    while (std::getline(status, zeile))
        if (zeile.compare(0, feld.size(), feld) == 0)
            return std::strtol(zeile.c_str() + feld.size(), nullptr, 10);
    return -1;
}

// Lets the resident peak start again from what is resident now, so that
// each run's peak is its own (Linux 4.0 and later).
void SpitzeZuruecksetzen()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

double MiB(double kib)
{
    return kib / 1024;
}

// The real window's face with its dispatches timed: when each began, how
// long it took, and what the window showed then (ort).
class TMessflaeche : public TFormflaeche {
public:
    using TFormflaeche::TFormflaeche;

    std::function<std::string()> ort;
    std::vector<TUhr::time_point> zeitpunkte;
    std::vector<double> dauern;
    std::vector<std::string> orte;

    void NachrichtenVerarbeiten() override
    {
        const auto anfang = TUhr::now();
        zeitpunkte.push_back(anfang);
        orte.push_back(ort ? ort() : std::string());
        TFormflaeche::NachrichtenVerarbeiten();
        dauern.push_back(Sekunden(anfang, TUhr::now()));
    }
    bool JaNeinFrage(const std::string&, const std::string&) override { return false; }
};

// The real window over that face.
class TMessfenster : public TForm1 {
public:
    explicit TMessfenster(std::string programmVerzeichnis)
        : TForm1(std::move(programmVerzeichnis), nullptr,
                 [](QWidget& fenster, const TFormteile& teile, TFensterrahmen& rahmen, std::function<void()> anordnen) {
                     return std::make_unique<TMessflaeche>(fenster, teile, rahmen, std::move(anordnen));
                 })
    {
        messung.ort = [this] {
            return Logik().FeldText(TFeld::Edit5) + ", " + std::to_string(Logik().ListeAnzahl()) + " lines";
        };
    }

    TMessflaeche& messung = static_cast<TMessflaeche&>(Flaeche());
    std::vector<TUhr::time_point>& zeitpunkte = messung.zeitpunkte;
    std::vector<double>& dauern = messung.dauern;
    std::vector<std::string>& orte = messung.orte;
    TUhr::time_point ende;

    // The Start button's work without its lamps: clear, count from zero, search.
    double Suchen(const std::string& baum)
    {
        Logik().FeldSetzen(TFeld::Edit1, baum);
        Logik().FeldSetzen(TFeld::Edit3, baum);
        zeitpunkte.clear();
        dauern.clear();
        orte.clear();
        const auto anfang = TUhr::now();
        Logik().Sitzung().ListeLeeren();
        Logik().Sitzung().SucheAusfuehren({baum, baum});
        ende = TUhr::now();
        return std::chrono::duration<double>(ende - anfang).count();
    }

    // The longest stretch without a dispatch once the walks are done (the
    // walks handle none by design), up to the end of the run.
    double LaengsteLuecke() const
    {
        return zeitpunkte.size() < 2 ? 0 : Sekunden(zeitpunkte[LaengsteLueckeAb() - 1], LueckenEnde(LaengsteLueckeAb()));
    }

    // What the window showed when the longest stretch began: the file in
    // Edit5 and the number of lines, to tell the search's stretches from the window's.
    const std::string& LaengsteLueckeOrt() const { return orte[LaengsteLueckeAb() - 1]; }

    // The longest a dispatch itself took: the window's own share of a stretch.
    double LaengsterDispatch() const
    {
        return dauern.empty() ? 0 : *std::max_element(dauern.begin(), dauern.end());
    }

    // How many dispatches took longer than grenze seconds themselves.
    size_t DispatchesUeber(double grenze) const
    {
        return static_cast<size_t>(std::count_if(dauern.begin(), dauern.end(), [&](double d) { return d > grenze; }));
    }

    // Runs a command of the list's pop-up menu and the paint it causes.
    double Befehl(TBefehl befehl)
    {
        const auto anfang = TUhr::now();
        Logik().Ausfuehren(befehl);
        QCoreApplication::processEvents();
        return Sekunden(anfang, TUhr::now());
    }

    uint32_t MarkierteAnzahl() const
    {
        uint32_t markiert = 0;
        for (uint32_t i = 0; i < Logik().ListeAnzahl(); ++i)
            markiert += Logik().ListeMarkiert(i) ? 1 : 0;
        return markiert;
    }

    uint64_t Zeilenbytes() const
    {
        uint64_t bytes = 0;
        for (uint32_t i = 0; i < Logik().ListeAnzahl(); ++i)
            bytes += Logik().ListeZeile(i).size();
        return bytes;
    }

private:
    // Stretches begin at a dispatch and end at the next (or the end of the
    // run). The first, from before the walks to after them, is left out:
    // the walks handle no messages by design.
    TUhr::time_point LueckenEnde(size_t i) const { return i < zeitpunkte.size() ? zeitpunkte[i] : ende; }
    size_t LaengsteLueckeAb() const
    {
        size_t beste = 1;
        double laengste = -1;
        for (size_t i = 2; i <= zeitpunkte.size(); ++i) {
            const double luecke = Sekunden(zeitpunkte[i - 1], LueckenEnde(i));
            if (luecke > laengste) {
                laengste = luecke;
                beste = i;
            }
        }
        return beste;
    }
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
    QCoreApplication::processEvents();
    const long leerKiB = StatusKiB("VmRSS:");

    std::vector<double> fensterZeiten, cliZeiten, luecken, spitzen, cliSpitzen, dispatches;
    std::vector<std::string> lueckenOrte;
    std::vector<size_t> anzahlDispatches, langeDispatches;
    for (int runde = 0; runde <= wiederholungen; ++runde) {
        const bench::TMessung messung = bench::Messen({cli, baum, baum}, arbeit.string(),
                                                      (arbeit / "aus").string(), (arbeit / "fehler").string(), 0);
        SpitzeZuruecksetzen();
        const double fensterZeit = fenster.Suchen(baum);
        const long spitze = StatusKiB("VmHWM:");
        if (runde == 0)
            continue; // warm-up
        cliZeiten.push_back(messung.sekunden);
        cliSpitzen.push_back(static_cast<double>(messung.spitzeKiB));
        fensterZeiten.push_back(fensterZeit);
        luecken.push_back(fenster.LaengsteLuecke());
        lueckenOrte.push_back(fenster.LaengsteLueckeOrt());
        dispatches.push_back(fenster.LaengsterDispatch());
        anzahlDispatches.push_back(fenster.zeitpunkte.size());
        langeDispatches.push_back(fenster.DispatchesUeber(0.025));
        spitzen.push_back(static_cast<double>(spitze));
    }
    const double f = Median(fensterZeiten), c = Median(cliZeiten);
    const double zeilenMiB = static_cast<double>(fenster.Zeilenbytes()) / (1024.0 * 1024.0);
    const double bedarf = MiB(static_cast<double>(leerKiB)) + zeilenMiB;
    std::printf("tree %s, %d runs, medians\n", baum.c_str(), wiederholungen);
    std::printf("  window (TForm1, offscreen)  %8.3f s  peak %7.1f MiB  lines %u\n", f, MiB(Median(spitzen)),
                fenster.Logik().ListeAnzahl());
    std::printf("  dubrinax-cli                %8.3f s  peak %7.1f MiB\n", c, MiB(Median(cliSpitzen)));
    std::printf("  window / cli                %8.2f         %7.2f\n", f / c, Median(spitzen) / Median(cliSpitzen));
    std::printf("  longest stretch without a dispatch while comparing: %.1f ms (worst run %.1f ms)\n",
                Median(luecken) * 1000, *std::max_element(luecken.begin(), luecken.end()) * 1000);
    for (size_t i = 0; i < luecken.size(); ++i)
        std::printf("    run %zu: %.1f ms from %s; %zu dispatches, the longest itself %.1f ms, %zu over 25 ms\n",
                    i + 1, luecken[i] * 1000, lueckenOrte[i].c_str(), anzahlDispatches[i], dispatches[i] * 1000,
                    langeDispatches[i]);
    std::printf("  idle window %.1f MiB + the lines' bytes %.1f MiB = %.1f MiB; window peak / that = %.2f\n",
                MiB(static_cast<double>(leerKiB)), zeilenMiB, bedarf, MiB(Median(spitzen)) / bedarf);

    // The marking commands on the list of the last run, each with its paint.
    const double plus = fenster.Befehl(TBefehl::PlusMarkieren);
    const uint32_t plusMarkiert = fenster.MarkierteAnzahl();
    const double minus = fenster.Befehl(TBefehl::MinusMarkieren);
    const double ausruf = fenster.Befehl(TBefehl::AusrufMarkieren);
    const uint32_t alleMarkiert = fenster.MarkierteAnzahl();
    const double loeschen = fenster.Befehl(TBefehl::MarkierungenLoeschen);
    std::printf("  marking commands on %u lines: + %.1f ms (%u marked), - %.1f ms, ! %.1f ms (%u marked), "
                "clear %.1f ms (%u marked)\n",
                fenster.Logik().ListeAnzahl(), plus * 1000, plusMarkiert, minus * 1000, ausruf * 1000, alleMarkiert,
                loeschen * 1000, fenster.MarkierteAnzahl());
    return 0;
}
