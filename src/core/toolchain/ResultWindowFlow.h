// The steps of the result window ("Lumatext 7700", opened by "&Compile..." and
// "&Program..."): choosing the file, the directory probe, the runs, the "&Program" /
// "&View Errors" button and "&Close" with its cancel request.
#pragma once

#include <string>

#include "toolchain/ResultSink.h"
#include "toolchain/ToolContext.h"

namespace lt {

// "&Program..." is offered for an unnamed file without content (a file dialog follows)
// and for a named file whose binary image exists.
bool ProgramCommandEnabled(Session& s, bool hasContent);

// True when both files carry a time and the image's is older than the script's.
bool ImageIsOlderThanScript(FileSystem& fs, const std::string& image, const std::string& script);

class ResultWindowFlow {
public:
    ResultWindowFlow(ToolContext& ctx, ResultSink& sink) : ctx_(ctx), sink_(sink) {}

    // The window's first appearance: choose the file, probe its directory, run.
    void shown();
    // "&Program" after a successful compile, or "&View Errors" after a failed one.
    void programButton();
    // "&Close": shows the cancel text; closes at once unless a run is busy, in which case
    // the run closes the window when its tool has ended.
    void closeButton();
    // Some time after "&Close" during a run whose tool goes on: asks whether to end the
    // tool, and ends it on Yes (asked to end, then forced). True when it was ended.
    bool offerToEndTool();

    const std::string& sourcePath() const { return sourcePath_; }
    const std::string& outputName() const { return outputName_; }
    bool errors() const { return errors_; }

private:
    enum class ImageChoice { ProgramIt, CompileFirst, Cancel };
    bool chooseFile();
    // The compile run and the button it leaves; true when the image was made.
    bool compile();
    // "&Program..." with an image older than its script: compile first, program the old
    // image, or cancel.
    ImageChoice askAboutStaleImage();
    void probeDirectory();
    void viewErrors();

    ToolContext& ctx_;
    ResultSink& sink_;
    std::string sourcePath_;
    std::string outputName_;
    bool errors_ = false;
};

} // namespace lt
