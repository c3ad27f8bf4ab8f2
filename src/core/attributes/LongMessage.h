// The long message dialog's decisions: which situation the current line is in, the texts
// and options shown for it, and what OK does with each option.
#pragma once

#include <array>
#include <string>

namespace lt {

struct QuickMessage;

enum class LongSituation {
    None,           // a repeat without a scroll mode: OK changes nothing
    FixedTooLong,   // an ordinary line grows past 20 characters
    ContinuousOff,  // continuous scrolling turned off
    BlockOff,       // horizontal block by block turned off
    VerticalOff,    // vertical scrolling turned off
};

LongSituation LongMessageSituation(const QuickMessage& m, int line);

struct LongMessageTexts {
    std::string prompt;                  // lblPrompt
    std::array<std::string, 4> options;  // label of optSelect(0) and lblSelect(1..3)
    bool showThird = false;              // optSelect(3) only for a fixed line
};

LongMessageTexts LongMessageText(LongSituation situation);

enum class FollowUp { None, HorizontalScroll, VerticalScroll };

struct LongMessageResult {
    FollowUp followUp = FollowUp::None;
    int newCurrentLine = 0;  // 1 when the current line becomes line 1, else 0
};

// OK with option 0..3 for line `line`.
LongMessageResult ApplyLongMessage(QuickMessage& m, int line, int option);

// Vertical scrolling turned off: the paragraphs of the line go back to the display lines
// in order, paragraph k to line k; paragraphs beyond the last line stay with `line`.
void SpreadParagraphs(QuickMessage& m, int line);

} // namespace lt
