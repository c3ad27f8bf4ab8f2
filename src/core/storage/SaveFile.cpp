#include "storage/SaveFile.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include "common/NumberText.h"
#include "storage/ContentHash.h"
#include "storage/Crc.h"
#include "storage/DiskError.h"
#include "storage/LineReader.h"
#include "storage/PathUtil.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

namespace lt {

namespace {

const char* const kTempName = "TMPFLN.TMP";
const char* const kProbeName = "TST$$$.TST";

using Offsets = decltype(WorkIndex::MessageOffset);

struct SaveAttempt {
    bool ok = false;
    int error = 0;        // errno of the failed disk operation; 0 when reported already
};

std::string savingProgress(const std::string& name, const std::string& percent) {
    return "Saving file " + name + ". " + percent + " % complete.";
}

// The 1-based position of every block header in a file, by message number; a later block
// of the same number wins, as in the scan. False when the file cannot be read.
bool locateBlocks(FileSystem& fs, const std::string& path, Offsets& offsets) {
    offsets.fill(0);
    auto file = fs.openRead(path);
    if (!file) return false;
    LineReader reader(*file);
    std::string_view line;
    while (reader.next(line)) {
        if (!StartsWith(line, "SUB")) continue;
        auto header = ParseHeaderLine(std::string(line.substr(0, 256)));
        if (!header) break;
        if (header->number >= 0 && header->number < kMessageCount)
            offsets[static_cast<size_t>(header->number)] = reader.lineStart() + 1;
    }
    return !reader.failed();
}

std::string numberList(const std::vector<int>& numbers) {
    std::string text;
    for (size_t i = 0; i < numbers.size(); ++i) text += (i ? ", " : "") + std::to_string(numbers[i]);
    return text;
}

class Saver {
public:
    Saver(Session& s, const std::string& oldPath, const std::string& newPath, const std::string& target,
          const Offsets& sourceOffsets)
        : s_(s), oldPath_(oldPath), newPath_(newPath), target_(target), dir_(DirPart(target)),
          temp_(dir_ + kTempName), sourceOffsets_(sourceOffsets) {}

    SaveAttempt run() {
        SaveAttempt r;
        s_.fs.remove(temp_);
        auto out = s_.fs.openWrite(temp_, false, &r.error);
        if (!out) {
            s_.ui.messageBox(Box("Can't create temporary file " + temp_));
            r.error = 0;
            return r;
        }
        s_.ui.setBusy(true);
        const std::string name = FileNamePart(newPath_);
        s_.ui.setStatus(savingProgress(name, " 1"));
        std::string buffer = ScriptHeader(s_.settings.UnitType, s_.settings.FirmwareVersion);
        states_ = s_.index.MessageState;
        offsets_ = s_.index.MessageOffset;
        BlockReader work(s_.fs, s_.index.WorkFilePath);
        BlockReader old(s_.fs, oldPath_);
        int lastShown = 0;
        int64_t written = 0;
        bool ok = true;
        for (int i = 0; ok && i < kMessageCount; ++i) {
            if (i - lastShown > 49) {
                lastShown = i;
                s_.ui.setStatus(savingProgress(name, Str((i > 980 ? 1000 : i) / 10)));
            }
            std::string block;
            if (i == s_.msg.CurrentMessage) {
                block = s_.msg.BlockText;
                // The skeleton Script Edit starts an untouched message with is no block, as
                // the work store does not keep it either: the file gets no empty message.
                if (block == EmptyBlock(s_)) block.clear();
            } else if (s_.index.MessageState[i] == 2) {
                if (!fetch(work, i, s_.index.MessageOffset[i], block)) { ok = false; break; }
            } else if (s_.index.MessageState[i] == 1 && !oldPath_.empty()) {
                // A block the person agreed to leave out: it is no longer in the file.
                if (sourceOffsets_[i] == 0) {
                    states_[i] = 0;
                    continue;
                }
                if (!fetch(old, i, sourceOffsets_[i], block)) { ok = false; break; }
            } else {
                continue;
            }
            offsets_[i] = written + static_cast<int64_t>(buffer.size()) + 1;
            // A message without a block leaves an empty line and no stored block.
            states_[i] = block.empty() ? 0 : 1;
            buffer += block;
            buffer += "\r\n";
            if (buffer.size() >= (1u << 20)) {
                if (!out->write(buffer)) {
                    r.error = out->error();
                    out.reset();
                    s_.fs.remove(temp_);
                    return r;
                }
                hash_.update(buffer);
                written += static_cast<int64_t>(buffer.size());
                buffer.clear();
            }
        }
        if (!ok) {
            out.reset();
            s_.fs.remove(temp_);
            return r; // the reason has been shown
        }
        hash_.update(buffer);
        ok = out->write(buffer) && out->sync() && out->close();
        if (!ok) r.error = out->error();
        out.reset();
        if (ok && !s_.fs.replace(temp_, target_, &r.error)) ok = false;
        if (!ok) {
            s_.fs.remove(temp_);
            return r;
        }
        if (!s_.index.WorkFilePath.empty()) s_.fs.remove(s_.index.WorkFilePath);
        s_.index.MessageState = states_;
        s_.index.MessageOffset = offsets_;
        s_.index.LoadedCrc = CalcCrc(s_.msg.BlockText);
        s_.index.OpenedFile = StampOf(s_.fs, newPath_, hash_.digest());
        s_.index.OpenedWithoutBlocks = false;
        r.ok = true;
        return r;
    }

private:
    // Reads a stored block; a source that cannot be read stops the save, so that no
    // message is lost from the new file.
    bool fetch(BlockReader& reader, int i, int64_t offset, std::string& block) {
        int error = 0;
        if (!reader.open(&error)) {
            s_.ui.messageBox(Box("Can't open file " + FileNamePart(reader.path())));
            return false;
        }
        bool found = false;
        block = reader.fetch(i, offset, &found);
        if (!found && s_.index.MessageState[i] == 1) {
            s_.ui.messageBox(Box("Message " + std::to_string(i) + " was not found in file " +
                                 FileNamePart(reader.path()) + ". The file was changed by another program; " +
                                 FileNamePart(newPath_) + " has not been saved."));
            return false;
        }
        return true;
    }

