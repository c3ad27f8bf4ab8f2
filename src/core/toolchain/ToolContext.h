// Everything the tool flows work with: the session, the process runner, the clock and
// the hooks into what the main window owns.
#pragma once

#include <functional>
#include <string>

#include "Session.h"
#include "toolchain/ElapsedClock.h"
#include "toolchain/ProcessRunner.h"

namespace lt {

struct ToolHooks {
    // The content test of the result window and the Program menu: in Quick Edit a line of
    // the current message is not empty, in Script Edit the script text is not empty, or a
    // message of the file is stored.
    std::function<bool()> hasContent;
    // Send Message: a line of the current message has plain text.
    std::function<bool()> currentLinesHaveText;
    // Turns the Quick Edit model into BlockText, and reads BlockText back into it.
    std::function<void()> buildBlock;
    std::function<void()> readBlock;
    // The save-changes question of the file commands; true when the person cancelled.
    std::function<bool()> askSaveChanges;
    // Save As; afterwards CurrentFilePath names the file when it was saved.
    std::function<void()> saveAs;
    // The replace question of the file commands for an existing file; true = go on.
    // When not set, the program's own question is asked.
    std::function<bool(const std::string&)> confirmReplace;
    // Shows a message's block in Script Edit with one of its lines (from 1) selected.
    std::function<void(int message, int line)> showScriptLine;
};

struct ToolContext {
    ToolContext(Session& session, ProcessRunner& processRunner)
        : s(session), runner(processRunner), now(SteadySeconds()) {}
    Session& s;
    ProcessRunner& runner;
    SecondsSource now;
    ToolHooks hooks;
};

} // namespace lt
