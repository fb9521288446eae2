#pragma once

// What a test may ask of the system it runs on. Where a system lacks a kind
// of file or a rule, the test that needs it skips itself there.

#include "Testbaum.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#ifndef _WIN32
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

} // namespace testsystem
