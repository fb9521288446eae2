// bench_baum KIND TARGET [--faktor F] [--seed N] [--ohne-sync]
//
// Writes a seeded test tree for the search benchmark into TARGET, which must
// not exist yet or be empty, and the list of files that have a byte-identical
// twin (paths relative to TARGET, one a line) into TARGET.zwillinge beside
// it, never inside: the tree must hold only what the kind says. The same
// kind, factor and seed give the same names and bytes every time.

#include "bench/Baumplan.h"
#include "bench/Zufall.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>

namespace {

constexpr size_t Block = 1 << 20;

const char* const Hilfe =
    "Usage: bench_baum KIND TARGET [--faktor F] [--seed N] [--ohne-sync]\n"
    "Kinds: klein, gleichgross, gross, gemischt, zwei, million (see bench/README.md).\n"
    "--faktor scales the number of files (for gross: their size); default 1.\n"
    "--seed picks the tree; default 1. --ohne-sync skips the final sync.\n";

[[noreturn]] void Abbruch(const std::string& text)
{
    throw std::runtime_error(text);
}

[[noreturn]] void SystemAbbruch(const std::string& was, const std::string& pfad)
{
    Abbruch(was + " '" + pfad + "': " + std::strerror(errno));
}

// An open file descriptor that closes itself; closing is checked by
// Schliessen() where a lost write would matter.
class TDeskriptor {
public:
    explicit TDeskriptor(int fd) : fd_(fd) {}
    TDeskriptor(const TDeskriptor&) = delete;
    TDeskriptor& operator=(const TDeskriptor&) = delete;
    ~TDeskriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int fd() const { return fd_; }
    // Closes now; false when close reports an error (a delayed write error).
    bool Schliessen()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

void AllesSchreiben(int fd, const unsigned char* daten, size_t laenge, const std::string& pfad)
{
    while (laenge > 0) {
        const ssize_t n = ::write(fd, daten, laenge);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            SystemAbbruch("cannot write", pfad);
        }
        daten += n;
        laenge -= static_cast<size_t>(n);
    }
}

// Writes one file: the content stream of its seed, cut to its size, the
// last byte inverted for a near twin. Copies regenerate the same stream,
// which is faster than reading the original back.
void DateiSchreiben(const std::string& pfad, const bench::TDateiPlan& datei, unsigned char* puffer)
{
    TDeskriptor ziel(::open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (ziel.fd() < 0)
        SystemAbbruch("cannot create", pfad);
    bench::TZufall strom(datei.inhalt);
    uint64_t geschrieben = 0;
    while (geschrieben < datei.groesse) {
        const size_t stueck = static_cast<size_t>(std::min<uint64_t>(Block, datei.groesse - geschrieben));
        for (size_t i = 0; i < stueck; i += 8) {
            const uint64_t wort = strom.Naechste();
            std::memcpy(puffer + i, &wort, 8); // the buffer has room for a whole last word
        }
        if (datei.letztesGekippt && geschrieben + stueck == datei.groesse)
            puffer[stueck - 1] ^= 0xFF;
        AllesSchreiben(ziel.fd(), puffer, stueck, pfad);
        geschrieben += stueck;
    }
    if (!ziel.Schliessen())
        SystemAbbruch("cannot close", pfad);
}

// TARGET may exist only as an empty directory: the generator never writes
// into a tree that holds anything else.
void ZielVorbereiten(const std::string& ziel)
{
    struct stat info {};
    if (::stat(ziel.c_str(), &info) != 0) {
        if (errno != ENOENT)
            SystemAbbruch("cannot examine", ziel);
        if (::mkdir(ziel.c_str(), 0755) != 0)
            SystemAbbruch("cannot create", ziel);
        return;
    }
    if (!S_ISDIR(info.st_mode))
        Abbruch("'" + ziel + "' exists and is not a directory");
    std::unique_ptr<DIR, int (*)(DIR*)> verzeichnis(::opendir(ziel.c_str()), ::closedir);
    if (!verzeichnis)
        SystemAbbruch("cannot open", ziel);
    while (const dirent* eintrag = ::readdir(verzeichnis.get())) {
        if (std::strcmp(eintrag->d_name, ".") != 0 && std::strcmp(eintrag->d_name, "..") != 0)
            Abbruch("'" + ziel + "' is not empty");
    }
}

double ZahlLesen(const char* text, const char* option)
{
    char* ende = nullptr;
    errno = 0;
    const double wert = std::strtod(text, &ende);
    if (errno != 0 || ende == text || *ende != '\0')
        Abbruch(std::string("bad number for ") + option + ": '" + text + "'");
    return wert;
}

int Ausfuehren(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(Hilfe, stdout);
        return 0;
    }
    if (argc < 3) {
        std::fputs(Hilfe, stderr);
        return 2;
    }
    const std::string art = argv[1];
    std::string ziel = argv[2];
    while (ziel.size() > 1 && ziel.back() == '/')
        ziel.pop_back();
    double faktor = 1.0;
    uint64_t seed = 1;
    bool synchronisieren = true;
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--faktor" && i + 1 < argc)
            faktor = ZahlLesen(argv[++i], "--faktor");
        else if (option == "--seed" && i + 1 < argc)
            seed = static_cast<uint64_t>(ZahlLesen(argv[++i], "--seed"));
        else if (option == "--ohne-sync")
            synchronisieren = false;
        else
            Abbruch("unknown option '" + option + "' (see --help)");
    }
    if (!bench::ArtBekannt(art))
        Abbruch("unknown tree kind '" + art + "' (see --help)");

