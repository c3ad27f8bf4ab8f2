// Script generation: the QuickMessage record becomes the message's script block
// (BlockText), from the "SUB" header with its CRC to "END SUB".
#pragma once

#include <string>

namespace lt {

struct Session;
struct QuickMessage;

// Column where trailing comments start; statements are padded with blanks to 45.
inline constexpr int kCommentColumn = 46;

// Builds BlockText for CurrentMessage. Does nothing while ScriptOnly is set. Overwrites
// the per-message attribute fields with the statements made from them (as the record is
// read again from the block before it is used).
void SubMake(Session& s);
// Builds LineScript of one line.
void LineMake(Session& s, int line);
// Appends the text statements of a fragment to LineScript of the line.
void MakeDoLine(Session& s, const std::string& fragment, int line);

// The block SubMake would build, without touching the record or the status bar.
std::string GenerateBlock(const QuickMessage& m);

// A statement followed by its comment in the comment column, with the line end.
std::string Padded(const std::string& statement, const std::string& comment);

} // namespace lt
