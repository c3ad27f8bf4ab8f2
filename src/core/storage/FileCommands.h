// The File menu's commands: New, Open, Save, Save As, the recent files, and the
// unsaved-changes question that guards them.
#pragma once

#include <string>

#include "Session.h"

namespace lt {

// What the window does around the file commands.
class FileCommandsView {
public:
    virtual ~FileCommandsView() = default;
    virtual void setTitle(const std::string& title) = 0;
    // Message 0 / the current message, line 1 and the message's task in the number boxes and
    // scroll bars, written without their change handling.
    virtual void showNavigation() = 0;
    // After the record or BlockText was replaced: Quick Edit refreshes the edit controls
    // and the simulation display; Script Edit shows BlockText and the Script Edit caption.
    virtual void showMessage() = 0;
    virtual void updateRecentMenu() = 0;
    // The record was read back from its block after a save or a question (the block drops
    // what it cannot hold, such as the font of a line without text): the edit controls
    // follow it, the line box keeping its cursor.
    virtual void showReadBack() {}
    // The unit type may have changed (frame caption, display rows, line scroll bar).
    virtual void applyUnitType() = 0;
};

class FileCommands {
public:
    FileCommands(Session& session, FileCommandsView& view) : s_(session), view_(view) {}

    // Returns true when the person cancelled. keep: the Quick Edit record is left as it is
    // (it is about to be replaced); otherwise it is read back from BlockText.
    bool AskSaveChanges(bool keep);
    void NewFile();
    // File, Open: the save-changes question (unless askFirst is false), then the open
    // dialog until a file opens or the person cancels. A failed open leaves the file, the
    // title and the messages as they were.
    void OpenFile(bool askFirst = true);
    void OpenRecent(int k);
    // Opens a file named on the command line, without the open dialog.
    void OpenPath(const std::string& path);
    bool SaveFileAs(bool refresh);
    void Save();
    // mode 1: for loading, 2: for saving. 1 = go on, 0 = do not.
    int CheckFileName(const std::string& path, int mode);

    static std::string TitleFor(const std::string& path);

private:
    bool quickEdit() const { return !s_.run.ScriptEditMode; }
    void buildBlock();
    void readBack();
    void clearForLoad();
    // Opens path; true when the person wants to choose another file.
    bool openChosen(const std::string& path);
    // Save on a named file, after asking when another program changed or removed it, or
    // when it held no messages (a file opened by mistake). True when written.
    bool saveOpenFile();

    Session& s_;
    FileCommandsView& view_;
};

// "Lumatext script file (*.src)|*.src"
inline constexpr const char* kScriptFilter = "Lumatext script file (*.src)|*.src";

} // namespace lt
