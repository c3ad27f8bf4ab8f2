// The Start message dialog's decisions: the four boxes it opens with, the checks of its
// OK step and the two lists it writes.
#pragma once

#include <array>
#include <string>

namespace lt {

struct QuickMessage;

inline constexpr int kStartBoxes = 4;

struct StartBox {
    std::string text;    // message number, digits only
    bool atEnd = false;  // "End" (StartSameTask) rather than "Beg." (StartOtherTask)
};

struct StartChoice {
    bool on = false;
    std::array<StartBox, kStartBoxes> boxes;
};

std::string StartWindowCaption(int currentMessage);
inline constexpr const char* kStartPressOn = "Press On Radio button in order to start editing.";

StartChoice OpenStart(const QuickMessage& m);

struct StartResult {
    bool accepted = true;
    std::string message;   // the refusal's text
    int emptyBox = -1;     // 0..3: the refused box to empty
};

// Checks the boxes and, when they pass, writes StartOtherTask and StartSameTask. A
// refusal leaves the record as it was.
StartResult ApplyStart(QuickMessage& m, const StartChoice& choice);

// "&Start msg OFF..." when both lists are empty, else "&Start msg On...".
std::string StartButtonCaption(const QuickMessage& m);

// Help line of a control under the pointer ("txtStart", "optTop", ...); empty otherwise.
std::string StartHelpLine(const std::string& control);

// Scroll bar value of a box's text: its number, or 0 when empty; clamped to 0..1023.
int StartBarValue(const std::string& text);
// Box text for a scroll bar value: empty at 0.
std::string StartBoxText(int barValue);

} // namespace lt
