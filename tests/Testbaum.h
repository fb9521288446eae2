#pragma once

// A fresh temporary directory per test, removed afterwards.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TTestbaum {
public:
    TTestbaum()
    {
        std::string vorlage = (std::filesystem::temp_directory_path() / "dubrinax-XXXXXX").string();
        if (!::mkdtemp(vorlage.data()))
            std::abort();
        wurzel_ = vorlage + "/";
    }
    ~TTestbaum()
    {
        std::error_code egal;
        std::filesystem::permissions(wurzel_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, egal);
        std::filesystem::remove_all(wurzel_, egal);
    }
    TTestbaum(const TTestbaum&) = delete;
    TTestbaum& operator=(const TTestbaum&) = delete;

    // The root, ending with the separator.
    const std::string& Wurzel() const { return wurzel_; }

    // Creates a directory (with parents) below the root and returns its path with a final separator.
    std::string Verzeichnis(const std::string& relativ) const
    {
        std::filesystem::create_directories(wurzel_ + relativ);
        return wurzel_ + relativ + (relativ.empty() || relativ.back() == '/' ? "" : "/");
    }

    // Writes a file below the root (creating its directory) and returns its full path.
    std::string Datei(const std::string& relativ, const std::string& inhalt) const
    {
        const std::filesystem::path pfad = wurzel_ + relativ;
        std::filesystem::create_directories(pfad.parent_path());
        std::ofstream(pfad, std::ios::binary) << inhalt;
        return pfad.string();
    }

    static std::string Lesen(const std::string& pfad)
    {
        std::ifstream datei(pfad, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(datei), {});
    }

private:
    std::string wurzel_;
};
