#pragma once

// A fresh temporary directory per test, removed afterwards. Paths are UTF-8
// texts with the platform's separator, as the core takes them; "/" in a
// relative path given here stands for that separator.

// By its path from here, so that tests which do not link the core (and so
// lack its include directory) can use this header too.
#include "../util/Plattform.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class TTestbaum {
public:
    // In the system's temporary directory, or in the directory temp.
    explicit TTestbaum(const std::filesystem::path& temp = std::filesystem::temp_directory_path())
    {
        // A random name, taken only if nobody has it yet: create_directory
        // fails for an existing directory, so parallel tests never share one.
        std::random_device quelle;
        std::mt19937_64 zufall(
            (uint64_t{quelle()} << 32)
            ^ static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
        for (int versuch = 0;; ++versuch) {
            const std::filesystem::path pfad = temp / ("dubrinax-" + std::to_string(zufall() % 1000000000000));
            std::error_code fehler;
            if (std::filesystem::create_directory(pfad, fehler)) {
                wurzel_ = Text(pfad) + plattform::Trenner;
                return;
            }
            if (versuch == 100)
                std::abort();
        }
    }
    ~TTestbaum()
    {
        // Tests take permissions away; Windows deletes no read-only file.
        namespace fs = std::filesystem;
        std::error_code egal;
        const auto alle = fs::perm_options::add | fs::perm_options::nofollow;
        fs::permissions(Pfad(wurzel_), fs::perms::owner_all, alle, egal);
        for (auto it = fs::recursive_directory_iterator(Pfad(wurzel_), egal); !egal && it != fs::end(it);
             it.increment(egal))
            if (!it->is_symlink(egal))
                fs::permissions(it->path(), fs::perms::owner_all, alle, egal);
        fs::remove_all(Pfad(wurzel_), egal);
    }
    TTestbaum(const TTestbaum&) = delete;
    TTestbaum& operator=(const TTestbaum&) = delete;

    // The root, ending with the separator.
    const std::string& Wurzel() const { return wurzel_; }

    // Creates a directory (with parents) below the root and returns its path with a final separator.
    std::string Verzeichnis(const std::string& relativ) const
    {
        const std::string pfad = wurzel_ + Nativ(relativ);
        std::filesystem::create_directories(Pfad(pfad));
        return pfad + (relativ.empty() || pfad.back() == plattform::Trenner ? "" : std::string(1, plattform::Trenner));
    }

    // Writes a file below the root (creating its directory) and returns its full path.
    std::string Datei(const std::string& relativ, const std::string& inhalt) const
    {
        const std::string pfad = wurzel_ + Nativ(relativ);
        std::filesystem::create_directories(Pfad(pfad).parent_path());
        std::ofstream(Pfad(pfad), std::ios::binary) << inhalt;
        return pfad;
    }

    static std::string Lesen(const std::string& pfad)
    {
        std::ifstream datei(Pfad(pfad), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(datei), {});
    }

    // The path of a UTF-8 text. A plain std::string would be read in the
    // ANSI code page on Windows; on POSIX the bytes pass unchanged.
    static std::filesystem::path Pfad(const std::string& text)
    {
        return std::filesystem::path(std::u8string(text.begin(), text.end()));
    }

    static std::string Text(const std::filesystem::path& pfad)
    {
        const std::u8string text = pfad.u8string();
        return std::string(text.begin(), text.end());
    }

    // "/" turned into the platform's separator.
    static std::string Nativ(std::string relativ)
    {
        std::replace(relativ.begin(), relativ.end(), '/', plattform::Trenner);
        return relativ;
    }

private:
    std::string wurzel_;
};
