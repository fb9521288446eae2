// Moves 10,000 small files into the trash with the result list's command and
// prints the time the command took: all of one name (each in a directory of
// its own) or all of different names, which should take about as long.
//
//   bench_papierkorb BASIS [anzahl] [gleich|verschieden]
//
// The files are made fresh below BASIS/papierkorb-<pid>/, listed as "+"
// lines under one "!" file that stays, all marked; the trash is that
// directory's D/Trash ($XDG_DATA_HOME). Everything is removed afterwards.

#include "search/Fundliste.h"
#include "search/Papierkorbbefehl.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_papierkorb BASIS [anzahl] [gleich|verschieden]\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path wurzel = fs::path(argv[1]) / ("papierkorb-" + std::to_string(::getpid()));
    const int anzahl = argc > 2 ? std::atoi(argv[2]) : 10000;
    const bool gleich = argc <= 3 || std::string(argv[3]) == "gleich";
    fs::create_directories(wurzel / "A");
    ::setenv("XDG_DATA_HOME", (wurzel / "D").c_str(), 1);

    TFundliste funde;
    funde.VerzeichnisseSetzen((wurzel / "A/").string(), (wurzel / "B/").string());
    const auto aufnehmen = [&](char art, const fs::path& pfad) {
        fs::create_directories(pfad.parent_path());
        std::ofstream(pfad) << "gleicher Inhalt\n";
        plattform::TQuellStand stand;
        plattform::QuellStandLesen(pfad.string(), stand);
        funde.Anhaengen(funde.Aufnehmen(art, art == '+', pfad.string(), &stand));
    };
    aufnehmen('!', wurzel / "A/bleibt");
    std::vector<uint32_t> zeilen;
    for (int i = 0; i < anzahl; ++i) {
        zeilen.push_back(funde.Anzahl());
        const std::string name = gleich ? "datei.txt" : "datei" + std::to_string(i) + ".txt";
        aufnehmen('+', wurzel / "B" / std::to_string(i) / name);
    }

    const auto anfang = std::chrono::steady_clock::now();
    const TPapierkorbErgebnis ergebnis = InDenPapierkorbLegen(funde, zeilen, {});
    const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - anfang;
    std::printf("%d files, %s names: %.3f s, %u trashed, %zu refused\n", anzahl, gleich ? "one" : "different",
                dauer.count(), ergebnis.weggelegt, ergebnis.abgelehnt.size());
    fs::remove_all(wurzel);
    return ergebnis.abgelehnt.empty() ? 0 : 1;
}
