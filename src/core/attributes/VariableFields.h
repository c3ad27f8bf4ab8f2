// The Variable dialog's decisions: marks of the four field kinds, the placeholder check,
// the status and help lines, the check marks of the 2 x 8 table and removing every field.
#pragma once

#include <array>
#include <string>

namespace lt {

inline constexpr int kVariableCount = 16;

// Mark of variable 1..16: plus 16 when blinking, plus 32 with leading zeros.
int VariableMark(int variable, bool blinking, bool leadingZeros);
// The same field with the other fill: 1..32 <-> 33..64.
int WithFill(int mark, bool leadingZeros);

// The highlighted characters are all VarChar or "." (an empty selection is not).
bool IsPlaceholderSelection(const std::string& selected, const std::string& varChar);
std::string PlaceholderMessage(const std::string& varChar);

// "Variable  3, leading spaces." and its three siblings; empty for a mark that is no field.
std::string VariableStatus(int mark);

// Help line of a control under the mouse; `chosen` tells whether optOn / optOff is the
// selected option. Empty for controls without one.
std::string VariableHelpLine(const std::string& control, bool chosen);
inline constexpr const char* kAssignHint =
    "Double click on desired variable number from the table above in order to assign.";

// Variables 1..16 that have a field in the line (index 0 unused).
std::array<bool, kVariableCount + 1> CheckMark(const std::string& rtf);
bool HasAnyVariable(const std::array<bool, kVariableCount + 1>& marks);

// Cell text of the table: "1V" .. "16V"; row 0 holds 1..8, row 1 holds 9..16.
std::string VariableCellText(int variable);
int VariableOfCell(int row, int column);

// Every variable mark of the fragment becomes ordinary ("\f0 \cf0 ") or blinking text
// ("\f65 \cf0 ") by the kind of the field.
std::string RemoveVariables(const std::string& rtf);

} // namespace lt