    Session& s_;
    std::string oldPath_, newPath_, target_, dir_, temp_;
    const Offsets& sourceOffsets_;
    decltype(WorkIndex::MessageState) states_{};
    Offsets offsets_{};
    ContentHash hash_;
};

// Where the blocks kept in the source file are now. While the file is as it was scanned
// or saved, the index says; otherwise its header lines are read again, and the blocks
// that are gone are named in one question. False when the person cancels.
bool findSourceBlocks(Session& s, const std::string& oldPath, Offsets& offsets) {
    offsets = s.index.MessageOffset;
    std::vector<int> wanted;
    for (int i = 0; i < kMessageCount; ++i)
        if (s.index.MessageState[i] == 1 && i != s.msg.CurrentMessage) wanted.push_back(i);
    if (oldPath.empty() || wanted.empty()) return true;
    const FileStamp& stamp = s.index.OpenedFile;
    if (stamp.path == oldPath && CompareStamp(s.fs, stamp) == FileChange::Unchanged) return true;
    Offsets found{};
    locateBlocks(s.fs, oldPath, found);
    std::vector<int> missing;
    for (int i : wanted) {
        offsets[i] = found[i];
        if (found[i] == 0) missing.push_back(i);
    }
    if (missing.empty()) return true;
    const std::string name = FileNamePart(oldPath);
    const bool one = missing.size() == 1;
    MessageBox box = Box((one ? "Message " : "Messages ") + numberList(missing) + " can" +
                             " no longer be read from " + name + ": another program has changed or removed the file." +
                             "\r\nOK saves the other messages without " + (one ? "it" : "them") +
                             "; Cancel saves nothing.",
                         Buttons::OkCancel, Icon::Exclamation);
    box.defaultAnswer = Answer::Cancel;
    return s.ui.messageBox(box) == Answer::Ok;
}

} // namespace

std::string CantWriteFileText(const std::string& path, int error) {
    std::string text = "Can't write in file " + FileNamePart(path);
    if (error != 0) text += " (" + std::string(std::strerror(error)) + ")";
    return text + ".";
}

bool SaveFile(Session& s, const std::string& oldPath, const std::string& newPath) {
    if (newPath.empty()) return false;
    if (newPath == oldPath && !WorkStore(s).IsModified()) return false;
    // A link is followed: the file it points at gets the new content, the link stays.
    const std::string target = s.fs.resolveTarget(newPath);
    int refusal = 0;
    if (!s.fs.mayReplace(target, &refusal)) {
        s.ui.messageBox(Box(CantWriteFileText(newPath, refusal), Buttons::Ok, Icon::Exclamation));
        return false;
    }
    const std::string dir = DirPart(target);
    if (!ProbeDirectory(s.fs, dir, kProbeName)) {
        s.ui.messageBox(Box("Can't write in specified directory " + dir +
                            ". You have to select SaveAs from Flie menu and save the file in diferent directory."));
        return false;
    }
    Offsets sourceOffsets{};
    if (!findSourceBlocks(s, oldPath, sourceOffsets)) return false;
    for (;;) {
        SaveAttempt attempt = Saver(s, oldPath, newPath, target, sourceOffsets).run();
        s.ui.setStatus("");
        s.ui.setBusy(false);
        if (attempt.ok) break;
        if (attempt.error == 0) return false;
        int answer = ReportDiskError(s.ui, DiskErrorCode(attempt.error));
        if (answer == 3) s.ui.messageBox(Box(CantWriteFileText(newPath, attempt.error)));
        if (answer != 0) return false;
    }
    s.index.CurrentFilePath = newPath;
    UpdateRecentFiles(s.settings, newPath);
    s.run.HeaderChanged = false;
    return true;
}

int RecentFileCount(const Settings& settings) {
    int n = 0;
    while (n < 4 && !settings.RecentFiles[n + 1].empty()) ++n;
    return n;
}

int UpdateRecentFiles(Settings& settings, const std::string& path) {
    auto& list = settings.RecentFiles;
    int n = RecentFileCount(settings);
    if (list[1] == path) return n;
    int k = 0;
    for (int i = 2; i <= n; ++i)
        if (list[i] == path) k = i;
    if (k == 0) {
        if (n < 4) ++n;
        k = n;
    }
    for (int i = k; i > 1; --i) list[i] = list[i - 1];
    list[1] = path;
    return n;
}

} // namespace lt
