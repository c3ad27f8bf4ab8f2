// The one record of the message being edited in Quick Edit. Per-line arrays use the
// index range 0..4; index 0 is never used, lines are 1..LineCount.
#pragma once

#include <array>
#include <string>

namespace lt {

inline constexpr int kMessageCount = 1024;
inline constexpr int kMaxLines = 4;

struct QuickMessage {
    int CurrentMessage = 0;                    // 0..1023
    std::array<int, kMessageCount> MessageTask{}; // task 0..3 of every message
    int LineCount = 2;                         // 2 ("7740") or 4 ("7780")

    std::array<std::string, kMaxLines + 1> LineRtf;    // rich-text fragment of each line
    std::array<int, kMaxLines + 1> LineNumber{0, 1, 2, 3, 4}; // display row of each line
    std::array<std::string, kMaxLines + 1> LineFont;   // "", ENGLISH, KATAKANA, SLAVIC, CYRILLIC
    std::array<std::string, kMaxLines + 1> LineBlink;  // "rate,on"
    std::array<std::string, kMaxLines + 1> LineScroll; // "speed,kind"
    std::array<std::string, kMaxLines + 1> LineRepeat; // "marker,count"
    std::array<std::string, kMaxLines + 1> LineScript; // statements of the line's section

    std::string ClearScreen;     // "" or "CLS"
    std::string RelayMode;       // "", "ON", "OFF"
    std::string StartOtherTask;  // up to 4 message numbers, comma separated
    std::string StartSameTask;   // up to 4 message numbers, comma separated
    std::string SendText;        // "", "HOST" or the text sent out of the serial port
    std::string LockBuffer;      // "" or any text (normally "ON")
    std::string UnlockBuffer;    // "" or "OFF"
    std::string WaitTime;        // argument of the pause statement

    bool HorizontalScrollMode = false;
    bool VerticalScrollMode = false;
    bool CenterMode = false;
    bool ScriptOnly = false;

    std::string BlockText;       // script block of the current message
    std::string WorkText;        // scratch text of generation and reading

    // CRC last taken from a block header's "CRC value =" comment.
    long long StoredCrc = 0;
};

// Empties every line and every display attribute; the block text, the work text and the
// mode flags stay (reading a block clears this much before it fills the fields again).
void ClearMessageAttributes(QuickMessage& m);
// Empties the line arrays, the attribute values and the texts (New and Open).
void ClearQuickMessage(QuickMessage& m);

} // namespace lt
