#include "attributes/LongMessage.h"

#include <vector>

#include "attributes/LineBlocks.h"
#include "attributes/SpeedScale.h"
#include "quickedit/QuickMessage.h"
#include "quickedit/RichText.h"

namespace lt {

namespace {

const char* const kContinuousFull =
    "Horizontal scroll (continuous). Your message will scroll character by character across one line of the display.";
const char* const kContinuous155 =
    "Horizontal scroll (continuous). Your message will scroll character by character across one line of the display "
    "(up to 155 chars).";
const char* const kBlock =
    "Horizontal scroll (block by block). Your message will scroll in blocks of 20 characters across one line of the "
    "display.";
const char* const kVertical =
    "Vertical scroll (block by block). Your message will scroll in blocks of 20 characters across the display from "
    "bottom line up.";
const char* const kVerticalMerged =
    "Vertical scroll (block by block). Your message will scroll in blocks of 20 characters across the display from "
    "bottom line up. NOTE THAT ALL LINES WILL BE MERGED.";

std::string turnedOff(const char* what) {
    return std::string("You just turned ") + what +
           " off. If you want to switch to a different type long message, please select one of the options below "
           "or press OK to truncate after 20th caracter.";
}

// Repeat count carried by a scroll or repeat argument, "0" when there is none.
std::string countOf(const std::string& argument) {
    if (argument.find(',') == std::string::npos) return "0";
    return argument.substr(argument.find(',') + 1);
}

void toContinuous(QuickMessage& m, int line) {
    const std::string count = countOf(m.LineRepeat[line]);
    m.LineRtf[line] = JoinBlocks(m.LineRtf[line]);
    m.LineScroll[line] = "25," + count;
    m.LineRepeat[line].clear();
    m.WaitTime.clear();
    m.HorizontalScrollMode = false;
    m.VerticalScrollMode = false;
}

void toVertical(QuickMessage& m, int line, const std::string& count) {
    if (line != 1) {
        // The line's paragraphs go to line 1 in the order of the lines.
        m.LineScroll[line].clear();
        m.LineRepeat[line].clear();
    }
    MergeLinesIntoFirst(m);
    m.LineScroll[1].clear();
    // Vertical scrolling needs the repeat of line 1; it keeps the count the line had.
    m.LineRepeat[1] = "0," + count;
    m.WaitTime = "10";
    m.VerticalScrollMode = true;
    m.HorizontalScrollMode = false;
}

} // namespace

LongSituation LongMessageSituation(const QuickMessage& m, int line) {
    const bool scroll = !m.LineScroll[line].empty();
    const bool repeat = !m.LineRepeat[line].empty();
    if (!scroll && !repeat) return LongSituation::FixedTooLong;
    if (scroll) return LongSituation::ContinuousOff;
    if (m.HorizontalScrollMode) return LongSituation::BlockOff;
    if (m.VerticalScrollMode) return LongSituation::VerticalOff;
    return LongSituation::None;
}

LongMessageTexts LongMessageText(LongSituation situation) {
    LongMessageTexts t;
    t.options[0] = "Do not create long message";
    switch (situation) {
    case LongSituation::FixedTooLong:
        t.prompt = "You typed 21 characters. A fixed message is limited to 20 characters per line. If you want to "
                   "create a longer message, select one of the following:";
        t.options[1] = kContinuousFull;
        t.options[2] = kBlock;
        t.options[3] = kVertical;
        t.showThird = true;
        break;
    case LongSituation::ContinuousOff:
        t.prompt = turnedOff("continuous scroll");
        t.options[1] = kBlock;
        t.options[2] = kVerticalMerged;
        break;
    case LongSituation::BlockOff:
        t.prompt = turnedOff("horizontal block by block scroll");
        t.options[1] = kContinuous155;
        t.options[2] = kVerticalMerged;
        break;
    case LongSituation::VerticalOff:
        t.prompt = turnedOff("vertical scroll");
        t.options[1] = kContinuous155;
        t.options[2] = kBlock;
        break;
    case LongSituation::None:
        break;
    }
    return t;
}

void SpreadParagraphs(QuickMessage& m, int line) {
    std::vector<std::string> paragraphs;
    std::string rest = m.LineRtf[line];
    for (size_t at; (at = rest.find(kParagraphBreak)) != std::string::npos;) {
        paragraphs.push_back(rest.substr(0, at));
        rest = rest.substr(at + std::string(kParagraphBreak).size());
    }
    paragraphs.push_back(rest);
    const int lines = m.LineCount < kMaxLines ? m.LineCount : kMaxLines;
    std::string surplus;
    for (size_t k = static_cast<size_t>(lines); k < paragraphs.size(); ++k) surplus += kParagraphBreak + paragraphs[k];
    for (int i = 1; i <= lines && i <= static_cast<int>(paragraphs.size()); ++i) {
        std::string text = paragraphs[i - 1];
        if (text.find("\\sb90\\sa90") == std::string::npos) text = kLineStart + text;
        m.LineRtf[i] = text;
    }
    if (static_cast<int>(paragraphs.size()) < line) m.LineRtf[line].clear();
    m.LineRtf[line] += surplus;
}

LongMessageResult ApplyLongMessage(QuickMessage& m, int line, int option) {
    LongMessageResult r;
    std::string& rtf = m.LineRtf[line];
    switch (LongMessageSituation(m, line)) {
    case LongSituation::None:
        return r;
    case LongSituation::FixedTooLong:
        if (option == 1) {
            m.LineScroll[line] = "25,0";
            m.LineRepeat[line].clear();
            m.HorizontalScrollMode = false;
            m.VerticalScrollMode = false;
            r.followUp = FollowUp::HorizontalScroll;
        } else if (option == 2) {
            m.LineRepeat[line] = "0,0";
            // A block line pauses after each block; the normal speed stands until the
            // scroll dialog that follows sets another (its Cancel keeps this one).
            m.WaitTime = BlockCode(kNormalPosition);
            m.HorizontalScrollMode = true;
            m.VerticalScrollMode = false;
            r.followUp = FollowUp::HorizontalScroll;
        } else if (option == 3) {
            r.newCurrentLine = 1;
            m.LineRepeat[1] = "0,0";
            m.WaitTime = BlockCode(kNormalPosition);
            m.VerticalScrollMode = true;
            m.HorizontalScrollMode = false;
            r.followUp = FollowUp::VerticalScroll;
        }
        return r;
    case LongSituation::ContinuousOff:
        if (option == 0) {
            rtf = TruncateText(rtf, kBlockWidth);
            m.LineScroll[line].clear();
            m.HorizontalScrollMode = false;
            m.VerticalScrollMode = false;
        } else if (option == 1) {
            const std::string count = countOf(m.LineScroll[line]);
            if (!HasParagraphBreak(rtf) && PlainLength(rtf) > kBlockWidth) rtf = SplitIntoBlocks(rtf);
            m.LineRepeat[line] = "0," + count;
            m.LineScroll[line].clear();
            m.WaitTime = "10";
            m.HorizontalScrollMode = true;
            m.VerticalScrollMode = false;
        } else if (option == 2) {
            const std::string count = countOf(m.LineScroll[line]);
            toVertical(m, line, count);
            r.newCurrentLine = 1;
        }
        return r;
    case LongSituation::BlockOff:
        if (option == 0) {
            rtf = FirstParagraph(rtf);
            m.LineRepeat[line].clear();
            m.WaitTime.clear();
            m.HorizontalScrollMode = false;
            m.VerticalScrollMode = false;
        } else if (option == 1) {
            toContinuous(m, line);
        } else if (option == 2) {
            const std::string count = countOf(m.LineRepeat[line]);
            toVertical(m, line, count);
            r.newCurrentLine = 1;
        }
        return r;
    case LongSituation::VerticalOff:
        if (option == 0) {
            m.LineRepeat[line].clear();
            m.WaitTime.clear();
            m.VerticalScrollMode = false;
            SpreadParagraphs(m, line);
            r.newCurrentLine = 1;
        } else if (option == 1) {
            toContinuous(m, line);
        } else if (option == 2) {
            m.HorizontalScrollMode = true;
            m.VerticalScrollMode = false;
        }
        return r;
    }
    return r;
}

} // namespace lt
