// What the size table costs a search run: building, filling and deleting a
// THashTabelle of the program's ten million buckets, beside the plain way of
// constructing every bucket up front (new TKette[N]() ... delete[]).
//
// Each iteration runs in a child process of its own, so that the resident
// peak it reports (VmHWM) is that variant's alone and not left over from an
// earlier one; the child times its work and sends the figures back.

#include "reference/Textblock.h"
#include "reference/Hashtabelle.h"
#include "reference/Kette.h"
#include "util/Stringsbearbeiten.h"

#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

constexpr uint32_t Listen = 10'000'000;
constexpr uint32_t Eintraege = 100'000;

// File sizes are roughly log-normal: most files are small, a few are huge.
// Median 16 KiB, clipped to 1 byte .. 64 GiB; the seed is fixed so every
// run fills the same buckets.
const std::vector<uint64_t>& Groessen()
{
    static const std::vector<uint64_t> groessen = [] {
        std::mt19937_64 zufall(20240611);
        std::lognormal_distribution<double> verteilung(std::log(16384.0), 2.5);
        std::vector<uint64_t> g(Eintraege);
        for (uint64_t& groesse : g) {
            const double wert = std::clamp(verteilung(zufall), 1.0, 68719476736.0);
            groesse = static_cast<uint64_t>(wert);
        }
        return g;
    }();
    return groessen;
}

// A path like the ones the scan stores: about 45 bytes.
char* Pfad(uint32_t i)
{
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "/home/nutzer/daten/ordner%03u/datei%06u.bin",
                  i % 1000, i);
    return TextKopie(puffer);
}

long StatusKiB(const char* feld)
{
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char zeile[256];
    long wert = -1;
    const size_t laenge = std::strlen(feld);
    while (std::fgets(zeile, sizeof zeile, status)) {
        if (std::strncmp(zeile, feld, laenge) == 0) {
            wert = std::strtol(zeile + laenge, nullptr, 10);
            break;
        }
    }
    std::fclose(status);
    return wert;
}

struct Messung {
    double sekunden;
    long spitzeKiB;  // the child's whole resident peak
    long vorherKiB;  // what it had when the work began (inherited from the parent)
};

template <class Arbeit>
Messung ImKindMessen(Arbeit arbeit)
{
    int rohr[2];
    if (pipe(rohr) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t kind = fork();
    if (kind < 0)
        throw std::runtime_error("fork failed");
    if (kind == 0) {
        close(rohr[0]);
        Messung m{};
        m.vorherKiB = StatusKiB("VmRSS:");
        const auto anfang = std::chrono::steady_clock::now();
        arbeit();
        const auto ende = std::chrono::steady_clock::now();
        m.sekunden = std::chrono::duration<double>(ende - anfang).count();
        m.spitzeKiB = StatusKiB("VmHWM:");
        const bool ganz = write(rohr[1], &m, sizeof m) == static_cast<ssize_t>(sizeof m);
        _exit(ganz ? 0 : 1); // no atexit handlers of the parent's benchmark library
    }
    close(rohr[1]);
    Messung m{};
    const ssize_t gelesen = read(rohr[0], &m, sizeof m);
    close(rohr[0]);
    int zustand = 0;
    waitpid(kind, &zustand, 0);
    if (gelesen != static_cast<ssize_t>(sizeof m) || !WIFEXITED(zustand)
        || WEXITSTATUS(zustand) != 0)
        throw std::runtime_error("the measuring child failed");
    return m;
}

template <class Arbeit>
void Messen(benchmark::State& state, Arbeit arbeit)
{
    Groessen(); // made before the fork, not timed
    long spitze = 0;
    long eigen = 0;
    for (auto _ : state) {
        const Messung m = ImKindMessen(arbeit);
        state.SetIterationTime(m.sekunden);
        spitze = std::max(spitze, m.spitzeKiB);
        eigen = std::max(eigen, m.spitzeKiB - m.vorherKiB);
    }
    state.counters["peak_MiB"] = static_cast<double>(spitze) / 1024.0;
    state.counters["own_peak_MiB"] = static_cast<double>(eigen) / 1024.0;
}

void Tabelle_Leer(benchmark::State& state)
{
    Messen(state, [] {
        auto* tabelle = new THashTabelle(Listen);
        benchmark::DoNotOptimize(tabelle);
        delete tabelle;
    });
}

void Naiv_Leer(benchmark::State& state)
{
    Messen(state, [] {
        auto* listen = new TKette[Listen]();
        benchmark::DoNotOptimize(listen);
        benchmark::ClobberMemory();
        delete[] listen;
    });
}

void Tabelle_Gefuellt(benchmark::State& state)
{
    Messen(state, [] {
        const std::vector<uint64_t>& groessen = Groessen();
        auto* tabelle = new THashTabelle(Listen);
        for (uint32_t i = 0; i < Eintraege; ++i)
            tabelle->Einfuegen(Pfad(i), groessen[i], 0);
        benchmark::DoNotOptimize(tabelle);
        delete tabelle;
    });
}

void Naiv_Gefuellt(benchmark::State& state)
{
    Messen(state, [] {
        const std::vector<uint64_t>& groessen = Groessen();
        auto* listen = new TKette[Listen]();
        for (uint32_t i = 0; i < Eintraege; ++i)
            listen[groessen[i] % Listen].Anhaengen(Pfad(i), 0);
        benchmark::DoNotOptimize(listen);
        benchmark::ClobberMemory();
        delete[] listen;
    });
}

} // namespace

BENCHMARK(Tabelle_Leer)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Naiv_Leer)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Tabelle_Gefuellt)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Naiv_Gefuellt)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
