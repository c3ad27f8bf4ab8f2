#include "storage/FileCommands.h"

#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "settings/ProgramMenu.h"
#include "storage/Crc.h"
#include "storage/PathUtil.h"
#include "storage/SaveFile.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

namespace lt {

std::string FileCommands::TitleFor(const std::string& path) {
    return path.empty() ? "Lumatext 7700 - New" : "Lumatext 7700 - " + FileNamePart(path);
}

void FileCommands::buildBlock() {
    if (quickEdit()) SubMake(s_);
}

void FileCommands::readBack() {
    if (!quickEdit()) return;
    ReadFields(s_);
    view_.showReadBack();
}

bool FileCommands::AskSaveChanges(bool keep) {
    buildBlock();
    if (!WorkStore(s_).IsModified()) {
        if (!keep) readBack();
        return false;
    }
    Answer a = s_.ui.messageBox(Box("Do you want to save the changes?", Buttons::YesNoCancel));
    if (a == Answer::Cancel) {
        readBack();
        return true;
    }
    if (a == Answer::Yes) {
        bool ok = s_.index.CurrentFilePath.empty()
                      ? SaveFileAs(false)
                      : SaveFile(s_, s_.index.CurrentFilePath, s_.index.CurrentFilePath);
        if (!ok) {
            readBack();
            return true;
        }
    }
    if (!keep) readBack();
    return false;
}

void FileCommands::clearForLoad() {
    ClearQuickMessage(s_.msg);
    s_.msg.CurrentMessage = 0;
    s_.index.LoadedCrc = 0;
}

void FileCommands::NewFile() {
    if (AskSaveChanges(true)) return;
    s_.run.HeaderChanged = false;
    s_.index.CurrentFilePath.clear();
    clearForLoad();
    s_.index.StoredMessageCount = 1023;
    WorkStore(s_).ClearIndex();
    for (int i = 1; i <= kMaxLines; ++i) s_.msg.LineNumber[i] = i;
    view_.showNavigation();
    view_.setTitle(TitleFor(""));
    if (quickEdit()) ReadFields(s_);
    else s_.msg.BlockText = EmptyBlock(s_);
    view_.showMessage();
}

int FileCommands::CheckFileName(const std::string& path, int mode) {
    if (mode == 2 && s_.fs.exists(path)) {
        Answer a = s_.ui.messageBox(Box("The file " + path + " already exists on disk.\r\nDo you want to replace it.",
                                        Buttons::YesNo, Icon::Information, "File Save Message"));
        return a == Answer::Yes ? 1 : 0;
    }
    if (mode == 1 && !s_.fs.exists(path)) {
        s_.ui.messageBox(Box("Specified file doesn't exist.", Buttons::Ok, Icon::Information, "File Load Message"));
        return 1;
    }
    return 1;
}

void FileCommands::OpenRecent(int k) {
    if (k < 1 || k > 4 || s_.settings.RecentFiles[k].empty()) return;
    if (AskSaveChanges(true)) return;
    s_.index.CurrentFilePath = s_.settings.RecentFiles[k];
    openFromRecent_ = true;
    OpenFile();
}

void FileCommands::OpenPath(const std::string& path) {
    if (AskSaveChanges(true)) return;
    s_.index.CurrentFilePath = path;
    openFromRecent_ = true;
    OpenFile();
}

void FileCommands::OpenFile() {
    bool askFirst = !openFromRecent_;
    openFromRecent_ = false;
    if (askFirst && AskSaveChanges(false)) return;
    for (bool chooseFile = askFirst;;) {
        if (chooseFile) {
            std::optional<std::string> name;
            for (;;) {
                FileDialog d{"Open Script File", kScriptFilter, "src", s_.run.ProgramDir, ""};
                name = s_.ui.chooseOpenFile(d);
                if (!name) return;
                s_.run.HeaderChanged = false;
                if (CheckFileName(*name, 1) == 1) break;
            }
            s_.index.CurrentFilePath = *name;
        }
        chooseFile = true;
        WorkStore store(s_);
        store.ClearIndex();
        view_.setTitle(TitleFor(s_.index.CurrentFilePath));
        if (!s_.fs.exists(s_.index.CurrentFilePath) || s_.fs.isDirectory(s_.index.CurrentFilePath)) {
            s_.ui.messageBox(Box("Error! Cannot open file " + s_.index.CurrentFilePath, Buttons::Ok, Icon::Exclamation));
            return;
        }
        s_.ui.setBusy(true);
        clearForLoad();
        s_.run.HeaderChanged = false;
        ScanResult scan = ScanScriptFile(s_, s_.index.CurrentFilePath);
        view_.applyUnitType();
        if (scan.outcome == ScanOutcome::CannotOpen) {
            s_.ui.setBusy(false);
            s_.ui.messageBox(Box("Error! Cannot open file " + s_.index.CurrentFilePath, Buttons::Ok, Icon::Exclamation));
            return;
        }
        if (scan.outcome == ScanOutcome::ForeignRetry) {
            s_.ui.setBusy(false);
            continue;
        }
        if (scan.outcome == ScanOutcome::ForeignStop) {
            s_.ui.setBusy(false);
            return;
        }
        s_.index.StoredMessageCount = scan.blockCount - 1;
        UpdateRecentFiles(s_.settings, s_.index.CurrentFilePath);
        view_.updateRecentMenu();
        s_.msg.CurrentMessage = store.NextMessage(-1);
        store.LoadMessage(s_.msg.CurrentMessage);
        view_.showNavigation();
        s_.ui.setBusy(false);
        s_.ui.setStatus("");
        if (quickEdit()) {
            ReadFields(s_);
        } else {
            if (s_.msg.BlockText.empty()) s_.msg.BlockText = EmptyBlock(s_);
            else CheckCrc(s_);
        }
        view_.showMessage();
        return;
    }
}

bool FileCommands::SaveFileAs(bool refresh) {
    std::optional<std::string> name;
    for (;;) {
        FileDialog d{"Save Script File", kScriptFilter, "src", s_.run.ProgramDir, ""};
        name = s_.ui.chooseSaveFile(d);
        if (!name) return false;
        if (CheckFileName(*name, 2) == 1) break;
    }
    if (refresh) buildBlock();
    bool ok = SaveFile(s_, s_.index.CurrentFilePath, *name);
    if (refresh) readBack();
    // A save that failed keeps the open file: its unsaved blocks are still read from it.
    if (ok) {
        view_.setTitle(TitleFor(*name));
        view_.updateRecentMenu();
    }
    return ok;
}

void FileCommands::Save() {
    if (s_.index.CurrentFilePath.empty()) {
        SaveFileAs(true);
        return;
    }
    buildBlock();
    if (SaveFile(s_, s_.index.CurrentFilePath, s_.index.CurrentFilePath)) view_.updateRecentMenu();
    readBack();
}

} // namespace lt
