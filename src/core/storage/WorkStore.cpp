#include "storage/WorkStore.h"

#include "storage/Crc.h"
#include "storage/PathUtil.h"
#include "storage/ScriptFile.h"

namespace lt {

namespace {
const char* const kWorkFileName = "TMP$$$.TMP";
const char* const kRebuildFileName = "TMP1$$.TMP";
const char* const kProbeFileName = "TST&&&.TMP";
} // namespace

bool WorkStore::anyInWorkFile() const {
    for (int i = 0; i < kMessageCount; ++i)
        if (s_.index.MessageState[i] == 2) return true;
    return false;
}

bool WorkStore::chooseWorkFile() {
    std::string dir;
    if (!s_.index.WorkFilePath.empty()) {
        dir = DirPart(s_.index.WorkFilePath);
    } else if (s_.index.CurrentFilePath.empty()) {
        dir = s_.run.ProgramDir;
    } else {
        dir = DirPart(s_.index.CurrentFilePath);
        if (!ProbeDirectory(s_.fs, dir, kProbeFileName)) {
            s_.ui.messageBox(Box("Can't write in specified directory " + dir +
                                     ". New created messages will be written in temporary file in directory - " +
                                     s_.run.ProgramDir,
                                 Buttons::Ok, Icon::Exclamation));
            dir = s_.run.ProgramDir;
        }
    }
    s_.index.WorkFilePath = dir + kWorkFileName;
    if (!anyInWorkFile()) s_.fs.remove(s_.index.WorkFilePath);
    s_.fs.remove(dir + kRebuildFileName);
    return true;
}

bool WorkStore::StoreMessage(int n) {
    if (n < 0 || n >= kMessageCount) return true;
    const std::string& block = s_.msg.BlockText;
    int& state = s_.index.MessageState[n];
    if (state == 0 && (block.empty() || block == EmptyBlock(s_))) return true;
    chooseWorkFile();
    switch (state) {
    case 0:
        break;
    case 1:
        if (CalcCrc(block) == s_.index.LoadedCrc) return true;
        break;
    default:
        if (CalcCrc(block) == s_.index.LoadedCrc) return true;
        return rebuildWorkFile(n);
    }
    s_.msg.WorkText = block;
    if (!AppendBlock(s_.index.WorkFilePath, n)) return false;
    state = 2;
    return true;
}

bool WorkStore::rebuildWorkFile(int n) {
    const std::string work = s_.index.WorkFilePath;
    const std::string rebuilt = DirPart(work) + kRebuildFileName;
    auto offsets = s_.index.MessageOffset;
    int error = 0;
    auto out = s_.fs.openWrite(rebuilt, false, &error);
    BlockReader source(s_.fs, work);
    bool ok = out != nullptr;
    if (ok && !source.open(&error)) {
        // Without the old work file there is nothing of the other messages to keep.
        ok = false;
    }
    std::string text;
    for (int i = 0; ok && i < kMessageCount; ++i) {
        if (s_.index.MessageState[i] != 2) continue;
        text = i == n ? s_.msg.BlockText : source.fetch(i, s_.index.MessageOffset[i]);
        offsets[i] = out->position() + 1;
        text += "\r\n";
        ok = out->write(text);
    }
    ok = ok && out->sync() && out->close();
    out.reset();
    ok = ok && s_.fs.rename(rebuilt, work);
    if (!ok) {
        s_.fs.remove(rebuilt);
        s_.ui.messageBox(Box("Can't write in file " + FileNamePart(work)));
        return false;
    }
    s_.index.MessageOffset = offsets;
    return true;
}

bool WorkStore::AppendBlock(const std::string& path, int n) {
    auto file = s_.fs.openWrite(path, true);
    int64_t position = file ? file->position() : 0;
    bool ok = file && file->write(s_.msg.WorkText + "\r\n") && file->close();
    if (!ok) {
        s_.ui.messageBox(Box("Can't write in file " + FileNamePart(path)));
        return false;
    }
    s_.index.MessageOffset[n] = position + 1;
    return true;
}

void WorkStore::LoadMessage(int n) {
    s_.msg.BlockText.clear();
    if (n < 0 || n >= kMessageCount) return;
    switch (s_.index.MessageState[n]) {
    case 1:
        if (s_.index.CurrentFilePath.empty()) {
            s_.ui.messageBox(Box("Error. Specified message not found."));
            return;
        }
        s_.msg.BlockText = FetchBlock(s_, s_.index.CurrentFilePath, n);
        break;
    case 2:
        s_.msg.BlockText = FetchBlock(s_, s_.index.WorkFilePath, n);
        break;
    default:
        break;
    }
    s_.index.LoadedCrc = CalcCrc(s_.msg.BlockText);
}

int WorkStore::NextMessage(int n) {
    if (n >= kMessageCount - 1) {
        s_.ui.messageBox(Box("Message " + std::to_string(n) + " is the last one"));
        return n;
    }
    for (int i = n + 1; i < kMessageCount; ++i)
        if (s_.index.MessageState[i] != 0) return i;
    return n + 1;
}

int WorkStore::PreviousMessage(int n) {
    if (n < 1) {
        s_.ui.messageBox(Box("Message " + std::to_string(n) + " is the first one"));
        return 0;
    }
    for (int i = n - 1; i >= 0; --i)
        if (s_.index.MessageState[i] != 0) return i;
    return n - 1;
}

bool WorkStore::IsModified() {
    if (s_.run.HeaderChanged) return true;
    if (anyInWorkFile()) return true;
    int current = s_.msg.CurrentMessage;
    // A message the file does not hold stays absent while it is empty, whether its block is
    // the empty skeleton (Script Edit) or nothing at all (Quick Edit).
    if (s_.index.MessageState[current] == 0 && (s_.msg.BlockText.empty() || s_.msg.BlockText == EmptyBlock(s_)))
        return false;
    return CalcCrc(s_.msg.BlockText) != s_.index.LoadedCrc;
}

void WorkStore::ClearIndex() {
    for (int i = 0; i < kMessageCount; ++i) {
        s_.index.MessageState[i] = 0;
        s_.index.MessageOffset[i] = 0;
        s_.msg.MessageTask[i] = 0;
    }
}

} // namespace lt
