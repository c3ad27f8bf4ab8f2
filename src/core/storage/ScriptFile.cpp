#include "storage/ScriptFile.h"

#include <cmath>

#include "common/NumberText.h"
#include "settings/Settings.h"
#include "storage/ContentHash.h"
#include "storage/PathUtil.h"

namespace lt {

std::string ScriptHeader(const std::string& unitType, const std::string& firmwareVersion) {
    return "#define Display_type (" + unitType + ")\r\n#include \"CTRLCODE.H\"\r\n#pragma version " +
           firmwareVersion + "\r\n\r\n";
}

std::string EmptyBlock(int message, int task, int lineCount) {
    std::string b = "SUB " + std::to_string(message) + "(TASK=" + std::to_string(task) + ")\r\n\r\n";
    for (int i = 1; i <= lineCount; ++i) b += "LINE" + std::to_string(i) + ":\r\n\r\n";
    b += "END SUB\r\n";
    return b;
}

std::string EmptyBlock(const Session& s) {
    int n = s.msg.CurrentMessage;
    int task = n >= 0 && n < kMessageCount ? s.msg.MessageTask[n] : 0;
    return EmptyBlock(n, task, s.msg.LineCount);
}

bool IsHeaderLine(const std::string& line) { return StartsWith(line, "SUB"); }

std::optional<BlockHeader> ParseHeaderLine(const std::string& line) {
    if (!IsHeaderLine(line)) return std::nullopt;
    std::string rest = line.substr(3);
    size_t paren = rest.find('(');
    if (paren == std::string::npos) return std::nullopt;
    BlockHeader h;
    h.number = ValInt(rest.substr(0, paren));
    size_t task = rest.find("TASK=");
    if (task != std::string::npos) {
        h.hasTask = true;
        h.task = ValInt(rest.substr(task + 5));
    }
    return h;
}

int TaskOrZero(const BlockHeader& header) {
    return header.hasTask && header.task >= 0 && header.task <= 3 ? static_cast<int>(header.task) : 0;
}

namespace {

std::string openingProgress(const std::string& name, int64_t length, const std::string& percent) {
    return "Opening file " + name + ". Total size " + Str(length) + " , " + percent + " % complete.";
}

// Text between the first "(" after "Display_type" and the ")" after it; nullopt when
// the closing parenthesis is missing (the line is then passed over).
std::optional<std::string> displayType(std::string_view line, size_t word) {
    size_t open = line.find('(', word);
    if (open == std::string_view::npos) return std::string();
    size_t close = line.find(')', open + 1);
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(line.substr(open + 1, close - open - 1));
}

// A line a file of this program may hold before its first block: empty, or one of the
// header lines.
bool headerLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos || line.find("Display_type") != std::string_view::npos ||
           line.find("#include") != std::string_view::npos || line.find("#pragma") != std::string_view::npos;
}

} // namespace

