#include "settings/ProgramMenu.h"

#include "common/NumberText.h"
#include "storage/PathUtil.h"
#include "storage/ScriptFile.h"

namespace lt {

void ApplyUnitType(Session& s) {
    int lines = LineCountForUnitType(s.settings.UnitType);
    if (lines == 0) return;
    s.msg.LineCount = lines;
    if (lines == 4) {
        s.msg.LineNumber[3] = 3;
        s.msg.LineNumber[4] = 4;
    }
}

bool ChooseUnitType(Session& s, const std::string& unitType) {
    if (s.settings.UnitType == unitType) return false;
    const std::string oldEmpty = EmptyBlock(s);
    s.run.HeaderChanged = true;
    s.settings.UnitType = unitType;
    ApplyUnitType(s);
    if (s.run.ScriptEditMode && (s.msg.BlockText.empty() || s.msg.BlockText == oldEmpty))
        s.msg.BlockText = EmptyBlock(s);
    return true;
}

bool ChooseVersion(Session& s, const std::string& version) {
    if (s.settings.FirmwareVersion == version) return false;
    s.settings.FirmwareVersion = version;
    s.run.HeaderChanged = true;
    if (!s.index.CurrentFilePath.empty()) {
        const std::string image = BaseName(s.index.CurrentFilePath) + ".bin";
        if (s.fs.exists(image)) s.fs.remove(image);
    }
    return true;
}

void EnterAddress(Session& s, const std::optional<std::string>& answer) {
    if (!answer || answer->empty()) return;
    if (!IsNumeric(*answer)) {
        s.ui.messageBox(Box("The address " + *answer + " is not valid.", Buttons::Ok, Icon::Information));
        return;
    }
    double v = Val(*answer);
    if (v >= 0 && v < 256) {
        s.settings.UnitAddress = *answer;
        return;
    }
    s.ui.messageBox(Box("You have entered an illegal address.", Buttons::Ok, Icon::Information));
}

void AskAddress(Session& s) {
    EnterAddress(s, s.ui.inputBox("Please enter the address of the 7700 unit. This address must be between 0 and 255.",
                                  kAppTitle, s.settings.UnitAddress));
}

} // namespace lt
