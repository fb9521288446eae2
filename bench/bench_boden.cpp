// bench_boden TWINS ROOT DIR...
//
// The floor of a duplicate search on a generated tree: one walk over every
// DIR with one stat per file for its size, then reading once each file that
// has a byte-identical twin (the list bench_baum wrote; paths relative to
// ROOT). No search can know its result with less work, so the benchmark
// times this like the tools and quotes the search against it.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

struct TSumme {
    uint64_t dateien = 0;
    uint64_t bytes = 0;
};

// Breadth-first like the search; the entry's type from the directory
// saves the stat for directories.
bool Laufen(const std::string& wurzel, TSumme& summe)
{
    std::vector<std::string> offen{wurzel};
    for (size_t i = 0; i < offen.size(); ++i) {
        const std::string verzeichnis = offen[i];
        std::unique_ptr<DIR, int (*)(DIR*)> liste(::opendir(verzeichnis.c_str()), ::closedir);
        if (!liste) {
            std::fprintf(stderr, "bench_boden: cannot open '%s': %s\n", verzeichnis.c_str(),
                         std::strerror(errno));
            return false;
        }
        const int fd = ::dirfd(liste.get());
        while (const dirent* eintrag = ::readdir(liste.get())) {
            const char* name = eintrag->d_name;
            if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
                continue;
            if (eintrag->d_type == DT_DIR) {
                offen.push_back(verzeichnis + "/" + name);
                continue;
            }
            struct stat info {};
            if (::fstatat(fd, name, &info, 0) != 0)
                continue;
            if (S_ISDIR(info.st_mode)) {
                offen.push_back(verzeichnis + "/" + name);
                continue;
            }
            ++summe.dateien;
            summe.bytes += static_cast<uint64_t>(info.st_size);
        }
    }
    return true;
}

bool Lesen(const std::string& pfad, unsigned char* puffer, size_t groesse, uint64_t& gelesen)
{
    const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "bench_boden: cannot open '%s': %s\n", pfad.c_str(),
                     std::strerror(errno));
        return false;
    }
    bool gut = true;
    for (;;) {
        const ssize_t n = ::read(fd, puffer, groesse);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            gut = false;
            break;
        }
        gelesen += static_cast<uint64_t>(n);
    }
    ::close(fd);
    return gut;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fputs("Usage: bench_boden TWINS ROOT DIR...\n", stderr);
        return 2;
    }
    TSumme summe;
    for (int i = 3; i < argc; ++i)
        if (!Laufen(argv[i], summe))
            return 1;

    std::ifstream zwillinge(argv[1]);
    if (!zwillinge) {
        std::fprintf(stderr, "bench_boden: cannot open '%s'\n", argv[1]);
        return 1;
    }
    constexpr size_t Block = 1 << 20;
    std::unique_ptr<unsigned char[]> puffer(new unsigned char[Block]);
    const std::string wurzel = argv[2];
    uint64_t gelesen = 0;
    uint64_t anzahl = 0;
    std::string zeile;
    while (std::getline(zwillinge, zeile)) {
        if (!Lesen(wurzel + "/" + zeile, puffer.get(), Block, gelesen))
            return 1;
        ++anzahl;
    }
    std::printf("%llu files, %llu bytes walked; %llu twins, %llu bytes read\n",
                static_cast<unsigned long long>(summe.dateien),
                static_cast<unsigned long long>(summe.bytes),
                static_cast<unsigned long long>(anzahl),
                static_cast<unsigned long long>(gelesen));
    return 0;
}
