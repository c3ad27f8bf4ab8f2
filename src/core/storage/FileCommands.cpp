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
        bool ok = s_.index.CurrentFilePath.empty() ? SaveFileAs(false) : saveOpenFile();
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
    s_.index.OpenedFile = FileStamp{};
    s_.index.OpenedWithoutBlocks = false;
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
    // A copy: the open reorders the list the entry lives in.
    const std::string path = s_.settings.RecentFiles[k];
    if (openChosen(path)) OpenFile(false);
}

void FileCommands::OpenPath(const std::string& path) {
    if (AskSaveChanges(true)) return;
    if (openChosen(path)) OpenFile(false);
}

void FileCommands::OpenFile(bool askFirst) {
    if (askFirst && AskSaveChanges(false)) return;
    for (;;) {
        std::optional<std::string> name;
        for (;;) {
            FileDialog d{"Open Script File", kScriptFilter, "src", s_.run.DialogDir(), ""};
            name = s_.ui.chooseOpenFile(d);
            if (!name) return;
            if (CheckFileName(*name, 1) == 1) break;
        }
        if (!openChosen(*name)) return;
    }
}

namespace {

// Everything an open changes, put back when it fails: the editor then shows the file,
// the title and the messages it showed before.
struct OpenSnapshot {
    explicit OpenSnapshot(const Session& s)
        : index(s.index), msg(s.msg), unitType(s.settings.UnitType), firmwareVersion(s.settings.FirmwareVersion),
          headerChanged(s.run.HeaderChanged) {}
    void restore(Session& s) const {
        s.index = index;
        s.msg = msg;
        s.settings.UnitType = unitType;
        s.settings.FirmwareVersion = firmwareVersion;
        s.run.HeaderChanged = headerChanged;
    }
    WorkIndex index;
    QuickMessage msg;
    std::string unitType, firmwareVersion;
    bool headerChanged;
};

} // namespace

bool FileCommands::openChosen(const std::string& path) {
    if (!s_.fs.exists(path) || s_.fs.isDirectory(path)) {
        s_.ui.messageBox(Box("Error! Cannot open file " + path, Buttons::Ok, Icon::Exclamation));
        return false;
    }
    const OpenSnapshot before(s_);
    s_.ui.setBusy(true);
    WorkStore store(s_);
    store.ClearIndex();
    clearForLoad();
    s_.run.HeaderChanged = false;
    ScanResult scan = ScanScriptFile(s_, path);
    if (scan.outcome != ScanOutcome::Scanned) {
        before.restore(s_);
        view_.applyUnitType();
        s_.ui.setBusy(false);
        s_.ui.setStatus("");
        if (scan.outcome == ScanOutcome::CannotOpen)
            s_.ui.messageBox(Box("Error! Cannot open file " + path, Buttons::Ok, Icon::Exclamation));
        return scan.outcome == ScanOutcome::ForeignRetry;
    }
    view_.applyUnitType();
    s_.index.CurrentFilePath = path;
    view_.setTitle(TitleFor(path));
    s_.index.StoredMessageCount = scan.blockCount - 1;
    UpdateRecentFiles(s_.settings, path);
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
    return false;
}

bool FileCommands::SaveFileAs(bool refresh) {
    std::optional<std::string> name;
    for (;;) {
        FileDialog d{"Save Script File", kScriptFilter, "src", s_.run.DialogDir(), ""};
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

bool FileCommands::saveOpenFile() {
    const std::string path = s_.index.CurrentFilePath;
    if (!WorkStore(s_).IsModified()) return false;
    const std::string name = FileNamePart(path);
    std::string question;
    const FileStamp& stamp = s_.index.OpenedFile;
    const FileChange change = stamp.path == path ? CompareStamp(s_.fs, stamp) : FileChange::Unchanged;
    if (change == FileChange::Changed) {
        question = "The file " + name + " has been changed by another program since it was opened or saved here.\r\n"
                   "Yes replaces it with the messages of this editor, No saves them under another name, Cancel "
                   "saves nothing.";
    } else if (change == FileChange::Missing) {
        question = "The file " + name + " has been removed or renamed by another program since it was opened or "
                   "saved here.\r\nYes writes it again with the messages of this editor, No saves them under "
                   "another name, Cancel saves nothing.";
    } else if (s_.index.OpenedWithoutBlocks) {
        question = "The file " + name + " held no messages when it was opened, so it may not be a script file.\r\n"
                   "Yes replaces its content with the messages of this editor, No saves them under another name, "
                   "Cancel saves nothing.";
    }
    if (!question.empty()) {
        MessageBox box = Box(question, Buttons::YesNoCancel, Icon::Exclamation);
        box.defaultAnswer = Answer::No;
        Answer a = s_.ui.messageBox(box);
        if (a == Answer::Cancel) return false;
        if (a == Answer::No) return SaveFileAs(false);
    }
    if (!SaveFile(s_, path, path)) return false;
    view_.updateRecentMenu();
    return true;
}

void FileCommands::Save() {
    if (s_.index.CurrentFilePath.empty()) {
        SaveFileAs(true);
        return;
    }
    buildBlock();
    saveOpenFile();
    readBack();
}

} // namespace lt
