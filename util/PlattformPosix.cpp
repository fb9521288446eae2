#include "util/Plattform.h"

#include "util/Papierkorb.h"

#include <cerrno>
#include <algorithm>
#include <atomic>
#include <climits>
#include <memory>
#include <new>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <random>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <fcntl.h>
#include <pwd.h>
#include <csignal>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/uio.h>
#include <sys/xattr.h>
#include <system_error>
#include <unistd.h>
#include <vector>

#ifdef __linux__
#include <linux/magic.h>
#include <sys/statfs.h>
#endif

namespace plattform {

namespace {

bool StatFolgen(const std::string& pfad, struct stat& info)
{
    // The empty path means the working directory, as for the listing.
    return ::stat(pfad.empty() ? "." : pfad.c_str(), &info) == 0;
}

bool StandAus(const struct stat& info, TDateiStand& stand)
{
    if (!S_ISREG(info.st_mode))
        return false;
    stand.kennung = {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
    stand.groesse = static_cast<int64_t>(info.st_size);
    stand.geaendert = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return true;
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
    if (!handle_) {
        keineDeskriptoren_ = errno == EMFILE || errno == ENFILE;
        grund_ = TGrund::System(errno);
    }
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

namespace {

void InfoAus(const struct stat& st, TEintragsInfo& info)
{
    info.verzeichnis = S_ISDIR(st.st_mode);
    info.regulaer = S_ISREG(st.st_mode);
    info.groesse = info.regulaer ? static_cast<int64_t>(st.st_size) : -1;
    info.geaendert = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    info.statusGeaendert = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    info.kennung = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
}

} // namespace

bool TVerzeichnisListe::Info(const std::string& name, TEintragsInfo& info) const
{
    struct stat st;
    if (!handle_ || ::fstatat(::dirfd(static_cast<DIR*>(handle_)), name.c_str(), &st, 0) != 0)
        return false;
    InfoAus(st, info);
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

TDatei TDatei::ErzeugenNeu(const std::string& pfad)
{
    if (pfad.empty())
        return {};
    // O_EXCL with O_CREAT fails on any existing name, links included.
    return TDatei(::open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
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

bool TDatei::LesenAusCache(int64_t position, void* puffer, int64_t anzahl)
{
    if (fd_ < 0 || anzahl <= 0)
        return fd_ >= 0;
    struct iovec teil {puffer, static_cast<size_t>(anzahl)};
    ssize_t n;
    do {
        n = ::preadv2(fd_, &teil, 1, static_cast<off_t>(position), RWF_NOWAIT);
    } while (n < 0 && errno == EINTR);
    return n == anzahl;
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

bool TDatei::Stand(TDateiStand& stand) const
{
    struct stat info;
    return fd_ >= 0 && ::fstat(fd_, &info) == 0 && StandAus(info, stand);
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
    // target's own read-only mode has to be checked here. faccessat lets root
    // pass, so a target without any write bit is refused on its mode alone:
    // whoever took them all away meant to keep the file.
    struct stat info;
    if (::lstat(neu.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)
        && ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0
            || ::faccessat(AT_FDCWD, neu.c_str(), W_OK, AT_EACCESS) != 0)) {
        errno = EACCES; // the reason a caller names, also where only the mode refused
        return false;
    }
    return ::rename(alt.c_str(), neu.c_str()) == 0;
}

bool StandLesen(const std::string& pfad, TDateiStand& stand)
{
    struct stat info;
    return !pfad.empty() && ::stat(pfad.c_str(), &info) == 0 && StandAus(info, stand);
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

// The user's home: $HOME, else the password database's entry. Empty when
// neither names one.
namespace {

std::string Heimverzeichnis()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    std::string puffer(16384, '\0');
    struct passwd eintrag;
    struct passwd* gefunden = nullptr;
    if (::getpwuid_r(::getuid(), &eintrag, puffer.data(), puffer.size(), &gefunden) != 0 || !gefunden
        || !gefunden->pw_dir || !*gefunden->pw_dir)
        return {};
    return gefunden->pw_dir;
}

} // namespace

std::string BenutzerEinstellungen()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    // Only an absolute path counts there: a relative one would name a
    // different directory in every working directory, so it is ignored.
    if (xdg && xdg[0] == '/')
        return std::string(xdg) + Trenner;
    std::string heim = Heimverzeichnis();
    if (heim.empty())
        return {};
    if (heim.back() != Trenner)
        heim += Trenner;
    return heim + ".config" + Trenner;
}

bool NameBelegt(const std::string& pfad)
{
    struct stat info;
    return !pfad.empty() && ::lstat(pfad.c_str(), &info) == 0;
}

bool PrivatesVerzeichnisAnlegen(const std::string& pfad)
{
    return !pfad.empty() && ::mkdir(pfad.c_str(), 0700) == 0;
}

std::string LetzterFehler()
{
    return std::generic_category().message(errno);
}

TGrund LetzterGrund(std::string ort)
{
    return TGrund::System(errno, std::move(ort));
}

} // namespace plattform

// --- Rewriting a file shared with other programs ---------------------------

namespace plattform {

// Follows the links one by one rather than by realpath(), which fails for a
// link whose target does not exist yet: a settings file linked to a shared
// place must be created there, not put in the link's place.
bool EchterPfad(const std::string& pfad, std::string& echt)
{
    std::string jetzt = pfad;
    // The kernel's own limit for links followed in one lookup.
    for (int schritt = 0; schritt < 40; ++schritt) {
        struct stat info;
        if (jetzt.empty() || ::lstat(jetzt.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            echt = jetzt;
            return true;
        }
        char ziel[PATH_MAX];
        const ssize_t n = ::readlink(jetzt.c_str(), ziel, sizeof ziel);
        if (n <= 0 || n == static_cast<ssize_t>(sizeof ziel))
            return false;
        const std::string verweis(ziel, static_cast<size_t>(n));
        // A relative target counts from the link's own directory.
        jetzt = verweis.front() == Trenner ? verweis : jetzt.substr(0, jetzt.rfind(Trenner) + 1) + verweis;
    }
    return false;
}

bool TDatei::RechteLesen(TDateiRechte& rechte) const
{
    struct stat info;
    if (fd_ < 0 || ::fstat(fd_, &info) != 0)
        return false;
    rechte = {};
    rechte.regulaer = S_ISREG(info.st_mode);
    rechte.beschreibbar = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    rechte.verweise = static_cast<uint64_t>(info.st_nlink);
    rechte.besitzer = static_cast<uint32_t>(info.st_uid);
    rechte.gruppe = static_cast<uint32_t>(info.st_gid);
    rechte.modus = static_cast<uint32_t>(info.st_mode & 07777);
    return true;
}

namespace {

// File systems whose "files" are the kernel's controls and reports: a write
// there sets the host name or a process's name rather than storing bytes.
bool SystemDateisystem(int fd)
{
#ifdef __linux__
    struct statfs info;
    if (::fstatfs(fd, &info) != 0)
        return true; // what cannot be asked is not written
    switch (static_cast<unsigned long>(info.f_type)) {
    case PROC_SUPER_MAGIC: case SYSFS_MAGIC: case DEBUGFS_MAGIC: case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC: case SELINUX_MAGIC: case SMACK_MAGIC: case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC: case DEVPTS_SUPER_MAGIC: case BPF_FS_MAGIC: case PSTOREFS_MAGIC:
    case EFIVARFS_MAGIC: case BINFMTFS_MAGIC: case HUGETLBFS_MAGIC: case NSFS_MAGIC:
    case 0x62656570: // configfs
    case 0x65735543: // fusectl
        return true;
    default:
        return false;
    }
#else
    (void)fd;
    return false;
#endif
}

} // namespace

TDatei TDatei::OeffnenZumAendern(const std::string& pfad, bool& fehlt)
{
    fehlt = false;
    if (pfad.empty())
        return {};
    // O_NONBLOCK: a FIFO put in the file's place must not hang us in open.
    TDatei datei(::open(pfad.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!datei.Offen()) {
        fehlt = errno == ENOENT;
        return {};
    }
    struct stat info;
    if (::fstat(datei.fd_, &info) != 0 || !S_ISREG(info.st_mode) || SystemDateisystem(datei.fd_))
        return {};
    const int flags = ::fcntl(datei.fd_, F_GETFL);
    if (flags < 0 || ::fcntl(datei.fd_, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return {};
    return datei;
}

TDatei TDatei::ErzeugenNeuPrivat(const std::string& pfad)
{
    if (pfad.empty())
        return {};
    // The mode at creation: the umask may narrow it, never widen it.
    return TDatei(::open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
}

bool TDatei::ZusatzUebernehmen(const TDatei& quelle)
{
    if (fd_ < 0 || quelle.fd_ < 0)
        return false;
    // The list and the values may change between the calls: a list or value
    // grown in between is asked for again.
    std::string namen;
    for (;;) {
        const ssize_t laenge = ::flistxattr(quelle.fd_, nullptr, 0);
        if (laenge < 0)
            return errno == ENOTSUP; // a file system without them has none to carry
        namen.resize(static_cast<size_t>(laenge));
        const ssize_t n = ::flistxattr(quelle.fd_, namen.data(), namen.size());
        if (n >= 0) {
            namen.resize(static_cast<size_t>(n));
            break;
        }
        if (errno != ERANGE)
            return false;
    }
    // The names come back to back, each ended by a NUL. The ACL goes last:
    // setting it sets the mode bits too, so that until then the file keeps
    // the narrow mode it was made with, and a security label set before it
    // can only narrow access further.
    static const std::string Acl = "system.posix_acl_access";
    std::vector<std::string> reihe;
    for (size_t anfang = 0, ende; (ende = namen.find('\0', anfang)) != std::string::npos; anfang = ende + 1)
        reihe.emplace_back(namen, anfang, ende - anfang);
    std::stable_partition(reihe.begin(), reihe.end(), [](const std::string& n) { return n != Acl; });
    std::string wert;
    for (const std::string& eintrag : reihe) {
        const char* name = eintrag.c_str();
        ssize_t n = -1;
        do {
            const ssize_t laenge = ::fgetxattr(quelle.fd_, name, nullptr, 0);
            if (laenge < 0)
                return false;
            wert.resize(static_cast<size_t>(laenge));
            n = ::fgetxattr(quelle.fd_, name, wert.data(), wert.size());
        } while (n < 0 && errno == ERANGE);
        if (n < 0 || ::fsetxattr(fd_, name, wert.data(), static_cast<size_t>(n), 0) != 0)
            return false;
    }
    return true;
}

bool TDatei::SchreibenAb(int64_t position, const void* puffer, int64_t anzahl)
{
    if (fd_ < 0 || position < 0)
        return false;
    const auto* quelle = static_cast<const char*>(puffer);
    int64_t geschrieben = 0;
    while (geschrieben < anzahl) {
        const ssize_t n = ::pwrite(fd_, quelle + geschrieben, static_cast<size_t>(anzahl - geschrieben),
                                   static_cast<off_t>(position + geschrieben));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        geschrieben += n;
    }
    return true;
}

bool TDatei::Festschreiben()
{
    // fdatasync also writes the length, which is all of the metadata that a
    // reader of the bytes depends on.
    return fd_ >= 0 && ::fdatasync(fd_) == 0;
}

bool DateiErsetzen(const std::string& neu, const std::string& ziel)
{
    if (!DateiUmbenennen(neu, ziel))
        return false;
    // The new file's bytes are on the disk already; its name is only once
    // the directory is, or a power cut may bring back the old file. Nothing
    // to report when that fails: the rename itself is done.
    const size_t ende = ziel.rfind(Trenner);
    TVerzeichnisGriff::Oeffnen(ende == std::string::npos ? std::string() : ziel.substr(0, ende + 1)).Festschreiben();
    return true;
}

TDatei TDatei::OeffnenZumUeberschreiben(const std::string& pfad)
{
    if (pfad.empty())
        return {};
    // O_NONBLOCK: a FIFO put in the file's place must not hang us in open.
    TDatei datei(::open(pfad.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info;
    if (!datei.Offen() || ::fstat(datei.fd_, &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    const int flags = ::fcntl(datei.fd_, F_GETFL);
    if (flags < 0 || ::fcntl(datei.fd_, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return {};
    return datei;
}

bool TDatei::RechteSetzen(const TDateiRechte& rechte)
{
    struct stat info;
    if (fd_ < 0 || ::fstat(fd_, &info) != 0)
        return false;
    // Only where they differ: a user who is not root may give a file neither
    // to another owner nor to a group he is not in; what stays needs no asking.
    if ((info.st_uid != rechte.besitzer || info.st_gid != rechte.gruppe)
        && ::fchown(fd_, static_cast<uid_t>(rechte.besitzer), static_cast<gid_t>(rechte.gruppe)) != 0)
        return false;
    return ::fchmod(fd_, static_cast<mode_t>(rechte.modus)) == 0;
}

bool TDatei::LaengeSetzen(int64_t laenge)
{
    return fd_ >= 0 && laenge >= 0 && ::ftruncate(fd_, static_cast<off_t>(laenge)) == 0;
}

bool TDatei::Sperren()
{
    // flock, not fcntl locks: those of a process vanish when any of its
    // descriptors of the file closes, a read in between included.
    while (fd_ >= 0) {
        if (::flock(fd_, LOCK_EX) == 0)
            return true;
        if (errno != EINTR)
            return false;
    }
    return false;
}

} // namespace plattform

// --- Looking an entry up by its whole path ---------------------------------

namespace plattform {

bool PfadInfo(const std::string& pfad, TEintragsInfo& info)
{
    struct stat st;
    if (!StatFolgen(pfad, st))
        return false;
    InfoAus(st, info);
    return true;
}

bool PfadZuLang(size_t laenge)
{
    // The kernel copies at most PATH_MAX bytes with the closing NUL and
    // answers ENAMETOOLONG for anything longer, whatever the path holds.
    return laenge >= PATH_MAX;
}

size_t DeskriptorenHoechstens()
{
    struct rlimit grenze {};
    if (::getrlimit(RLIMIT_NOFILE, &grenze) != 0 || grenze.rlim_cur == RLIM_INFINITY)
        return 1024; // what systems give by default
    return static_cast<size_t>(grenze.rlim_cur);
}

} // namespace plattform

// --- Copy and move of listed files -----------------------------------------

namespace plattform {

namespace {

bool QuellStandAus(const struct stat& info, TQuellStand& stand)
{
    if (!StandAus(info, stand.stand))
        return false;
    stand.statusGeaendert = static_cast<int64_t>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    return true;
}

// A name that stays inside its directory: no separator, not "." or "..".
bool EinfacherName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find(Trenner) == std::string::npos;
}

} // namespace

bool TDatei::Stand(TQuellStand& stand) const
{
    struct stat info;
    return fd_ >= 0 && ::fstat(fd_, &info) == 0 && QuellStandAus(info, stand);
}

bool QuellStandLesen(const std::string& pfad, TQuellStand& stand)
{
    struct stat info;
    return !pfad.empty() && ::stat(pfad.c_str(), &info) == 0 && QuellStandAus(info, stand);
}

bool IstVerweis(const std::string& pfad)
{
    struct stat info;
    return !pfad.empty() && ::lstat(pfad.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

TVerzeichnisGriff::~TVerzeichnisGriff()
{
    if (fd_ >= 0)
        ::close(fd_);
}

TVerzeichnisGriff::TVerzeichnisGriff(TVerzeichnisGriff&& andere) noexcept
    : fd_(andere.fd_), pfad_(std::move(andere.pfad_))
{
    andere.fd_ = -1;
}

TVerzeichnisGriff& TVerzeichnisGriff::operator=(TVerzeichnisGriff&& andere) noexcept
{
    if (this != &andere) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = andere.fd_;
        pfad_ = std::move(andere.pfad_);
        andere.fd_ = -1;
    }
    return *this;
}

TVerzeichnisGriff TVerzeichnisGriff::Oeffnen(const std::string& pfad)
{
    TVerzeichnisGriff griff;
    griff.fd_ = ::open(pfad.empty() ? "." : pfad.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return griff;
}

TVerzeichnisGriff TVerzeichnisGriff::Unterverzeichnis(const std::string& name, uint32_t modus, bool& neu) const
{
    TVerzeichnisGriff griff;
    neu = false;
    if (fd_ < 0 || !EinfacherName(name))
        return griff;
    // Made if missing, private at first: the files of a 0700 directory must
    // not stand for a moment in one that everybody may enter. Someone else
    // making it meanwhile is just as good.
    neu = ::mkdirat(fd_, name.c_str(), 0700) == 0;
    if (!neu && errno != EEXIST)
        return griff;
    // O_NOFOLLOW with O_DIRECTORY refuses a link, whatever it points to.
    griff.fd_ = ::openat(fd_, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    // Then as open as the directory it stands for, but ours to write into
    // (cp -p would give the owner bits only after filling it).
    if (neu && griff.fd_ >= 0 && modus != 0)
        ::fchmod(griff.fd_, static_cast<mode_t>((modus & 07777) | S_IRWXU));
    return griff;
}

bool TVerzeichnisGriff::Kennung(TDateiKennung& kennung) const
{
    struct stat info;
    if (fd_ < 0 || ::fstat(fd_, &info) != 0)
        return false;
    kennung = {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
    return true;
}

bool TVerzeichnisGriff::Stand(const std::string& name, TQuellStand& stand) const
{
    struct stat info;
    return fd_ >= 0 && EinfacherName(name) && ::fstatat(fd_, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0
           && QuellStandAus(info, stand);
}

TDatei TVerzeichnisGriff::TeilNeu(const std::string& name, bool& vorhanden) const
{
    vorhanden = false;
    if (fd_ < 0 || !EinfacherName(name))
        return {};
    // 0600 whatever the source allows: its own bits come last, once the
    // copy is whole (see EigenschaftenUebernehmen).
    TDatei datei(::openat(fd_, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    vorhanden = !datei.Offen() && errno == EEXIST;
    // The lock is what tells a live copy from a dead one's remains; it goes
    // with the descriptor, also when the process is killed.
    if (datei.Offen() && ::flock(datei.fd_, LOCK_EX | LOCK_NB) != 0)
        return {};
    return datei;
}

void TVerzeichnisGriff::ResteEntfernen(const std::string& praefix, const std::string& endung) const
{
    if (fd_ < 0)
        return;
    const int eigen = ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* liste = eigen >= 0 ? ::fdopendir(eigen) : nullptr;
    if (!liste) {
        if (eigen >= 0)
            ::close(eigen);
        return;
    }
    std::vector<std::string> reste;
    while (const dirent* eintrag = ::readdir(liste)) {
        const std::string name = eintrag->d_name;
        if (name.size() > praefix.size() + endung.size() && name.starts_with(praefix) && name.ends_with(endung))
            reste.push_back(name);
    }
    ::closedir(liste);
    for (const std::string& name : reste) {
        // Whoever still holds its lock is still writing it.
        TDatei rest(::openat(fd_, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat offen, jetzt;
        if (!rest.Offen() || ::flock(rest.fd_, LOCK_EX | LOCK_NB) != 0 || ::fstat(rest.fd_, &offen) != 0
            || !S_ISREG(offen.st_mode) || ::fstatat(fd_, name.c_str(), &jetzt, AT_SYMLINK_NOFOLLOW) != 0
            || jetzt.st_dev != offen.st_dev || jetzt.st_ino != offen.st_ino)
            continue;
        ::unlinkat(fd_, name.c_str(), 0);
    }
}

TUmbenennung TVerzeichnisGriff::Umbenennen(const std::string& alt, const std::string& neu) const
{
    if (fd_ < 0 || !EinfacherName(alt) || !EinfacherName(neu))
        return TUmbenennung::Fehler;
#ifdef RENAME_NOREPLACE
    if (::renameat2(fd_, alt.c_str(), fd_, neu.c_str(), RENAME_NOREPLACE) == 0)
        return TUmbenennung::Erledigt;
    if (errno != EINVAL && errno != ENOSYS)
        return errno == EEXIST ? TUmbenennung::ZielVorhanden : TUmbenennung::Fehler;
#endif
    // As in Hereinholen: a second name, which fails on an existing one.
    if (::linkat(fd_, alt.c_str(), fd_, neu.c_str(), 0) != 0)
        return errno == EEXIST ? TUmbenennung::ZielVorhanden : TUmbenennung::Fehler;
    ::unlinkat(fd_, alt.c_str(), 0);
    return TUmbenennung::Erledigt;
}

bool UmbenennungenFestschreiben(TDatei* const* dateien, size_t anzahl)
{
    // A rename changes two directories; the file system's flush takes both.
    return AufPlatteBringen(dateien, anzahl);
}

bool VerzeichnisModus(const std::string& pfad, uint32_t& modus)
{
    struct stat info;
    if (!StatFolgen(pfad, info) || !S_ISDIR(info.st_mode))
        return false;
    modus = static_cast<uint32_t>(info.st_mode & 07777);
    return true;
}

namespace {

// The extended attributes of one file onto another. One the target's file
// system does not take, or that only the system may set (security labels,
// trusted.*), is left out, as cp -p leaves it; one that cannot be read is
// an error.
bool ZusaetzeKopieren(int quelle, int ziel)
{
    std::string namen;
    for (;;) {
        const ssize_t laenge = ::flistxattr(quelle, nullptr, 0);
        if (laenge < 0)
            return errno == ENOTSUP;
        namen.resize(static_cast<size_t>(laenge));
        const ssize_t n = ::flistxattr(quelle, namen.data(), namen.size());
        if (n >= 0) {
            namen.resize(static_cast<size_t>(n));
            break;
        }
        if (errno != ERANGE)
            return false;
    }
    std::string wert;
    for (size_t anfang = 0, ende; (ende = namen.find('\0', anfang)) != std::string::npos; anfang = ende + 1) {
        const char* name = namen.c_str() + anfang;
        ssize_t n = -1;
        do {
            const ssize_t laenge = ::fgetxattr(quelle, name, nullptr, 0);
            if (laenge < 0)
                break;
            wert.resize(static_cast<size_t>(laenge));
            n = ::fgetxattr(quelle, name, wert.data(), wert.size());
        } while (n < 0 && errno == ERANGE);
        if (n < 0) {
            if (errno == ENODATA) // gone meanwhile
                continue;
            return false;
        }
        if (::fsetxattr(ziel, name, wert.data(), static_cast<size_t>(n), 0) != 0 && errno != ENOTSUP
            && errno != EPERM && errno != EACCES)
            return false;
    }
    return true;
}

} // namespace

int64_t TDatei::InhaltKopieren(TDatei& quelle, int64_t laenge)
{
    if (fd_ < 0 || quelle.fd_ < 0 || laenge < 0)
        return -1;
    constexpr int64_t Block = int64_t{1} << 20;
    const int64_t block = std::clamp<int64_t>(laenge, 1, Block);
    std::unique_ptr<char[]> puffer(new (std::nothrow) char[static_cast<size_t>(block)]);
    if (!puffer)
        return -1;
    // Stretch by stretch of data: a hole is skipped and stays one, so that
    // a sparse file takes no more room at the target than at the source.
    for (int64_t position = 0; position < laenge;) {
        off_t daten = ::lseek(quelle.fd_, static_cast<off_t>(position), SEEK_DATA);
        if (daten < 0) {
            if (errno == ENXIO)
                break; // a hole up to the end
            daten = static_cast<off_t>(position); // a file system that cannot tell: all data
        }
        off_t loch = ::lseek(quelle.fd_, daten, SEEK_HOLE);
        if (loch < 0 || loch > laenge)
            loch = static_cast<off_t>(laenge);
        for (int64_t stelle = daten; stelle < loch;) {
            const int64_t n = quelle.LesenAb(stelle, puffer.get(), std::min<int64_t>(block, loch - stelle));
            if (n < 0)
                return -1;
            if (n == 0)
                return stelle; // ended early: cut while it was copied
            if (!SchreibenAb(stelle, puffer.get(), n))
                return -1;
            stelle += n;
        }
        position = loch;
    }
    struct stat info;
    if (::fstat(quelle.fd_, &info) != 0)
        return -1;
    if (info.st_size < laenge)
        return info.st_size;
    return LaengeSetzen(laenge) ? laenge : -1;
}

bool TDatei::EigenschaftenUebernehmen(const TDatei& quelle)
{
    struct stat info;
    if (fd_ < 0 || quelle.fd_ < 0 || ::fstat(quelle.fd_, &info) != 0 || !ZusaetzeKopieren(quelle.fd_, fd_))
        return false;
    // An ACL among the attributes has set the permission bits already, to
    // the source's own; the chmod below gives the same.
    mode_t modus = info.st_mode & 07777;
    const bool besitzer = ::fchown(fd_, info.st_uid, info.st_gid) == 0;
    const bool gruppe = besitzer || ::fchown(fd_, static_cast<uid_t>(-1), info.st_gid) == 0;
    // A copy that is ours runs with our rights, not its owner's.
    if (!besitzer)
        modus &= ~static_cast<mode_t>(S_ISUID);
    if (!gruppe) {
        // Our group is not the source's: it gets no more than everyone.
        modus &= ~static_cast<mode_t>(S_ISGID);
        modus &= ~static_cast<mode_t>(S_IRWXG) | static_cast<mode_t>((modus & S_IRWXO) << 3);
    }
    if (::fchmod(fd_, modus) != 0)
        return false;
    const struct timespec zeiten[2] = {info.st_atim, info.st_mtim};
    return ::futimens(fd_, zeiten) == 0;
}

TDatei TVerzeichnisGriff::DateiLesen(const std::string& name) const
{
    bool keineDeskriptoren = false;
    return DateiLesen(name, keineDeskriptoren);
}

TDatei TVerzeichnisGriff::DateiLesen(const std::string& name, bool& keineDeskriptoren) const
{
    keineDeskriptoren = false;
    if (fd_ < 0 || !EinfacherName(name))
        return {};
    // O_NONBLOCK keeps a FIFO from hanging us; anything but a regular file goes.
    TDatei datei(::openat(fd_, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!datei.Offen()) {
        keineDeskriptoren = errno == EMFILE || errno == ENFILE;
        return {};
    }
    struct stat info;
    if (::fstat(datei.fd_, &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    datei.laenge_ = static_cast<int64_t>(info.st_size);
    return datei;
}

void TVerzeichnisGriff::Festschreiben() const
{
    // Nothing to report: what was renamed here is in place either way.
    if (fd_ >= 0)
        ::fsync(fd_);
}

bool TVerzeichnisGriff::DateiEntfernen(const std::string& name) const
{
    return fd_ >= 0 && EinfacherName(name) && ::unlinkat(fd_, name.c_str(), 0) == 0;
}

TUmbenennung TVerzeichnisGriff::Hereinholen(const std::string& quelle, const std::string& name) const
{
    if (fd_ < 0 || quelle.empty() || !EinfacherName(name))
        return TUmbenennung::Fehler;
    auto ausFehler = [](int fehler) {
        if (fehler == EEXIST || fehler == ENOTEMPTY)
            return TUmbenennung::ZielVorhanden;
        return fehler == EXDEV ? TUmbenennung::AnderesGeraet : TUmbenennung::Fehler;
    };
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, quelle.c_str(), fd_, name.c_str(), RENAME_NOREPLACE) == 0)
        return TUmbenennung::Erledigt;
    if (errno != EINVAL && errno != ENOSYS)
        return ausFehler(errno);
#endif
    // Where the file system cannot rename without replacing: a second name
    // first, which fails on an existing one, then the old name goes.
    if (::linkat(AT_FDCWD, quelle.c_str(), fd_, name.c_str(), 0) != 0)
        return ausFehler(errno);
    if (::unlink(quelle.c_str()) != 0) {
        ::unlinkat(fd_, name.c_str(), 0);
        return TUmbenennung::Fehler;
    }
    return TUmbenennung::Erledigt;
}

bool AufPlatteBringen(TDatei* const* dateien, size_t anzahl)
{
    // One syncfs per file system writes out everything of it, names and
    // directories included, at the cost of a single fsync: thousands of
    // small files need not wait for the disk one by one.
    bool gut = true;
    std::vector<dev_t> erledigt;
    for (size_t i = 0; i < anzahl; ++i) {
        struct stat info;
        if (!dateien[i] || !dateien[i]->Offen() || ::fstat(dateien[i]->fd_, &info) != 0) {
            gut = false;
            continue;
        }
        if (std::find(erledigt.begin(), erledigt.end(), info.st_dev) != erledigt.end())
            continue;
        erledigt.push_back(info.st_dev);
#ifdef __linux__
        gut = ::syncfs(dateien[i]->fd_) == 0 && gut;
#else
        gut = ::fsync(dateien[i]->fd_) == 0 && gut;
        ::sync();
#endif
    }
    return gut;
}

} // namespace plattform

// --- Ending when asked to ------------------------------------------------------

namespace plattform {

namespace {

int endesignalSchreiben = -1;
// Set by the handler beside the byte, for a look without a system call.
std::atomic<bool> endesignalGekommen{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void EndesignalMelden(int signal)
{
    // Only what a handler may call: write, with errno kept for the code the
    // signal interrupted. A full pipe loses the byte; one is enough.
    const int fehler = errno;
    const auto byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(endesignalSchreiben, &byte, 1);
    endesignalGekommen.store(true, std::memory_order_relaxed);
    errno = fehler;
}

} // namespace

int EndesignaleUmleiten()
{
    int enden[2];
    if (::pipe2(enden, O_CLOEXEC | O_NONBLOCK) != 0)
        return -1;
    endesignalSchreiben = enden[1];
    struct sigaction aktion = {};
    aktion.sa_handler = EndesignalMelden;
    sigemptyset(&aktion.sa_mask);
    aktion.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(signal, &aktion, nullptr);
    return enden[0];
}

bool EndesignalWartet()
{
    return endesignalGekommen.load(std::memory_order_relaxed);
}

int EndesignalLesen(int lesen)
{
    unsigned char byte = 0;
    return ::read(lesen, &byte, 1) == 1 ? byte : 0;
}

void AmSignalEnden(int signal)
{
    ::signal(signal, SIG_DFL);
    sigset_t menge;
    sigemptyset(&menge);
    sigaddset(&menge, signal);
    ::sigprocmask(SIG_UNBLOCK, &menge, nullptr);
    ::raise(signal);
    // Only where the signal did not end us after all.
    ::_exit(128 + signal);
}

} // namespace plattform


// --- The desktop's trash -----------------------------------------------------

namespace plattform {

namespace {

// An owned descriptor: closed once, by its owner alone.
class TFd {
public:
    TFd() = default;
    explicit TFd(int fd) : fd_(fd) {}
    ~TFd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    TFd(TFd&& andere) noexcept : fd_(std::exchange(andere.fd_, -1)) {}
    TFd& operator=(TFd&& andere) noexcept
    {
        if (this != &andere) {
            if (fd_ >= 0)
                ::close(fd_);
            fd_ = std::exchange(andere.fd_, -1);
        }
        return *this;
    }
    int operator*() const { return fd_; }
    bool Offen() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// The user's data directory: $XDG_DATA_HOME when it is an absolute path,
// else ~/.local/share. Empty when no home is known.
std::string BenutzerDaten()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/')
        return xdg;
    std::string heim = Heimverzeichnis();
    if (heim.empty())
        return {};
    if (heim.back() == '/')
        heim.pop_back();
    return heim + "/.local/share";
}

// The directory and its missing parents, new ones for the owner alone, as
// the trash wants its directories. False when it is not a directory now.
bool VerzeichnisseAnlegen(const std::string& pfad)
{
    for (size_t pos = 1; pos <= pfad.size(); ++pos) {
        if (pos < pfad.size() && pfad[pos] != '/')
            continue;
        const std::string teil = pfad.substr(0, pos);
        if (::mkdir(teil.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    struct stat info;
    return ::stat(pfad.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The mount an entry lies on (name relative to the directory verzeichnis;
// the empty name for verzeichnis itself). A rename never crosses a mount,
// also not into a bind mount of the same file system, which shares the
// device: so the mount's own number where the system tells it (Linux 5.8
// on), else the device, with a bit of its own.
bool Einhaengung(int verzeichnis, const char* name, uint64_t& kennung)
{
#if defined(__linux__) && defined(STATX_MNT_ID)
    struct statx info;
    if (::statx(verzeichnis, name, *name ? 0 : AT_EMPTY_PATH, STATX_MNT_ID, &info) != 0)
        return false;
    kennung = (info.stx_mask & STATX_MNT_ID) ? info.stx_mnt_id
                                              : (uint64_t{1} << 63) | makedev(info.stx_dev_major, info.stx_dev_minor);
    return true;
#else
    struct stat info;
    if (::fstatat(verzeichnis, *name ? name : ".", &info, 0) != 0)
        return false;
    kennung = (uint64_t{1} << 63) | static_cast<uint64_t>(info.st_dev);
    return true;
#endif
}

// The top directory of the mount that holds the directory verzeichnis (a
// real path): the last one upwards on the same mount.
std::string Oberstesverzeichnis(std::string verzeichnis, uint64_t einhaengung)
{
    while (verzeichnis.size() > 1) {
        const size_t schnitt = verzeichnis.rfind('/');
        const std::string oben = schnitt == 0 ? std::string("/") : verzeichnis.substr(0, schnitt);
        uint64_t kennung = 0;
        if (!Einhaengung(AT_FDCWD, oben.c_str(), kennung) || kennung != einhaengung)
            break;
        verzeichnis = oben;
    }
    return verzeichnis;
}

std::string Jetzt()
{
    const std::time_t sekunden = std::time(nullptr);
    std::tm teile{};
    ::localtime_r(&sekunden, &teile);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &teile);
    return text;
}

// Renames von (below the directory vonFd) to nach (below nachFd) in one
// step, never replacing what has that name: 0, or the error number.
int OhneErsetzen(int vonFd, const char* von, int nachFd, const char* nach)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(vonFd, von, nachFd, nach, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
#endif
    // A second name, which fails on an existing one, then the old one goes.
    if (::linkat(vonFd, von, nachFd, nach, 0) != 0)
        return errno;
    if (::unlinkat(vonFd, von, 0) != 0) {
        const int fehler = errno;
        ::unlinkat(nachFd, nach, 0);
        return fehler;
    }
    return 0;
}

bool SchreibenGanz(int fd, const std::string& text)
{
    for (size_t geschrieben = 0; geschrieben < text.size();) {
        const ssize_t n = ::write(fd, text.data() + geschrieben, text.size() - geschrieben);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        geschrieben += static_cast<size_t>(n);
    }
    return true;
}

bool Festschreiben(int fd)
{
#ifdef __linux__
    return ::syncfs(fd) == 0;
#else
    const bool gut = ::fsync(fd) == 0;
    ::sync();
    return gut;
#endif
}

// Why the directory name below oben could not be opened: a link there is
// said as such (O_NOFOLLOW only tells ELOOP or ENOTDIR).
TGrund VerweisOderFehler(int oben, const char* name, const std::string& ort)
{
    const int fehler = errno;
    struct stat info;
    if (::fstatat(oben, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode))
        return TGrund::Eigen(TGrundArt::PapierkorbVerweis, ort);
    return TGrund::System(fehler, ort);
}

// The files that go and the infos of what they were, in one trash.
constexpr const char* TeilAnfang = ".dubrinax-";
constexpr const char* TeilEnde = ".teil";
constexpr const char* InfoEnde = ".trashinfo";

struct TKorb {
    std::string pfad;      // for the reasons
    std::string oberstes;  // the mount's top, which the info's path counts from; empty: absolute paths
    TFd dateien, info;     // files/ and info/, reached through the trash's own handle
    bool benutzt = false;  // files renamed into it since the last flush
};

// Opens the trash directory name below oben, made for its owner alone where
// it is missing, and its files/ and info/ through its handle, never through
// a link. Refused: a trash another user owns or may enter, a link for
// files/ or info/ (or, unless folgen, for itself).
TGrund KorbOeffnen(int oben, const char* name, const std::string& pfad, bool folgen, TKorb& korb)
{
    if (::mkdirat(oben, name, 0700) != 0 && errno != EEXIST)
        return LetzterGrund(pfad);
    TFd verzeichnis(::openat(oben, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | (folgen ? 0 : O_NOFOLLOW)));
    if (!verzeichnis.Offen())
        return VerweisOderFehler(oben, name, pfad);
    struct stat info;
    if (::fstat(*verzeichnis, &info) != 0)
        return LetzterGrund(pfad);
    if (info.st_uid != ::getuid())
        return TGrund::Eigen(TGrundArt::PapierkorbFremd, pfad);
    // Its files keep the modes they had where they were private; a trash
    // others may enter would show them to everybody.
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return TGrund::Eigen(TGrundArt::PapierkorbOffen, pfad);
    for (const char* teil : {"files", "info"}) {
        const std::string teilPfad = pfad + "/" + teil;
        if (::mkdirat(*verzeichnis, teil, 0700) != 0 && errno != EEXIST)
            return LetzterGrund(teilPfad);
        TFd griff(::openat(*verzeichnis, teil, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!griff.Offen())
            return VerweisOderFehler(*verzeichnis, teil, teilPfad);
        if (::fstat(*griff, &info) != 0)
            return LetzterGrund(teilPfad);
        if (info.st_uid != ::getuid())
            return TGrund::Eigen(TGrundArt::PapierkorbFremd, teilPfad);
        (*teil == 'f' ? korb.dateien : korb.info) = std::move(griff);
    }
    korb.pfad = pfad;
    return {};
}

// Removes what a killed command of ours left in the trash: infos being
// written (by their names) and infos of ours whose file never came. Whoever
// still holds the lock on one is still at work; another program's info is
// never ours, also not while it is written.
void KorbAufraeumen(const TKorb& korb)
{
    const int eigen = ::openat(*korb.info, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* liste = eigen >= 0 ? ::fdopendir(eigen) : nullptr;
    if (!liste) {
        if (eigen >= 0)
            ::close(eigen);
        return;
    }
    std::vector<std::string> verdaechtig;
    const std::string_view anfang = TeilAnfang, ende = TeilEnde, infoEnde = InfoEnde;
    while (const dirent* eintrag = ::readdir(liste)) {
        const std::string_view name = eintrag->d_name;
        if (name.starts_with(anfang) && name.ends_with(ende)) {
            verdaechtig.emplace_back(name);
        } else if (name.size() > infoEnde.size() && name.ends_with(infoEnde)) {
            const std::string datei(name.substr(0, name.size() - infoEnde.size()));
            struct stat info;
            if (::fstatat(*korb.dateien, datei.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT)
                verdaechtig.emplace_back(name);
        }
    }
    ::closedir(liste);
    for (const std::string& name : verdaechtig) {
        TFd rest(::openat(*korb.info, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat offen, jetzt;
        if (!rest.Offen() || ::flock(*rest, LOCK_EX | LOCK_NB) != 0 || ::fstat(*rest, &offen) != 0
            || !S_ISREG(offen.st_mode))
            continue;
        if (name.ends_with(InfoEnde)) {
            char puffer[8192];
            const ssize_t n = ::pread(*rest, puffer, sizeof puffer, 0);
            const std::string datei = name.substr(0, name.size() - infoEnde.size());
            struct stat info;
            // Looked at once more under the lock: its file may have come meanwhile.
            if (n <= 0 || !EigeneInfo(std::string_view(puffer, static_cast<size_t>(n)))
                || ::fstatat(*korb.dateien, datei.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT)
                continue;
        }
        if (::fstatat(*korb.info, name.c_str(), &jetzt, AT_SYMLINK_NOFOLLOW) == 0 && jetzt.st_dev == offen.st_dev
            && jetzt.st_ino == offen.st_ino)
            ::unlinkat(*korb.info, name.c_str(), 0);
    }
}

} // namespace

struct TPapierkorb::TInnen {
    // A file readied: its info is written and holds its name in the trash.
    struct TVorgemerkt {
        std::string pfad;
        std::string eigenerName; // its name where it is
        size_t korb = 0;
        std::string name; // in files/; the info is name + ".trashinfo"
        TFd info;         // locked until its file is in the trash
    };
    // Where the files of one mount go, or why they cannot go anywhere.
    struct TZiel {
        int korb = -1;
        TGrund grund;
    };

    std::vector<std::unique_ptr<TKorb>> koerbe;
    std::unordered_map<uint64_t, TZiel> ziele; // by mount
    bool heimGesucht = false;
    uint64_t heimEinhaengung = 0;
    bool heimBekannt = false;
    TZiel heim;
    std::vector<TVorgemerkt> vorgemerkt;
    std::mt19937 zufall{std::random_device{}()};
    std::string stamm; // of this command's names for infos being written
    unsigned long long zaehler = 0;

    TZiel Korb(TKorb korb, const TGrund& grund)
    {
        if (!grund.Leer())
            return {-1, grund};
        KorbAufraeumen(korb);
        koerbe.push_back(std::make_unique<TKorb>(std::move(korb)));
        return {static_cast<int>(koerbe.size() - 1), {}};
    }

    // The home trash, looked for once per command.
    void HeimSuchen()
    {
        heimGesucht = true;
        const std::string daten = BenutzerDaten();
        if (daten.empty() || !VerzeichnisseAnlegen(daten))
            return;
        TFd oben(::open(daten.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!oben.Offen())
            return;
        // The user's own place: a link there is the user's choice.
        TKorb korb;
        const TGrund grund = KorbOeffnen(*oben, "Trash", daten + "/Trash", true, korb);
        if (grund.Leer() ? !Einhaengung(*korb.dateien, "", heimEinhaengung)
                         : !Einhaengung(*oben, "Trash", heimEinhaengung))
            return;
        heimBekannt = true;
        heim = Korb(std::move(korb), grund);
    }

    // The trash at the top of the mount einhaengung that holds verzeichnis:
    // the administrator's shared .Trash (a real, sticky directory) with our
    // own directory in it, else our own .Trash-$uid.
    TZiel Volumen(const std::string& verzeichnis, uint64_t einhaengung)
    {
        const std::string oberstes = Oberstesverzeichnis(verzeichnis, einhaengung);
        const std::string basis = oberstes == "/" ? std::string() : oberstes;
        const std::string uid = std::to_string(::getuid());
        TFd oben(::open(oberstes.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!oben.Offen())
            return {-1, LetzterGrund(oberstes)};
        TFd gemeinsam(::openat(*oben, ".Trash", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        struct stat info;
        if (gemeinsam.Offen() && ::fstat(*gemeinsam, &info) == 0 && (info.st_mode & S_ISVTX)) {
            TKorb korb;
            korb.oberstes = oberstes;
            if (KorbOeffnen(*gemeinsam, uid.c_str(), basis + "/.Trash/" + uid, false, korb).Leer())
                return Korb(std::move(korb), {});
        }
        TKorb korb;
        korb.oberstes = oberstes;
        const TGrund grund = KorbOeffnen(*oben, (".Trash-" + uid).c_str(), basis + "/.Trash-" + uid, false, korb);
        return Korb(std::move(korb), grund);
    }

    TZiel Ziel(const std::string& verzeichnis, uint64_t einhaengung)
    {
        if (const auto gefunden = ziele.find(einhaengung); gefunden != ziele.end())
            return gefunden->second;
        if (!heimGesucht)
            HeimSuchen();
        // The home trash for the files of its own mount; the freedesktop.org
        // rules give them no other place.
        TZiel ziel = heimBekannt && heimEinhaengung == einhaengung ? heim : Volumen(verzeichnis, einhaengung);
        ziele.emplace(einhaengung, ziel);
        return ziel;
    }

    // Takes the info of a file that stays out of the trash again: only the
    // one we wrote, which our descriptor still holds.
    void InfoEntfernen(TVorgemerkt& v)
    {
        const TKorb& korb = *koerbe[v.korb];
        const std::string info = v.name + InfoEnde;
        struct stat offen, jetzt;
        if (v.info.Offen() && ::fstat(*v.info, &offen) == 0
            && ::fstatat(*korb.info, info.c_str(), &jetzt, AT_SYMLINK_NOFOLLOW) == 0 && jetzt.st_ino == offen.st_ino
            && jetzt.st_dev == offen.st_dev)
            ::unlinkat(*korb.info, info.c_str(), 0);
        v.info = TFd();
    }

    uint32_t Zufall()
    {
        uint32_t wert = 0;
        while (wert == 0)
            wert = static_cast<uint32_t>(zufall());
        return wert;
    }
};

// How often a taken name is tried again with another suffix: with 2^32
// suffixes, a second try nearly always finds one free.
constexpr int NamensVersuche = 16;

TPapierkorb::TPapierkorb() : innen_(std::make_unique<TInnen>())
{
    char stamm[17];
    std::snprintf(stamm, sizeof stamm, "%08x%08x", static_cast<unsigned>(innen_->zufall()),
                  static_cast<unsigned>(innen_->zufall()));
    innen_->stamm = stamm;
}

TPapierkorb::~TPapierkorb()
{
    for (TInnen::TVorgemerkt& v : innen_->vorgemerkt)
        innen_->InfoEntfernen(v);
}

size_t TPapierkorb::Vorgemerkt() const
{
    return innen_->vorgemerkt.size();
}

bool TPapierkorb::Vormerken(const std::string& pfad, TGrund& grund)
{
    struct stat datei;
    if (::lstat(pfad.c_str(), &datei) != 0) {
        grund = LetzterGrund();
        return false;
    }
    if (!S_ISREG(datei.st_mode)) {
        grund = TGrund::Eigen(TGrundArt::KeineGewoehnlicheDatei);
        return false;
    }
    // The info file names the file by a path that stays valid: its
    // directory with every link resolved, and its own name.
    const size_t schnitt = pfad.rfind('/');
    const std::string name = schnitt == std::string::npos ? pfad : pfad.substr(schnitt + 1);
    const std::string ort = schnitt == std::string::npos ? std::string(".") : schnitt == 0 ? std::string("/") : pfad.substr(0, schnitt);
    std::unique_ptr<char, decltype(&std::free)> echt(::realpath(ort.c_str(), nullptr), &std::free);
    if (!echt || name.empty()) {
        grund = name.empty() ? TGrund::Eigen(TGrundArt::UngueltigerName) : LetzterGrund(ort);
        return false;
    }
    const std::string verzeichnis = echt.get();
    const std::string absolut = (verzeichnis == "/" ? std::string() : verzeichnis) + "/" + name;
    uint64_t einhaengung = 0;
    if (!Einhaengung(AT_FDCWD, verzeichnis.c_str(), einhaengung)) {
        grund = LetzterGrund(verzeichnis);
        return false;
    }
    const TInnen::TZiel ziel = innen_->Ziel(verzeichnis, einhaengung);
    if (ziel.korb < 0) {
        grund = ziel.grund.Leer() ? TGrund::Eigen(TGrundArt::KeinPapierkorb) : ziel.grund;
        return false;
    }
    TKorb& korb = *innen_->koerbe[static_cast<size_t>(ziel.korb)];
    // A volume's trash keeps the path below its top, so that the volume
    // may be mounted elsewhere and still put back.
    const std::string infoPfad = korb.oberstes.empty() ? absolut
                                 : korb.oberstes == "/" ? absolut.substr(1)
                                                        : absolut.substr(korb.oberstes.size() + 1);
    const std::string text = PapierkorbInfo(infoPfad, Jetzt());

    // Written whole under a name of ours first and locked while we work,
    // so that no empty or torn info ever has a file's name, and a killed
    // command's is known for ours.
    const std::string teil =
        TeilAnfang + innen_->stamm + "-" + std::to_string(++innen_->zaehler) + TeilEnde;
    TFd info(::openat(*korb.info, teil.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!info.Offen() || ::flock(*info, LOCK_EX | LOCK_NB) != 0 || !SchreibenGanz(*info, text)) {
        grund = LetzterGrund(korb.pfad + "/info");
        if (info.Offen())
            ::unlinkat(*korb.info, teil.c_str(), 0);
        return false;
    }
    // The name: the file's own, else with a random suffix, never counting up.
    for (int versuch = 0; versuch < NamensVersuche; ++versuch) {
        const std::string kandidat = PapierkorbName(name, versuch == 0 ? 0 : innen_->Zufall());
        struct stat da;
        if (::fstatat(*korb.dateien, kandidat.c_str(), &da, AT_SYMLINK_NOFOLLOW) == 0)
            continue;
        const int fehler = OhneErsetzen(*korb.info, teil.c_str(), *korb.info, (kandidat + InfoEnde).c_str());
        if (fehler == EEXIST)
            continue;
        if (fehler != 0) {
            grund = TGrund::System(fehler, korb.pfad + "/info");
            ::unlinkat(*korb.info, teil.c_str(), 0);
            return false;
        }
        innen_->vorgemerkt.push_back({pfad, name, static_cast<size_t>(ziel.korb), kandidat, std::move(info)});
        return true;
    }
    ::unlinkat(*korb.info, teil.c_str(), 0);
    grund = TGrund::Eigen(TGrundArt::KeinFreierName, korb.pfad);
    return false;
}

std::vector<TGrund> TPapierkorb::Verschieben(const std::function<TGrund(size_t)>& pruefen)
{
    auto& vorgemerkt = innen_->vorgemerkt;
    std::vector<TGrund> ergebnisse(vorgemerkt.size());
    // The infos on the disk before any file is renamed: a file in the trash
    // without its info could never be put back. One flush per trash.
    std::vector<bool> gesichert(innen_->koerbe.size(), false);
    for (size_t i = 0; i < vorgemerkt.size(); ++i) {
        const size_t k = vorgemerkt[i].korb;
        if (!gesichert[k]) {
            gesichert[k] = true;
            if (!Festschreiben(*innen_->koerbe[k]->info)) {
                const TGrund grund = LetzterGrund(innen_->koerbe[k]->pfad);
                for (size_t j = i; j < vorgemerkt.size(); ++j)
                    if (vorgemerkt[j].korb == k)
                        ergebnisse[j] = grund;
            }
        }
    }
    for (size_t i = 0; i < vorgemerkt.size(); ++i) {
        TInnen::TVorgemerkt& v = vorgemerkt[i];
        TKorb& korb = *innen_->koerbe[v.korb];
        if (ergebnisse[i].Leer() && pruefen)
            ergebnisse[i] = pruefen(i);
        for (int versuch = 0; ergebnisse[i].Leer(); ++versuch) {
            const int fehler = OhneErsetzen(AT_FDCWD, v.pfad.c_str(), *korb.dateien, v.name.c_str());
            if (fehler == 0) {
                korb.benutzt = true;
                v.info = TFd(); // in the trash: the info is no orphan now
                break;
            }
            if (fehler == EXDEV)
                ergebnisse[i] = TGrund::Eigen(TGrundArt::PapierkorbAnderesDateisystem, korb.pfad);
            else if (fehler != EEXIST)
                ergebnisse[i] = TGrund::System(fehler);
            else if (versuch + 1 >= NamensVersuche)
                ergebnisse[i] = TGrund::Eigen(TGrundArt::KeinFreierName, korb.pfad);
            else {
                // Someone put a file of that name into the trash meanwhile:
                // the info moves to another name, which is on the disk
                // before the file follows it.
                const std::string neu = PapierkorbName(v.eigenerName, innen_->Zufall());
                const int umbenannt = OhneErsetzen(*korb.info, (v.name + InfoEnde).c_str(), *korb.info,
                                                   (neu + InfoEnde).c_str());
                if (umbenannt == 0) {
                    v.name = neu;
                    if (::fsync(*korb.info) != 0)
                        ergebnisse[i] = LetzterGrund(korb.pfad);
                } else if (umbenannt != EEXIST) {
                    ergebnisse[i] = TGrund::System(umbenannt, korb.pfad);
                }
            }
        }
        if (!ergebnisse[i].Leer())
            innen_->InfoEntfernen(v);
    }
    // The new entries of files/ (and the emptied places) on the disk before
    // the command reports.
    for (size_t k = 0; k < innen_->koerbe.size(); ++k) {
        TKorb& korb = *innen_->koerbe[k];
        if (!korb.benutzt)
            continue;
        korb.benutzt = false;
        if (Festschreiben(*korb.dateien))
            continue;
        const TGrund grund = LetzterGrund(korb.pfad);
        for (size_t i = 0; i < vorgemerkt.size(); ++i)
            if (vorgemerkt[i].korb == k && ergebnisse[i].Leer())
                ergebnisse[i] = grund;
    }
    vorgemerkt.clear();
    return ergebnisse;
}

} // namespace plattform
