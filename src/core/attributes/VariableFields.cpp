#include "attributes/VariableFields.h"

#include "common/NumberText.h"
#include "quickedit/RichScan.h"
#include "quickedit/RichText.h"

namespace lt {

int VariableMark(int variable, bool blinking, bool leadingZeros) {
    return variable + (blinking ? 16 : 0) + (leadingZeros ? 32 : 0);
}

int WithFill(int mark, bool leadingZeros) {
    if (!IsVariableMark(mark)) return mark;
    if (leadingZeros && mark <= 32) return mark + 32;
    if (!leadingZeros && mark > 32) return mark - 32;
    return mark;
}

bool IsPlaceholderSelection(const std::string& selected, const std::string& varChar) {
    if (selected.empty()) return false;
    for (size_t i = 0; i < selected.size();) {
        if (selected[i] == '.') {
            ++i;
        } else if (!varChar.empty() && selected.compare(i, varChar.size(), varChar) == 0) {
            i += varChar.size();
        } else {
            return false;
        }
    }
    return true;
}

std::string PlaceholderMessage(const std::string& varChar) {
    return "Selected area doesn't contain variable place holder " + varChar + " only.";
}

std::string VariableStatus(int mark) {
    if (!IsVariableMark(mark)) return {};
    static const char* const kKinds[4] = {", leading spaces.", ", leading spaces, blinking.", ", leading zeros.",
                                          ", leading zero, blinking"};
    return "Variable " + Str(VariableOfMark(mark)) + kKinds[(mark - 1) / 16];
}

std::string VariableHelpLine(const std::string& control, bool chosen) {
    if (control == "cmdCancel") return "Click once to discard all changes if any.";
    if (control == "cmdClear")
        return "Click once to remove all variable assignments. Pressing Cancel will disregard changes, pressing OK "
               "will save changes.";
    if (control == "cmdHelp") return "Click once to invoke help on how to use this window.";
    if (control == "cmdOk") return "Click once to save all changes if any.";
    if (control == "grdSend")
        return "Click once to check or change current variable status or double click when variable chars are "
               "highlighted to assign.";
    if (control == "optOff")
        return chosen ? "All controls are disabled. If you press OK button all variable assignments if any will be "
                        "lost, Cancel will disregard all changes."
                      : "All controls are enabled. If you want to remove all variable assignments click once here "
                        "then press OK.";
    if (control == "optOn")
        return chosen ? "All controls are enabled. You can edit variable assignments."
                      : "Click once to enable all controls in this form and start editing.";
    if (control == "optSpace")
        return "Click once when desired variable in table below has focus to make it space filled.";
    if (control == "optZero") return "Click once when desired variable in table below has focus to make it zero filled.";
    if (control == "txtEdit")
        return "Highlight only variable place holder characters and then double click on desired variable in the "
               "table below.";
    return {};
}

std::array<bool, kVariableCount + 1> CheckMark(const std::string& rtf) {
    std::array<bool, kVariableCount + 1> found{};
    size_t pos = RichBodyStart(rtf);
    RichToken t;
    while (NextRichToken(rtf, pos, t)) {
        if (t.kind != RichToken::ControlWord || t.word != "f") continue;
        int mark = FontMark(t);
        if (IsVariableMark(mark)) found[VariableOfMark(mark)] = true;
    }
    return found;
}

bool HasAnyVariable(const std::array<bool, kVariableCount + 1>& marks) {
    for (int v = 1; v <= kVariableCount; ++v)
        if (marks[v]) return true;
    return false;
}

std::string VariableCellText(int variable) { return std::to_string(variable) + "V"; }

int VariableOfCell(int row, int column) { return row * 8 + column + 1; }

std::string RemoveVariables(const std::string& rtf) {
    std::string out;
    size_t pos = 0;
    RichToken t;
    while (NextRichToken(rtf, pos, t)) {
        if (t.kind == RichToken::ControlWord && t.word == "f" && IsVariableMark(FontMark(t))) {
            out += IsBlinkingMark(FontMark(t)) ? "\\f65 " : "\\f0 ";
        } else if (t.kind == RichToken::ControlWord && t.word == "cf" && t.hasNumber && t.number == 4) {
            out += "\\cf0 ";
        } else {
            out.append(rtf, t.begin, t.end - t.begin);
        }
    }
    return out;
}

} // namespace lt
