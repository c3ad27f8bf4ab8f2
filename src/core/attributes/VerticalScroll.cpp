#include "attributes/VerticalScroll.h"

#include "attributes/LineBlocks.h"
#include "attributes/SpeedScale.h"
#include "common/NumberText.h"
#include "quickedit/QuickMessage.h"

namespace lt {

VerticalOpening OpenVerticalScroll(const QuickMessage& m, int line) {
    VerticalOpening o;
    if (!(m.VerticalScrollMode && !m.LineRepeat[line].empty())) {
        o.choice.position = kNormalPosition;
        o.speedLabel = "Speed  normal";
        o.interval = BlockInterval(kNormalPosition);
        return o;
    }
    long long v = ValInt(m.WaitTime);
    o.choice.position = BlockPosition(v);
    o.speedLabel = SpeedName(o.choice.position);
    o.interval = (v >= 1 && v < 255) ? static_cast<int>(v * 100) : BlockInterval(o.choice.position);
    std::string count = AfterComma(m.LineRepeat[line]);
    if (!count.empty() && count != "0") {
        o.choice.repeatLine = true;
        o.choice.repeatText = count;
    }
    o.choice.lock = !m.LockBuffer.empty();
    o.choice.on = true;
    return o;
}

VerticalResult ApplyVerticalScroll(QuickMessage& m, int line, const VerticalScrollChoice& choice) {
    VerticalResult r;
    std::string count = RepeatCount(choice.repeatLine, choice.repeatText);
    if (choice.repeatLine && count.empty()) return {ScrollOutcome::Refused, kRepeatCountMessage, 0};
    if (!choice.on) {
        if (!HasParagraphBreak(m.LineRtf[line])) {
            m.WaitTime.clear();
            m.LineRepeat[line].clear();
            m.VerticalScrollMode = false;
        } else {
            r.outcome = ScrollOutcome::LongMessage;
        }
        return r;
    }
    r.newCurrentLine = 1;
    m.WaitTime = BlockCode(choice.position);
    m.LineRepeat[1] = "0," + count;
    if (choice.lock && choice.repeatLine) {
        m.LockBuffer = "ON";
        m.UnlockBuffer = "OFF";
    } else {
        m.LockBuffer.clear();
        m.UnlockBuffer.clear();
    }
    MergeLinesIntoFirst(m);
    // Line 1 is now the repeating line; scrolling horizontally would override the vertical
    // mode, so it goes.
    m.LineScroll[1].clear();
    m.HorizontalScrollMode = false;
    m.VerticalScrollMode = true;
    return r;
}

void VerticalSample::reset() {
    queue_ = "This is sample text\\par for vertical scroll\\par  speed adjustment!";
    first_.clear();
    second_.clear();
}

void VerticalSample::clear() {
    first_.clear();
    second_.clear();
}

void VerticalSample::tick() {
    if (!first_.empty()) queue_ += "\\par " + first_;
    first_ = second_;
    size_t at = queue_.find("\\par");
    if (at != std::string::npos) {
        second_ = queue_.substr(0, at);
        queue_ = queue_.substr(at + 5);
    }
}

} // namespace lt
