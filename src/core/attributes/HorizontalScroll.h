// The Horizontal scroll dialog's decisions: the choices it opens with, the refusal and
// the effects of its OK step on the line, and its animated sample.
#pragma once

#include <string>

namespace lt {

struct QuickMessage;

enum class HorizontalKind { Off, Continuous, Block };

struct HorizontalScrollChoice {
    HorizontalKind kind = HorizontalKind::Off;
    int position = 4;          // speed slider 1..7
    bool repeatLine = false;   // "Scroll line" (else "Scroll until next message ")
    std::string repeatText;    // txtRepeat
    bool lock = false;         // "Scroll line completely"
};

inline constexpr const char* kRepeatCountMessage =
    "You have to enter positive decimal value in Play message times box or choose Play until next message option.";

std::string HorizontalScrollCaption(int line);
HorizontalScrollChoice OpenHorizontalScroll(const QuickMessage& m, int line);
// Sample interval of the kind at the slider position (Off gives the continuous one).
int HorizontalSampleInterval(HorizontalKind kind, int position);
// Interval the sample starts with when the dialog opens on a stored code (code x 10 ms for
// continuous, x 100 ms for block), or the position's interval for codes off the scale.
int HorizontalOpeningInterval(const QuickMessage& m, int line, const HorizontalScrollChoice& opened);

enum class ScrollOutcome {
    Applied,      // the model is changed; close and refresh
    Refused,      // message shown, dialog stays open, model untouched
    LongMessage,  // the line is too long to turn off: the long message dialog decides
};

struct ScrollResult {
    ScrollOutcome outcome = ScrollOutcome::Applied;
    std::string message;  // the refusal's text
};

// The OK step for line `line`. With LongMessage the lock has been applied and the caller
// shows the long message dialog before it closes.
ScrollResult ApplyHorizontalScroll(QuickMessage& m, int line, const HorizontalScrollChoice& choice);

// Repeat count of a choice: "0" until the next message, else the typed count; empty when
// the typed count is empty or "0" (refused).
std::string RepeatCount(bool repeatLine, const std::string& repeatText);

// The sample: continuous text rotating through a 20-character window, or two alternating
// block texts.
class HorizontalSample {
public:
    HorizontalSample();
    void reset();
    // One timer tick; returns the text to show.
    std::string tick(HorizontalKind kind);
    const std::string& window() const { return window_; }

private:
    std::string text_;
    std::string window_;
    bool secondBlock_ = false;
};

} // namespace lt
