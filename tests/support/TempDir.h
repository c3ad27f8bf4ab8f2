// A fresh directory per test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace lt::test {

class TempDir {
public:
    TempDir() {
        namespace fs = std::filesystem;
        std::random_device seed;
        std::error_code ec;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const fs::path candidate = fs::temp_directory_path() / ("lt-test-" + std::to_string(seed()));
            if (fs::create_directory(candidate, ec)) path_ = candidate.u8string();
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(std::filesystem::u8path(path_), ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory with the system's separator at its end, as the program names directories.
    std::string dir() const { return path_ + static_cast<char>(std::filesystem::path::preferred_separator); }
    std::string file(const std::string& name) const { return dir() + name; }

    void write(const std::string& name, const std::string& content) const { writeFile(file(name), content); }
    std::string read(const std::string& name) const { return readFile(file(name)); }
    bool has(const std::string& name) const { return std::filesystem::exists(std::filesystem::u8path(file(name))); }

    static void writeFile(const std::string& path, const std::string& content) {
        std::ofstream out(std::filesystem::u8path(path), std::ios::binary);
        out << content;
    }
    static std::string readFile(const std::string& path) {
        std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string path_;
};

} // namespace lt::test
