#include "storage/LineReader.h"

#include <cstring>

namespace lt {

LineReader::LineReader(ReadableFile& file, size_t bufferSize, size_t lineCap)
    : file_(file), buffer_(bufferSize), lineCap_(lineCap) {}

bool LineReader::seek(int64_t position) {
    if (position >= bufferStart_ && position <= bufferStart_ + static_cast<int64_t>(end_)) {
        pos_ = static_cast<size_t>(position - bufferStart_);
        return true;
    }
    if (!file_.seek(position)) {
        failed_ = true;
        return false;
    }
    bufferStart_ = position;
    pos_ = end_ = 0;
    eof_ = false;
    return true;
}

bool LineReader::fill() {
    if (eof_ || failed_) return false;
    bufferStart_ += static_cast<int64_t>(end_);
    pos_ = end_ = 0;
    int64_t n = file_.read(buffer_.data(), buffer_.size());
    if (n < 0) {
        failed_ = true;
        return false;
    }
    if (n == 0) {
        eof_ = true;
        return false;
    }
    end_ = static_cast<size_t>(n);
    if (hash_) hash_->update(buffer_.data(), end_);
    return true;
}

bool LineReader::drain() {
    pos_ = end_;
    while (fill()) pos_ = end_;
    return !failed_;
}

bool LineReader::next(std::string& line) {
    line.clear();
    cut_ = false;
    if (pos_ >= end_ && !fill()) return false;
    lineStart_ = position();
    for (;;) {
        const char* start = buffer_.data() + pos_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
        size_t take = newline ? static_cast<size_t>(newline - start) : end_ - pos_;
        size_t room = line.size() < lineCap_ ? lineCap_ - line.size() : 0;
        if (take > room) cut_ = true;
        line.append(start, take < room ? take : room);
        if (newline) {
            pos_ += take + 1;
            break;
        }
        pos_ = end_;
        if (!fill()) break;
    }
    if (!cut_ && !line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool LineReader::next(std::string_view& line) {
    if (pos_ < end_) {
        const char* start = buffer_.data() + pos_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
        if (newline && static_cast<size_t>(newline - start) <= lineCap_) {
            cut_ = false;
            lineStart_ = position();
            size_t length = static_cast<size_t>(newline - start);
            pos_ += length + 1;
            if (length > 0 && start[length - 1] == '\r') --length;
            line = std::string_view(start, length);
            return true;
        }
    }
    if (!next(assembled_)) return false;
    line = assembled_;
    return true;
}

} // namespace lt
