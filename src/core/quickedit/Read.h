// Script reading: a block written by generation becomes the QuickMessage record again.
// A block whose stored CRC does not match its body was edited by hand: ScriptOnly.
#pragma once

#include <string>

namespace lt {

struct Session;

// Clears the record, checks the CRC, then reads BlockText of CurrentMessage.
void ReadFields(Session& s);
// Sets ScriptOnly and the task of CurrentMessage from BlockText.
void CheckCrc(Session& s);
// SendText found in a block: "HOST", the serial text, or empty.
std::string ChkDevice(const std::string& block);
// Fills the fields of edit line `line` from its LineScript.
void ReadLines(Session& s, int line);
// Converts the statements in WorkText into rich text, left in WorkText.
void ReadDoLine(Session& s);
// One paragraph's rich text with the generation padding removed and "\qc " / "\ql "
// restored; centringState is the line's running alignment.
std::string GetCenter(Session& s, const std::string& text, bool centred, int line, bool& centringState);
// Argument of a "LET A=VAR(...)" statement, or empty.
std::string ChkLet(const std::string& statement);

} // namespace lt
