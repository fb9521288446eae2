#pragma once

// What a test may ask of the system it runs on. Where a system lacks a kind
// of file or a rule, the test that needs it skips itself there.

#include "Testbaum.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace testsystem {

#ifdef _WIN32
// Windows has no FIFOs in the file system.
inline constexpr bool HatFifos = false;
#else
inline constexpr bool HatFifos = true;
#endif

// Makes a FIFO; false when that failed or the system has none.
inline bool FifoAnlegen(const std::string& pfad)
{
#ifdef _WIN32
    (void)pfad;
    return false;
#else
    return ::mkfifo(pfad.c_str(), 0600) == 0;
#endif
}

// True when permission bits keep this process out: not on Windows, where
// they only set the read-only attribute, and not for root.
inline bool RechteGelten()
{
#ifdef _WIN32
    return false;
#else
    return ::geteuid() != 0;
#endif
}

// True when a file without write permission cannot be replaced or written:
// on Windows for everyone (the read-only attribute), on POSIX but for root.
inline bool SchreibschutzGilt()
{
#ifdef _WIN32
    return true;
#else
    return ::geteuid() != 0;
#endif
}

// Gives a file the length, without writing its bytes where the file system
// can leave holes.
inline bool LaengeSetzen(const std::string& pfad, int64_t laenge)
{
    std::error_code fehler;
    std::filesystem::resize_file(TTestbaum::Pfad(pfad), static_cast<uintmax_t>(laenge), fehler);
    return !fehler;
}

#ifndef _WIN32
// Paths longer than the system takes: every step goes relative to an open
// directory, as the walk's own look does.

// Creates the directories namen below basis, each in the one before, and
// returns the deepest opened (-1 when one could not be made). The caller closes it.
inline int TiefAnlegen(const std::string& basis, const std::vector<std::string>& namen)
{
    int fd = ::open(basis.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (const std::string& name : namen) {
        if (fd < 0)
            return -1;
        ::mkdirat(fd, name.c_str(), 0700);
        const int kind = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = kind;
    }
    return fd;
}

// Removes name below the open directory fd with everything in it.
inline void TiefEntfernen(int fd, const char* name)
{
    if (::unlinkat(fd, name, 0) == 0)
        return;
    const int kind = ::openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (kind < 0)
        return;
    if (DIR* liste = ::fdopendir(kind)) {
        std::vector<std::string> namen;
        while (const dirent* eintrag = ::readdir(liste))
            if (std::string(eintrag->d_name) != "." && std::string(eintrag->d_name) != "..")
                namen.push_back(eintrag->d_name);
        for (const std::string& n : namen)
            TiefEntfernen(::dirfd(liste), n.c_str());
        ::closedir(liste);
    } else {
        ::close(kind);
    }
    ::unlinkat(fd, name, AT_REMOVEDIR);
}
#endif

// Removes a tree, also one whose paths are longer than the system takes.
inline void BaumEntfernen(const std::string& pfad)
{
#ifdef _WIN32
    std::error_code egal;
    std::filesystem::remove_all(TTestbaum::Pfad(pfad), egal);
#else
    TiefEntfernen(AT_FDCWD, pfad.c_str());
#endif
}

} // namespace testsystem