    const auto beginn = std::chrono::steady_clock::now();
    const bench::TBaumPlan plan = bench::BaumPlanen(art, faktor, seed);
    ZielVorbereiten(ziel);
    for (const std::string& verzeichnis : plan.verzeichnisse) {
        if (verzeichnis.empty())
            continue;
        const std::string pfad = ziel + "/" + verzeichnis;
        if (::mkdir(pfad.c_str(), 0755) != 0)
            SystemAbbruch("cannot create", pfad);
    }

    // One word more than a block, so the fill loop may always write whole words.
    std::unique_ptr<unsigned char[]> puffer(new unsigned char[Block + 8]);
    uint64_t bytes = 0;
    for (const bench::TDateiPlan& datei : plan.dateien) {
        DateiSchreiben(ziel + "/" + datei.pfad, datei, puffer.get());
        bytes += datei.groesse;
    }

    const std::vector<size_t> zwillinge = bench::Zwillinge(plan);
    const std::string listenPfad = ziel + ".zwillinge";
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> liste(std::fopen(listenPfad.c_str(), "w"),
                                                          std::fclose);
    if (!liste)
        SystemAbbruch("cannot create", listenPfad);
    uint64_t zwillingsBytes = 0;
    for (size_t i : zwillinge) {
        std::fprintf(liste.get(), "%s\n", plan.dateien[i].pfad.c_str());
        zwillingsBytes += plan.dateien[i].groesse;
    }
    if (std::fflush(liste.get()) != 0 || std::ferror(liste.get()))
        SystemAbbruch("cannot write", listenPfad);
    liste.reset();

    size_t nah = 0;
    for (const bench::TDateiPlan& datei : plan.dateien)
        nah += datei.letztesGekippt ? 1 : 0;

    // Written data still in the page cache would be flushed during the
    // timed runs and disturb them.
    if (synchronisieren)
        ::sync();
    const double sekunden =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - beginn).count();
    std::printf("%s: %zu files, %zu directories, %.1f MiB; %zu files with an identical twin "
                "(%.1f MiB)",
                art.c_str(), plan.dateien.size(), plan.verzeichnisse.size(),
                bytes / 1048576.0, zwillinge.size(), zwillingsBytes / 1048576.0);
    if (nah > 0)
        std::printf(", %zu near twins", nah);
    std::printf("; written in %.1f s to %s\n", sekunden, ziel.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Ausfuehren(argc, argv);
    } catch (const std::exception& fehler) {
        std::fprintf(stderr, "bench_baum: %s\n", fehler.what());
        return 1;
    }
}
