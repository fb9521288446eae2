// bench_kollision [--ort DIR] [--wiederholungen N] [--cli PATH]
//
// Files made to collide on purpose. The search sorts a size group by a
// checksum before it compares bytes; a checksum anyone can compute lets
// whoever puts files on a disk give thousands of different files the same
// sum, and the sorting then compares each with every other. This writes two
// trees of 6,000 different 8 KiB files each: an ordinary one of random
// files, and one crafted against the unkeyed checksum the search used before
// it took a key per run (a difference in the top bit of one word cancelled
// by one in the next). It checks that the crafted files do share that old
// sum, then times dubrinax-cli on each tree against itself and prints the
// median times and their ratio. The crafted tree must take no longer than
// the ordinary one: it exits with 1 when it takes over 1.5 times as long.

#include "bench/Prozess.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int Dateien = 6000;
constexpr size_t Groesse = 8192;
constexpr size_t Worte = Groesse / 8;

// The checksum as it was, eight bytes at a time, with no key.
uint64_t AlteSumme(const char* daten, size_t menge)
{
    uint64_t summe = 1469598103934665603ull;
    for (size_t i = 0; i + 8 <= menge; i += 8) {
        uint64_t wort;
        std::memcpy(&wort, daten + i, sizeof wort);
        summe = (summe ^ wort) * 0x9E3779B97F4A7C15ull;
        summe ^= summe >> 29;
    }
    return summe;
}

// File j: the same random bytes, with the word pairs of j's bits changed
// near the end (so that comparing two of them reads to there). Flipping bit
// 63 before the multiplication flips only bit 63 after it, and the shift
// adds bit 34; the next word flips both back.
std::vector<uint64_t> Gezielt(const std::vector<uint64_t>& basis, int j)
{
    std::vector<uint64_t> worte = basis;
    for (int bit = 0; (j >> bit) != 0; ++bit) {
        if (((j >> bit) & 1) == 0)
            continue;
        const size_t i = Worte - 2 - 2 * static_cast<size_t>(bit);
        worte[i] ^= uint64_t{1} << 63;
        worte[i + 1] ^= (uint64_t{1} << 63) | (uint64_t{1} << 34);
    }
    return worte;
}

void Schreiben(const std::filesystem::path& pfad, const std::vector<uint64_t>& worte)
{
    std::ofstream(pfad, std::ios::binary).write(reinterpret_cast<const char*>(worte.data()), Groesse);
}

double Median(std::vector<double> werte)
{
    std::sort(werte.begin(), werte.end());
    return werte[werte.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    std::string ort = "/tmp/dubrinax-kollision";
    std::string cli = DUBRINAX_CLI;
    int wiederholungen = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--ort")
            ort = argv[i + 1];
        else if (name == "--cli")
            cli = argv[i + 1];
        else if (name == "--wiederholungen")
            wiederholungen = std::max(1, std::atoi(argv[i + 1]));
    }
    namespace fs = std::filesystem;
    fs::remove_all(ort);
    const fs::path gewoehnlich = fs::path(ort) / "gewoehnlich", gezielt = fs::path(ort) / "gezielt";
    fs::create_directories(gewoehnlich);
    fs::create_directories(gezielt);

    std::mt19937_64 zufall(1);
    std::vector<uint64_t> basis(Worte);
    for (uint64_t& w : basis)
        w = zufall();
    std::set<uint64_t> alteSummen;
    for (int j = 0; j < Dateien; ++j) {
        const std::vector<uint64_t> worte = Gezielt(basis, j);
        alteSummen.insert(AlteSumme(reinterpret_cast<const char*>(worte.data()), Groesse));
        Schreiben(gezielt / ("f" + std::to_string(j)), worte);
        std::vector<uint64_t> zufaellig(Worte);
        for (uint64_t& w : zufaellig)
            w = zufall();
        Schreiben(gewoehnlich / ("f" + std::to_string(j)), zufaellig);
    }
    std::printf("crafted files: %d, distinct sums of the old checksum among them: %zu\n", Dateien, alteSummen.size());
    if (alteSummen.size() != 1) {
        std::fprintf(stderr, "the crafted files do not collide: the benchmark shows nothing\n");
        return 2;
    }

    bench::ProzesseVorbereiten();
    double median[2] = {0, 0};
    const fs::path baeume[2] = {gewoehnlich, gezielt};
    for (int b = 0; b < 2; ++b) {
        const std::string baum = baeume[b].string() + "/";
        std::vector<double> zeiten;
        for (int lauf = 0; lauf <= wiederholungen; ++lauf) {
            const bench::TMessung messung = bench::Messen({cli, baum, baum}, ort, ort + "/aus", ort + "/meldungen", 600);
            if (!messung.gestartet || messung.zuLang || messung.exitCode != 0) {
                std::fprintf(stderr, "%s failed on %s\n", cli.c_str(), baum.c_str());
                return 2;
            }
            if (lauf > 0) // the first run warms the page cache
                zeiten.push_back(messung.sekunden);
        }
        median[b] = Median(zeiten);
    }
    fs::remove_all(ort);
    const double verhaeltnis = median[1] / median[0];
    std::printf("| tree | median of %d runs |\n|---|---|\n", wiederholungen);
    std::printf("| 6,000 random 8 KiB files | %.3f s |\n", median[0]);
    std::printf("| 6,000 8 KiB files sharing the old checksum | %.3f s |\n", median[1]);
    std::printf("crafted against ordinary: %.2f\n", verhaeltnis);
    return verhaeltnis <= 1.5 ? 0 : 1;
}
