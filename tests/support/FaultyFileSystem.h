// A FileSystem over the real disk that fails the n-th write, sync or rename/replace
// (counted together), so tests can walk every point at which a save can break.
#pragma once

#include <cerrno>
#include <memory>
#include <string>

#include "storage/NativeFileSystem.h"

namespace lt::test {

class FaultyFileSystem : public FileSystem {
public:
    // failAt: 1-based number of the mutating operation that fails; 0 = never.
    int failAt = 0;
    int failErrno = ENOSPC;
    int operations = 0;
    bool failAll = false;  // every mutating operation fails (a disk that stays full)

    std::unique_ptr<ReadableFile> openRead(const std::string& path, int* error) override {
        return real_.openRead(path, error);
    }
    // Counts a mutating operation; true (with the error set) when it is the one to fail.
    bool failed(int* error) {
        if (++operations != failAt && !failAll) return false;
        if (error) *error = failErrno;
        return true;
    }

    std::unique_ptr<WritableFile> openWrite(const std::string& path, bool append, int* error) override {
        if (failed(error)) return nullptr;
        auto file = real_.openWrite(path, append, error);
        if (!file) return nullptr;
        return std::make_unique<Writable>(std::move(file), *this);
    }
    bool exists(const std::string& path) override { return real_.exists(path); }
    bool isDirectory(const std::string& path) override { return real_.isDirectory(path); }
    bool remove(const std::string& path, int* error) override { return real_.remove(path, error); }
    bool rename(const std::string& from, const std::string& to, int* error) override {
        return !failed(error) && real_.rename(from, to, error);
    }
    int64_t fileSize(const std::string& path) override { return real_.fileSize(path); }
    bool stat(const std::string& path, FileInfo& info) override { return real_.stat(path, info); }
    std::string resolveTarget(const std::string& path) override { return real_.resolveTarget(path); }
    bool mayReplace(const std::string& path, int* error) override { return real_.mayReplace(path, error); }
    bool replace(const std::string& temp, const std::string& target, int* error) override {
        return !failed(error) && real_.replace(temp, target, error);
    }

private:
    class Writable : public WritableFile {
    public:
        Writable(std::unique_ptr<WritableFile> inner, FaultyFileSystem& fs) : inner_(std::move(inner)), fs_(fs) {}
        bool write(const char* data, size_t size) override {
            // Half of the data reaches the disk, as when the disk fills up.
            if (failed()) return inner_->write(data, size / 2), false;
            return inner_->write(data, size);
        }
        bool sync() override { return !failed() && inner_->sync(); }
        bool close() override { return inner_->close(); }
        int64_t position() const override { return inner_->position(); }
        int error() const override { return error_ ? error_ : inner_->error(); }

    private:
        bool failed() { return fs_.failed(&error_); }
        std::unique_ptr<WritableFile> inner_;
        FaultyFileSystem& fs_;
        int error_ = 0;
    };

    NativeFileSystem real_;
};

} // namespace lt::test
