#include "toolchain/ResultWindowFlow.h"

#include "storage/PathUtil.h"
#include "toolchain/CompileRun.h"
#include "toolchain/ProgramRun.h"
#include "toolchain/ToolRun.h"

namespace lt {

bool ProgramCommandEnabled(Session& s, bool hasContent) {
    if (s.index.CurrentFilePath.empty()) return !hasContent;
    return s.fs.exists(BaseName(s.index.CurrentFilePath) + ".bin");
}

bool ResultWindowFlow::chooseFile() {
    Session& s = ctx_.s;
    const bool compile = s.tools.compileMode;
    if (!s.index.CurrentFilePath.empty()) {
        if (compile && ctx_.hooks.askSaveChanges && ctx_.hooks.askSaveChanges()) return false;
    } else if (ctx_.hooks.hasContent && ctx_.hooks.hasContent()) {
        MessageBox box = Box("You have to save the file in order to compile it.", Buttons::OkCancel,
                             Icon::Information);
        box.defaultAnswer = Answer::Cancel;
        if (s.ui.messageBox(box) != Answer::Ok) return false;
        if (ctx_.hooks.saveAs) ctx_.hooks.saveAs();
        if (s.index.CurrentFilePath.empty()) return false;
    } else {
        FileDialog dialog;
        dialog.title = compile ? "Compile file" : "Program file";
        dialog.filter = compile ? "Lumatext script file (*.src)|*.src" : "7700 binary file (*.bin)|*.bin";
        dialog.defaultExtension = compile ? "src" : "bin";
        auto chosen = s.ui.chooseOpenFile(dialog);
        if (!chosen || chosen->empty()) return false;
        sourcePath_ = outputName_ = *chosen;
        return true;
    }
    sourcePath_ = outputName_ = s.index.CurrentFilePath;
    return true;
}

void ResultWindowFlow::probeDirectory() {
    Session& s = ctx_.s;
    std::string dir = DirPart(sourcePath_);
    if (ProbeDirectory(s.fs, dir.empty() ? std::string("./") : dir, "SGX3&&&.$$$")) return;
    s.ui.messageBox(Box("Can't write in specified directory " + dir +
                            ", in order to program the unit binary file will be created in directory - " +
                            s.run.WriteDir(),
                        Buttons::Ok, Icon::Exclamation));
    outputName_ = s.run.WriteDir() + BaseName(FileNamePart(sourcePath_));
}

bool ResultWindowFlow::compile() {
    errors_ = CompileRun(ctx_, sourcePath_, outputName_, &sink_);
    if (ctx_.s.tools.cancelRequest) return false;  // the run has closed the window
    sink_.showElapsedLabel(false);
    sink_.showElapsedValue(false);
    // "&View Errors" only when there is an error file to view: a compiler that could not
    // be started or did not end well has left none, and its reason is in the result box.
    const bool viewable = ctx_.s.fs.exists(BaseName(outputName_) + ".err");
    if (!errors_) sink_.setProgramButton("&Program", true);
    else sink_.setProgramButton("&View Errors", viewable);
    return !errors_;
}

bool ImageIsOlderThanScript(FileSystem& fs, const std::string& image, const std::string& script) {
    FileInfo imageInfo, scriptInfo;
    if (!fs.stat(image, imageInfo) || !fs.stat(script, scriptInfo)) return false;
    return imageInfo.modified != 0 && scriptInfo.modified != 0 && imageInfo.modified < scriptInfo.modified;
}

ResultWindowFlow::ImageChoice ResultWindowFlow::askAboutStaleImage() {
    Session& s = ctx_.s;
    const std::string image = BaseName(outputName_) + ".bin";
    if (s.index.CurrentFilePath.empty() || !ImageIsOlderThanScript(s.fs, image, sourcePath_))
        return ImageChoice::ProgramIt;
    MessageBox box = Box("The binary image " + FileNamePart(image) + " is older than its script file " +
                             FileNamePart(sourcePath_) +
                             ".\r\nDo you want to compile the script first? No programs the older image.",
                         Buttons::YesNoCancel, Icon::Exclamation);
    switch (s.ui.messageBox(box)) {
    case Answer::Yes: return ImageChoice::CompileFirst;
    case Answer::No: return ImageChoice::ProgramIt;
    default: return ImageChoice::Cancel;
    }
}

void ResultWindowFlow::shown() {
    if (!chooseFile()) {
        sink_.closeWindow();
        return;
    }
    probeDirectory();
    if (ctx_.s.tools.compileMode) {
        compile();
        return;
    }
    switch (askAboutStaleImage()) {
    case ImageChoice::Cancel: sink_.closeWindow(); return;
    case ImageChoice::CompileFirst:
        // As "&Compile...": unsaved changes are offered for saving, so that the image is
        // made from what the person sees.
        if (ctx_.hooks.askSaveChanges && ctx_.hooks.askSaveChanges()) {
            sink_.closeWindow();
            return;
        }
        if (!compile()) return;
        programButton();
        return;
    case ImageChoice::ProgramIt: ProgramRun(ctx_, BaseName(outputName_) + ".bin", sink_); return;
    }
}

void ResultWindowFlow::programButton() {
    if (errors_) {
        viewErrors();
        return;
    }
    sink_.setProgramButton("&Program", false);
    sink_.showElapsedLabel(true);
    sink_.showElapsedValue(true);
    sink_.setElapsed("");
    ProgramRun(ctx_, BaseName(outputName_) + ".bin", sink_);
}

void ResultWindowFlow::closeButton() {
    sink_.setText("Canceled by the user!\r\nTerminating execution...");
    if (!ctx_.s.tools.busy) {
        sink_.closeWindow();
        return;
    }
    ctx_.s.tools.cancelRequest = true;
}

bool ResultWindowFlow::offerToEndTool() {
    if (!ctx_.s.tools.busy || !ctx_.s.tools.cancelRequest) return false;
    return OfferToEndTool(ctx_);
}

void ResultWindowFlow::viewErrors() {
    Session& s = ctx_.s;
    const std::string errorFile = BaseName(outputName_) + ".err";
    const std::string& editor = s.settings.EditorPath;
    const bool hasEditor = !editor.empty() && s.fs.exists(editor) && !s.fs.isDirectory(editor);
    if (hasEditor) {
        // The viewer gets its own window; this one waits without taking input.
        ProcessResult r = ctx_.runner.run(editor, {errorFile}, [] {}, false);
        if (r.started) return;
        s.ui.messageBox(Box(ToolStartFailedText(editor, r.errorText), Buttons::Ok, Icon::Exclamation));
    }
    // The program's own viewer stands in for an editor, so the errors can always be read.
    std::string text;
    if (!ReadWholeFile(s.fs, errorFile, text)) {
        if (!hasEditor)
            s.ui.messageBox(Box("You don't have Notepad and Write Editors installed on your computer. If you want to "
                                "view error files select External Editor in Preferences uder Edit Menu."));
        s.ui.messageBox(Box("Can't open error file " + FileNamePart(errorFile) + "."));
        return;
    }
    // The errors in the open script lead to their message.
    std::vector<ErrorLink> links;
    std::string script;
    if (ctx_.hooks.showScriptLine && sourcePath_ == s.index.CurrentFilePath && ReadWholeFile(s.fs, sourcePath_, script))
        links = CompileErrorLinks(text, FileNamePart(sourcePath_), script);
    const std::optional<ErrorLink> chosen = sink_.showTextFile(FileNamePart(errorFile), text, links);
    if (!chosen) return;
    sink_.closeWindow();
    ctx_.hooks.showScriptLine(chosen->message, chosen->blockLine);
}

} // namespace lt
