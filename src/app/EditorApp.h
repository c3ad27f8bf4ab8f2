// Start-up and shut-down of the editor: one instance only, the splash window, the
// settings, the unit type, the font check, a new empty file; and on the way out the
// unsaved-changes question and the settings file.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Session.h"
#include "platform/InstanceLock.h"
#include "storage/FileSystem.h"
#include "ui/QtUserPort.h"

class QDialog;

namespace lt {

class frmQuick;

struct StartupOptions {
    std::string programDir;     // directory of the program file, with its separator
    std::string currentDir;     // where the settings file lives
    std::string lockDir;        // where the single-instance lock lives
    // Shows a modal window (frmInfo, frmAbout); tests replace it.
    std::function<void(QDialog&)> showModal;
    // The user's folders that stand in for the program folder where that takes no new
    // files (DataLocation.h); empty: the program folder is used in any case.
    std::string appDataDir = {};
    std::string documentsDir = {};
    // The person's side of boxes and dialogs; null: the real windows (tests script one).
    UserPort* userPort = nullptr;
};

// Names the application as the desktop knows it (which also names its application-data
// folder) and returns the options of the program as people start it: its own folder, the
// current directory, the user's application-data and documents folders, the runtime
// folder for the lock.
StartupOptions DesktopStartupOptions();

class EditorApp {
public:
    EditorApp(FileSystem& fs, StartupOptions options);
    ~EditorApp();

    // Runs the start-up steps. False when the program must end at once.
    bool start();
    // Writes the settings file (after the window agreed to close).
    void shutdown();
    void openFile(const std::string& path);

    frmQuick* window() { return window_.get(); }
    Session& session() { return *session_; }
    QtUserPort& port() { return port_; }

private:
    bool acquireInstanceLock();

    FileSystem& fs_;
    StartupOptions options_;
    platform::InstanceLock lock_;
    QtUserPort port_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<frmQuick> window_;
};

} // namespace lt
