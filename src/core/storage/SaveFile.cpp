#include "storage/SaveFile.h"

#include <cerrno>

#include "common/NumberText.h"
#include "storage/Crc.h"
#include "storage/DiskError.h"
#include "storage/PathUtil.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

namespace lt {

namespace {

const char* const kTempName = "TMPFLN.TMP";
const char* const kProbeName = "TST$$$.TST";

struct SaveAttempt {
    bool ok = false;
    int error = 0;        // errno of the failed disk operation; 0 when reported already
};

std::string savingProgress(const std::string& name, const std::string& percent) {
    return "Saving file " + name + ". " + percent + " % complete.";
}

class Saver {
public:
    Saver(Session& s, const std::string& oldPath, const std::string& newPath)
        : s_(s), oldPath_(oldPath), newPath_(newPath), dir_(DirPart(newPath)), temp_(dir_ + kTempName) {}

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
            } else if (s_.index.MessageState[i] == 2) {
                if (!fetch(work, i, block)) { ok = false; break; }
            } else if (s_.index.MessageState[i] == 1 && !oldPath_.empty()) {
                if (!fetch(old, i, block)) { ok = false; break; }
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
                written += static_cast<int64_t>(buffer.size());
                buffer.clear();
            }
        }
        if (!ok) {
            out.reset();
            s_.fs.remove(temp_);
            return r; // the reason has been shown
        }
        ok = out->write(buffer) && out->sync() && out->close();
        if (!ok) r.error = out->error();
        out.reset();
        if (ok && !s_.fs.rename(temp_, newPath_, &r.error)) ok = false;
        if (!ok) {
            s_.fs.remove(temp_);
            return r;
        }
        if (!s_.index.WorkFilePath.empty()) s_.fs.remove(s_.index.WorkFilePath);
        s_.index.MessageState = states_;
        s_.index.MessageOffset = offsets_;
        s_.index.LoadedCrc = CalcCrc(s_.msg.BlockText);
        r.ok = true;
        return r;
    }

private:
    // Reads a stored block; a source that cannot be read stops the save, so that no
    // message is lost from the new file.
    bool fetch(BlockReader& reader, int i, std::string& block) {
        int error = 0;
        if (!reader.open(&error)) {
            s_.ui.messageBox(Box("Can't open file " + FileNamePart(reader.path())));
            return false;
        }
        bool found = false;
        block = reader.fetch(i, s_.index.MessageOffset[i], &found);
        if (!found && s_.index.MessageState[i] == 1) {
            s_.ui.messageBox(Box("Message " + std::to_string(i) + " was not found in file " +
                                 FileNamePart(reader.path()) + ". The file was changed by another program; " +
                                 FileNamePart(newPath_) + " has not been saved."));
            return false;
        }
        return true;
    }

    Session& s_;
    std::string oldPath_, newPath_, dir_, temp_;
    decltype(WorkIndex::MessageState) states_{};
    decltype(WorkIndex::MessageOffset) offsets_{};
};

} // namespace

bool SaveFile(Session& s, const std::string& oldPath, const std::string& newPath) {
    if (newPath.empty()) return false;
    if (newPath == oldPath && !WorkStore(s).IsModified()) return false;
    const std::string dir = DirPart(newPath);
    if (!ProbeDirectory(s.fs, dir, kProbeName)) {
        s.ui.messageBox(Box("Can't write in specified directory " + dir +
                            ". You have to select SaveAs from Flie menu and save the file in diferent directory."));
        return false;
    }
    for (;;) {
        SaveAttempt attempt = Saver(s, oldPath, newPath).run();
        s.ui.setStatus("");
        s.ui.setBusy(false);
        if (attempt.ok) break;
        if (attempt.error == 0) return false;
        int answer = ReportDiskError(s.ui, DiskErrorCode(attempt.error));
        if (answer == 3) s.ui.messageBox(Box("Can't write in file " + FileNamePart(newPath)));
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
