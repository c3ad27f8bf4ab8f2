// The script file: a three-line header, an empty line, then one block per message
// ("SUB n(TASK=t)    // CRC value = c" ... "END SUB"), each followed by an empty line.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "Session.h"
#include "storage/LineReader.h"

namespace lt {

// Header lines 1..3 and the empty line 4.
std::string ScriptHeader(const std::string& unitType, const std::string& firmwareVersion);

// The block of a message with no content yet: header without CRC, then a "LINEi:" label
// with an empty line after it for each line in use.
std::string EmptyBlock(int message, int task, int lineCount);
// EmptyBlock of the session's current message.
std::string EmptyBlock(const Session& s);

// Message number of a "SUB" header line, or nullopt when the line is no header or has
// no "(" (which ends a scan).
struct BlockHeader {
    long long number = 0;
    bool hasTask = false;
    long long task = 0;
};
bool IsHeaderLine(const std::string& line);
std::optional<BlockHeader> ParseHeaderLine(const std::string& line);
// A header task in 0..3 is the message's task; anything else is task 0.
int TaskOrZero(const BlockHeader& header);

enum class ScanOutcome {
    Scanned,     // indexed; blockCount tells how many blocks were found
    CannotOpen,
    ForeignRetry, // a file of another program; the person wants to choose another
    ForeignStop,  // a file of another program; the person gave up
};

struct ScanResult {
    ScanOutcome outcome = ScanOutcome::Scanned;
    int blockCount = 0;
};

// Scans an open script file: unit type, firmware version, the message index (states 1,
// offsets, tasks). Asks the foreign-file question and shows the no-messages notice.
ScanResult ScanScriptFile(Session& s, const std::string& path);

// Reads message blocks from one file; keeps the file open and its buffer between calls,
// so that reading many blocks in file order reads the file once.
class BlockReader {
public:
    BlockReader(FileSystem& fs, std::string path);
    bool open(int* error = nullptr);
    // The block of message n starting the search at a 1-based offset. found tells whether
    // its header was met; task receives the header's task when it names one.
    std::string fetch(int n, int64_t offset, bool* found = nullptr, std::optional<int>* task = nullptr);
    const std::string& path() const { return path_; }

private:
    FileSystem& fs_;
    std::string path_;
    std::unique_ptr<ReadableFile> file_;
    std::unique_ptr<LineReader> reader_;
};

// Reads the block of message n from a file at its recorded offset into WorkText and
// returns it; sets the message's task from the header. "Can't open file ..." and an
// empty text when the file cannot be opened.
std::string FetchBlock(Session& s, const std::string& path, int n, bool* found = nullptr);

} // namespace lt
