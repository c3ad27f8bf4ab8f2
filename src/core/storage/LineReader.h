// Buffered line reading that knows the byte position of every line. Lines end in LF,
// CR LF or a lone CR is part of the line; the line end is not returned. Very long lines
// are kept only up to a cap (unless it is unlimited), so a scan of a file without line
// ends cannot exhaust memory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/ContentHash.h"
#include "storage/FileSystem.h"

namespace lt {

class LineReader {
public:
    static constexpr size_t kUnlimited = static_cast<size_t>(-1);
    explicit LineReader(ReadableFile& file, size_t bufferSize = 65536, size_t lineCap = 1 << 20);

    // Moves to a 0-based byte position; reuses the buffer when the position lies in it.
    bool seek(int64_t position);
    // Next line without its line end; false at the end of the file or on a read error.
    bool next(std::string& line);
    // The same without copying when the line lies inside the buffer; the view stays valid
    // until the next call.
    bool next(std::string_view& line);
    // 0-based position of the first byte of the line last returned.
    int64_t lineStart() const { return lineStart_; }
    // 0-based position just after the line last returned and its line end.
    int64_t position() const { return bufferStart_ + static_cast<int64_t>(pos_); }
    bool failed() const { return failed_; }
    // Feeds every byte read from now on into hash (reading straight on, without seeking).
    void hashInto(ContentHash* hash) { hash_ = hash; }
    // Reads the rest of the file without returning lines; false on a read error.
    bool drain();
    // True when the last line was longer than the cap and was cut.
    bool lineWasCut() const { return cut_; }

private:
    bool fill();

    ReadableFile& file_;
    std::vector<char> buffer_;
    size_t lineCap_;
    size_t pos_ = 0;
    size_t end_ = 0;
    int64_t bufferStart_ = 0;
    int64_t lineStart_ = 0;
    bool eof_ = false;
    bool failed_ = false;
    bool cut_ = false;
    ContentHash* hash_ = nullptr;
    std::string assembled_;
};

} // namespace lt
