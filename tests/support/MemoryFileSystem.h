// A FileSystem held in memory, for fuzzing and for benchmarks that must not measure the
// disk. Paths are plain keys; every directory exists.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "storage/FileSystem.h"

namespace lt::test {

class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;

    std::unique_ptr<ReadableFile> openRead(const std::string& path, int* error) override {
        auto it = files.find(path);
        if (it == files.end()) return missing(error), nullptr;
        return std::make_unique<Readable>(it->second);
    }
    std::unique_ptr<WritableFile> openWrite(const std::string& path, bool append, int*) override {
        std::string& content = files[path];
        if (!append) content.clear();
        return std::make_unique<Writable>(content);
    }
    bool exists(const std::string& path) override { return files.count(path) > 0; }
    bool isDirectory(const std::string& path) override { return !path.empty() && path.back() == '/'; }
    bool remove(const std::string& path, int* error) override {
        return files.erase(path) > 0 || missing(error);
    }
    bool rename(const std::string& from, const std::string& to, int* error) override {
        auto it = files.find(from);
        if (it == files.end()) return missing(error);
        std::string content = std::move(it->second);
        files.erase(it);
        files[to] = std::move(content);
        return true;
    }
    int64_t fileSize(const std::string& path) override {
        auto it = files.find(path);
        return it == files.end() ? -1 : static_cast<int64_t>(it->second.size());
    }

private:
    static bool missing(int* error) {
        if (error) *error = ENOENT;
        return false;
    }
    class Readable : public ReadableFile {
    public:
        explicit Readable(std::string content) : content_(std::move(content)) {}
        int64_t read(char* buffer, size_t size) override {
            size_t n = std::min(size, content_.size() - std::min(pos_, content_.size()));
            if (n) std::memcpy(buffer, content_.data() + pos_, n);
            pos_ += n;
            return static_cast<int64_t>(n);
        }
        bool seek(int64_t position) override { return pos_ = static_cast<size_t>(position), true; }
        int64_t size() override { return static_cast<int64_t>(content_.size()); }
        int error() const override { return 0; }

    private:
        std::string content_;
        size_t pos_ = 0;
    };
    class Writable : public WritableFile {
    public:
        explicit Writable(std::string& content) : content_(content) {}
        bool write(const char* data, size_t size) override { return content_.append(data, size), true; }
        bool sync() override { return true; }
        bool close() override { return true; }
        int64_t position() const override { return static_cast<int64_t>(content_.size()); }
        int error() const override { return 0; }

    private:
        std::string& content_;
    };
};

} // namespace lt::test
