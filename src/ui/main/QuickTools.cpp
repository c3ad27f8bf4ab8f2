// The Program and Advanced menus' tool commands: compile, program, syntax check and the
// unit commands, run through the window's process runner.
#include <QAction>
#include <QPlainTextEdit>

#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "quickedit/RichText.h"
#include "toolchain/SyntaxCheck.h"
#include "toolchain/ToolContext.h"
#include "toolchain/UnitCommands.h"
#include "ui/main/frmQuick.h"
#include "ui/toolchain/QtProcessRunner.h"
#include "ui/toolchain/frmReadFlash.h"
#include "ui/toolchain/frmShow.h"

namespace lt {

bool frmQuick::toolContent() const {
    if (s_.run.ScriptEditMode) {
        if (!s_.msg.BlockText.empty()) return true;
    } else {
        for (int i = 1; i <= s_.msg.LineCount; ++i)
            if (!GetText(s_.msg.LineRtf[i]).empty()) return true;
    }
    for (int i = 0; i < kMessageCount; ++i)
        if (s_.index.MessageState[i] != 0) return true;
    return false;
}

void frmQuick::setupTools() {
    runner_ = std::make_unique<QtProcessRunner>();
    tools_ = std::make_unique<ToolContext>(s_, *runner_);
    ToolHooks& h = tools_->hooks;
    h.hasContent = [this] { return toolContent(); };
    h.currentLinesHaveText = [this] {
        for (int i = 1; i <= s_.msg.LineCount; ++i)
            if (!GetText(s_.msg.LineRtf[i]).empty()) return true;
        return false;
    };
    h.buildBlock = [this] {
        if (!s_.run.ScriptEditMode) SubMake(s_);
    };
    h.readBlock = [this] {
        if (s_.run.ScriptEditMode) return;
        ReadFields(s_);
        ShowEdit();
        UpdateSimulation();
    };
    h.askSaveChanges = [this] { return files_.AskSaveChanges(false); };
    h.saveAs = [this] { files_.SaveFileAs(true); };
    h.confirmReplace = [this](const std::string& path) { return files_.CheckFileName(path, 2) == 1; };
    h.showScriptLine = [this](int message, int line) { showScriptLine(message, line); };

    connect(mnuPrgCompile, &QAction::triggered, this, [this] { frmShow::openModal(*tools_, true, this); });
    connect(mnuPrgStart, &QAction::triggered, this, [this] { frmShow::openModal(*tools_, false, this); });
    connect(mnuEditSynt, &QAction::triggered, this, [this] {
        if (!s_.run.ScriptEditMode || s_.msg.BlockText.empty()) return;
        SyntaxCheck(*tools_, s_.msg.BlockText, s_.msg.CurrentMessage);
    });
    connect(mnuAdvCall, &QAction::triggered, this, [this] { CallUp(*tools_); });
    connect(mnuAdvSend, &QAction::triggered, this, [this] { SendMessage(*tools_); });
    connect(mnuAdvReboot, &QAction::triggered, this, [this] { Reboot(*tools_); });
    connect(mnuAdvErase, &QAction::triggered, this, [this] { EraseFlash(*tools_); });
    connect(mnuAdvRead, &QAction::triggered, this, [this] { frmReadFlash::openModal(*tools_, this); });
}

} // namespace lt
