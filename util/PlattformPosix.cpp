#include "util/Plattform.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plattform {

namespace {

bool StatFolgen(const std::string& pfad, struct stat& info)
{
    // The empty path means the working directory, as for the listing.
    return ::stat(pfad.empty() ? "." : pfad.c_str(), &info) == 0;
}

} // namespace

bool BeendetVerzeichnisteil(char c)
{
    return c == Trenner;
}

bool IstVerzeichnis(const std::string& pfad)
{
    struct stat info;
    return StatFolgen(pfad, info) && S_ISDIR(info.st_mode);
}

bool IstDatei(const std::string& pfad)
{
    struct stat info;
    return !pfad.empty() && ::stat(pfad.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool KennungLesen(const std::string& pfad, TDateiKennung& kennung)
{
    struct stat info;
    if (!StatFolgen(pfad, info))
        return false;
    kennung = {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
    return true;
}

bool VerzeichnisKennung(const std::string& pfad, TDateiKennung& kennung)
{
    struct stat info;
    if (!StatFolgen(pfad, info) || !S_ISDIR(info.st_mode))
        return false;
    kennung = {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
    return true;
}

TVerzeichnisListe::TVerzeichnisListe(const std::string& verzeichnis)
    : handle_(::opendir(verzeichnis.empty() ? "." : verzeichnis.c_str()))
{
}

TVerzeichnisListe::~TVerzeichnisListe()
{
    if (handle_)
        ::closedir(static_cast<DIR*>(handle_));
}

bool TVerzeichnisListe::Naechster(std::string& name, TEintragsArt& art)
{
    if (!handle_)
        return false;
    const dirent* eintrag = ::readdir(static_cast<DIR*>(handle_));
    if (!eintrag)
        return false;
    name = eintrag->d_name;
    switch (eintrag->d_type) {
    case DT_DIR: art = TEintragsArt::Verzeichnis; break;
    case DT_REG: art = TEintragsArt::Datei; break;
    case DT_UNKNOWN:
    case DT_LNK: art = TEintragsArt::Unbekannt; break;
    default: art = TEintragsArt::Anderes; break;
    }
    return true;
}

bool TVerzeichnisListe::Info(const std::string& name, TEintragsInfo& info) const
{
    struct stat st;
    if (!handle_ || ::fstatat(::dirfd(static_cast<DIR*>(handle_)), name.c_str(), &st, 0) != 0)
        return false;
    info.verzeichnis = S_ISDIR(st.st_mode);
    info.regulaer = S_ISREG(st.st_mode);
    info.groesse = info.regulaer ? static_cast<int64_t>(st.st_size) : -1;
    info.geaendert = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    info.kennung = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
    return true;
}

TDatei::~TDatei()
{
    if (fd_ >= 0)
        ::close(fd_); // Nothing to report from a destructor; Schliessen() reports.
}

TDatei::TDatei(TDatei&& andere) noexcept : fd_(andere.fd_), laenge_(andere.laenge_)
{
    andere.fd_ = -1;
    andere.laenge_ = -1;
}

TDatei& TDatei::operator=(TDatei&& andere) noexcept
{
    if (this != &andere) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = andere.fd_;
        laenge_ = andere.laenge_;
        andere.fd_ = -1;
        andere.laenge_ = -1;
    }
    return *this;
}

TDatei TDatei::OeffnenLesen(const std::string& pfad)
{
    bool keineDeskriptoren = false;
    return OeffnenLesen(pfad, keineDeskriptoren);
}

TDatei TDatei::OeffnenLesen(const std::string& pfad, bool& keineDeskriptoren)
{
    keineDeskriptoren = false;
    if (pfad.empty())
        return {};
    // O_NONBLOCK so that a FIFO put in the file's place cannot hang us in open;
    // the type check below then refuses it. On a regular file the flag has
    // no effect, so it stays.
    int fd = ::open(pfad.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        keineDeskriptoren = errno == EMFILE || errno == ENFILE;
        return {};
    }
    TDatei datei(fd);
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    datei.laenge_ = static_cast<int64_t>(info.st_size);
    return datei;
}

void TDatei::VorausLesen(int64_t position, int64_t anzahl) const
{
    // Only a hint: the kernel starts the reads and returns; a failure costs
    // nothing but the speed-up.
    if (fd_ >= 0 && anzahl > 0)
        (void)::posix_fadvise(fd_, static_cast<off_t>(position), static_cast<off_t>(anzahl), POSIX_FADV_WILLNEED);
}

TDatei TDatei::ErzeugenSchreiben(const std::string& pfad)
{
    if (pfad.empty())
        return {};
    return TDatei(::open(pfad.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
}

int64_t TDatei::Laenge() const
{
    if (laenge_ >= 0)
        return laenge_;
    struct stat info;
    if (fd_ < 0 || ::fstat(fd_, &info) != 0)
        return -1;
    return static_cast<int64_t>(info.st_size);
}

namespace {

// Reads until anzahl bytes came or the file ended, going on after short
// reads and interruptions; lies is one read or pread from a position.
template <typename Lies>
int64_t GanzLesen(void* puffer, int64_t anzahl, Lies&& lies)
{
    auto* ziel = static_cast<char*>(puffer);
    int64_t gelesen = 0;
    while (gelesen < anzahl) {
        const ssize_t n = lies(ziel + gelesen, static_cast<size_t>(anzahl - gelesen), gelesen);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        gelesen += n;
    }
    return gelesen;
}

} // namespace

int64_t TDatei::Lesen(void* puffer, int64_t anzahl)
{
    if (fd_ < 0)
        return -1;
    return GanzLesen(puffer, anzahl, [this](char* ziel, size_t n, int64_t) { return ::read(fd_, ziel, n); });
}

int64_t TDatei::LesenAb(int64_t position, void* puffer, int64_t anzahl)
{
    if (fd_ < 0)
        return -1;
    return GanzLesen(puffer, anzahl, [this, position](char* ziel, size_t n, int64_t schon) {
        return ::pread(fd_, ziel, n, static_cast<off_t>(position + schon));
    });
}

bool TDatei::Schreiben(const void* puffer, int64_t anzahl)
{
    if (fd_ < 0)
        return false;
    const auto* quelle = static_cast<const char*>(puffer);
    int64_t geschrieben = 0;
    while (geschrieben < anzahl) {
        const ssize_t n = ::write(fd_, quelle + geschrieben, static_cast<size_t>(anzahl - geschrieben));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        geschrieben += n;
    }
    return true;
}

bool TDatei::Kennung(TDateiKennung& kennung) const
{
    struct stat info;
    if (fd_ < 0 || ::fstat(fd_, &info) != 0)
        return false;
    kennung = {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
    return true;
}

bool TDatei::Schliessen()
{
    if (fd_ < 0)
        return false;
    const int fd = fd_;
    fd_ = -1;
    // Don't retry close on EINTR: the descriptor is gone either way on Linux.
    return ::close(fd) == 0;
}

bool DateiEntfernen(const std::string& pfad)
{
    return !pfad.empty() && ::unlink(pfad.c_str()) == 0;
}

bool DateiUmbenennen(const std::string& alt, const std::string& neu)
{
    if (alt.empty() || neu.empty())
        return false;
    // rename() itself only asks for the directory's write permission; the
    // target's own read-only mode has to be checked here.
    struct stat info;
    if (::lstat(neu.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)
        && ::faccessat(AT_FDCWD, neu.c_str(), W_OK, AT_EACCESS) != 0)
        return false;
    return ::rename(alt.c_str(), neu.c_str()) == 0;
}

bool VerzeichnisEntfernen(const std::string& pfad)
{
    return !pfad.empty() && ::rmdir(pfad.c_str()) == 0;
}

bool VerzeichnisAnlegen(const std::string& pfad)
{
    return !pfad.empty() && ::mkdir(pfad.c_str(), 0777) == 0;
}

std::string ProgrammVerzeichnis()
{
    char puffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", puffer, sizeof puffer - 1);
    if (n <= 0)
        return std::string(1, Trenner);
    std::string pfad(puffer, static_cast<size_t>(n));
    return pfad.substr(0, pfad.rfind(Trenner) + 1);
}

} // namespace plattform
