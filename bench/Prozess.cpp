#include "bench/Prozess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>

namespace bench {
namespace {

sigset_t NurSigchld()
{
    sigset_t menge;
    sigemptyset(&menge);
    sigaddset(&menge, SIGCHLD);
    return menge;
}

bool Ausfuehrbar(const std::string& pfad)
{
    struct stat info {};
    return ::stat(pfad.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(pfad.c_str(), X_OK) == 0;
}

// In the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void KindStarten(char* const* argv, const char* arbeit, const char* ausgabe,
                              const char* meldungen)
{
    const sigset_t menge = NurSigchld();
    ::sigprocmask(SIG_UNBLOCK, &menge, nullptr);
    // Its own process group, so the limit can end whatever it started.
    ::setpgid(0, 0);
    if (::chdir(arbeit) != 0)
        ::_exit(127);
    const int ein = ::open("/dev/null", O_RDONLY);
    const int aus = ::open(ausgabe, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int fehler = ::open(meldungen, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (ein < 0 || aus < 0 || fehler < 0 || ::dup2(ein, 0) < 0 || ::dup2(aus, 1) < 0 ||
        ::dup2(fehler, 2) < 0)
        ::_exit(127);
    ::execvp(argv[0], argv);
    ::_exit(127);
}

} // namespace

void ProzesseVorbereiten()
{
    const sigset_t menge = NurSigchld();
    ::sigprocmask(SIG_BLOCK, &menge, nullptr);
}

std::string ProgrammFinden(const std::string& name)
{
    if (name.find('/') != std::string::npos)
        return Ausfuehrbar(name) ? name : std::string();
    const char* pfade = std::getenv("PATH");
    std::string liste = pfade ? pfade : "/usr/bin:/bin";
    size_t anfang = 0;
    while (anfang <= liste.size()) {
        size_t ende = liste.find(':', anfang);
        if (ende == std::string::npos)
            ende = liste.size();
        const std::string verzeichnis = liste.substr(anfang, ende - anfang);
        const std::string kandidat = (verzeichnis.empty() ? "." : verzeichnis) + "/" + name;
        if (Ausfuehrbar(kandidat))
            return kandidat;
        anfang = ende + 1;
    }
    return {};
}

TMessung Messen(const std::vector<std::string>& argv, const std::string& arbeit,
                const std::string& ausgabe, const std::string& meldungen, double limit)
{
    // Everything the child needs is prepared before fork: it must not allocate.
    std::vector<char*> zeiger;
    for (const std::string& teil : argv)
        zeiger.push_back(const_cast<char*>(teil.c_str()));
    zeiger.push_back(nullptr);

    TMessung messung;
    const auto beginn = std::chrono::steady_clock::now();
    const pid_t kind = ::fork();
    if (kind < 0)
        return messung;
    if (kind == 0)
        KindStarten(zeiger.data(), arbeit.c_str(), ausgabe.c_str(), meldungen.c_str());
    // Also from here, so that a kill at the limit cannot come before the
    // child has made its group.
    ::setpgid(kind, kind);

    const sigset_t menge = NurSigchld();
    int status = 0;
    struct rusage verbrauch {};
    for (;;) {
        const pid_t fertig = ::wait4(kind, &status, WNOHANG, &verbrauch);
        if (fertig == kind)
            break;
        const double vergangen =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - beginn).count();
        if (limit > 0 && vergangen >= limit) {
            ::kill(-kind, SIGKILL);
            ::kill(kind, SIGKILL);
            ::wait4(kind, &status, 0, &verbrauch);
            messung.zuLang = true;
            break;
        }
        // Sleep until a child ends or the limit is reached; a SIGCHLD that
        // came before this call is still pending and returns at once.
        const double rest = limit > 0 ? limit - vergangen : 3600.0;
        timespec warten{};
        warten.tv_sec = static_cast<time_t>(rest);
        warten.tv_nsec = static_cast<long>((rest - std::floor(rest)) * 1e9);
        ::sigtimedwait(&menge, nullptr, &warten);
    }
    messung.sekunden =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - beginn).count();
    messung.spitzeKiB = verbrauch.ru_maxrss;
    if (WIFEXITED(status)) {
        messung.exitCode = WEXITSTATUS(status);
        messung.gestartet = messung.exitCode != 127;
    } else if (WIFSIGNALED(status)) {
        messung.signal = WTERMSIG(status);
        messung.gestartet = true;
    }
    return messung;
}

} // namespace bench
