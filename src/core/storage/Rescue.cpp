#include "storage/Rescue.h"

#include "storage/SaveFile.h"

namespace lt {

std::string RescueFilePath(const Session& s) { return s.run.WriteDir() + "SGX3TMP.SRC"; }

bool ReportUnexpectedError(Session& s, const std::string& module, const RescueSteps& steps) {
    if (s.RescueInProgress) return false;
    s.RescueInProgress = true;
    const std::string path = RescueFilePath(s);
    bool saved = false;
    Answer a = s.ui.messageBox(Box("Unexpected Error in module " + module + ". Save all data in file " + path +
                                       " on exit?",
                                   Buttons::YesNo, Icon::Exclamation));
    if (a == Answer::Yes) {
        bool quick = !s.run.ScriptEditMode;
        if (quick && steps.buildBlock) steps.buildBlock();
        // The rescue file is written even when nothing changed since the last save.
        bool header = s.run.HeaderChanged;
        s.run.HeaderChanged = true;
        const std::string current = s.index.CurrentFilePath;
        saved = SaveFile(s, current, path);
        if (!saved) s.run.HeaderChanged = header;
        if (quick && steps.readBlock) steps.readBlock();
    }
    s.ui.endProgram();
    s.RescueInProgress = false;
    return saved;
}

} // namespace lt
