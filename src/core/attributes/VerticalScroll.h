// The Vertical scroll dialog's decisions: the choices it opens with, the OK step (merging
// the message into line 1 as paragraphs) and its upward-scrolling sample.
#pragma once

#include <deque>
#include <string>

#include "attributes/HorizontalScroll.h"

namespace lt {

struct QuickMessage;

struct VerticalScrollChoice {
    bool on = false;
    int position = 4;
    bool repeatLine = false;   // "Scroll lines" (else "Scroll until next message")
    std::string repeatText;
    bool lock = false;
};

struct VerticalOpening {
    VerticalScrollChoice choice;
    std::string speedLabel;    // "Speed  normal" when off, else the position's name
    int interval = 1000;
};

VerticalOpening OpenVerticalScroll(const QuickMessage& m, int line);

struct VerticalResult {
    ScrollOutcome outcome = ScrollOutcome::Applied;
    std::string message;
    int newCurrentLine = 0;    // 1 when the message now lives in line 1, else 0
};

VerticalResult ApplyVerticalScroll(QuickMessage& m, int line, const VerticalScrollChoice& choice);

// The two sample labels scrolling upward one paragraph per tick.
class VerticalSample {
public:
    VerticalSample() { reset(); }
    void reset();
    void clear();
    void tick();
    const std::string& first() const { return first_; }
    const std::string& second() const { return second_; }

private:
    std::string queue_;
    std::string first_;
    std::string second_;
};

} // namespace lt
