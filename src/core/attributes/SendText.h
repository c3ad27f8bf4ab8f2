// The Send message dialog's decisions: the table of the 32 control characters, the
// encoding of delimited names into the script's "#" codes and back, the editing rules
// that keep a delimited name whole, and the OK step.
#pragma once

#include <string>

namespace lt {

struct QuickMessage;

inline constexpr int kControlCharCount = 32;

// "NUL" .. "US".
std::string ControlAbbreviation(int code);
// StartChar + abbreviation + StopChar, e.g. "<CR>".
std::string DelimitedName(int code, const std::string& startChar, const std::string& stopChar);
// "#" + the character 64 + code; FS is "#" and two backslashes.
std::string StoredCode(int code);
// "         Key = ^@        Decimal = 0        Hex = 00h".
std::string ControlDescription(int code);
// Grid cell (column 0..3, row 0..7) -> code 8 x column + row.
inline int ControlCodeOfCell(int column, int row) { return 8 * column + row; }

// Text typed into the box -> SendText: CR LF pairs removed, names between the delimiters
// that are an abbreviation, "0".."31" or "00h".."1Fh" (any letter case) become their
// stored code, other names lose their delimiters, an unclosed start delimiter stays.
std::string EncodeSendText(const std::string& text, const std::string& startChar, const std::string& stopChar);
// SendText -> the text shown in the box: stored codes become delimited names.
std::string DecodeSendText(const std::string& stored, const std::string& startChar, const std::string& stopChar);

// "HOST" in any letter case.
bool IsHostText(const std::string& sendText);

// After inserting a name at `cursor` (the position behind it): a line break follows when
// the text holds 27 characters or more and the 28 characters before the cursor hold no
// blank and no line break.
bool NeedsLineBreak(const std::string& text, int cursor);
// Backspace with nothing selected is ignored when the character before the cursor is a
// delimiter.
bool BackspaceBlocked(const std::string& text, int cursor, const std::string& startChar, const std::string& stopChar);

struct NameSpan {
    int start = -1;  // position of the start delimiter; -1 when the click is in no name
    int end = -1;    // position behind the stop delimiter
};
// The delimited name a click at `cursor` falls into.
NameSpan NameAtCursor(const std::string& text, int cursor, const std::string& startChar, const std::string& stopChar);

enum class SendChoice { Off, Text, Slave };

struct SendResult {
    bool close = true;
    std::string caption;  // of the main window's cmdSend
};

SendChoice OpenSend(const QuickMessage& m);
SendResult ApplySend(QuickMessage& m, SendChoice choice, const std::string& text, const std::string& startChar,
                     const std::string& stopChar);

} // namespace lt
