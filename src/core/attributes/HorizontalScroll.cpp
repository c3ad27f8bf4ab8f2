#include "attributes/HorizontalScroll.h"

#include "attributes/LineBlocks.h"
#include "attributes/SpeedScale.h"
#include "common/NumberText.h"
#include "quickedit/QuickMessage.h"

namespace lt {

std::string HorizontalScrollCaption(int line) { return "Horizontal scroll on line " + Str(line); }

namespace {

bool isBlockLine(const QuickMessage& m, int line) { return m.HorizontalScrollMode && !m.LineRepeat[line].empty(); }

} // namespace

HorizontalScrollChoice OpenHorizontalScroll(const QuickMessage& m, int line) {
    HorizontalScrollChoice c;
    std::string count;
    if (!m.LineScroll[line].empty()) {
        c.kind = HorizontalKind::Continuous;
        c.position = RatePosition(Val(BeforeComma(m.LineScroll[line])));
        count = AfterComma(m.LineScroll[line]);
    } else if (isBlockLine(m, line)) {
        c.kind = HorizontalKind::Block;
        c.position = BlockPosition(ValInt(m.WaitTime));
        count = AfterComma(m.LineRepeat[line]);
    } else {
        c.position = kNormalPosition;
    }
    if (c.kind != HorizontalKind::Off && !count.empty() && count != "0") {
        c.repeatLine = true;
        c.repeatText = count;
    }
    c.lock = !m.LockBuffer.empty();
    return c;
}

int HorizontalSampleInterval(HorizontalKind kind, int position) {
    return kind == HorizontalKind::Block ? BlockInterval(position) : ContinuousInterval(position);
}

int HorizontalOpeningInterval(const QuickMessage& m, int line, const HorizontalScrollChoice& opened) {
    if (opened.kind == HorizontalKind::Continuous) {
        double code = Val(BeforeComma(m.LineScroll[line]));
        if (code >= 1 && code < 255) return static_cast<int>(code * 10);
    } else if (opened.kind == HorizontalKind::Block) {
        long long code = ValInt(m.WaitTime);
        if (code >= 1 && code < 255) return static_cast<int>(code * 100);
    }
    return HorizontalSampleInterval(opened.kind, opened.position);
}

std::string RepeatCount(bool repeatLine, const std::string& repeatText) {
    if (!repeatLine) return "0";
    if (repeatText.empty() || repeatText == "0") return {};
    return repeatText;
}

ScrollResult ApplyHorizontalScroll(QuickMessage& m, int line, const HorizontalScrollChoice& choice) {
    ScrollResult result;
    const std::string count = RepeatCount(choice.repeatLine, choice.repeatText);
    if (count.empty()) return {ScrollOutcome::Refused, kRepeatCountMessage};
    std::string& rtf = m.LineRtf[line];
    switch (choice.kind) {
    case HorizontalKind::Continuous:
        // Blocks (of a horizontal or a vertical line) become one line again.
        if (isBlockLine(m, line) || HasParagraphBreak(rtf)) rtf = JoinBlocks(rtf);
        if (m.VerticalScrollMode && !m.LineRepeat[line].empty()) m.VerticalScrollMode = false;
        m.LineScroll[line] = RateCode(choice.position) + "," + count;
        m.HorizontalScrollMode = false;
        m.WaitTime.clear();
        m.LineRepeat[line].clear();
        break;
    case HorizontalKind::Off:
        if (!HasParagraphBreak(rtf) && PlainLength(rtf) <= kBlockWidth) {
            m.WaitTime.clear();
            m.LineRepeat[line].clear();
            m.LineScroll[line].clear();
            m.HorizontalScrollMode = false;
        } else {
            result.outcome = ScrollOutcome::LongMessage;
        }
        break;
    case HorizontalKind::Block:
        // A single paragraph too long for the display becomes blocks of 20.
        if (!HasParagraphBreak(rtf) && PlainLength(rtf) > kBlockWidth) rtf = SplitIntoBlocks(rtf);
        m.LineScroll[line].clear();
        m.HorizontalScrollMode = true;
        m.VerticalScrollMode = false;
        m.WaitTime = BlockCode(choice.position);
        m.LineRepeat[line] = "0," + count;
        break;
    }
    if (choice.kind != HorizontalKind::Off && choice.lock && choice.repeatLine) {
        m.LockBuffer = "ON";
        m.UnlockBuffer = "OFF";
    } else {
        m.LockBuffer.clear();
        m.UnlockBuffer.clear();
    }
    return result;
}

HorizontalSample::HorizontalSample() { reset(); }

void HorizontalSample::reset() {
    text_ = "This is sample text for continuous scroll speed adjustment.   ";
    window_ = std::string(20, ' ');
    secondBlock_ = false;
}

std::string HorizontalSample::tick(HorizontalKind kind) {
    if (kind == HorizontalKind::Block) {
        secondBlock_ = !secondBlock_;
        return secondBlock_ ? "  Horizontal block" : "  speed adjustment.";
    }
    window_ = window_.substr(1) + text_.front();
    text_ = text_.substr(1) + text_.front();
    return window_;
}

} // namespace lt