ScanResult ScanScriptFile(Session& s, const std::string& path) {
    ScanResult result;
    // Size and time are taken before the bytes are read, so that a change made while the
    // scan runs shows at the next comparison.
    FileStamp stamp = StampOf(s.fs, path, 0);
    auto file = s.fs.openRead(path);
    if (!file) {
        result.outcome = ScanOutcome::CannotOpen;
        return result;
    }
    const std::string name = FileNamePart(path);
    const int64_t length = file->size();
    s.ui.setStatus(openingProgress(name, length, "0"));
    LineReader reader(*file);
    ContentHash hash;
    reader.hashInto(&hash);
    std::string_view line;
    long long lastShown = 0;
    bool foreign = false;
    bool otherText = false;
    // Byte position from which the rounded percentage exceeds the last one shown by more
    // than 4, so that most lines cost one comparison.
    auto showFrom = [length](long long shown) {
        return static_cast<int64_t>(std::ceil((static_cast<double>(shown) + 4.5) * static_cast<double>(length) / 100.0)) - 1;
    };
    int64_t nextShow = showFrom(0);
    while (reader.next(line)) {
        size_t word = line.find("Display_type");
        if (word != std::string::npos) {
            if (auto type = displayType(line, word)) {
                if (type->empty()) {
                    foreign = true;
                    break;
                }
                if (*type == "7740" || *type == "7780") {
                    s.settings.UnitType = *type;
                    s.msg.LineCount = LineCountForUnitType(*type);
                }
            }
        }
        size_t pragma = line.find("#pragma version");
        if (pragma != std::string::npos) {
            std::string version = Trim(line.substr(pragma + 15));
            if (version == "1" || version == "2") s.settings.FirmwareVersion = version;
        }
        if (length > 0 && reader.position() >= nextShow) {
            long long percent = std::llround(static_cast<double>(reader.position()) * 100.0 / static_cast<double>(length));
            if (percent - lastShown > 4) {
                lastShown = percent;
                nextShow = showFrom(lastShown);
                s.ui.setStatus(openingProgress(name, length, Str(percent >= 96 ? 100 : percent)));
            }
        }
        if (result.blockCount == 0 && !otherText && !StartsWith(line, "SUB") && !headerLine(line)) otherText = true;
        if (StartsWith(line, "SUB")) {
            auto header = ParseHeaderLine(std::string(line));
            if (!header) break; // a "SUB" without "(" ends the scan
            ++result.blockCount;
            if (header->number >= 0 && header->number < kMessageCount) {
                int n = static_cast<int>(header->number);
                s.index.MessageState[n] = 1;
                s.index.MessageOffset[n] = reader.lineStart() + 1;
                s.msg.MessageTask[n] = header->hasTask && header->task >= 1 && header->task <= 3
                                           ? static_cast<int>(header->task)
                                           : 0;
            }
        }
    }
    if (foreign) {
        Answer a = s.ui.messageBox(Box("You can open files created only with this program.\r\nDo you want to try again?",
                                       Buttons::YesNo));
        result.outcome = a == Answer::Yes ? ScanOutcome::ForeignRetry : ScanOutcome::ForeignStop;
        return result;
    }
    // The stamp covers every byte, also those after a line that ended the scan.
    reader.drain();
    stamp.hash = hash.digest();
    s.index.OpenedFile = reader.failed() ? FileStamp{} : stamp;
    s.index.OpenedWithoutBlocks = result.blockCount == 0 && otherText;
    if (result.blockCount == 0) {
        s.ui.messageBox(Box("This file has no messages. It will be easier to select New file, create the messages "
                            "and then save it under the same name."));
    }
    return result;
}

BlockReader::BlockReader(FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

bool BlockReader::open(int* error) {
    if (reader_) return true;
    file_ = fs_.openRead(path_, error);
    if (!file_) return false;
    // Lines are kept whole: a block is copied as it is, however long its lines.
    reader_ = std::make_unique<LineReader>(*file_, 16384, LineReader::kUnlimited);
    return true;
}

std::string BlockReader::fetch(int n, int64_t offset, bool* found, std::optional<int>* task) {
    std::string result;
    if (found) *found = false;
    if (!open()) return result;
    if (!reader_->seek(offset > 0 ? offset - 1 : 0)) return result;
    std::string line;
    bool collecting = false;
    while (reader_->next(line)) {
        if (!collecting) {
            if (!IsHeaderLine(line)) continue;
            auto header = ParseHeaderLine(line);
            if (!header || header->number != n) continue;
            collecting = true;
            if (found) *found = true;
            if (task && header->hasTask) *task = TaskOrZero(*header);
            result = line;
            continue;
        }
        // A block whose END SUB line was lost (edited by hand) ends where the next block
        // begins, without the empty lines that separate them: it never takes in the blocks
        // of other messages.
        if (IsHeaderLine(line) && ParseHeaderLine(line)) {
            while (EndsWith(result, "\r\n")) result.resize(result.size() - 2);
            break;
        }
        result += "\r\n";
        result += line;
        if (StartsWith(line, "END SUB")) break;
    }
    if (collecting) result += "\r\n";
    return result;
}

std::string FetchBlock(Session& s, const std::string& path, int n, bool* found) {
    if (found) *found = false;
    s.msg.WorkText.clear();
    BlockReader reader(s.fs, path);
    if (!reader.open()) {
        s.ui.messageBox(Box("Can't open file " + FileNamePart(path)));
        return std::string();
    }
    std::optional<int> task;
    s.msg.WorkText = reader.fetch(n, s.index.MessageOffset[n], found, &task);
    if (task) s.msg.MessageTask[n] = *task;
    return s.msg.WorkText;
}

} // namespace lt
